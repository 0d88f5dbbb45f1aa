#include "ui/DigitsLost.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace DigitsLost {

namespace {

// Cividis, reversed so that the light end means nothing lost.
constexpr std::array<QRgb, kSteps> kColours{0xFEE838, 0xE4CF5B, 0xC4B56C, 0xA69D75,
                                            0x8A8779, 0x575D6D, 0x3B496C, 0x00224E};

} // namespace

int digitsLost(float single, double shadow)
{
    if (!std::isfinite(shadow) || !std::isfinite(single))
        return kSteps - 1;
    const double difference = std::abs(double(single) - shadow);
    if (difference == 0)
        return 0;
    if (shadow == 0)
        return kSteps - 1;
    // A relative difference of one rounding of a single costs nothing; each factor of ten
    // above it costs a digit.
    const double relative = difference / std::abs(shadow);
    const double digits = std::log10(relative / std::numeric_limits<float>::epsilon());
    return int(std::clamp(std::ceil(digits), 0.0, double(kSteps - 1)));
}

QColor colour(int digits)
{
    return QColor(kColours[std::size_t(std::clamp(digits, 0, kSteps - 1))]);
}

QColor textColour(int digits)
{
    return digits >= 5 ? QColor(Qt::white) : QColor(Qt::black);
}

QString words(int digits)
{
    if (digits <= 0)
        return QStringLiteral("ninguna cifra perdida");
    if (digits == 1)
        return QStringLiteral("1 cifra perdida");
    if (digits >= kSteps - 1)
        return QStringLiteral("%1 o más cifras perdidas").arg(kSteps - 1);
    return QStringLiteral("%1 cifras perdidas").arg(digits);
}

} // namespace DigitsLost
