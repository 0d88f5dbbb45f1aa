#pragma once

// The two methods, written once, in the order of the method's own description. The solve
// command runs them on single-precision values with the NullObserver; the step record runs
// the same loops on paired values with an observer that records every step. Every access is
// checked (error 9 outside the bounds) and every stored result too (see SingleArithmetic.h),
// so that what remains after an error is exactly what the method had stored until then.

#include "solver/NullObserver.h"
#include "solver/NumberText.h"
#include "solver/SingleArithmetic.h"
#include "solver/Solver.h"
#include "solver/WorksheetSource.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace solver::method {

// Copies the worksheet into A: cells (1..n, 1..n+1), "0" written into empty cells first.
template <class V, class Observer>
void LeerDatos(SolverData<V>& d, WorksheetSource& sheet, std::string_view separator, Observer&& obs)
{
    for (int i = 0; i < d.n; ++i) {
        for (int j = 0; j <= d.n; ++j) {
            obs.at(StepKind::Copy, MatrixName::A, i, j);
            if (sheet.TextMatrix(i + 1, j + 1).empty())
                sheet.setTextMatrix(i + 1, j + 1, "0");
            d.A.set(i, j, exactly<V>(textToSingle(sheet.TextMatrix(i + 1, j + 1), separator)));
            obs.copied(MatrixName::A, i, j);
        }
    }
}

// Exchanges rows 0 and r of A over columns 0 to n, element by element: an element beyond
// the bounds raises error 9 with the columns before it already exchanged.
template <class V, class Observer>
void exchangeWithFirstRow(SolverData<V>& d, int r, Observer&& obs)
{
    for (int c = 0; c <= d.n; ++c) {
        obs.at(StepKind::ExchangeRows, MatrixName::A, r, c);
        const V first = d.A.at(0, c);
        d.A.set(0, c, d.A.at(r, c));
        d.A.set(r, c, first);
    }
    obs.exchanged(r);
}

// The next row comes to row 0; error 9 (A untouched) when no row is left.
template <class V, class Observer> void IntercambiarFilas(SolverData<V>& d, Observer&& obs)
{
    ++d.FilaCambio;
    obs.at(StepKind::ExchangeRows, MatrixName::A, d.FilaCambio, 0);
    if (d.FilaCambio > d.n - 1)
        raise(RuntimeError::SubscriptOutOfRange);
    exchangeWithFirstRow(d, d.FilaCambio, obs);
}

// One attempt of the Crout factorization A = B·C, C with a unit diagonal.
template <class V, class Observer> void factorize(SolverData<V>& d, Observer&& obs)
{
    obs.stage(StageKind::Factorization, -1);
    for (int i = 0; i < d.n; ++i) {
        obs.at(StepKind::Copy, MatrixName::C, i, i);
        d.C.set(i, i, exactly<V>(1.0f));
        obs.copied(MatrixName::C, i, i);
    }
    // For i = 0 the sums are empty: B(j, 0) = A(j, 0) and C(0, l) = A(0, l) / B(0, 0), the
    // same bits as the plain copy and division, since A − 0 is A exactly.
    for (int i = 0; i < d.n; ++i) {
        // Column i of B, top to bottom.
        for (int j = i; j < d.n; ++j) {
            obs.at(StepKind::ElementB, MatrixName::B, j, i);
            V s = exactly<V>(0.0f);
            for (int k = 0; k < i; ++k)
                s = plusProduct(s, d.B.at(j, k), d.C.at(k, i));
            d.B.set(j, i, minus(d.A.at(j, i), s));
            obs.elementB(j, i, s);
        }
        // Row i of C, left to right.
        for (int l = i + 1; l < d.n; ++l) {
            obs.at(StepKind::ElementC, MatrixName::C, i, l);
            V s = exactly<V>(0.0f);
            for (int k = 0; k < i; ++k)
                s = plusProduct(s, d.B.at(i, k), d.C.at(k, l));
            d.C.set(i, l, quotient(d.A.at(i, l), s, d.B.at(i, i)));
            obs.elementC(i, l, s);
        }
    }
}

// A division by zero costs one row exchange and a fresh start; the exchanges accumulate,
// and running out of rows (error 9) goes to the caller. Any other error ends the
// factorization quietly with what was computed so far.
template <class V, class Observer> void CholeSki(SolverData<V>& d, Observer&& obs)
{
    for (;;) {
        try {
            factorize(d, obs);
            return;
        } catch (const RuntimeError& e) {
            if (e.number() != RuntimeError::DivisionByZero) {
                obs.trapped(e.number(), AfterTrap::DiscardAndContinue);
                return;
            }
            obs.trapped(e.number(), AfterTrap::ExchangeAndRestart);
        }
        obs.stage(StageKind::Restart, -1);
        IntercambiarFilas(d, obs);
    }
}

// Row l − f·row j, columns 0 to n, element by element.
template <class V, class Observer>
void eliminate(Matrix<V>& m, MatrixName name, int l, int j, const V& f, int n, Observer&& obs)
{
    for (int c = 0; c <= n; ++c) {
        obs.at(StepKind::EliminateRow, name, l, c);
        m.set(l, c, minusProduct(m.at(l, c), f, m.at(j, c)));
    }
}

// The solve command's form of the same row operation, with the same results: a block of the
// row is computed and checked before it is stored, which lets the compiler use vector
// instructions (the substitutions at n = 100 in half the time). A block with a result out
// of range is done again element by element, which raises the error at its element.
inline void eliminate(SingleMatrix& m, MatrixName name, int l, int j, float f, int n,
                      NullObserver& obs)
{
    if (!m.contains(l, n) || !m.contains(j, n))
        return eliminate<float, NullObserver&>(m, name, l, j, f, n, obs); // error 9 in place
    float* const row = m.row(l);
    const float* const pivot = m.row(j);
    constexpr std::size_t block = 64;
    for (std::size_t first = 0; first <= std::size_t(n); first += block) {
        const std::size_t end = std::min(first + block, std::size_t(n) + 1);
        std::array<float, block> results;
        int outOfRange = 0;
        for (std::size_t c = first; c < end; ++c) {
            results[c - first] = float(double(row[c]) - double(f) * double(pivot[c]));
            outOfRange += !std::isfinite(results[c - first]);
        }
        if (outOfRange > 0)
            for (std::size_t c = first; c < end; ++c)
                row[c] = minusProduct(row[c], f, pivot[c]);
        std::copy_n(results.begin(), end - first, row + first);
    }
}

// Full Gauss-Jordan reduction of the n × n block of m together with its column n: no row
// exchange, no tolerance; a zero pivot traps. The two substitutions and the Gauss-Jordan
// method are this same procedure on B, C and A.
template <class V, class Observer>
void reduce(Matrix<V>& m, MatrixName name, int n, bool stagePerPivot, Observer&& obs)
{
    for (int j = 0; j < n; ++j) {
        if (stagePerPivot)
            obs.stage(StageKind::GaussJordanPivot, j);
        // Row j divided by its pivot p.
        obs.at(StepKind::DivideRow, name, j, 0);
        const V p = m.at(j, j);
        for (int k = 0; k <= n; ++k) {
            obs.at(StepKind::DivideRow, name, j, k);
            m.set(j, k, over(m.at(j, k), p));
        }
        obs.rowDivided(name, j, p);
        // Every other row l loses its element in column j: row l − f·row j.
        for (int l = 0; l < n; ++l) {
            if (l == j)
                continue;
            obs.at(StepKind::EliminateRow, name, l, 0);
            const V f = m.at(l, j);
            eliminate(m, name, l, j, f, n, obs);
            obs.rowEliminated(name, l, j, f);
        }
    }
}

// The right-hand side, column n of `from`, into column n of `to`, then `to` reduced to the
// identity: B·y = b with b = A(·, n), then C·x = y; C(·, n) is the solution.
template <class V, class Observer>
void substitute(StageKind stage, const Matrix<V>& from, Matrix<V>& to, MatrixName name, int n,
                Observer&& obs)
{
    obs.stage(stage, -1);
    for (int i = 0; i < n; ++i) {
        obs.at(StepKind::Copy, name, i, n);
        to.set(i, n, from.at(i, n));
        obs.copied(name, i, n);
    }
    reduce(to, name, n, false, obs);
}

template <class V, class Observer> void SustAdelante(SolverData<V>& d, Observer&& obs)
{
    substitute(StageKind::ForwardSubstitution, d.A, d.B, MatrixName::B, d.n, obs);
}

template <class V, class Observer> void SustAtras(SolverData<V>& d, Observer&& obs)
{
    substitute(StageKind::BackSubstitution, d.B, d.C, MatrixName::C, d.n, obs);
}

// Reduces A in place; true when solved (A(i, n) is then X(i+1)). An overflow retries from
// the worksheet with another first equation while retries are left; otherwise the system
// is not soluble by this method (false). Errors of the re-reading go to the caller.
template <class V, class Observer>
bool GaussJordan(SolverData<V>& d, WorksheetSource& sheet, std::string_view separator,
                 Observer&& obs)
{
    for (;;) {
        try {
            // Every later row with a non-zero first coefficient is exchanged with row 0 in
            // turn, so row 0 ends with the last of them.
            obs.at(StepKind::ExchangeRows, MatrixName::A, 0, 0);
            if (isZero(d.A.at(0, 0))) {
                obs.stage(StageKind::InitialExchange, -1);
                for (int f = 0; f < d.n; ++f) {
                    obs.at(StepKind::ExchangeRows, MatrixName::A, f, 0);
                    if (!isZero(d.A.at(f, 0)))
                        exchangeWithFirstRow(d, f, obs);
                }
            }
            reduce(d.A, MatrixName::A, d.n, true, obs);
            return true;
        } catch (const RuntimeError& e) {
            const bool retry = e.number() == RuntimeError::Overflow && d.FilaCambio < d.n - 2;
            obs.trapped(e.number(), retry ? AfterTrap::Retry : AfterTrap::NotSoluble);
            if (!retry)
                return false;
        }
        obs.stage(StageKind::Retry, -1);
        LeerDatos(d, sheet, separator, obs);
        IntercambiarFilas(d, obs);
    }
}

} // namespace solver::method
