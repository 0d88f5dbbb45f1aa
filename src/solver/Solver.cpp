#include "solver/Solver.h"

#include "solver/NumberText.h"
#include "solver/SingleArithmetic.h"
#include "solver/VectorState.h"
#include "solver/WorksheetSource.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace solver {
namespace {

// Element access for the algorithms below. The checked form is the literal one: every
// read and write is bounds-checked, so an index beyond a matrix raises error 9 exactly
// where the loop reaches it. The unchecked form is used when the bounds have been checked
// for the whole loop nest (the usual case), and lets the row operations run vectorised.
template <bool Checked> struct Access
{
    static float get(const SingleMatrix& m, int r, int c)
    {
        if constexpr (Checked)
            return m.at(r, c);
        else
            return m.row(r)[c];
    }
    static void put(SingleMatrix& m, int r, int c, float v)
    {
        if constexpr (Checked)
            m.set(r, c, v);
        else
            m.row(r)[c] = v;
    }
};

bool fits(const SingleMatrix& m, int rows, int cols)
{
    return m.rows() >= rows && m.cols() >= cols;
}

bool isInfinite(float v)
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return (bits & 0x7f800000u) == 0x7f800000u;
}

// The two row operations of a Gauss-Jordan step, each element evaluated in double and
// rounded once. They compute into a scratch row and commit it, so that on an overflow
// exactly the elements before the failing one are stored, as in an element-by-element loop.
using ScratchRow = std::array<float, 128>;

// Stores the computed row; when some result did not fit, only the results before the
// first such one are stored and error 6 is raised.
void commitRow(float* row, const ScratchRow& scratch, int count, std::uint32_t overflow)
{
    std::size_t stored = std::size_t(count);
    if (overflow) {
        stored = 0;
        while (!isInfinite(scratch[stored]))
            ++stored;
    }
    std::memcpy(row, scratch.data(), sizeof(float) * stored);
    if (overflow)
        throw RuntimeError(RuntimeError::Overflow);
}

void divideRow(float* row, float pivot, int count, ScratchRow& scratch)
{
    if (pivot == 0.0f)
        checkedDivide(row[0], 0.0); // raises 11, or 6 for zero by zero; nothing is stored
    float* const out = scratch.data();
    std::uint32_t overflow = 0;
    for (int k = 0; k < count; ++k) {
        out[k] = static_cast<float>(double(row[k]) / double(pivot));
        overflow |= isInfinite(out[k]);
    }
    commitRow(row, scratch, count, overflow);
}

void subtractRowMultiple(float* row, float factor, const float* pivotRow, int count,
                         ScratchRow& scratch)
{
    float* const out = scratch.data();
    std::uint32_t overflow = 0;
    for (int m = 0; m < count; ++m) {
        out[m] = static_cast<float>(double(row[m]) - double(factor) * double(pivotRow[m]));
        overflow |= isInfinite(out[m]);
    }
    commitRow(row, scratch, count, overflow);
}

// Full Gauss-Jordan reduction of the n x n block of m together with its column n: no row
// exchange, no tolerance; a zero pivot traps. The substitutions and the Gauss-Jordan
// method are this same procedure on B, C and A.
template <bool Checked> void reduceToIdentity(SingleMatrix& m, int n)
{
    clearUpperVectorState();
    using X = Access<Checked>;
    [[maybe_unused]] ScratchRow scratch;
    for (int j = 0; j < n; ++j) {
        const float p = X::get(m, j, j);
        if constexpr (Checked) {
            for (int k = 0; k <= n; ++k)
                X::put(m, j, k, storeSingle(checkedDivide(X::get(m, j, k), p)));
        } else {
            divideRow(m.row(j), p, n + 1, scratch);
        }
        for (int l = 0; l < n; ++l) {
            if (l == j)
                continue;
            const float f = X::get(m, l, j);
            if constexpr (Checked) {
                for (int c = 0; c <= n; ++c)
                    X::put(m, l, c,
                           storeSingle(double(X::get(m, l, c)) - double(f) * X::get(m, j, c)));
            } else {
                subtractRowMultiple(m.row(l), f, m.row(j), n + 1, scratch);
            }
        }
    }
}

void reduceToIdentity(SingleMatrix& m, int n)
{
    clearUpperVectorState();
    if (n + 1 <= int(ScratchRow{}.size()) && fits(m, n, n + 1))
        reduceToIdentity<false>(m, n);
    else
        reduceToIdentity<true>(m, n);
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
template <bool Checked>
float runningSum(const SingleMatrix& B, const SingleMatrix& C, int row, int col, int count)
{
    using X = Access<Checked>;
    float s = 0.0f;
    for (int k = 0; k < count; ++k)
        s = static_cast<float>(double(s) + double(X::get(B, row, k)) * X::get(C, k, col));
    if (isInfinite(s))
        throw RuntimeError(RuntimeError::Overflow);
    return s;
}

// One attempt of the Crout factorization.
template <bool Checked> void crout(const SingleMatrix& A, SingleMatrix& B, SingleMatrix& C, int n)
{
    clearUpperVectorState();
    using X = Access<Checked>;
    for (int i = 0; i < n; ++i)
        X::put(C, i, i, 1.0f);
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            if (i == 0) {
                X::put(B, j, 0, X::get(A, j, 0));
                continue;
            }
            const float s = runningSum<Checked>(B, C, j, i, i);
            X::put(B, j, i, storeSingle(double(X::get(A, j, i)) - s));
        }
        for (int l = i + 1; l < n; ++l) {
            if (i == 0) {
                X::put(C, 0, l, storeSingle(checkedDivide(X::get(A, 0, l), X::get(B, 0, 0))));
                continue;
            }
            const float s = runningSum<Checked>(B, C, i, l, i);
            X::put(C, i, l,
                   storeSingle(checkedDivide(double(X::get(A, i, l)) - s, X::get(B, i, i))));
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
            if (fits(A, n, n) && fits(B, n, n) && fits(C, n, n))
                crout<false>(A, B, C, n);
            else
                crout<true>(A, B, C, n);
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
