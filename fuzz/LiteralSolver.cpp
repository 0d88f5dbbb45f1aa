#include "LiteralSolver.h"

#include "solver/NumberText.h"
#include "solver/RuntimeError.h"
#include "solver/WorksheetSource.h"

#include <cmath>
#include <vector>

using solver::RuntimeError;

namespace {

// A stored result: rounded to single, `RuntimeError::Overflow` when it is not a
// finite single.
float store(double value)
{
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored))
        throw RuntimeError(RuntimeError::Overflow);
    return stored;
}

double divide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw RuntimeError(dividend == 0.0 ? RuntimeError::Overflow : RuntimeError::DivisionByZero);
    return dividend / divisor;
}

} // namespace

LiteralSolver::LiteralSolver(const solver::Solver& state)
    : n(state.n), A(state.A), B(state.B), C(state.C), FilaCambio(state.FilaCambio)
{}

void LiteralSolver::LeerDatos(solver::WorksheetSource& sheet, std::string_view decimalSeparator)
{
    for (int i = 0; i <= n - 1; ++i) {
        for (int j = 0; j <= n; ++j) {
            if (sheet.TextMatrix(i + 1, j + 1) == "")
                sheet.setTextMatrix(i + 1, j + 1, "0");
            const float value =
                solver::textToSingle(sheet.TextMatrix(i + 1, j + 1), decimalSeparator);
            A.set(i, j, value);
        }
    }
}

void LiteralSolver::IntercambiarFilas()
{
    FilaCambio = std::int16_t(FilaCambio + 1);
    if (FilaCambio > n - 1)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange);
    std::vector<float> temp(std::size_t(n) + 1);
    for (int j = 0; j <= n; ++j) {
        temp[j] = A.at(0, j);
        A.set(0, j, A.at(FilaCambio, j));
        A.set(FilaCambio, j, temp[j]);
    }
}

void LiteralSolver::CholeSki()
{
    try {
        for (int i = 0; i <= n - 1; ++i)
            C.set(i, i, 1.0f);
        for (int i = 0; i <= n - 1; ++i) {
            for (int j = i; j <= n - 1; ++j) {
                if (i == 0) {
                    B.set(j, 0, A.at(j, 0));
                } else {
                    float s = 0.0f;
                    for (int k = 0; k <= i - 1; ++k)
                        s = store(double(s) + double(B.at(j, k)) * double(C.at(k, i)));
                    B.set(j, i, store(double(A.at(j, i)) - double(s)));
                }
            }
            for (int l = i + 1; l <= n - 1; ++l) {
                if (i == 0) {
                    C.set(0, l, store(divide(A.at(0, l), B.at(0, 0))));
                } else {
                    float s = 0.0f;
                    for (int k = 0; k <= i - 1; ++k)
                        s = store(double(s) + double(B.at(i, k)) * double(C.at(k, l)));
                    C.set(i, l, store(divide(double(A.at(i, l)) - double(s), B.at(i, i))));
                }
            }
        }
    } catch (const RuntimeError& e) {
        // Errors raised in here go to the caller.
        if (e.number() == RuntimeError::DivisionByZero) {
            IntercambiarFilas();
            CholeSki();
        }
    }
}

void LiteralSolver::reduce(solver::SingleMatrix& m)
{
    for (int j = 0; j <= n - 1; ++j) {
        const float p = m.at(j, j);
        for (int k = 0; k <= n; ++k)
            m.set(j, k, store(divide(m.at(j, k), p)));
        for (int l = 0; l <= n - 1; ++l) {
            if (l == j)
                continue;
            const float f = m.at(l, j);
            for (int c = 0; c <= n; ++c)
                m.set(l, c, store(double(m.at(l, c)) - double(f) * double(m.at(j, c))));
        }
    }
}

void LiteralSolver::SustAdelante()
{
    for (int i = 0; i <= n - 1; ++i)
        B.set(i, n, A.at(i, n));
    reduce(B);
}

void LiteralSolver::SustAtras()
{
    for (int i = 0; i <= n - 1; ++i)
        C.set(i, n, B.at(i, n));
    reduce(C);
}

solver::Solver::GaussJordanOutcome LiteralSolver::GaussJordan(solver::WorksheetSource& sheet,
                                                              std::string_view decimalSeparator)
{
    try {
        if (A.at(0, 0) == 0.0f) {
            std::vector<float> temp(std::size_t(n) + 1);
            for (int f = 0; f <= n - 1; ++f) {
                if (A.at(f, 0) != 0.0f) {
                    for (int c = 0; c <= n; ++c) {
                        temp[c] = A.at(0, c);
                        A.set(0, c, A.at(f, c));
                        A.set(f, c, temp[c]);
                    }
                }
            }
        }
        reduce(A);
        return solver::Solver::GaussJordanOutcome::Solved;
    } catch (const RuntimeError& e) {
        if (e.number() == RuntimeError::Overflow && FilaCambio < n - 2) {
            LeerDatos(sheet, decimalSeparator);
            IntercambiarFilas();
            return GaussJordan(sheet, decimalSeparator);
        }
        return solver::Solver::GaussJordanOutcome::Insoluble;
    }
}
