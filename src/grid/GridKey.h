#pragma once

#include "grid/CellSelection.h"

#include <optional>

class QKeyEvent;

// The codes by which the grid and the worksheet's editor name keys: KeyDown's key codes,
// which are also KeyPress's character codes for Backspace, Enter and Escape. Ctrl+letter
// types 1 to 26 (Ctrl+A to Ctrl+Z); any other typed character is its code point.
namespace GridKey {

enum Code : int
{
    None = 0,
    Backspace = 8,
    Enter = 13,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
};

// KeyDown's code for a Qt key; None for a key outside the table.
Code keyCode(int qtKey);

// The move of a navigation key on the grid.
std::optional<CellStep> step(int qtKey);

// The spreadsheet commands the grid answers from the keyboard (Ctrl+Y and Ctrl+Shift+Z
// redo as well, wherever the platform's redo key is another).
enum class Command
{
    None,
    Copy,
    SelectAll,
    Undo,
    Redo,
    Paste,
};

Command command(const QKeyEvent& event);

// Shift+F10 and the Menu key, which open the context menu of what has the focus.
bool opensContextMenu(const QKeyEvent& event);

// The move of one of the item views' cursor actions (MoveUp to MovePrevious).
CellStep cursorStep(int cursorAction);

// KeyPress's character code for a key event, or -1 for a key that types nothing.
int characterCode(const QKeyEvent& event);

} // namespace GridKey
