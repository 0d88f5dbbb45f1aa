#pragma once

#include "solver/RuntimeError.h"

#include <cmath>

namespace solver {

// The stores of the methods' formulas, s + b·c (a step of a running sum), a − s, (a − s) / p,
// x / p and x − f·y: each is evaluated in double and rounded once to single precision when it
// is stored; a result that is invalid or beyond the single range raises error 6, a non-zero
// value divided by zero error 11 and zero by zero error 6. Underflow is silent. The step
// record overloads the same names for its paired values.

inline float rounded(double value)
{
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        raise(RuntimeError::Overflow);
    return stored;
}

inline double divided(double dividend, double divisor)
{
    if (divisor == 0.0)
        raise(dividend == 0.0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero);
    return dividend / divisor;
}

inline float plusProduct(float s, float b, float c)
{
    return rounded(double(s) + double(b) * double(c));
}
inline float minus(float a, float s)
{
    return rounded(double(a) - double(s));
}
inline float quotient(float a, float s, float p)
{
    return rounded(divided(double(a) - double(s), p));
}
inline float over(float x, float p)
{
    return rounded(divided(x, p));
}
inline float minusProduct(float x, float f, float y)
{
    return rounded(double(x) - double(f) * double(y));
}

inline bool isZero(float v)
{
    return v == 0.0f;
}

template <class V> V exactly(float v);
template <> inline float exactly<float>(float v)
{
    return v;
}

} // namespace solver
