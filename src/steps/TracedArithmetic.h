#pragma once

#include "solver/SingleArithmetic.h"
#include "steps/StepTrace.h"

namespace solver {

// The stores of the methods on paired values: the single part exactly as the solve stores
// it (and traps as it does), the double part the same expression in double precision, never
// rounded and never trapping, so that it follows the single run's exchanges and restarts.

inline TracedValue plusProduct(const TracedValue& s, const TracedValue& b, const TracedValue& c)
{
    return {plusProduct(s.single, b.single, c.single), s.shadow + b.shadow * c.shadow};
}
inline TracedValue minus(const TracedValue& a, const TracedValue& s)
{
    return {minus(a.single, s.single), a.shadow - s.shadow};
}
inline TracedValue quotient(const TracedValue& a, const TracedValue& s, const TracedValue& p)
{
    return {quotient(a.single, s.single, p.single), (a.shadow - s.shadow) / p.shadow};
}
inline TracedValue over(const TracedValue& x, const TracedValue& p)
{
    return {over(x.single, p.single), x.shadow / p.shadow};
}
inline TracedValue minusProduct(const TracedValue& x, const TracedValue& f, const TracedValue& y)
{
    return {minusProduct(x.single, f.single, y.single), x.shadow - f.shadow * y.shadow};
}
inline bool isZero(const TracedValue& v)
{
    return v.single == 0.0f;
}
template <> inline TracedValue exactly<TracedValue>(float v)
{
    return {v, double(v)};
}

} // namespace solver
