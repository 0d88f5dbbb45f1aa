#pragma once

#include "solver/RuntimeError.h"

#include <cmath>

namespace solver {

// Rounds a result evaluated in double to single precision, as every store does; a
// result that is invalid or beyond the single range raises error 6. Underflow is silent.
inline float storeSingle(double value)
{
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        throw RuntimeError(RuntimeError::Overflow);
    return stored;
}

// A division whose divisor is zero raises 11, or 6 when the dividend is zero too.
inline double checkedDivide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw RuntimeError(dividend == 0.0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero);
    return dividend / divisor;
}

} // namespace solver
