#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Random augmented systems, each kind aimed at a corner of the single-precision rules.
enum class Kind
{
    WholeNumbers,   // 0 to 99, terms to 7099: the program's random fill
    NegativePivots, // signed, diagonal negative: divisions turn +0 into -0
    Sparse,         // mostly zeros of both signs
    Huge,           // magnitudes near the single range: overflows part way
    Tiny,           // below the single range's normal numbers: results round to signed zeros
    ZeroFirstPivot, // the first column zero but for one row: exchanges and retries
};

inline std::vector<std::vector<float>> makeRows(Kind kind, int n, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> small(0, 99);
    std::uniform_int_distribution<int> signedSmall(-60, 60);
    std::vector<std::vector<float>> rows(std::size_t(n), std::vector<float>(std::size_t(n) + 1));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            float& v = rows[std::size_t(i)][std::size_t(j)];
            switch (kind) {
            case Kind::WholeNumbers:
                v = float(j == n ? small(rng) * 71 : small(rng));
                break;
            case Kind::NegativePivots:
                v = i == j ? -float(60 * n + small(rng)) : float(signedSmall(rng));
                break;
            case Kind::Sparse:
                v = small(rng) < 80 ? (small(rng) < 50 ? -0.0f : 0.0f) : float(signedSmall(rng));
                if (i == j)
                    v = float(1 + small(rng)) * (small(rng) < 50 ? -1.0f : 1.0f);
                break;
            case Kind::Huge:
                v = float(signedSmall(rng)) * 3e36f;
                break;
            case Kind::Tiny:
                v = small(rng) < 40 ? 0.0f : float(signedSmall(rng)) * 1e-40f;
                if (i == j)
                    v = float(1 + small(rng)) * (small(rng) < 50 ? -1.0f : 1.0f);
                break;
            case Kind::ZeroFirstPivot:
                v = j == 0 ? (i == n / 2 ? 3.0f : 0.0f) : float(signedSmall(rng));
                break;
            }
        }
    }
    return rows;
}
