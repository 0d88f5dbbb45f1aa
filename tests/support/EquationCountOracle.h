#pragma once

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

// The number-of-equations reading written out once more, independently of the program's
// own reader, for the tests and the fuzz target (no Qt here): blanks, tabs and line feeds
// are skipped wherever they stand; then a sign, digits with at most one '.', an exponent
// (E or D, either case); or &H / &O and a hexadecimal or octal whole number. Reading stops
// at the first character that does not fit; no digit at all reads as 0.
namespace EquationCountOracle {

struct Reading
{
    double value;
    bool exact; // false for &H / &O numbers with more digits than a double holds
};

inline Reading reading(std::string_view text)
{
    std::string s;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;
    s += '\0'; // ends every scan below
    const auto digit = [](char c, int base) {
        const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
        return d < base ? d : -1;
    };

    if (s[0] == '&') {
        const int base = s[1] == 'H' || s[1] == 'h' ? 16 : s[1] == 'O' || s[1] == 'o' ? 8 : 0;
        double value = 0.0;
        int significant = 0;
        for (std::size_t k = 2; base != 0 && digit(s[k], base) >= 0; ++k) {
            significant += value > 0.0 || s[k] != '0' ? 1 : 0;
            value = value * base + digit(s[k], base);
        }
        return {value, significant * (base == 16 ? 4 : 3) <= 53};
    }

    // strtod does the rounding, with the C library's decimal point of the moment (a Qt
    // program takes it from the user's regional settings).
    std::string number;
    std::size_t i = s[0] == '+' || s[0] == '-' ? 1 : 0;
    number.append(s, 0, i);
    bool digits = false;
    bool point = false;
    for (; digit(s[i], 10) >= 0 || (s[i] == '.' && !point); ++i) {
        point = point || s[i] == '.';
        digits = digits || s[i] != '.';
        number += s[i] == '.' ? *std::localeconv()->decimal_point : s[i];
    }
    if (!digits)
        return {0.0, true};
    if (const char e = s[i]; e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        std::size_t k = i + 1 + (s[i + 1] == '+' || s[i + 1] == '-' ? 1 : 0);
        const std::size_t first = k;
        while (digit(s[k], 10) >= 0)
            ++k;
        if (k > first)
            number += 'e' + s.substr(i + 1, k - i - 1);
    }
    return {std::strtod(number.c_str(), nullptr), true};
}

// The n that an accepted text gives, or 0 when the text is refused.
inline int accepted(std::string_view text)
{
    const double v = reading(text).value;
    return v >= 2 && v <= 100 ? static_cast<int>(std::nearbyint(v)) : 0; // halves to even
}

} // namespace EquationCountOracle
