#pragma once

#include "solver/RuntimeError.h"

#include <vector>

namespace solver {

// A two-dimensional array, indexed (row, column) from 0. It knows its own bounds: after a
// failed worksheet set-up the window's n and the bounds may disagree, and every access
// outside them raises error 9.
template <class T> class Matrix
{
public:
    Matrix() = default;
    Matrix(int rows, int cols)
        : rows_(rows), cols_(cols), data_(std::size_t(rows) * std::size_t(cols))
    {}

    int rows() const noexcept { return rows_; }
    int cols() const noexcept { return cols_; }

    bool contains(int r, int c) const noexcept
    {
        // One comparison each: a negative index is a large unsigned one.
        return unsigned(r) < unsigned(rows_) && unsigned(c) < unsigned(cols_);
    }

    T at(int r, int c) const { return data_[index(r, c)]; }
    void set(int r, int c, T v) { data_[index(r, c)] = v; }

    // Unchecked row access for loops whose bounds were checked as a whole.
    T* row(int r) noexcept { return data_.data() + std::size_t(r * cols_); }
    const T* row(int r) const noexcept { return data_.data() + std::size_t(r * cols_); }

    bool operator==(const Matrix&) const = default;

private:
    // Where (r, c) is kept; error 9 outside the bounds.
    std::size_t index(int r, int c) const
    {
        if (!contains(r, c))
            raise(RuntimeError::SubscriptOutOfRange);
        return std::size_t(r) * std::size_t(cols_) + std::size_t(c);
    }

    int rows_ = 0;
    int cols_ = 0;
    std::vector<T> data_;
};

// The solver's matrices: every element single precision.
using SingleMatrix = Matrix<float>;

} // namespace solver
