#pragma once

#include "solver/SingleMatrix.h"

#include <cstdint>

namespace solver {

// The solver's whole state, as the methods see it: the number of equations, the matrices A,
// B and C (row i is equation i + 1, column n the independent term) and the row-exchange
// counter. V is float for the solve; the step trace runs the same methods on values that
// carry a double-precision twin (TracedValue).
template <class V> struct SolverData
{
    std::int16_t n = 0;
    Matrix<V> A;
    Matrix<V> B;
    Matrix<V> C;
    std::int16_t FilaCambio = 0;
};

} // namespace solver
