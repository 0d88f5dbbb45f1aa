#include "ui/DialogFont.h"

QFont dialogFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    if (bold)
        font.setBold(true);
    return font;
}
