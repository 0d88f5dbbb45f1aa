#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace solver {

// The row operations of a Gauss-Jordan step on rows of at most kMaxRow elements, each
// element evaluated in double and rounded once, as the element-by-element loop does, and
// stored in order: on an overflow exactly the elements before the failing one are stored
// and error 6 is raised.
inline constexpr int kMaxRow = 128;

// The loops that carry the solver's work are also built for wider vectors where the
// processor has them, chosen when the program loads: the same operations in the same order
// on more elements at a time (no contraction into fused multiply-adds: every bit stays).
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SORVANI_WIDE_VECTORS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define SORVANI_WIDE_VECTORS
#endif
using ScratchRow = std::array<float, kMaxRow>;

inline bool isInfinite(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return (bits & 0x7f800000u) == 0x7f800000u;
}

// The columns where a pivot row holds anything but a zero of either sign, in order.
struct NonZeroColumns
{
    explicit NonZeroColumns(const float* pivotRow, int length);

    std::array<int, kMaxRow> index;
    int count = 0;
};

// row /= pivot; a zero pivot raises 11, or 6 when row[0] is zero too, storing nothing.
void divideRow(float* row, float pivot, int count, ScratchRow& scratch);

// row -= factor * pivotRow, where `nonZero` lists the non-zeros of pivotRow.
void subtractRowMultiple(float* row, float factor, const float* pivotRow,
                         const NonZeroColumns& nonZero, int count, ScratchRow& scratch);

} // namespace solver
