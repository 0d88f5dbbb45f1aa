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

// The longest number at the start of text, in the C form, its exponent after any of
// `letters`; a letter without exponent digits is not part of the number.
struct NumberScan
{
    std::string number;
    int digits = 0;
    std::size_t end = 0; // one past the last character read
};
NumberScan scanNumber(std::string_view text, std::string_view separator, std::string_view letters);

// The power of ten of the leading digit of a number in the C form whose conversion was out
// of range: it tells underflow (negative) from overflow.
long long decimalMagnitude(std::string_view number);

// The general text form of a single: up to 7 significant digits, no trailing zeros, no
// grouping, exponent form (1.5E-06, 1.234568E+07) where C's %.7G would use it, negative
// zero as "0".
std::string generalText(float value, std::string_view decimalSeparator);

// The pattern "#0.00000": at least one integer digit, five decimals, no grouping.
std::string fixedFiveText(float value, std::string_view decimalSeparator);

} // namespace solver
