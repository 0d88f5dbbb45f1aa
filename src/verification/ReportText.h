#pragma once

#include "verification/Verification.h"

#include <string>
#include <string_view>
#include <vector>

namespace verification {

struct Table
{
    std::string caption;
    std::vector<std::string> headers;
    // The first cell of each row names it (an equation, an unknown, a row of B·C).
    std::vector<std::vector<std::string>> rows;
};

struct Figure
{
    std::string label;
    std::string value;
};

// The report in words and numbers, in the program's Spanish, the numbers written with the
// given decimal separator: what the dialog shows and what "Copiar" puts on the clipboard.
struct ReportText
{
    std::string heading;
    // Plain sentences: a singular matrix, or what the condition means, what storing the
    // data in single precision costs and what the method adds; then the row exchanges.
    std::vector<std::string> statements;
    Table residuals;
    Table solution;
    // Only after a Choleski solve that exchanged rows.
    Table rowOrder;
    std::vector<Figure> figures;
};

ReportText describe(const Report& report, std::string_view decimalSeparator);

// Tab-separated tables, one line per row, a blank line between the parts.
std::string plainText(const ReportText& text);

// %.*G-like text of a double: up to `digits` significant digits, no trailing zeros,
// exponent form as "1.5E-07", the given decimal separator.
std::string numberText(double value, int digits, std::string_view decimalSeparator);

// A determinant with seven significant digits; beyond the double's range as a mantissa
// and a decimal exponent ("1,5E+400").
std::string determinantText(const Determinant& d, std::string_view decimalSeparator);

} // namespace verification
