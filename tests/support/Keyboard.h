#pragma once

#include <Qt>

class QString;
class QWidget;

// The keyboard as a user works it: every key goes to whatever holds the focus then.
namespace teclado {

// One character with its key (a blank is the space bar; no key outside Latin-1).
void caracter(QWidget* destino, char32_t c);
// Each character of the text as a key of its own, to the focused widget at that moment.
void escribir(const QString& texto);
void tecla(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier);

} // namespace teclado
