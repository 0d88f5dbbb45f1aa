#pragma once

#include "grid/TextBlock.h"

#include <cstddef>
#include <string_view>
#include <vector>

// A block of tabular text as spreadsheets, text editors and this program write it: cells
// separated by tabs, semicolons, commas or runs of blanks, with RFC 4180 quoting.
struct TabularRead
{
    TextBlock cells;
    // The line of the text on which each row of `cells` starts, from 1.
    std::vector<std::size_t> lines;
    // u'\t', u';', u',', or u' ' for runs of blanks.
    char16_t separator = u'\t';
    // The decimal mark of the block's numbers: u'.', u',', or 0 where none shows one.
    char16_t decimalMark = 0;
    // Some number's decimal mark was changed into the reader's.
    bool marksConverted = false;
    // The program's own header row ("X1 … T.I") or column ("EQ1 …") was left out.
    bool headerRowSkipped = false;
    bool headerColumnSkipped = false;
};

// Reads the block: a byte-order mark is skipped; lines end in CR, LF or CR LF (a final
// empty line is dropped, empty lines inside give empty rows). The separator is the block's
// own: a tab if any stands outside quotes, else a semicolon, else a comma (unless the
// commas sit inside blank-separated numbers), else runs of blanks. The decimal mark too:
// a block separated by commas writes its numbers with points; otherwise the mark that its
// numbers show, the comma where they show both in a semicolon block. Unquoted numbers in
// that mark are handed back in `mark`, the reader's; quoted cells are kept as written and
// are never taken for headers.
TabularRead readTabularText(std::u16string_view text, char16_t mark);

// Rows of cells joined by `separator` (not the blank), lines ended by `lineEnd`, every line
// included. A cell is quoted where reading it back would change it: when it holds the
// separator, a quote, a line break or a separator that reading would prefer, when it is a
// number that shows the decimal mark other than `mark`, or when it reads as one of the
// program's header names outside the block's first row and column where `headers` says
// they are such names.
std::u16string writeTabularText(const TextBlock& block, char16_t separator, char16_t mark,
                                std::u16string_view lineEnd, bool headers);
