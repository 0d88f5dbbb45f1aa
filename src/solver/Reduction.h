#pragma once

#include <cstddef>

namespace solver {

// Gauss-Jordan reduction of the n x n block of a matrix held row by row, `stride` floats
// apart, together with its column n: no row exchange, no tolerance, every element
// evaluated in double and rounded once. Needs n + 1 <= kMaxRow. Returns the number of the
// error met, 0 for none, and leaves every bit as the element-by-element loop does: a zero
// pivot gives 11 (6 when its row starts with a zero) with nothing of that row stored; an
// overflow stores the elements before the failing one.
int reduceInBounds(float* rows, std::size_t stride, int n);

} // namespace solver
