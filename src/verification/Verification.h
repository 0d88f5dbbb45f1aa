#pragma once

#include "solver/SingleMatrix.h"

#include <optional>
#include <string_view>
#include <vector>

namespace verification {

enum class Method
{
    Choleski,
    GaussJordan
};

// A solve as it ended: the system it read and the solution it stored.
struct Input
{
    // n rows, n + 1 columns: the coefficients and the independent term, in the
    // worksheet's order of equations, as the solve converted them.
    solver::SingleMatrix A;
    // The singles the solve stored, not the texts the solution grid shows: the grid
    // rounds the Gauss-Jordan values to five decimals, and reading that back would charge
    // the display's rounding to the arithmetic (a value of 1E-07 would read back as 0).
    std::vector<float> x;
    Method method = Method::Choleski;
    // The row exchanges of a Choleski solve (the solver's FilaCambio).
    int rowExchanges = 0;
};

enum class Singularity
{
    None,
    // A pivot of the double-precision factorization is exactly zero.
    Exact,
    // The reciprocal condition is below n times the double's epsilon, or the reference
    // solution is not finite.
    Numerical
};

// A determinant as mantissa (1 ≤ |mantissa| < 10, or 0) and decimal exponent, since the
// determinant of a 100 × 100 worksheet easily passes the double's range.
struct Determinant
{
    double mantissa = 0;
    int exponent = 0;
};

struct Report
{
    Method method = Method::Choleski;
    std::vector<float> solution;
    // r_i = b_i − Σ a_ij·x_j, evaluated in double from the singles.
    std::vector<double> residuals;
    double residualNorm = 0;
    // ‖r‖∞ / (‖A‖∞·‖x‖∞ + ‖b‖∞)
    double backwardError = 0;
    Determinant determinant;
    Singularity singularity = Singularity::None;

    // The rest is only meaningful when the singularity is None. Two references, both
    // solved in double: x̂ of the typed texts, x̃ of the singles the solve stored. A
    // difference within the references' own precision counts as none.
    std::vector<double> reference;       // x̂, the system as typed
    std::vector<double> storedReference; // x̃, the system as stored
    // The stored singles are the typed values exactly (whole numbers, halves…).
    bool storedExactly = true;
    // |x_i − x̂_i| / |x̂_i|; absent where the reference is exactly zero and x_i is not.
    std::vector<std::optional<double>> forwardErrors;
    // ‖x − x̂‖∞ / ‖x̂‖∞, with the same rule for a zero reference: the whole error.
    std::optional<double> forwardError;
    // ‖x̃ − x̂‖∞ / ‖x̂‖∞: what rounding the data to singles costs before any arithmetic.
    std::optional<double> storageError;
    // ‖x − x̃‖∞ / ‖x̃‖∞: what the single-precision method adds to the stored data.
    std::optional<double> methodError;
    // Relative precision of the double references themselves, κ∞·n·ε.
    double referencePrecision = 0;
    double condition = 0;   // κ∞(A) = ‖A‖∞·‖A⁻¹‖∞
    int expectedDigits = 0; // the bound that κ∞ gives
    int measuredDigits = 0; // against x̂

    // After a Choleski solve that exchanged rows: row i of B·C is the worksheet's equation
    // rowOrder[i] (from 0). Empty when the rows are the worksheet's.
    std::vector<int> rowOrder;
};

// `typed`: the worksheet's texts read in double precision, n rows of n + 1 values row by
// row, the system as typed before the solve rounded it to singles. Where they are not at
// hand (empty), A stands for them.
Report verify(const Input& input, const std::vector<double>& typed = {});

// Of the coefficient block of A (n rows, n + 1 columns), in double precision.
Determinant determinant(const solver::SingleMatrix& A);

// The order of A's rows after k exchanges of row 0 with rows 1, 2, … k in turn.
std::vector<int> rowOrderAfterExchanges(int n, int exchanges);

// Decimal digits a single-precision solution keeps: 7 − log10 κ, rounded to the nearest
// whole digit and kept within 0 to 7.
int expectedDigits(double condition);

// Decimal digits that a relative error leaves correct: ⌊−log10 e⌋ within 0 to 7, and 7 for
// no error.
int correctDigits(double relativeError);

// Text typed into the worksheet, read in double with the given decimal separator; absent
// for anything but surrounding blanks, a sign, digits with one separator and an exponent.
std::optional<double> typedValue(std::string_view text, std::string_view decimalSeparator);

} // namespace verification
