#include "solver/NumberText.h"

#include "solver/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

} // namespace

NumberScan scanNumber(std::string_view text, std::string_view separator, std::string_view letters)
{
    NumberScan s;
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

long long decimalMagnitude(std::string_view number)
{
    const auto e = std::min(number.find('e'), number.size());
    // The exponent stops at 10^9, far beyond any range, so that no number of digits overflows.
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

std::optional<std::string> cForm(std::string_view text, std::string_view decimalSeparator)
{
    // Blanks around the number; once the front ones are gone, a text of blanks is empty.
    text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
    text.remove_suffix(text.size() - (text.find_last_not_of(" \t") + 1));
    NumberScan s = scanNumber(text, decimalSeparator, "eE");
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
    std::replace(buffer, result.ptr, 'e', 'E');
    return withSeparator(std::string(buffer, result.ptr), decimalSeparator);
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

} // namespace solver
