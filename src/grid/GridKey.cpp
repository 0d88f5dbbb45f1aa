#include "grid/GridKey.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <array>

namespace GridKey {

namespace {

struct KeyEntry
{
    Qt::Key key;
    Code code;
    bool types; // KeyPress reports it, with its key code as the character code
    std::optional<CellStep> step;
};

constexpr std::array kKeys{
    KeyEntry{Qt::Key_Backspace, Backspace, true, std::nullopt},
    KeyEntry{Qt::Key_Return, Enter, true, std::nullopt},
    KeyEntry{Qt::Key_Enter, Enter, true, std::nullopt},
    KeyEntry{Qt::Key_Escape, Escape, true, std::nullopt},
    KeyEntry{Qt::Key_PageUp, PageUp, false, CellStep::PageUp},
    KeyEntry{Qt::Key_PageDown, PageDown, false, CellStep::PageDown},
    KeyEntry{Qt::Key_End, End, false, CellStep::End},
    KeyEntry{Qt::Key_Home, Home, false, CellStep::Home},
    KeyEntry{Qt::Key_Left, Left, false, CellStep::Left},
    KeyEntry{Qt::Key_Up, Up, false, CellStep::Up},
    KeyEntry{Qt::Key_Right, Right, false, CellStep::Right},
    KeyEntry{Qt::Key_Down, Down, false, CellStep::Down},
};

const KeyEntry* entryOf(int qtKey)
{
    const auto it = std::find_if(kKeys.begin(), kKeys.end(),
                                 [qtKey](const KeyEntry& entry) { return entry.key == qtKey; });
    return it != kKeys.end() ? &*it : nullptr;
}

} // namespace

Code keyCode(int qtKey)
{
    const KeyEntry* entry = entryOf(qtKey);
    return entry ? entry->code : None;
}

std::optional<CellStep> step(int qtKey)
{
    const KeyEntry* entry = entryOf(qtKey);
    return entry ? entry->step : std::nullopt;
}

CellStep cursorStep(int cursorAction)
{
    static constexpr std::array steps{
        CellStep::Up,  CellStep::Down,   CellStep::Left,     CellStep::Right, CellStep::Home,
        CellStep::End, CellStep::PageUp, CellStep::PageDown, CellStep::Next,  CellStep::Previous};
    return steps.at(static_cast<std::size_t>(cursorAction));
}

Command command(const QKeyEvent& event)
{
    const QKeyCombination keys = event.keyCombination();
    if (event.matches(QKeySequence::Copy))
        return Command::Copy;
    if (event.matches(QKeySequence::SelectAll))
        return Command::SelectAll;
    if (event.matches(QKeySequence::Undo))
        return Command::Undo;
    if (event.matches(QKeySequence::Redo) ||
        keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
        keys == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
        return Command::Redo;
    if (event.matches(QKeySequence::Paste))
        return Command::Paste;
    return Command::None;
}

bool opensContextMenu(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
}

int characterCode(const QKeyEvent& event)
{
    if (const KeyEntry* entry = entryOf(event.key()); entry && entry->types)
        return entry->code;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return -1;
    if (modifiers & Qt::ControlModifier) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return event.key() - Qt::Key_A + 1;
        return -1;
    }
    const QList<uint> codePoints = event.text().toUcs4();
    if (codePoints.size() != 1)
        return -1;
    const char32_t code = codePoints.front();
    if (QChar::category(code) == QChar::Other_Control)
        return -1;
    return static_cast<int>(code);
}

} // namespace GridKey
