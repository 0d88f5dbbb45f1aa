#include "solver/Solver.h"

#include "solver/NumberText.h"
#include "solver/Reduction.h"
#include "solver/SingleArithmetic.h"
#include "solver/VectorState.h"
#include "solver/WideKernels.h"
#include "solver/WorksheetSource.h"

#include <algorithm>
#include <string>
#include <vector>

namespace solver {
namespace {

bool fits(const SingleMatrix& m, int rows, int cols)
{
    return m.rows() >= rows && m.cols() >= cols;
}

// Full Gauss-Jordan reduction of the n x n block of m together with its column n: no row
// exchange, no tolerance; a zero pivot traps. The substitutions and the Gauss-Jordan
// method are this same procedure on B, C and A. This is the element-by-element loop, every
// access checked where it is made; reduceInBounds does the same when the bounds are known
// to hold.
void reduceChecked(SingleMatrix& m, int n)
{
    for (int j = 0; j < n; ++j) {
        const float p = m.at(j, j);
        for (int k = 0; k <= n; ++k)
            m.set(j, k, storeSingle(checkedDivide(m.at(j, k), p)));
        for (int l = 0; l < n; ++l) {
            if (l == j)
                continue;
            const float f = m.at(l, j);
            for (int c = 0; c <= n; ++c)
                m.set(l, c, storeSingle(double(m.at(l, c)) - double(f) * m.at(j, c)));
        }
    }
}

void reduceToIdentity(SingleMatrix& m, int n)
{
    clearUpperVectorState();
    if (n + 1 <= kMaxRow && fits(m, n, n + 1)) {
        if (const int error = reduceInBounds(m.row(0), std::size_t(m.cols()), n))
            throw RuntimeError(error);
    } else {
        reduceChecked(m, n);
    }
}

// Exchanges row 0 of m with row r over columns 0 to last, element by element and every
// access checked: an element beyond the bounds raises error 9 with the columns before it
// already exchanged.
void exchangeWithFirstRow(SingleMatrix& m, int r, int last)
{
    for (int c = 0; c <= last; ++c) {
        const float first = m.at(0, c);
        m.set(0, c, m.at(r, c));
        m.set(r, c, first);
    }
}

// The sum of B(row, k) * C(k, col) for k below count, rounded to single after every
// addition. It is a local value, so checking it once after the loop raises the same
// error: once infinite it cannot become finite again.
float runningSum(const SingleMatrix& B, const SingleMatrix& C, int row, int col, int count)
{
    float s = 0.0f;
    for (int k = 0; k < count; ++k)
        s = static_cast<float>(double(s) + double(B.at(row, k)) * C.at(k, col));
    if (isInfinite(s))
        throw RuntimeError(RuntimeError::Overflow);
    return s;
}

// One attempt of the Crout factorization with every bound checked beforehand. The sums of
// a column of B, and those of a row of C, are independent of one another: they run side
// by side, k by k, each one still added in the order k = 0, 1, ... and rounded to single
// after every addition, so each is bit for bit the sum of the element-by-element loop.
// B is also kept transposed, so that the sums of a column of B read along rows. Built per
// vector width (see WideKernels.h), it returns the number of the error it met, 0 for
// none, with every element before the failing one stored.
SORVANI_WIDE_VECTORS int croutKernel(const SingleMatrix& A, SingleMatrix& B, SingleMatrix& C, int n,
                                     float* transposed)
{
    const auto bColumn = [&](int k) {
        return transposed + static_cast<std::size_t>(k) * static_cast<std::size_t>(n);
    };
    // Stores a quotient, or gives its error: 11 by zero, 6 for zero by zero or a result
    // out of range, storing nothing.
    const auto divideError = [](double dividend, float divisor, float& result) {
        if (divisor == 0.0f)
            return dividend == 0.0 ? int(RuntimeError::Overflow)
                                   : int(RuntimeError::DivisionByZero);
        const float quotient = static_cast<float>(dividend / double(divisor));
        if (isInfinite(quotient))
            return int(RuntimeError::Overflow);
        result = quotient;
        return 0;
    };
    ScratchRow scratch;
    // Indexed by the loops' ints, as every row here is.
    float* const s = scratch.data();
    for (int i = 0; i < n; ++i)
        C.row(i)[i] = 1.0f;
    for (int i = 0; i < n; ++i) {
        // Column i of B, rows i to n - 1. The sums begin early, in whole blocks; those
        // before row i are never used.
        const int firstSum = blockStart(i, n);
        std::fill(s + firstSum, s + n, 0.0f);
        for (int k = 0; k < i; ++k) {
            const double c = C.row(k)[i];
            const float* b = bColumn(k);
            for (int j = firstSum; j < n; ++j)
                s[j] = static_cast<float>(double(s[j]) + double(b[j]) * c);
        }
        for (int j = i; j < n; ++j) {
            float v = A.row(j)[0];
            if (i > 0) {
                // A running sum that overflowed stays infinite or NaN: checking it once,
                // before its element is stored, finds what the first check would have.
                v = static_cast<float>(double(A.row(j)[i]) - s[j]);
                if (isInfinite(s[j]) || isInfinite(v))
                    return RuntimeError::Overflow;
            }
            B.row(j)[i] = v;
            bColumn(i)[j] = v;
        }
        // Row i of C, columns i + 1 to n - 1.
        const float* a = A.row(i);
        float* c = C.row(i);
        const float pivot = B.row(i)[i];
        if (i == 0) {
            for (int l = 1; l < n; ++l)
                if (const int error = divideError(a[l], pivot, c[l]))
                    return error;
            continue;
        }
        const int firstRowSum = blockStart(i + 1, n);
        std::fill(s + firstRowSum, s + n, 0.0f);
        const float* bRow = B.row(i);
        for (int k = 0; k < i; ++k) {
            const double b = bRow[k];
            const float* cRow = C.row(k);
            for (int l = firstRowSum; l < n; ++l)
                s[l] = static_cast<float>(double(s[l]) + b * double(cRow[l]));
        }
        for (int l = i + 1; l < n; ++l) {
            if (isInfinite(s[l]))
                return RuntimeError::Overflow;
            if (const int error = divideError(double(a[l]) - s[l], pivot, c[l]))
                return error;
        }
    }
    return 0;
}

void croutInBounds(const SingleMatrix& A, SingleMatrix& B, SingleMatrix& C, int n)
{
    clearUpperVectorState();
    const auto size = static_cast<std::size_t>(n);
    std::vector<float> transposed(size * size);
    if (const int error = croutKernel(A, B, C, n, transposed.data()))
        throw RuntimeError(error);
}

// One attempt of the Crout factorization, every access checked where it is made.
void croutChecked(const SingleMatrix& A, SingleMatrix& B, SingleMatrix& C, int n)
{
    clearUpperVectorState();
    for (int i = 0; i < n; ++i)
        C.set(i, i, 1.0f);
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            if (i == 0) {
                B.set(j, 0, A.at(j, 0));
                continue;
            }
            const float s = runningSum(B, C, j, i, i);
            B.set(j, i, storeSingle(double(A.at(j, i)) - s));
        }
        for (int l = i + 1; l < n; ++l) {
            if (i == 0) {
                C.set(0, l, storeSingle(checkedDivide(A.at(0, l), B.at(0, 0))));
                continue;
            }
            const float s = runningSum(B, C, i, l, i);
            C.set(i, l, storeSingle(checkedDivide(double(A.at(i, l)) - s, B.at(i, i))));
        }
    }
}

} // namespace

void Solver::Redimensionar()
{
    A = SingleMatrix(n, n + 1);
    B = SingleMatrix(n, n + 1);
    C = SingleMatrix(n, n + 1);
}

void Solver::LeerDatos(WorksheetSource& sheet, std::string_view decimalSeparator)
{
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j <= n; ++j) {
            if (sheet.TextMatrix(i + 1, j + 1).empty())
                sheet.setTextMatrix(i + 1, j + 1, "0");
            A.set(i, j, textToSingle(sheet.TextMatrix(i + 1, j + 1), decimalSeparator));
        }
    }
}

void Solver::IntercambiarFilas()
{
    ++FilaCambio;
    if (FilaCambio > n - 1)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    exchangeWithFirstRow(A, FilaCambio, n);
}

void Solver::CholeSki()
{
    // A division by zero costs one row exchange and a fresh start; the exchanges
    // accumulate, and running out of rows (error 9) goes to the caller. Any other error
    // ends the factorization quietly with what was computed so far.
    for (;;) {
        try {
            if (n <= kMaxRow && fits(A, n, n) && fits(B, n, n) && fits(C, n, n))
                croutInBounds(A, B, C, n);
            else
                croutChecked(A, B, C, n);
            return;
        } catch (const RuntimeError& e) {
            if (e.number() != RuntimeError::DivisionByZero)
                return;
        }
        IntercambiarFilas();
    }
}

void Solver::SustAdelante()
{
    for (int i = 0; i < n; ++i)
        B.set(i, n, A.at(i, n));
    reduceToIdentity(B, n);
}

void Solver::SustAtras()
{
    for (int i = 0; i < n; ++i)
        C.set(i, n, B.at(i, n));
    reduceToIdentity(C, n);
}

Solver::GaussJordanOutcome Solver::GaussJordan(WorksheetSource& sheet,
                                               std::string_view decimalSeparator)
{
    for (;;) {
        try {
            // Bring a non-zero first coefficient to row 0: every later row that has one is
            // exchanged with row 0 in turn, so row 0 ends with the last of them.
            if (A.at(0, 0) == 0.0f) {
                for (int f = 0; f < n; ++f)
                    if (A.at(f, 0) != 0.0f)
                        exchangeWithFirstRow(A, f, n);
            }
            reduceToIdentity(A, n);
            return GaussJordanOutcome::Solved;
        } catch (const RuntimeError& e) {
            if (e.number() != RuntimeError::Overflow || FilaCambio >= n - 2)
                return GaussJordanOutcome::Insoluble;
        }
        // Start again from the worksheet with another first equation. Errors here are not
        // the method's to handle.
        LeerDatos(sheet, decimalSeparator);
        IntercambiarFilas();
    }
}

} // namespace solver
