#pragma once

#include <QColor>
#include <QString>

// The colours for the decimal digits a single-precision value has lost against its
// double-precision shadow: eight steps from light yellow (none) to dark blue (seven or
// more), after the cividis scale, which readers with any colour vision tell apart by
// lightness alone.
namespace DigitsLost {

constexpr int kSteps = 8;

// Digits lost by `single` against `shadow`: 0 when they agree to the single's precision,
// up to 7 when no digit is left.
int digitsLost(float single, double shadow);

QColor colour(int digits);
// Black or white, whichever reads on colour(digits).
QColor textColour(int digits);
// "3 cifras perdidas", "ninguna cifra perdida", "7 o más cifras perdidas".
QString words(int digits);

} // namespace DigitsLost
