#pragma once

#include "solver/Solver.h"

#include <cstdint>
#include <string_view>

namespace solver {
class WorksheetSource;
}

// The solver's routines written out step by step, one element and one check at a time,
// with the error handlers as nested calls: the yardstick the fuzzer holds the fast solver
// to. Every result, partial results after an error included, must agree bit for bit.
class LiteralSolver
{
public:
    explicit LiteralSolver(const solver::Solver& state);

    std::int16_t n = 0;
    solver::SingleMatrix A;
    solver::SingleMatrix B;
    solver::SingleMatrix C;
    std::int16_t FilaCambio = 0;

    void LeerDatos(solver::WorksheetSource& sheet, std::string_view decimalSeparator);
    void IntercambiarFilas();
    void CholeSki();
    void SustAdelante();
    void SustAtras();
    solver::Solver::GaussJordanOutcome GaussJordan(solver::WorksheetSource& sheet,
                                                   std::string_view decimalSeparator);

private:
    void reduce(solver::SingleMatrix& m);
};
