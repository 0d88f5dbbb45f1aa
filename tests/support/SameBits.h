#pragma once

#include "solver/SingleMatrix.h"

#include <cstring>

// Whether two matrices of the same shape hold the same bits in their first `cols` columns
// (all of them by default): negative zeros and NaN payloads count.
template <class T> bool sameBits(const solver::Matrix<T>& a, const solver::Matrix<T>& b, int cols = -1)
{
    if (a.rows() != b.rows() || a.cols() != b.cols())
        return false;
    const std::size_t bytes = sizeof(T) * std::size_t(cols < 0 ? a.cols() : cols);
    for (int r = 0; r < a.rows(); ++r)
        if (bytes != 0 && std::memcmp(a.row(r), b.row(r), bytes) != 0)
            return false;
    return true;
}
