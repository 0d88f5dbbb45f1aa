// The fixed reading of the number of equations, on arbitrary bytes. It never throws and
// never gives NaN; its value matches the tests' own reading of the rule; and the acceptance
// that follows it (2 to 100, rounded half to even) always yields a whole number of
// equations from 2 to 100.
#include "EquationCountOracle.h"
#include "Finding.h"

#include "worksheet/LeadingNumber.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string shown(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

void checkRounding(double v)
{
    const double rounded = EquationCount::roundHalfEven(v);
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
        value = EquationCount::readLeadingNumber(text);
    } catch (...) {
        finding("readLeadingNumber threw on '" + std::string(text) + "'");
    }
    if (std::isnan(value))
        finding("readLeadingNumber gave NaN for '" + std::string(text) + "'");

    const EquationCountOracle::Reading reference = EquationCountOracle::reading(text);
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
