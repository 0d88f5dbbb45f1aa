#include "solver/RowOperations.h"

#include "solver/RuntimeError.h"
#include "solver/SingleArithmetic.h"

namespace solver {
namespace {

// The kernels below are built once per vector width and chosen at load time. GCC takes
// such functions for ones that never throw, so they report an overflow by their result and
// their callers raise it.

// Stores the first `count` results of the scratch row, or those before the first one
// that did not fit; true when one did not.
inline bool commitRow(float* row, const float* results, int count, std::uint32_t overflow)
{
    int stored = count;
    if (overflow) {
        stored = 0;
        while (!isInfinite(results[stored]))
            ++stored;
    }
    std::memcpy(row, results, sizeof(float) * static_cast<std::size_t>(stored));
    return overflow != 0;
}

// row[m] - f * pivotRow[m] for m in [begin, end), in single precision, where f or each
// pivotRow[m] is a zero of either sign. The product is then exactly a zero, with the sign
// the double product has, and taking it from a finite value is exact as well: every result
// is the one the double expression rounds to, bit for bit (a negative-zero element turns
// into +0 exactly where it does in double), and none can overflow.
inline void subtractZeroProducts(float* row, float f, const float* pivotRow, int begin, int end)
{
    for (int m = begin; m < end; ++m)
        row[m] = row[m] - f * pivotRow[m];
}

SORVANI_WIDE_VECTORS bool divideRowWide(float* row, float pivot, int count, ScratchRow& scratch)
{
    float* const out = scratch.data();
    std::uint32_t overflow = 0;
    for (int k = 0; k < count; ++k) {
        out[k] = static_cast<float>(double(row[k]) / double(pivot));
        overflow |= isInfinite(out[k]);
    }
    return commitRow(row, out, count, overflow);
}

// Only the elements facing a non-zero of the pivot row, with a non-zero factor, need the
// double evaluation; every other one is a zero product, exact in single precision. That
// skips most of the work on the triangular factors and on the columns the reduction has
// already cleared, and changes no bit.
SORVANI_WIDE_VECTORS bool subtractRowMultipleWide(float* row, float factor, const float* pivotRow,
                                                  const NonZeroColumns& nonZero, int count,
                                                  ScratchRow& scratch)
{
    float* const out = scratch.data();
    if (factor == 0.0f || nonZero.count == 0) {
        subtractZeroProducts(row, factor, pivotRow, 0, count);
        return false;
    }
    if (2 * nonZero.count > count) {
        // Mostly non-zero: the leading zeros in single, the rest in double.
        const int first = nonZero.index[0];
        subtractZeroProducts(row, factor, pivotRow, 0, first);
        std::uint32_t overflow = 0;
        for (int m = first; m < count; ++m) {
            out[m] = static_cast<float>(double(row[m]) - double(factor) * double(pivotRow[m]));
            overflow |= isInfinite(out[m]);
        }
        return commitRow(row + first, out + first, count - first, overflow);
    }
    // Mostly zeros: the few double results first, then the row up to the first of them
    // that overflowed, if one did.
    std::uint32_t overflow = 0;
    for (int i = 0; i < nonZero.count; ++i) {
        const int m = nonZero.index[static_cast<std::size_t>(i)];
        out[i] = static_cast<float>(double(row[m]) - double(factor) * double(pivotRow[m]));
        overflow |= isInfinite(out[i]);
    }
    int computed = nonZero.count;
    int end = count;
    if (overflow) {
        computed = 0;
        while (!isInfinite(out[computed]))
            ++computed;
        end = nonZero.index[static_cast<std::size_t>(computed)];
    }
    subtractZeroProducts(row, factor, pivotRow, 0, end);
    for (int i = 0; i < computed; ++i)
        row[nonZero.index[static_cast<std::size_t>(i)]] = out[i];
    return overflow != 0;
}

} // namespace

NonZeroColumns::NonZeroColumns(const float* pivotRow, int length)
{
    for (int m = 0; m < length; ++m) {
        index[static_cast<std::size_t>(count)] = m;
        count += pivotRow[m] != 0.0f;
    }
}

void divideRow(float* row, float pivot, int count, ScratchRow& scratch)
{
    if (pivot == 0.0f)
        checkedDivide(row[0], 0.0); // raises 11, or 6 for zero by zero; nothing is stored
    if (divideRowWide(row, pivot, count, scratch))
        throw RuntimeError(RuntimeError::Overflow);
}

void subtractRowMultiple(float* row, float factor, const float* pivotRow,
                         const NonZeroColumns& nonZero, int count, ScratchRow& scratch)
{
    if (subtractRowMultipleWide(row, factor, pivotRow, nonZero, count, scratch))
        throw RuntimeError(RuntimeError::Overflow);
}

} // namespace solver
