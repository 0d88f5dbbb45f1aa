#pragma once

#include <cstdint>

namespace solver {

// What the methods tell an observer of their steps (see NullObserver). The step record
// (steps/StepTrace.h) keeps them; the solve command listens to nothing.

enum class MatrixName : std::uint8_t
{
    A,
    B,
    C
};

enum class StepKind : std::uint8_t
{
    ElementB,     // B(row, col) := A(row, col) − s
    ElementC,     // C(row, col) := (A(row, col) − s) / B(row, row)
    DivideRow,    // a row, columns 0 to n, divided by its pivot
    EliminateRow, // a row, columns 0 to n, minus f times the pivot row
    ExchangeRows, // rows 0 and r of A exchanged over columns 0 to n
    Copy,         // a plain copy: a cell into A, an independent term, the unit diagonal of C
    Trap,         // an operation raised a run-time error
};

enum class StageKind : std::uint8_t
{
    Factorization,       // once per attempt
    ForwardSubstitution, // B·y = b
    BackSubstitution,    // C·x = y
    InitialExchange,     // Gauss-Jordan's rotation of rows before the reduction
    GaussJordanPivot,    // one pivot of the Gauss-Jordan reduction
    Restart,             // Choleski: the exchange after a division by zero
    Retry,               // Gauss-Jordan: A read again and the exchange after an overflow
};

enum class AfterTrap : std::uint8_t
{
    ExchangeAndRestart, // Choleski, division by zero: exchange rows, factorize again
    DiscardAndContinue, // Choleski, any other error: keep the partial factors, go on
    Retry,              // Gauss-Jordan, overflow with retries left: read, exchange, start again
    NotSoluble,         // Gauss-Jordan: the method gives up with its own message
    StopWithError,      // the error reaches the solve command
};

// Told of every step. `at` comes before each operation (and each element of a row
// operation), so that an error can be placed; the other calls come once it is done.
struct NullObserver
{
    void stage(StageKind, int /*pivot*/) {}
    void at(StepKind, MatrixName, int /*row*/, int /*col*/) {}
    void copied(MatrixName, int /*row*/, int /*col*/) {}
    template <class V> void elementB(int /*row*/, int /*col*/, const V& /*sum*/) {}
    template <class V> void elementC(int /*row*/, int /*col*/, const V& /*sum*/) {}
    template <class V> void rowDivided(MatrixName, int /*row*/, const V& /*pivot*/) {}
    template <class V> void rowEliminated(MatrixName, int /*row*/, int /*pivot*/, const V& /*f*/) {}
    void exchanged(int /*row*/) {}
    void trapped(int /*error*/, AfterTrap) {}
};

} // namespace solver
