#include "grid/CellAlignment.h"

#include <QLocale>
#include <QString>

namespace {
// Longer than any cell can show: such a text is drawn cut short with an ellipsis whatever
// it holds, and Qt's number parser takes seconds over a line of megabytes.
constexpr qsizetype kLongestNumber = 1000;
} // namespace

bool looksNumeric(const QString& text)
{
    if (text.size() > kLongestNumber)
        return false;
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

// The text is parsed only where its alignment depends on it: a body cell of a column in
// general alignment.
Qt::Alignment cellAlignment(int code, bool fixedCell, const QString& text)
{
    const bool general = code < AlignLeftTop || code > AlignRightBottom;
    return cellAlignment(code, fixedCell, general && !fixedCell && looksNumeric(text));
}

Qt::Alignment cellAlignment(int code, bool fixedCell, bool numeric)
{
    if (code < AlignLeftTop || code > AlignRightBottom) {
        if (fixedCell)
            return Qt::AlignCenter;
        return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                       Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter,
                                                     Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}
