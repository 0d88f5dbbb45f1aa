#include "grid/TextBlock.h"

#include <algorithm>

namespace {

constexpr char16_t kTab = u'\t';
constexpr char16_t kBlank = u' ';

bool isLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

// Spreadsheets separate cells by tabs and leave empty cells empty; a system typed in a
// text editor has its numbers lined up with blanks.
TextRow splitLine(std::u16string_view line)
{
    TextRow row;
    if (line.find(kTab) != std::u16string_view::npos) {
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find(kTab, start)) != std::u16string_view::npos;
             start = tab + 1)
            row.emplace_back(line.substr(start, tab - start));
        row.emplace_back(line.substr(start));
        return row;
    }
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t blank = std::min(line.find(kBlank, start), line.size());
        if (blank > start)
            row.emplace_back(line.substr(start, blank - start));
        start = blank + 1;
    }
    return row;
}

} // namespace

TextBlock parseTextBlock(std::u16string_view text)
{
    TextBlock block;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isLineBreak(text[i])) {
            ++i;
            continue;
        }
        block.push_back(splitLine(text.substr(start, i - start)));
        i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        block.push_back(splitLine(text.substr(start)));
    return block;
}

std::u16string formatTextBlock(const TextBlock& block)
{
    std::u16string text;
    for (std::size_t r = 0; r < block.size(); ++r) {
        if (r > 0)
            text += u'\n';
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            if (c > 0)
                text += kTab;
            text += block[r][c];
        }
    }
    return text;
}

bool survivesRoundTrip(const TextBlock& block)
{
    if (!block.empty() && block.back().empty())
        return false;
    return std::all_of(block.begin(), block.end(), [](const TextRow& row) {
        const bool cellsKept = std::none_of(row.begin(), row.end(), [](const std::u16string& cell) {
            return std::any_of(cell.begin(), cell.end(),
                               [](char16_t c) { return c == kTab || isLineBreak(c); });
        });
        const bool single = row.size() == 1;
        return cellsKept &&
               (!single || (!row[0].empty() && row[0].find(kBlank) == std::u16string::npos));
    });
}
