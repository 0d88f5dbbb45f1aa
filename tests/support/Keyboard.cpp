#include "Keyboard.h"

#include <QApplication>
#include <QTest>

namespace teclado {

void caracter(QWidget* destino, char32_t c)
{
    const Qt::Key k = c == U' ' ? Qt::Key_Space : c < 256 && c > 32 && c != 127 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, destino, k, QString::fromUcs4(&c, 1), Qt::NoModifier);
}

void escribir(const QString& texto)
{
    for (const char32_t c : texto.toUcs4())
        caracter(QApplication::focusWidget(), c);
}

void tecla(Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(QApplication::focusWidget(), k, mods);
}

} // namespace teclado
