#pragma once

#include "document/Refusal.h"
#include "grid/TextBlock.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

// Matrix Market files of a real matrix: the array form, which lists the values column by
// column, and the coordinate form, which lists "row column value" from 1 (a value not
// listed is 0).
struct MatrixRead
{
    TextBlock cells;
    std::size_t sizeLine = 0; // the line that gives the matrix's size
};

bool isMatrixMarket(std::u16string_view text);

// The matrix's cells, its numbers with `mark` as their decimal mark. Only a system's
// shape is read: a larger matrix is refused before anything is kept.
std::variant<MatrixRead, Refusal> readMatrixMarket(std::u16string_view text, char16_t mark);

// The array form of the cells, whose numbers are written with `mark`; a cell that is not
// a number is refused.
std::variant<std::string, Refusal> writeMatrixMarket(const TextBlock& cells, char16_t mark);
