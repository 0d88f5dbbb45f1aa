#include "Keyboard.h"

#include <QApplication>
#include <QTest>

namespace keyboard {

void typeChar(QWidget* target, char32_t c)
{
    const Qt::Key k = c == U' ' ? Qt::Key_Space : c < 256 && c > 32 && c != 127 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, target, k, QString::fromUcs4(&c, 1), Qt::NoModifier);
}

void typeText(const QString& text)
{
    for (const char32_t c : text.toUcs4())
        typeChar(QApplication::focusWidget(), c);
}

void press(Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(QApplication::focusWidget(), k, mods);
}

} // namespace keyboard
