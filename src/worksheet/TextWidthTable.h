#pragma once

#include <QFontMetricsF>
#include <QStringView>

#include <array>
#include <cstdint>
#include <string_view>

class QFont;

// Width of a text in twips in one font, measured from tables of the font's advances, so
// that thousands of cells are measured in well under a frame. Every Latin-1 character has
// its advance; the characters of numbers and grid headers also have the kerning of each
// pair among them, so those texts measure as the font lays them out. Any character
// beyond Latin-1 sends the whole text to the font's own measure.
class TextWidthTable
{
public:
    explicit TextWidthTable(const QFont& font);

    double TextWidth(QStringView text) const;

private:
    static constexpr int kTableSize = 256;
    static constexpr std::u16string_view kKerned = u"0123456789+-.,EeXQTI ";
    static constexpr std::size_t kKernedCount = kKerned.size();

    QFontMetricsF metrics_;
    std::array<double, kTableSize> advances_{};                 // twips
    std::array<std::int8_t, kTableSize> kernIndex_{};           // into kKerned, or -1
    std::array<double, kKernedCount * kKernedCount> kerning_{}; // twips, [left][right]
};
