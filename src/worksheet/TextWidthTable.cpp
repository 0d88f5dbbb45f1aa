#include "worksheet/TextWidthTable.h"

#include "grid/Twips.h"

#include <QChar>
#include <QFont>
#include <QString>

TextWidthTable::TextWidthTable(const QFont& font) : metrics_(font)
{
    for (int code = 0; code < kTableSize; ++code)
        advances_[static_cast<std::size_t>(code)] =
            metrics_.horizontalAdvance(QChar(code)) * kTwipsPerPixel;

    kernIndex_.fill(-1);
    for (std::size_t i = 0; i < kKernedCount; ++i)
        kernIndex_[kKerned[i]] = static_cast<std::int8_t>(i);
    for (std::size_t left = 0; left < kKernedCount; ++left) {
        for (std::size_t right = 0; right < kKernedCount; ++right) {
            const QChar chars[] = {QChar(kKerned[left]), QChar(kKerned[right])};
            const QString pair(chars, 2);
            kerning_[left * kKernedCount + right] =
                metrics_.horizontalAdvance(pair) * kTwipsPerPixel - advances_[kKerned[left]] -
                advances_[kKerned[right]];
        }
    }
}

double TextWidthTable::TextWidth(QStringView text) const
{
    double width = 0.0;
    int previous = -1;
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code >= kTableSize)
            return metrics_.horizontalAdvance(text.toString()) * kTwipsPerPixel;
        width += advances_[code];
        const int index = kernIndex_[code];
        if (previous >= 0 && index >= 0)
            width += kerning_[static_cast<std::size_t>(previous) * kKernedCount +
                              static_cast<std::size_t>(index)];
        previous = index;
    }
    return width;
}
