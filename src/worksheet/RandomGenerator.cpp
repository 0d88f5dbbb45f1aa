#include "worksheet/RandomGenerator.h"

// splitmix64: one 64-bit word of state and a well-mixed output; the value keeps the
// top 24 bits.
float RandomGenerator::next()
{
    state_ += 0x9e3779b97f4a7c15;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    z ^= z >> 31;
    constexpr float kScale = 1.0f / 16777216.0f; // 2^-24
    return static_cast<float>(z >> 40) * kScale;
}
