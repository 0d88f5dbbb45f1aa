#pragma once

#include <string>
#include <string_view>
#include <vector>

// The plain-text form of a block of cells, as the clipboard carries it between the grid,
// spreadsheets and text editors. Free of Qt, so that it is fuzzed on its own.
using TextRow = std::vector<std::u16string>;
using TextBlock = std::vector<TextRow>;

// Rows of texts: lines end in \r\n, \n or \r (a final empty line is dropped); a line
// holding a tab is split on every tab, any other line on runs of blanks. One pass over the
// text.
TextBlock parseTextBlock(std::u16string_view text);

// Cells joined by tabs, rows by \n, with no line break after the last row.
std::u16string formatTextBlock(const TextBlock& block);

// Whether parseTextBlock(formatTextBlock(block)) gives the block back: no cell holds a tab
// or a line break, a row of one cell holds a text without blanks and not empty, and the
// last row has cells.
bool survivesRoundTrip(const TextBlock& block);
