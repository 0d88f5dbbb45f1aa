#include "verification/Verification.h"

#include <Eigen/LU>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace verification {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

double maxAbs(const std::vector<double>& v)
{
    double m = 0;
    for (const double e : v)
        m = std::max(m, std::abs(e));
    return m;
}

std::optional<double> relative(double difference, double reference)
{
    if (reference != 0)
        return difference / reference;
    if (difference == 0)
        return 0.0;
    return std::nullopt;
}

// The product of the pivots with a binary exponent kept aside, so that no intermediate
// product overflows or underflows; converted to a decimal exponent at the end.
Determinant determinantOf(const Eigen::PartialPivLU<MatrixXd>& lu)
{
    double mantissa = lu.permutationP().determinant();
    long long binaryExponent = 0;
    for (Eigen::Index i = 0; i < lu.matrixLU().rows(); ++i) {
        int e = 0;
        mantissa *= std::frexp(lu.matrixLU()(i, i), &e);
        binaryExponent += e;
        mantissa = std::frexp(mantissa, &e);
        binaryExponent += e;
        if (mantissa == 0)
            return {};
    }
    const double log10Abs =
        std::log10(std::abs(mantissa)) + double(binaryExponent) * std::log10(2.0);
    int exponent = int(std::floor(log10Abs));
    double digits = std::pow(10.0, log10Abs - exponent);
    // pow may land a hair below 1 or at 10.
    if (digits >= 10) {
        digits /= 10;
        ++exponent;
    } else if (digits < 1) {
        digits *= 10;
        --exponent;
    }
    return {std::copysign(digits, mantissa), exponent};
}

} // namespace

std::vector<int> rowOrderAfterExchanges(int n, int exchanges)
{
    std::vector<int> order(std::size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        order[std::size_t(i)] = i;
    for (int m = 1; m <= exchanges && m < n; ++m)
        std::swap(order[0], order[std::size_t(m)]);
    return order;
}

int expectedDigits(double condition)
{
    if (!(condition > 0) || std::isinf(condition))
        return 0;
    // Rounded rather than truncated: the rule is itself an estimate, and truncating would
    // never grant the seventh digit, not even to a system as well conditioned as the
    // identity's neighbours.
    const double digits = std::round(7.0 - std::log10(condition));
    return int(std::clamp(digits, 0.0, 7.0));
}

Determinant determinant(const solver::SingleMatrix& A)
{
    const int n = A.rows();
    MatrixXd a(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a(i, j) = A.at(i, j);
    return determinantOf(Eigen::PartialPivLU<MatrixXd>(a));
}

Report verify(const Input& input)
{
    const int n = input.A.rows();
    Report report;
    report.method = input.method;
    report.solution = input.x;

    MatrixXd a(n, n);
    VectorXd b(n);
    for (int i = 0; i < n; ++i) {
        const float* row = input.A.row(i);
        for (int j = 0; j < n; ++j)
            a(i, j) = row[j];
        b(i) = row[n];
    }

    // Each product of two singles is exact in double; only the sums round.
    report.residuals.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        double r = b(i);
        for (int j = 0; j < n; ++j)
            r -= a(i, j) * double(input.x[std::size_t(j)]);
        report.residuals[std::size_t(i)] = r;
    }
    report.residualNorm = maxAbs(report.residuals);
    double xNorm = 0;
    for (const float v : input.x)
        xNorm = std::max(xNorm, double(std::abs(v)));
    const double scale = a.cwiseAbs().rowwise().sum().maxCoeff() * xNorm + b.cwiseAbs().maxCoeff();
    report.backwardError = scale > 0 ? report.residualNorm / scale : 0.0;

    if (input.method == Method::Choleski && input.rowExchanges > 0)
        report.rowOrder = rowOrderAfterExchanges(n, input.rowExchanges);

    const Eigen::PartialPivLU<MatrixXd> lu(a);
    report.determinant = determinantOf(lu);
    if ((lu.matrixLU().diagonal().array() == 0.0).any()) {
        report.singularity = Singularity::Exact;
        return report;
    }

    // rcond() estimates the reciprocal of the 1-norm condition; the ∞-norm condition of A
    // is the 1-norm condition of its transpose, hence the second factorization.
    const double rcond = Eigen::PartialPivLU<MatrixXd>(a.transpose()).rcond();
    const VectorXd reference = lu.solve(b);
    if (!(rcond >= n * std::numeric_limits<double>::epsilon()) || !reference.allFinite()) {
        report.singularity = Singularity::Numerical;
        return report;
    }

    report.condition = 1.0 / rcond;
    report.expectedDigits = expectedDigits(report.condition);
    report.reference.assign(reference.data(), reference.data() + n);
    std::vector<double> differences(static_cast<std::size_t>(n));
    report.forwardErrors.resize(std::size_t(n));
    for (std::size_t i = 0; i < std::size_t(n); ++i) {
        differences[i] = std::abs(double(input.x[i]) - report.reference[i]);
        report.forwardErrors[i] = relative(differences[i], std::abs(report.reference[i]));
    }
    report.forwardError = relative(maxAbs(differences), maxAbs(report.reference));
    return report;
}

} // namespace verification
