#pragma once

#include "grid/GridKey.h"

#include <QObject>

class GridControl;
class QLineEdit;

// The worksheet cannot be edited in place: a single line edit is laid over the current
// cell, filled and focused when the user starts typing or double-clicks, and its text is
// written into the cell when the grid takes the focus back or its current cell is about
// to change. Enter walks the worksheet in reading order, the up and down arrows move
// between equations.
class CellEditor : public QObject
{
    Q_OBJECT

public:
    // The character code that a double-click opens the editor with: the space bar's.
    static constexpr int DoubleClickCode = GridKey::Space;

    // The editor must share the grid's parent, so both use the same coordinates.
    CellEditor(GridControl& cuadric, QLineEdit& text1, QObject* parent = nullptr);

    bool isOpen() const;

    // Opens the editor over the current cell. A printable character (code above 32)
    // replaces the cell's text; the space bar, Backspace, Enter, other control codes and
    // a double-click keep it for editing.
    void UbicarEditor(int keyAscii);

    // Acts on a key pressed in the editor (its GridKey code); any other key is the line
    // edit's own.
    void MoverCelda(int keyCode);

    // Writes an open editor's text into the current cell and closes it. A tab or a line
    // break in it is written as a blank: no cell holds one.
    void commit();

    // Writes "row,col" of the current cell into the corner cell.
    void showPosition();

signals:
    // An edit has been written into the cell (row, col), which held `before`.
    void Committed(int row, int col, const QString& before);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void returnToGrid();
    // Ctrl+V in the editor: a block of cells ends the edit and is pasted from the current
    // cell on; a single value is the editor's to insert. Whether the key was taken.
    bool paste();

    GridControl& cuadric_;
    QLineEdit& text1_;
};
