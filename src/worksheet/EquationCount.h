#pragma once

#include <cstdint>

class QString;

// The number of equations as the number box holds it. It is read by a fixed rule that
// ignores the locale, so "2,5" means 2 wherever the program runs.
namespace EquationCount {

inline constexpr int kMinimum = 2;
inline constexpr int kMaximum = 100;

// The leading number of the text: blanks skipped, "." as decimal point, 0 without digits.
double leer(const QString& texto);

bool inRange(double valor);

// Halves go to the even neighbour; beyond the 16-bit range it is an overflow
// (`RuntimeError::Overflow`).
std::int16_t toInteger(double valor);

// The scroll bar's value as the box shows it: a blank in place of the sign, then the digits.
QString scrollBarText(int valor);

} // namespace EquationCount
