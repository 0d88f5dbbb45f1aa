#pragma once

#include <string_view>

// The text of the number box read as a number; no Qt, so that the fuzz build takes it alone.
namespace EquationCount {

// The fixed, locale-independent reading of the number of equations: blanks anywhere are
// skipped, a sign, digits with "." as decimal point, an exponent with E or D, or the
// prefixes &H and &O; reading stops at the first character that does not fit and yields
// 0 when no digit was read.
double readLeadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

} // namespace EquationCount
