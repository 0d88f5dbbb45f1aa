#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace solver {

// Text to single precision, with the given decimal separator: surrounding blanks, an
// optional sign, digits with at most one separator, an optional exponent. Anything else
// (blanks alone included) raises error 13; a value beyond the single range raises error 6.
float textToSingle(std::string_view text, std::string_view decimalSeparator);

// The same reading up to the conversion: the number in the C form that from_chars reads
// ("-" for a minus sign, "." for the separator, "e" before the exponent), or nothing when
// the text is not a number.
std::optional<std::string> cForm(std::string_view text, std::string_view decimalSeparator);

// The general text form of a single: up to 7 significant digits, no trailing zeros, no
// grouping, exponent form (1.5E-06, 1.234568E+07) where C's %.7G would use it, negative
// zero as "0".
std::string generalText(float value, std::string_view decimalSeparator);

// The pattern "#0.00000": at least one integer digit, five decimals, no grouping.
std::string fixedFiveText(float value, std::string_view decimalSeparator);

// The fixed, locale-independent reading of the number of equations: blanks anywhere are
// skipped, a sign, digits with "." as decimal point, an exponent with E or D, or the
// prefixes &H and &O; reading stops at the first character that does not fit and yields
// 0 when no digit was read.
double readLeadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

} // namespace solver
