#pragma once

#include "solver/SingleMatrix.h"

#include <cstdint>
#include <string_view>

namespace solver {

class WorksheetSource;

// The solver's whole state, as the methods see it: n, the matrices A, B and C (row i is
// equation i + 1, column n the independent term) and the row-exchange counter FilaCambio;
// V is float for the solve, a value with a double-precision twin for the step record.
template <class V> struct SolverData
{
    std::int16_t n = 0;
    Matrix<V> A;
    Matrix<V> B;
    Matrix<V> C;
    std::int16_t FilaCambio = 0;
};

// The solver's data and its two methods in single precision, as the window calls them.
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

    // The routines of Methods.h, described there.
    void LeerDatos(WorksheetSource& sheet, std::string_view decimalSeparator);
    void IntercambiarFilas();
    void CholeSki();
    void SustAdelante();
    void SustAtras();
    GaussJordanOutcome GaussJordan(WorksheetSource& sheet, std::string_view decimalSeparator);
};

} // namespace solver
