#include "worksheet/LeadingNumber.h"

#include "solver/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace EquationCount {

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

    const solver::NumberScan scan = solver::scanNumber(s, ".", "eEdD");
    if (scan.digits == 0)
        return 0.0;
    const std::string& number = scan.number;
    double value = 0.0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range) {
        // Beyond double: infinitely large (the caller refuses it) or zero.
        const bool huge = solver::decimalMagnitude(number) >= 0;
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

} // namespace EquationCount
