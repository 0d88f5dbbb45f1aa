#include "grid/CellAlignment.h"

#include <QLocale>
#include <QString>

namespace {

// A number in the user's notation or in the C notation; group separators are not part of
// a number here, so "1.500" is not read as fifteen hundred in a comma locale.
bool looksNumeric(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    locale.toDouble(trimmed, &ok);
    if (!ok)
        QLocale::c().toDouble(trimmed, &ok);
    return ok;
}

} // namespace

Qt::Alignment cellAlignment(int code, bool fixedCell, const QString& text)
{
    if (code < AlignLeftTop || code > AlignRightBottom) {
        if (fixedCell)
            return Qt::AlignCenter;
        return (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                     Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}
