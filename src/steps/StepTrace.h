#pragma once

#include "solver/NullObserver.h"
#include "solver/SingleMatrix.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace solver {

class Solver;
class WorksheetSource;

// The record of one solve, step by step, for showing the method at work. It is made by
// the very loops that the solve command runs (see solver/Methods.h), so its steps, their order and
// every stored bit are the solve's. Beside each single-precision value it holds the value of
// the same step in a double-precision run of the same loops from the same data, which makes
// the same row exchanges, restarts and retries as the single run (its own values never trap).

enum class Method : std::uint8_t
{
    Choleski,
    GaussJordan
};

// Why two rows were exchanged: told by the stage in which the exchange comes.
enum class ExchangeReason : std::uint8_t
{
    InitialRotation,    // Gauss-Jordan: A(0, 0) = 0, a later row with a non-zero first coefficient
    ZeroDivisor,        // Choleski: a non-zero value divided by zero (error 11)
    RetryAfterOverflow, // Gauss-Jordan: error 6 with retries left, A read again from the worksheet
};

// One value of the solve: as stored (single) and as the double-precision run has it.
struct TracedValue
{
    float single = 0.0f;
    double shadow = 0.0;

    // shadow − single in units in the last place of single (of the smallest single when
    // single is 0); infinite or NaN when the shadow is.
    double ulps() const noexcept;
};

// A Copy is never a step of its own, only the `failed` operation of a Trap. A Trap's writes
// are the elements that the failing operation stored before it failed (a row operation
// stores its columns from 0 on).
struct Step
{
    StepKind kind = StepKind::ElementB;
    MatrixName matrix = MatrixName::A;
    std::int16_t row = 0;       // the element's row, the row written, the row exchanged with 0
    std::int16_t col = -1;      // ElementB, ElementC, Trap: the element's column; otherwise −1
    std::int16_t pivotRow = -1; // DivideRow, EliminateRow: the pivot row; otherwise −1
    std::int32_t stage = 0;     // index into StepTrace::stages

    TracedValue value;   // ElementB/C: the stored element; DivideRow: p; EliminateRow: f
    TracedValue sum;     // ElementB/C: the final running sum s (0 for the plain first ones)
    TracedValue operand; // ElementB/C: A(row, col)
    TracedValue divisor; // ElementC: B(row, row)

    ExchangeReason reason = ExchangeReason::InitialRotation; // ExchangeRows
    StepKind failed = StepKind::ElementB;                    // Trap: the operation that failed
    int error = 0;                                           // Trap: RuntimeError number
    AfterTrap then = AfterTrap::StopWithError;               // Trap

    // Writes [runsBegin, runsEnd) of StepTrace::runs are this step's own; the writes before
    // runsBegin since the previous step are copies that are no steps of their own (the
    // unit diagonal of C, the independent terms copied by a substitution, A read again).
    std::uint32_t runsBegin = 0;
    std::uint32_t runsEnd = 0;

    // A leaf is one computed element or one row operation: the steps a student counts.
    bool isLeaf() const noexcept
    {
        return kind == StepKind::ElementB || kind == StepKind::ElementC ||
               kind == StepKind::DivideRow || kind == StepKind::EliminateRow;
    }
};

struct Stage
{
    StageKind kind = StageKind::Factorization;
    std::int16_t pivot = -1;  // GaussJordanPivot: the pivot e; otherwise −1
    std::int16_t attempt = 0; // FilaCambio when the stage began
    std::uint32_t firstStep = 0;
    std::uint32_t endStep = 0; // one past the last step
};

// Consecutive elements of one row written at once: columns firstCol to firstCol + count − 1.
// Their values are at singles/shadows[offset ...]; or, for the row of a DivideRow or
// EliminateRow step (replayedBy = that step), they are not kept: TraceCursor computes them
// again with the solve's own arithmetic from the step's p or f, bit for bit. Keeping them
// made the record at n = 100 six times the size and slower to make than to replay.
struct WriteRun
{
    MatrixName matrix = MatrixName::A;
    std::int16_t row = 0;
    std::int16_t firstCol = 0;
    std::int16_t count = 0;
    std::uint32_t offset = 0;
    std::int32_t replayedBy = -1;
};

// The matrices of the double-precision run, beside the single ones.
using DoubleMatrix = Matrix<double>;

// A, B and C, single precision as stored and double precision beside them.
struct TracedMatrices
{
    SingleMatrix A, B, C;
    DoubleMatrix shadowA, shadowB, shadowC;

    const SingleMatrix& single(MatrixName m) const;
    const DoubleMatrix& shadow(MatrixName m) const;
    SingleMatrix& single(MatrixName m);
    DoubleMatrix& shadow(MatrixName m);
};

// How the solve ended, as the solve command sees it.
enum class Ending : std::uint8_t
{
    Solved,     // the solution is in C(·, n) (Choleski) or A(·, n) (Gauss-Jordan)
    NotSoluble, // Gauss-Jordan showed its own message
    Error,      // the error `error` reached the solve command (its message)
};

struct StepTrace
{
    Method method = Method::Choleski;
    std::int16_t n = 0;
    // The matrices once the worksheet has been read into A, B and C as the solve found them;
    // the shadow matrices start equal to them.
    TracedMatrices initial;
    std::vector<Stage> stages;
    std::vector<Step> steps;
    std::vector<WriteRun> runs;
    // The written values that are kept, addressed by WriteRun::offset.
    std::vector<float> singles;
    std::vector<double> shadows;

    Ending ending = Ending::Solved;
    int error = 0;               // Ending::Error: its RuntimeError number
    std::int16_t FilaCambio = 0; // at the end

    // Full states at some step boundaries, so that any step's state is a short replay away.
    struct Checkpoint
    {
        std::uint32_t afterRuns = 0; // the state once runs [0, afterRuns) are applied
        TracedMatrices matrices;
    };
    std::vector<Checkpoint> checkpoints;

    std::size_t leafCount() const;
    // The writes of step k (its own), and those made just before it by plain copies.
    std::span<const WriteRun> writesOf(std::size_t k) const;
    std::span<const WriteRun> copiesBefore(std::size_t k) const;
    // The matrices as they stand at the end: equal bit for bit to the solve's.
    TracedMatrices finalMatrices() const;
};

// Runs the solve command's work on a copy of `state` (FilaCambio from 0, the worksheet read
// into A, then the method) and records it. `sheet` receives "0" in its empty cells exactly
// as the solve would write them. A worksheet that cannot be read gives a trace with no
// steps, Ending::Error and the conversion's error.
StepTrace traceSolve(Method method, const Solver& state, WorksheetSource& sheet,
                     std::string_view decimalSeparator);

// The matrices after any step, moving from the nearest checkpoint.
class TraceCursor
{
public:
    explicit TraceCursor(const StepTrace& trace);

    // The state after step k; k = −1 is the state before the first step.
    void seek(std::ptrdiff_t k);
    std::ptrdiff_t position() const noexcept { return position_; }
    const TracedMatrices& matrices() const noexcept { return matrices_; }

    // For an ElementB/ElementC step: s after each rounded addition k = 0, 1, ... (single and
    // double), computed from the state before it. Leaves the cursor before step k.
    std::vector<TracedValue> runningSums(std::size_t k);

private:
    void applyRuns(std::uint32_t from, std::uint32_t to);

    const StepTrace* trace_;
    TracedMatrices matrices_;
    std::uint32_t applied_ = 0;
    std::ptrdiff_t position_ = -1;
};

} // namespace solver
