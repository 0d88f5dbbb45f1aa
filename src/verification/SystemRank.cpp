#include "verification/SystemRank.h"

#include <Eigen/LU>

#include <algorithm>
#include <cmath>

namespace verification {

namespace {

using Eigen::MatrixXd;

// Two rows are proportional when each, scaled by its largest element, is the other; the
// tolerance is that of the rank itself.
std::vector<int> proportionalPair(const MatrixXd& a, double tolerance)
{
    const Eigen::Index n = a.rows();
    MatrixXd scaled = a;
    for (Eigen::Index i = 0; i < n; ++i) {
        Eigen::Index at = 0;
        const double largest = a.row(i).cwiseAbs().maxCoeff(&at);
        if (largest == 0)
            return {int(i)};
        scaled.row(i) /= a(i, at);
    }
    for (Eigen::Index i = 0; i < n; ++i)
        for (Eigen::Index j = i + 1; j < n; ++j)
            if ((scaled.row(i) - scaled.row(j)).cwiseAbs().maxCoeff() <= tolerance)
                return {int(i), int(j)};
    return {};
}

// The equations with a weight in one combination of the rows that gives zero.
std::vector<int> combination(const MatrixXd& a)
{
    const Eigen::FullPivLU<MatrixXd> lu(a.transpose());
    const MatrixXd kernel = lu.kernel();
    std::vector<int> rows;
    if (kernel.cols() == 0)
        return rows;
    const auto v = kernel.col(0);
    const double largest = v.cwiseAbs().maxCoeff();
    for (Eigen::Index i = 0; i < v.size(); ++i)
        if (std::abs(v(i)) > largest * 1e-9)
            rows.push_back(int(i));
    return rows;
}

} // namespace

SystemRank systemRank(const solver::SingleMatrix& A)
{
    SystemRank r;
    r.n = A.rows();
    const int n = r.n;
    if (n <= 0 || A.cols() < n)
        return r;
    MatrixXd a(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a(i, j) = A.at(i, j);
    const Eigen::FullPivLU<MatrixXd> lu(a);
    r.rank = int(lu.rank());
    r.determinant = determinant(A);
    if (!r.singular())
        return r;
    // Eigen's own threshold for the rank, relative to the largest pivot.
    const double tolerance = lu.threshold() * std::max(1.0, double(n));
    r.dependent = proportionalPair(a, tolerance);
    if (r.dependent.empty())
        r.dependent = combination(a);
    return r;
}

} // namespace verification
