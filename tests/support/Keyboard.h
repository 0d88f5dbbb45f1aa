#pragma once

#include <Qt>

class QString;
class QWidget;

// The keyboard as a user works it: every key goes to whatever holds the focus then.
namespace keyboard {

// One character with its key (a blank is the space bar; no key outside Latin-1).
void typeChar(QWidget* target, char32_t c);
// Each character of the text as a key of its own, to the focused widget at that moment.
void typeText(const QString& text);
void press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier);

} // namespace keyboard
