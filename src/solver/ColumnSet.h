#pragma once

#include "solver/WideKernels.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace solver {

// A set of column indexes below kMaxRow, held as a bit mask.
class ColumnSet
{
public:
    ColumnSet() = default;

    // Every column below `end`.
    static ColumnSet below(int end)
    {
        ColumnSet s;
        for (std::size_t w = 0; w < s.words_.size(); ++w) {
            const int bits = end - int(w) * 64;
            if (bits >= 64)
                s.words_[w] = ~std::uint64_t(0);
            else if (bits > 0)
                s.words_[w] = (std::uint64_t(1) << bits) - 1;
        }
        return s;
    }

    // The columns below `count` where test(column) holds. The tests run in a loop of their
    // own, which vectorises, and each eight of them are gathered into a byte of the mask by
    // one multiplication.
    template <class Test> static ColumnSet where(int count, Test&& test)
    {
        std::array<std::uint8_t, kMaxRow> holds{};
        for (int m = 0; m < count; ++m)
            holds[std::size_t(m)] = test(m) ? 1 : 0;
        ColumnSet s;
        for (std::size_t byte = 0; byte < holds.size() / 8; ++byte) {
            std::uint64_t eight;
            std::memcpy(&eight, holds.data() + 8 * byte, sizeof eight);
            // Byte k of `eight` (0 or 1) lands on bit 56 + k of the product, with no carries.
            const std::uint64_t gathered = (eight * 0x0102040810204080u) >> 56;
            s.words_[byte / 8] |= gathered << (8 * (byte % 8));
        }
        return s;
    }

    void insert(int column)
    {
        words_[std::size_t(column) >> 6] |= std::uint64_t(1) << (column & 63);
    }
    bool empty() const { return (words_[0] | words_[1]) == 0; }
    int size() const { return std::popcount(words_[0]) + std::popcount(words_[1]); }
    // The smallest column in the set; kMaxRow when it is empty.
    int first() const
    {
        return words_[0] != 0 ? std::countr_zero(words_[0]) : 64 + std::countr_zero(words_[1]);
    }

    ColumnSet operator&(const ColumnSet& other) const
    {
        return {words_[0] & other.words_[0], words_[1] & other.words_[1]};
    }
    ColumnSet operator~() const { return {~words_[0], ~words_[1]}; }
    ColumnSet& operator&=(const ColumnSet& other) { return *this = *this & other; }

    template <class F> void forEach(F&& f) const
    {
        for (std::size_t w = 0; w < words_.size(); ++w)
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1)
                f(int(w) * 64 + std::countr_zero(bits));
    }

private:
    static_assert(kMaxRow == 128, "two words of columns");
    ColumnSet(std::uint64_t low, std::uint64_t high) : words_{low, high} {}

    std::array<std::uint64_t, 2> words_{};
};

} // namespace solver
