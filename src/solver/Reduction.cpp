#include "solver/Reduction.h"

#include "solver/ColumnSet.h"
#include "solver/RuntimeError.h"
#include "solver/WideKernels.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace solver {
namespace {

// Two facts let most of the work go without changing a bit.
//
// Zero products. row[m] - f * p[m] where f or p[m] is a zero (of either sign) takes a zero
// product from row[m], which leaves the element as it is, with one exception: a negative
// zero minus a negative zero is +0. The product's sign is the exclusive or of the signs of
// f and p[m]. So of the elements facing a zero product only the row's negative zeros need
// looking at, and the reduction keeps each row's set of them. A division makes them (a
// zero over a negative pivot), and so does a result too small for single precision, which
// rounds to a zero of its own sign; any other difference of a finite value and a non-zero
// product is never a negative zero.
//
// Magnitudes. The reduction keeps a bound on each row's largest magnitude. While the bound
// of a result stays below the single range, no element can overflow: the row is updated
// in place, unchecked. Only a row that might overflow is computed aside first, so that on
// an overflow exactly the elements before the failing one are stored.

// Well below the largest single (about 2^128), so that a bound slightly low from its own
// rounding still proves a result finite.
constexpr double kSafeMagnitude = 0x1p126;
// Covers the rounding of a result to single and of the bound's own arithmetic.
constexpr double kRoundingAllowance = 1.0 + 0x1p-20;

double largestMagnitude(const float* row, int count)
{
    // Finite singles order as their bits do once the sign is cleared.
    std::uint32_t largest = 0;
    for (int m = 0; m < count; ++m)
        largest = std::max(largest, std::bit_cast<std::uint32_t>(row[m]) & 0x7fffffffu);
    return std::bit_cast<float>(largest);
}

ColumnSet negativeZerosOf(const float* row, int count)
{
    return ColumnSet::where(count, [&](int m) { return isNegativeZero(row[m]); });
}

// The pivot row, once divided: its elements in double, where its zeros and non-zeros are,
// where the non-zeros start and how many there are, and its largest magnitude.
struct PivotRow
{
    PivotRow(const float* row, int count)
        : zeros(ColumnSet::where(count, [&](int m) { return row[m] == 0.0f; })),
          nonZeros(~zeros & ColumnSet::below(count)), first(nonZeros.first()),
          nonZeroCount(nonZeros.size()), largest(largestMagnitude(row, count))
    {
        for (int m = 0; m < count; ++m)
            value[std::size_t(m)] = row[m];
    }

    std::array<double, kMaxRow> value;
    ColumnSet zeros;
    ColumnSet nonZeros;
    int first;
    int nonZeroCount;
    double largest;
};

// Of a row's negative zeros, those that row -= f * pivotRow makes +0: where the product
// is a zero with its sign bit set.
ColumnSet flippedZeros(const ColumnSet& negativeZeros, float f, const float* pivotRow)
{
    ColumnSet flipped;
    negativeZeros.forEach([&](int m) {
        if ((f == 0.0f || pivotRow[m] == 0.0f) && std::signbit(f) != std::signbit(pivotRow[m]))
            flipped.insert(m);
    });
    return flipped;
}

// The element-by-element loops, for a row where the fast one met an overflow: the row is
// still untouched, and these store what the literal loop would.
int divideLiterally(float* row, float pivot, int count)
{
    for (int k = 0; k < count; ++k) {
        const float v = static_cast<float>(double(row[k]) / double(pivot));
        if (isInfinite(v))
            return RuntimeError::Overflow;
        row[k] = v;
    }
    return 0;
}

int subtractLiterally(float* row, float f, const float* pivotRow, int count)
{
    for (int m = 0; m < count; ++m) {
        const float v = static_cast<float>(double(row[m]) - double(f) * double(pivotRow[m]));
        if (isInfinite(v))
            return RuntimeError::Overflow;
        row[m] = v;
    }
    return 0;
}

// row /= pivot, for a pivot that is not zero.
inline int divideRow(float* row, float pivot, int count, double bound, float* out)
{
    const double p = pivot;
    if (bound * kRoundingAllowance / std::fabs(p) < kSafeMagnitude) {
        for (int k = 0; k < count; ++k)
            row[k] = static_cast<float>(double(row[k]) / p);
        return 0;
    }
    std::uint32_t overflow = 0;
    for (int k = 0; k < count; ++k) {
        out[k] = static_cast<float>(double(row[k]) / p);
        overflow |= isInfinite(out[k]);
    }
    if (overflow)
        return divideLiterally(row, pivot, count);
    std::memcpy(row, out, sizeof(float) * std::size_t(count));
    return 0;
}

// Where the elements facing the pivot row's non-zeros are: from the first of them to the
// end when they lie close together (one vectorised sweep), else each on its own.
inline bool sweepsFromFirst(const PivotRow& pivot, int count)
{
    return count - pivot.first <= 4 * pivot.nonZeroCount;
}

// row -= f * pivotRow, in place, for a factor that is not zero and a row that cannot
// overflow. The negative zeros in `flipped` become +0 first; the evaluation in double
// then gives them +0 again.
inline void subtractInPlace(float* row, float f, const PivotRow& pivot, const ColumnSet& flipped,
                            ColumnSet& negativeZeros, int count)
{
    const double factor = f;
    const double* const p = pivot.value.data();
    flipped.forEach([&](int m) { row[m] = 0.0f; });
    negativeZeros &= ~flipped & pivot.zeros;
    std::uint32_t negativeZero = 0;
    if (sweepsFromFirst(pivot, count)) {
        // Begins a little early, where the elements face zeros: evaluating those in double
        // gives exactly what their zero products give.
        const int first = blockStart(pivot.first, count);
        for (int m = first; m < count; ++m) {
            const float v = static_cast<float>(double(row[m]) - factor * p[m]);
            negativeZero |= isNegativeZero(v);
            row[m] = v;
        }
        if (negativeZero)
            for (int m = first; m < count; ++m)
                if (isNegativeZero(row[m]))
                    negativeZeros.insert(m);
        return;
    }
    pivot.nonZeros.forEach([&](int m) {
        const float v = static_cast<float>(double(row[m]) - factor * p[m]);
        negativeZero |= isNegativeZero(v);
        row[m] = v;
    });
    if (negativeZero)
        pivot.nonZeros.forEach([&](int m) {
            if (isNegativeZero(row[m]))
                negativeZeros.insert(m);
        });
}

// The same for a row that might overflow: every result computed aside and checked first.
inline int subtractChecked(float* row, float f, const float* pivotRow, const PivotRow& pivot,
                           const ColumnSet& flipped, ColumnSet& negativeZeros, int count,
                           float* out)
{
    const double factor = f;
    const double* const p = pivot.value.data();
    std::uint32_t overflow = 0;
    if (sweepsFromFirst(pivot, count)) {
        const int first = pivot.first;
        for (int m = first; m < count; ++m) {
            out[m] = static_cast<float>(double(row[m]) - factor * p[m]);
            overflow |= isInfinite(out[m]);
        }
        if (overflow)
            return subtractLiterally(row, f, pivotRow, count);
        std::memcpy(row + first, out + first, sizeof(float) * std::size_t(count - first));
    } else {
        pivot.nonZeros.forEach([&](int m) {
            out[m] = static_cast<float>(double(row[m]) - factor * p[m]);
            overflow |= isInfinite(out[m]);
        });
        if (overflow)
            return subtractLiterally(row, f, pivotRow, count);
        pivot.nonZeros.forEach([&](int m) { row[m] = out[m]; });
    }
    flipped.forEach([&](int m) { row[m] = 0.0f; });
    negativeZeros = negativeZerosOf(row, count);
    return 0;
}

SORVANI_WIDE_VECTORS int reduceKernel(float* rows, std::size_t stride, int n)
{
    const int count = n + 1;
    const auto rowAt = [&](int r) { return rows + std::size_t(r) * stride; };
    std::array<ColumnSet, kMaxRow> negativeZeros;
    std::array<double, kMaxRow> bound;
    for (int r = 0; r < n; ++r) {
        negativeZeros[std::size_t(r)] = negativeZerosOf(rowAt(r), count);
        bound[std::size_t(r)] = largestMagnitude(rowAt(r), count);
    }
    ScratchRow scratch;
    for (int j = 0; j < n; ++j) {
        float* const pivotRow = rowAt(j);
        const float p = pivotRow[j];
        if (p == 0.0f)
            return pivotRow[0] == 0.0f ? RuntimeError::Overflow : RuntimeError::DivisionByZero;
        if (const int error = divideRow(pivotRow, p, count, bound[std::size_t(j)], scratch.data()))
            return error;
        const PivotRow pivot(pivotRow, count);
        negativeZeros[std::size_t(j)] = negativeZerosOf(pivotRow, count);
        bound[std::size_t(j)] = pivot.largest;
        for (int l = 0; l < n; ++l) {
            if (l == j)
                continue;
            float* const row = rowAt(l);
            const float f = row[j];
            ColumnSet& rowNegativeZeros = negativeZeros[std::size_t(l)];
            const ColumnSet flipped = rowNegativeZeros.empty()
                                          ? ColumnSet()
                                          : flippedZeros(rowNegativeZeros, f, pivotRow);
            if (f == 0.0f) {
                // Every product is a zero.
                flipped.forEach([&](int m) { row[m] = 0.0f; });
                rowNegativeZeros &= ~flipped;
                continue;
            }
            double& rowBound = bound[std::size_t(l)];
            const double resultBound =
                (rowBound + std::fabs(double(f)) * pivot.largest) * kRoundingAllowance;
            if (resultBound < kSafeMagnitude) {
                subtractInPlace(row, f, pivot, flipped, rowNegativeZeros, count);
                rowBound = resultBound;
                continue;
            }
            if (const int error = subtractChecked(row, f, pivotRow, pivot, flipped,
                                                  rowNegativeZeros, count, scratch.data()))
                return error;
            rowBound = largestMagnitude(row, count);
        }
    }
    return 0;
}

} // namespace

int reduceInBounds(float* rows, std::size_t stride, int n)
{
    return reduceKernel(rows, stride, n);
}

} // namespace solver
