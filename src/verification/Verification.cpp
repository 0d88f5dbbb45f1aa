#include "verification/Verification.h"

#include "solver/NumberText.h"

#include <Eigen/LU>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
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

int correctDigits(double relativeError)
{
    if (!(relativeError > 0))
        return relativeError == 0 ? 7 : 0;
    return int(std::clamp(std::floor(-std::log10(relativeError)), 0.0, 7.0));
}

std::optional<double> typedValue(std::string_view text, std::string_view decimalSeparator)
{
    const std::optional<std::string> number = solver::cForm(text, decimalSeparator);
    if (!number)
        return std::nullopt;
    double value = 0;
    if (std::from_chars(number->data(), number->data() + number->size(), value).ec ==
        std::errc::result_out_of_range) {
        // Below the double's range only: anything larger was refused as a single before.
        return std::copysign(0.0, number->front() == '-' ? -1.0 : 1.0);
    }
    return value;
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

Report verify(const Input& input, const std::vector<double>& typedValues)
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

    // κ∞ itself rather than an estimate: the inverse of a 100 × 100 matrix costs a few
    // milliseconds, and the sentence about the system quotes the number.
    const MatrixXd inverse = lu.inverse();
    const double condition =
        a.cwiseAbs().rowwise().sum().maxCoeff() * inverse.cwiseAbs().rowwise().sum().maxCoeff();
    const VectorXd stored = lu.solve(b);
    constexpr double epsilon = std::numeric_limits<double>::epsilon();
    if (!(condition * n * epsilon <= 1) || !stored.allFinite()) {
        report.singularity = Singularity::Numerical;
        return report;
    }

    VectorXd typed = stored;
    const auto size = std::size_t(n) * std::size_t(n + 1);
    if (typedValues.size() == size) {
        MatrixXd at(n, n);
        VectorXd bt(n);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                at(i, j) = typedValues[std::size_t(i) * std::size_t(n + 1) + std::size_t(j)];
            bt(i) = typedValues[std::size_t(i) * std::size_t(n + 1) + std::size_t(n)];
        }
        report.storedExactly = at == a && bt == b;
        if (!report.storedExactly) {
            const VectorXd solved = Eigen::PartialPivLU<MatrixXd>(at).solve(bt);
            if (solved.allFinite())
                typed = solved;
        }
    }

    report.condition = condition;
    report.expectedDigits = expectedDigits(condition);
    report.referencePrecision = condition * n * epsilon;
    report.reference.assign(typed.data(), typed.data() + n);
    report.storedReference.assign(stored.data(), stored.data() + n);

    // A difference that the double references cannot resolve is no difference.
    const double precision = report.referencePrecision;
    const auto within = [precision](double difference, double norm) {
        return difference <= precision * norm ? 0.0 : difference;
    };
    const auto normwise = [&](const auto& value, const std::vector<double>& of) {
        const double norm = maxAbs(of);
        double largest = 0;
        for (std::size_t i = 0; i < of.size(); ++i)
            largest = std::max(largest, std::abs(double(value[i]) - of[i]));
        return relative(within(largest, norm), norm);
    };
    const double typedNorm = maxAbs(report.reference);
    report.forwardErrors.resize(std::size_t(n));
    for (std::size_t i = 0; i < std::size_t(n); ++i) {
        const double difference = std::abs(double(input.x[i]) - report.reference[i]);
        report.forwardErrors[i] =
            relative(within(difference, typedNorm), std::abs(report.reference[i]));
    }
    report.forwardError = normwise(input.x, report.reference);
    report.methodError = normwise(input.x, report.storedReference);
    report.storageError = report.storedExactly ? std::optional<double>(0.0)
                                               : normwise(report.storedReference, report.reference);
    report.measuredDigits = report.forwardError ? correctDigits(*report.forwardError) : 0;
    return report;
}

} // namespace verification
