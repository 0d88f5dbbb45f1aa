#pragma once

#include <cstdint>

// Uniform pseudo-random values in [0, 1). Every generator starts from the same seed, so
// the first values after start-up are the same in every run. Each value is a 24-bit
// integer scaled by 2^-24: exact in single precision and never 1.0, so no product with a
// whole-number factor can round up to the factor itself.
class RandomGenerator
{
public:
    static constexpr std::uint64_t kStartSeed = 0x536f7276616e6931; // "Sorvani1"

    RandomGenerator() = default;

    float next();

private:
    std::uint64_t state_ = kStartSeed;
};
