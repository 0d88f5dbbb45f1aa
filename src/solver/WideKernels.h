#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace solver {

// What the solver's in-bounds kernels share. They work on rows of at most kMaxRow
// elements, each element evaluated in double and rounded once, as the element-by-element
// loops do.
inline constexpr int kMaxRow = 128;

// The kernels are also built for wider vectors where the processor has them, chosen when
// the program loads: the same operations in the same order on more elements at a time (no
// contraction into fused multiply-adds: every bit stays). GCC takes such functions for
// ones that never throw, so they report an error by their result and their callers raise it.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SORVANI_WIDE_VECTORS __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define SORVANI_WIDE_VECTORS
#endif
using ScratchRow = std::array<float, kMaxRow>;

// Where a vectorised sweep that must cover first to end may begin so that it covers whole
// blocks of sixteen, staying in the row: a loop with no remainder to finish is markedly
// faster on rows this short. Only where the elements before first give the same result
// when swept, or are not used.
inline int blockStart(int first, int end)
{
    constexpr int kBlock = 16;
    const int start = end - (end - first + kBlock - 1) / kBlock * kBlock;
    return start > 0 ? start : 0;
}

// Infinite or not a number: what a store refuses with error 6.
inline bool isInfinite(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return (bits & 0x7f800000u) == 0x7f800000u;
}

inline bool isNegativeZero(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits == 0x80000000u;
}

} // namespace solver
