// The fixed reading of the number of equations, on arbitrary bytes. It never throws and
// never gives NaN; its value matches a reading of the rule done here with strtod (the
// fuzzer's locale stays "C"); and the acceptance that follows it (2 to 100, rounded half
// to even) always yields a whole number of equations from 2 to 100.
#include "Finding.h"

#include "solver/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base)
{
    int d = 99;
    if (isDigit(c))
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < base ? d : -1;
}

std::string shown(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

struct Reading
{
    double value;
    bool exact; // false for whole numbers too long for a double to hold every digit
};

// The rule read literally: blanks, tabs and line feeds go; &H / &O whole numbers; otherwise
// a sign, digits with one ".", an exponent with E or D, up to the first misfit.
Reading referenceReading(std::string_view text)
{
    std::string s;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;

    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = s[1] == 'H' || s[1] == 'h' ? 16 : 8;
        std::size_t i = 2;
        while (i < s.size() && s[i] == '0')
            ++i;
        double value = 0.0;
        int significant = 0;
        for (; i < s.size() && digitValue(s[i], base) >= 0; ++i, ++significant)
            value = value * base + digitValue(s[i], base);
        return {value, significant * (base == 16 ? 4 : 3) <= 53};
    }

    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        number += s[i++];
    bool digit = false;
    bool point = false;
    for (; i < s.size() && (isDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
        point = point || s[i] == '.';
        digit = digit || isDigit(s[i]);
        number += s[i];
    }
    if (!digit)
        return {0.0, true};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent += s[j++];
        const std::size_t first = j;
        while (j < s.size() && isDigit(s[j]))
            exponent += s[j++];
        if (j > first)
            number += exponent;
    }
    return {std::strtod(number.c_str(), nullptr), true};
}

void checkRounding(double v)
{
    const double rounded = solver::roundHalfEven(v);
    if (std::isfinite(v) && rounded != std::nearbyint(v))
        finding("roundHalfEven(" + shown(v) + ") is " + shown(rounded) + ", nearbyint gives " +
                shown(std::nearbyint(v)));
    if (v >= 2.0 && v <= 100.0) {
        if (rounded < 2.0 || rounded > 100.0 || std::abs(rounded - v) > 0.5 ||
            rounded != std::floor(rounded))
            finding("accepted value " + shown(v) + " rounds to " + shown(rounded));
        if (v - std::floor(v) == 0.5 && std::fmod(rounded, 2.0) != 0.0)
            finding("the half " + shown(v) + " rounds to the odd " + shown(rounded));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    double value = 0.0;
    try {
        value = solver::readLeadingNumber(text);
    } catch (...) {
        finding("readLeadingNumber threw on '" + std::string(text) + "'");
    }
    if (std::isnan(value))
        finding("readLeadingNumber gave NaN for '" + std::string(text) + "'");

    const Reading reference = referenceReading(text);
    if (reference.exact
            ? (value != reference.value || std::signbit(value) != std::signbit(reference.value))
            : std::abs(value - reference.value) > std::abs(reference.value) * 1e-12)
        finding("'" + std::string(text) + "' reads as " + shown(value) + ", expected " +
                shown(reference.value));

    checkRounding(value);
    // The rounding on its own, for values the text does not reach easily.
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        if (!std::isnan(raw))
            checkRounding(raw);
    }
    return 0;
}
