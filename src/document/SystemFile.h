#pragma once

#include "document/Refusal.h"
#include "grid/TextBlock.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

// A system of equations as a file: n rows of n + 1 cell texts (the coefficients, then the
// independent term), 2 ≤ n ≤ 100.
enum class FileFormat
{
    Csv,         // the program's header row and column, in the locale's dialect
    Text,        // tab-separated, the cells alone
    MatrixMarket // array real general
};

// By the name's extension (.mtx, .txt; anything else is CSV).
FileFormat formatForName(std::string_view fileName);

// No system's file comes near this size; reading stops here.
inline constexpr std::size_t kLargestSystemFile = std::size_t(4) << 20;

struct SystemTexts
{
    TextBlock rows;
    // Some number was written with a decimal mark other than the reader's.
    bool marksConverted = false;
};

// The system held by the bytes of a file: a Matrix Market file by its first line, any
// other as tabular text (see readTabularText). Numbers come back in `mark`.
std::variant<SystemTexts, Refusal> readSystemFile(std::string_view bytes, char16_t mark);

// The bytes of the file for the rows, whose numbers are written with `mark`. CSV takes
// the semicolon as its separator where `mark` is the comma, as spreadsheets of such
// locales write it, and the comma otherwise.
std::variant<std::string, Refusal> writeSystemFile(const TextBlock& rows, FileFormat format,
                                                   char16_t mark);

// Whether rows × cols is the shape of a system; the refusal that names the shape.
bool isSystemShape(std::size_t rows, std::size_t cols);
Refusal shapeRefusal(std::size_t rows, std::size_t cols, std::size_t line);
