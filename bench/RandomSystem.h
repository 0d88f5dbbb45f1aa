#pragma once

#include "solver/Solver.h"
#include "solver/WorksheetSource.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

// The system every solver benchmark works on: n equations with whole coefficients from 0
// to 99 and terms from 0 to 7099, drawn from a fixed seed, so that figures compare.
inline solver::Solver makeSystem(int n)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coefficient(0, 99);
    std::uniform_int_distribution<int> term(0, 7099);
    solver::Solver s;
    s.n = std::int16_t(n);
    s.Redimensionar();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            s.A.set(i, j, float(coefficient(rng)));
        s.A.set(i, n, float(term(rng)));
    }
    return s;
}

// A Choleski solve the way the window runs it: exchanges reset, factors, both substitutions.
inline void solveByCholeski(solver::Solver& s)
{
    s.FilaCambio = 0;
    s.CholeSki();
    s.SustAdelante();
    s.SustAtras();
}

// The worksheet a Gauss-Jordan retry would read again: never read, since these systems need
// no retry.
class UnreadSheet : public solver::WorksheetSource
{
    std::string TextMatrix(int, int) const override { return "0"; }
    void setTextMatrix(int, int, std::string_view) override {}
};

// The worksheet that holds a system's A, for a solve that reads it.
class RowsSheet : public solver::WorksheetSource
{
public:
    explicit RowsSheet(const solver::Solver& s) : a_(s.A) {}
    std::string TextMatrix(int row, int col) const override
    {
        return std::to_string(int(a_.at(row - 1, col - 1)));
    }
    void setTextMatrix(int, int, std::string_view) override {}

private:
    solver::SingleMatrix a_;
};
