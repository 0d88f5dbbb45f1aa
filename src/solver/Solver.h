#pragma once

#include "solver/SolverData.h"

#include <cstdint>
#include <string_view>

namespace solver {

class WorksheetSource;

// The solver's data (n, A, B, C, FilaCambio) and its two methods. Every stored value is
// single precision; each expression is evaluated in double and rounded once when stored,
// and every stored result is checked (errors 6, 9 and 11, see RuntimeError). The methods'
// loops are in Methods.h; the step trace runs the same ones.
class Solver : public SolverData<float>
{
public:
    enum class GaussJordanOutcome
    {
        Solved,
        Insoluble
    };

    // Creates A, B and C anew for n: n rows, n + 1 columns, all zero.
    void Redimensionar();

    // Copies worksheet cells (1..n, 1..n+1) into A, writing "0" into empty cells first.
    void LeerDatos(WorksheetSource& sheet, std::string_view decimalSeparator);

    // Advances FilaCambio and exchanges row 0 of A with row FilaCambio (error 9 when no
    // row is left; A is then untouched).
    void IntercambiarFilas();

    // Crout factorization A = B * C (C with unit diagonal). A division by zero costs a row
    // exchange and a restart; any other error stops the factorization silently.
    void CholeSki();
    // Reduce B (then C) to the identity: B(., n) ends as y, C(., n) as the solution.
    void SustAdelante();
    void SustAtras();

    // Reduces A in place; on Solved, A(i, n) is the value of X(i+1). Overflow retries start
    // again from the worksheet with another first equation while retries are left.
    GaussJordanOutcome GaussJordan(WorksheetSource& sheet, std::string_view decimalSeparator);
};

} // namespace solver
