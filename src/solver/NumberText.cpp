#include "solver/NumberText.h"

#include "solver/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace solver {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string withSeparator(std::string text, std::string_view decimalSeparator)
{
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, decimalSeparator);
    return text;
}

// The longest number at the start of text, in the C form (see cForm), its exponent after
// any of the letters; a letter without exponent digits is not part of the number.
struct Scan
{
    std::string number;
    int digits = 0;
    std::size_t end = 0; // one past the last character read
};

Scan scanNumber(std::string_view text, std::string_view separator, std::string_view letters)
{
    Scan s;
    if (text.starts_with('-'))
        s.number += '-';
    std::size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    for (bool separatorSeen = false; i < text.size();) {
        if (isDigit(text[i])) {
            s.number += text[i++];
            ++s.digits;
        } else if (!separatorSeen && !separator.empty() && text.substr(i).starts_with(separator)) {
            s.number += '.';
            i += separator.size();
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (s.digits > 0 && i < text.size() && letters.find(text[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent += text[j];
        if (isDigit(text[j - 1])) {
            s.number += exponent;
            i = j;
        }
    }
    s.end = i;
    return s;
}

// The power of ten of the leading digit of a number in the C form whose conversion was out
// of range: it tells underflow from overflow. The exponent stops growing at 10^9, far beyond
// any range, so that no number of digits overflows it.
long long decimalMagnitude(std::string_view number)
{
    const auto e = std::min(number.find('e'), number.size());
    long long exponent = 0;
    for (const char c : number.substr(e))
        if (isDigit(c))
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
    if (number.substr(e).starts_with("e-"))
        exponent = -exponent;
    // The leading digit's place, counted from the point: 0 for "5", 2 for "123.4", −3 for
    // "0.001". A sign in front moves both places alike.
    const auto mantissa = number.substr(0, e);
    const auto first = static_cast<long long>(mantissa.find_first_of("123456789"));
    const auto point = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size()));
    return point - first - (point > first ? 1 : 0) + exponent;
}

} // namespace

std::optional<std::string> cForm(std::string_view text, std::string_view decimalSeparator)
{
    // Blanks around the number; once the front ones are gone, a text of blanks is empty.
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    text.remove_suffix(text.size() - (text.find_last_not_of(" \t") + 1));
    Scan s = scanNumber(text, decimalSeparator, "eE");
    if (s.digits == 0 || s.end != text.size())
        return std::nullopt;
    return std::move(s.number);
}

float textToSingle(std::string_view text, std::string_view decimalSeparator)
{
    const std::optional<std::string> number = cForm(text, decimalSeparator);
    if (!number)
        throw RuntimeError(RuntimeError::TypeMismatch);
    const char* end = number->data() + number->size();
    float value = 0.0f;
    if (std::from_chars(number->data(), end, value).ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(*number) >= 0)
            throw RuntimeError(RuntimeError::Overflow);
        // Underflow is silent: the value goes to zero (or the nearest subnormal).
        double tiny = number->front() == '-' ? -0.0 : 0.0;
        std::from_chars(number->data(), end, tiny);
        value = static_cast<float>(tiny);
    }
    return value;
}

std::string generalText(float value, std::string_view decimalSeparator)
{
    if (value == 0.0f)
        return "0";
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return withSeparator(std::move(text), decimalSeparator);
}

std::string fixedFiveText(float value, std::string_view decimalSeparator)
{
    if (value == 0.0f)
        value = 0.0f; // no "-0.00000" for a negative zero
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::fixed, 5);
    return withSeparator(std::string(buffer, result.ptr), decimalSeparator);
}

double readLeadingNumber(std::string_view text)
{
    std::string s(text);
    std::erase_if(s, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });

    if (s.size() >= 2 && s[0] == '&' && std::string_view("HhOo").find(s[1]) != s.npos) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        double value = 0.0;
        for (std::size_t i = 2; i < s.size(); ++i) {
            const auto at = std::string_view("0123456789abcdefABCDEF").find(s[i]);
            const auto digit = at < 16 ? at : at - 6;
            if (at == std::string_view::npos || digit >= std::size_t(base))
                break;
            value = value * base + double(digit);
        }
        return value;
    }

    const Scan scan = scanNumber(s, ".", "eEdD");
    if (scan.digits == 0)
        return 0.0;
    const std::string& number = scan.number;
    double value = 0.0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range) {
        // Beyond double: infinitely large (the caller refuses it) or zero.
        const bool huge = decimalMagnitude(number) >= 0;
        return std::copysign(huge ? std::numeric_limits<double>::infinity() : 0.0,
                             number[0] == '-' ? -1.0 : 1.0);
    }
    return value;
}

double roundHalfEven(double value)
{
    // The default rounding mode, which the program never changes, rounds halves to even.
    return std::nearbyint(value);
}

} // namespace solver
