#pragma once

#include <cmath>
#include <utility>
#include <vector>

// Double-precision Gaussian elimination with partial pivoting: the yardstick for the
// single-precision methods. `input` is the augmented matrix, n rows of n + 1 values.
template <class T> std::vector<double> referenceSolve(const std::vector<std::vector<T>>& input)
{
    std::vector<std::vector<double>> rows;
    for (const auto& row : input)
        rows.emplace_back(row.begin(), row.end());
    const std::size_t n = rows.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::abs(rows[i][k]) > std::abs(rows[pivot][k]))
                pivot = i;
        std::swap(rows[k], rows[pivot]);
        for (std::size_t i = k + 1; i < n; ++i) {
            const double f = rows[i][k] / rows[k][k];
            for (std::size_t j = k; j <= n; ++j)
                rows[i][j] -= f * rows[k][j];
        }
    }
    std::vector<double> x(n);
    for (std::size_t i = n; i-- > 0;) {
        double s = rows[i][n];
        for (std::size_t j = i + 1; j < n; ++j)
            s -= rows[i][j] * x[j];
        x[i] = s / rows[i][i];
    }
    return x;
}
