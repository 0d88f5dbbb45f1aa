#include "solver/NumberText.h"

#include "solver/RuntimeError.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace solver {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string withSeparator(std::string text, std::string_view decimalSeparator)
{
    if (decimalSeparator == ".")
        return text;
    if (const auto dot = text.find('.'); dot != std::string::npos)
        text.replace(dot, 1, decimalSeparator);
    return text;
}

// The exponent of a number, from just after its letter: an optional sign and digits.
// text is its C form ("e", the sign, the digits); the value stops growing at 10^9, far
// beyond any range, so that no number of digits overflows it.
struct Exponent
{
    std::string text = "e";
    long long value = 0;
    bool hasDigits = false;
    std::size_t end = 0; // one past the last character read
};

Exponent scanExponent(std::string_view text, std::size_t i)
{
    Exponent e;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        e.text += text[i++];
    }
    for (; i < text.size() && isDigit(text[i]); ++i) {
        e.text += text[i];
        e.value = std::min(e.value * 10 + (text[i] - '0'), 1'000'000'000LL);
        e.hasDigits = true;
    }
    if (negative)
        e.value = -e.value;
    e.end = i;
    return e;
}

// Decimal magnitude (the power of ten of the leading digit) of a validated number whose
// float conversion was out of range; it tells underflow from overflow.
long long decimalMagnitude(std::string_view mantissa, long long exponent)
{
    const auto dot = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, dot);
    const auto firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string_view::npos)
        return static_cast<long long>(whole.size() - firstWhole) - 1 + exponent;
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : mantissa.substr(dot + 1);
    const auto firstFraction = fraction.find_first_not_of('0');
    return -static_cast<long long>(firstFraction) - 1 + exponent;
}

} // namespace

float textToSingle(std::string_view text, std::string_view decimalSeparator)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);

    // Rewrite the number in the C form that from_chars reads, refusing anything that is
    // not sign, digits, one separator and an exponent.
    std::string number;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int digits = 0;
    bool separatorSeen = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            number += text[i++];
            ++digits;
        } else if (!separatorSeen && !decimalSeparator.empty() &&
                   text.substr(i, decimalSeparator.size()) == decimalSeparator) {
            number += '.';
            i += decimalSeparator.size();
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        throw RuntimeError(RuntimeError::TypeMismatch);
    const std::string mantissa = number;

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const Exponent e = scanExponent(text, i + 1);
        if (!e.hasDigits)
            throw RuntimeError(RuntimeError::TypeMismatch);
        number += e.text;
        exponent = e.value;
        i = e.end;
    }
    if (i != text.size())
        throw RuntimeError(RuntimeError::TypeMismatch);

    float value = 0.0f;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(mantissa, exponent) >= 0)
            throw RuntimeError(RuntimeError::Overflow);
        // Underflow is silent: the value goes to zero (or the nearest subnormal).
        double tiny = 0.0;
        std::from_chars(number.data(), number.data() + number.size(), tiny);
        value = static_cast<float>(tiny);
    } else if (result.ec != std::errc{} || result.ptr != number.data() + number.size()) {
        throw RuntimeError(RuntimeError::TypeMismatch);
    }
    return negative ? -value : value;
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
    std::string s;
    s.reserve(text.size());
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    std::size_t i = 0;
    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        double value = 0.0;
        for (i = 2; i < s.size(); ++i) {
            int digit = -1;
            const char c = s[i];
            if (isDigit(c))
                digit = c - '0';
            else if (base == 16 && c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (base == 16 && c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0 || digit >= base)
                break;
            value = value * base + digit;
        }
        return value;
    }

    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number += s[i++];
    int digits = 0;
    bool pointSeen = false;
    while (i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !pointSeen))) {
        pointSeen = pointSeen || s[i] == '.';
        digits += isDigit(s[i]) ? 1 : 0;
        number += s[i++];
    }
    if (digits == 0)
        return 0.0;
    const std::string mantissa = number[0] == '+' || number[0] == '-' ? number.substr(1) : number;
    long long exponentValue = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        // An exponent without digits is not part of the number: reading stops before it.
        if (const Exponent e = scanExponent(s, i + 1); e.hasDigits) {
            number += e.text;
            exponentValue = e.value;
        }
    }
    if (number[0] == '+')
        number.erase(0, 1);

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond double: infinitely large (the caller refuses it) or zero.
        const bool huge = decimalMagnitude(mantissa, exponentValue) >= 0;
        const double magnitude = huge ? std::numeric_limits<double>::infinity() : 0.0;
        return number[0] == '-' ? -magnitude : magnitude;
    }
    return value;
}

double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    const double difference = value - lower;
    if (difference > 0.5)
        return lower + 1.0;
    if (difference < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace solver
