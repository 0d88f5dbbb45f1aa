#include "steps/StepTrace.h"

#include "steps/TracedArithmetic.h"

#include "solver/Methods.h"
#include "solver/Solver.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace solver {
namespace {

using TracedData = SolverData<TracedValue>;

// A full state is kept after this many written values, so that reaching any step replays
// at most about as many (a fraction of a millisecond).
constexpr std::size_t kCheckpointEvery = std::size_t(1) << 18;

Matrix<TracedValue>& matrixOf(TracedData& d, MatrixName m)
{
    return m == MatrixName::A ? d.A : m == MatrixName::B ? d.B : d.C;
}

void split(const Matrix<TracedValue>& from, SingleMatrix& single, DoubleMatrix& shadow)
{
    single = SingleMatrix(from.rows(), from.cols());
    shadow = DoubleMatrix(from.rows(), from.cols());
    for (int r = 0; r < from.rows(); ++r) {
        for (int c = 0; c < from.cols(); ++c) {
            single.row(r)[c] = from.row(r)[c].single;
            shadow.row(r)[c] = from.row(r)[c].shadow;
        }
    }
}

TracedMatrices splitAll(const TracedData& d)
{
    TracedMatrices m;
    split(d.A, m.A, m.shadowA);
    split(d.B, m.B, m.shadowB);
    split(d.C, m.C, m.shadowC);
    return m;
}

Matrix<TracedValue> paired(const SingleMatrix& m)
{
    Matrix<TracedValue> p(m.rows(), m.cols());
    for (int r = 0; r < m.rows(); ++r)
        for (int c = 0; c < m.cols(); ++c)
            p.row(r)[c] = exactly<TracedValue>(m.row(r)[c]);
    return p;
}

// The observer that writes the record (see NullObserver for when each call comes).
class Recorder
{
public:
    Recorder(StepTrace& trace, TracedData& data) : trace_(trace), data_(data) {}

    void stage(StageKind kind, int pivot)
    {
        closeStage();
        const auto at = std::uint32_t(trace_.steps.size());
        trace_.stages.push_back({kind, std::int16_t(pivot), data_.FilaCambio, at, at});
    }
    void at(StepKind kind, MatrixName m, int row, int col) { where_ = {kind, m, row, col}; }
    void copied(MatrixName m, int row, int col) { addRun(m, row, col, 1); }

    void elementB(int row, int col, const TracedValue& sum)
    {
        Step& s = begin(StepKind::ElementB, MatrixName::B, row, col);
        s.sum = sum;
        s.operand = data_.A.at(row, col);
        s.value = data_.B.at(row, col);
        end(s, 1);
    }
    void elementC(int row, int col, const TracedValue& sum)
    {
        Step& s = begin(StepKind::ElementC, MatrixName::C, row, col);
        s.sum = sum;
        s.operand = data_.A.at(row, col);
        s.divisor = data_.B.at(row, row);
        s.value = data_.C.at(row, col);
        end(s, 1);
    }
    void rowDivided(MatrixName m, int row, const TracedValue& pivot)
    {
        rowStep(StepKind::DivideRow, m, row, row, pivot);
    }
    void rowEliminated(MatrixName m, int row, int pivotRow, const TracedValue& factor)
    {
        rowStep(StepKind::EliminateRow, m, row, pivotRow, factor);
    }
    void exchanged(int row)
    {
        const StageKind stage = trace_.stages.back().kind;
        Step& s = begin(StepKind::ExchangeRows, MatrixName::A, 0, -1);
        s.row = std::int16_t(row);
        s.reason = stage == StageKind::Restart ? ExchangeReason::ZeroDivisor
                   : stage == StageKind::Retry ? ExchangeReason::RetryAfterOverflow
                                               : ExchangeReason::InitialRotation;
        addRun(MatrixName::A, 0, 0, data_.n + 1);
        addRun(MatrixName::A, row, 0, data_.n + 1);
        end(s, 0);
    }
    void trapped(int error, AfterTrap then)
    {
        Step& s = begin(StepKind::Trap, where_.matrix, where_.row, where_.col);
        s.failed = where_.kind;
        s.error = error;
        s.then = then;
        // What a row operation stored before failing: its columns before the failing one.
        const int done = where_.col;
        if (where_.kind == StepKind::DivideRow || where_.kind == StepKind::EliminateRow) {
            addRun(where_.matrix, where_.row, 0, done);
        } else if (where_.kind == StepKind::ExchangeRows) {
            addRun(MatrixName::A, 0, 0, done);
            addRun(MatrixName::A, where_.row, 0, done);
        }
        end(s, 0);
    }

    void finish()
    {
        closeStage();
        trace_.FilaCambio = data_.FilaCambio;
    }

private:
    struct Where
    {
        StepKind kind = StepKind::Copy;
        MatrixName matrix = MatrixName::A;
        int row = 0;
        int col = 0;
    };

    Step& begin(StepKind kind, MatrixName m, int row, int col)
    {
        Step& s = trace_.steps.emplace_back();
        s.kind = kind;
        s.matrix = m;
        s.row = std::int16_t(row);
        s.col = std::int16_t(col);
        s.stage = std::int32_t(trace_.stages.size()) - 1;
        s.runsBegin = std::uint32_t(trace_.runs.size());
        return s;
    }
    // Records the step's single element (count 1) and keeps a checkpoint now and then.
    void end(Step& s, int count)
    {
        if (count == 1)
            addRun(s.matrix, s.row, s.col, 1);
        s.runsEnd = std::uint32_t(trace_.runs.size());
        if (written_ >= lastCheckpoint_ + kCheckpointEvery) {
            lastCheckpoint_ = written_;
            trace_.checkpoints.push_back({std::uint32_t(trace_.runs.size()), splitAll(data_)});
        }
    }
    void rowStep(StepKind kind, MatrixName m, int row, int pivotRow, const TracedValue& v)
    {
        Step& s = begin(kind, m, row, -1);
        s.pivotRow = std::int16_t(pivotRow);
        s.value = v;
        const int count = std::min(data_.n + 1, matrixOf(data_, m).cols());
        trace_.runs.push_back({m, std::int16_t(row), 0, std::int16_t(count),
                               std::uint32_t(trace_.singles.size()),
                               std::int32_t(trace_.steps.size() - 1)});
        written_ += std::size_t(count);
        end(s, 0);
    }
    // Elements row (col ... col + count − 1) as they stand now, the part inside the bounds.
    void addRun(MatrixName m, int row, int col, int count)
    {
        const Matrix<TracedValue>& mat = matrixOf(data_, m);
        if (row < 0 || row >= mat.rows())
            return;
        count = std::min(count, mat.cols() - col);
        if (count <= 0)
            return;
        trace_.runs.push_back({m, std::int16_t(row), std::int16_t(col), std::int16_t(count),
                               std::uint32_t(trace_.singles.size())});
        written_ += std::size_t(count);
        const TracedValue* v = mat.row(row) + col;
        for (int c = 0; c < count; ++c) {
            trace_.singles.push_back(v[c].single);
            trace_.shadows.push_back(v[c].shadow);
        }
    }
    void closeStage()
    {
        if (!trace_.stages.empty())
            trace_.stages.back().endStep = std::uint32_t(trace_.steps.size());
    }

    StepTrace& trace_;
    TracedData& data_;
    Where where_;
    std::size_t written_ = 0; // elements written so far
    std::size_t lastCheckpoint_ = 0;
};

void applyRun(const StepTrace& trace, const WriteRun& run, TracedMatrices& m)
{
    float* single = m.single(run.matrix).row(run.row) + run.firstCol;
    double* shadow = m.shadow(run.matrix).row(run.row) + run.firstCol;
    if (run.replayedBy >= 0) {
        // The same stores as the solve made: they cannot trap, since they did not then.
        const Step& step = trace.steps[std::size_t(run.replayedBy)];
        const float* pivotRow = m.single(run.matrix).row(step.pivotRow);
        const double* pivotShadow = m.shadow(run.matrix).row(step.pivotRow);
        for (int c = 0; c < run.count; ++c) {
            const TracedValue x{single[c], shadow[c]};
            const TracedValue y = step.kind == StepKind::DivideRow
                                      ? over(x, step.value)
                                      : minusProduct(x, step.value, {pivotRow[c], pivotShadow[c]});
            single[c] = y.single;
            shadow[c] = y.shadow;
        }
        return;
    }
    std::copy_n(trace.singles.data() + run.offset, run.count, single);
    std::copy_n(trace.shadows.data() + run.offset, run.count, shadow);
}

} // namespace

double TracedValue::ulps() const noexcept
{
    const float magnitude = std::fabs(single);
    const float next = std::nextafter(magnitude, std::numeric_limits<float>::infinity());
    return (shadow - double(single)) / (double(next) - double(magnitude));
}

const SingleMatrix& TracedMatrices::single(MatrixName m) const
{
    return m == MatrixName::A ? A : m == MatrixName::B ? B : C;
}
const DoubleMatrix& TracedMatrices::shadow(MatrixName m) const
{
    return m == MatrixName::A ? shadowA : m == MatrixName::B ? shadowB : shadowC;
}
SingleMatrix& TracedMatrices::single(MatrixName m)
{
    return m == MatrixName::A ? A : m == MatrixName::B ? B : C;
}
DoubleMatrix& TracedMatrices::shadow(MatrixName m)
{
    return m == MatrixName::A ? shadowA : m == MatrixName::B ? shadowB : shadowC;
}

std::size_t StepTrace::leafCount() const
{
    return std::size_t(
        std::count_if(steps.begin(), steps.end(), [](const Step& s) { return s.isLeaf(); }));
}

std::span<const WriteRun> StepTrace::writesOf(std::size_t k) const
{
    const Step& s = steps.at(k);
    return std::span(runs).subspan(s.runsBegin, s.runsEnd - s.runsBegin);
}

std::span<const WriteRun> StepTrace::copiesBefore(std::size_t k) const
{
    const std::uint32_t from = k == 0 ? 0 : steps.at(k - 1).runsEnd;
    return std::span(runs).subspan(from, steps.at(k).runsBegin - from);
}

TracedMatrices StepTrace::finalMatrices() const
{
    TracedMatrices m = initial;
    for (const WriteRun& run : runs)
        applyRun(*this, run, m);
    return m;
}

StepTrace traceSolve(Method which, const Solver& state, WorksheetSource& sheet,
                     std::string_view decimalSeparator)
{
    StepTrace trace;
    trace.method = which;
    trace.n = state.n;
    TracedData data{state.n, paired(state.A), paired(state.B), paired(state.C), 0};
    Recorder recorder(trace, data);
    try {
        method::LeerDatos(data, sheet, decimalSeparator, NullObserver{});
    } catch (const RuntimeError& e) {
        trace.initial = splitAll(data);
        trace.ending = Ending::Error;
        trace.error = e.number();
        return trace;
    }
    trace.initial = splitAll(data);
    // The steps without an exchange: n² for Gauss-Jordan, 3n² for Choleski.
    const auto n = std::size_t(std::max<int>(state.n, 0));
    trace.steps.reserve((which == Method::Choleski ? 3 : 1) * n * n + 1);
    try {
        if (which == Method::Choleski) {
            method::CholeSki(data, recorder);
            method::SustAdelante(data, recorder);
            method::SustAtras(data, recorder);
        } else if (!method::GaussJordan(data, sheet, decimalSeparator, recorder)) {
            trace.ending = Ending::NotSoluble;
        }
    } catch (const RuntimeError& e) {
        recorder.trapped(e.number(), AfterTrap::StopWithError);
        trace.ending = Ending::Error;
        trace.error = e.number();
    }
    recorder.finish();
    return trace;
}

TraceCursor::TraceCursor(const StepTrace& trace) : trace_(&trace), matrices_(trace.initial) {}

void TraceCursor::applyRuns(std::uint32_t from, std::uint32_t to)
{
    for (std::uint32_t r = from; r < to; ++r)
        applyRun(*trace_, trace_->runs[r], matrices_);
    applied_ = to;
}

void TraceCursor::seek(std::ptrdiff_t k)
{
    const StepTrace& t = *trace_;
    k = std::clamp<std::ptrdiff_t>(k, -1, std::ptrdiff_t(t.steps.size()) - 1);
    const std::uint32_t target = k < 0 ? 0 : t.steps[std::size_t(k)].runsEnd;
    // The latest checkpoint not past the target, when it saves replaying.
    const StepTrace::Checkpoint* best = nullptr;
    for (const auto& c : t.checkpoints)
        if (c.afterRuns <= target)
            best = &c;
    if (target < applied_ || (best && best->afterRuns > applied_)) {
        matrices_ = best ? best->matrices : t.initial;
        applied_ = best ? best->afterRuns : 0;
    }
    applyRuns(applied_, target);
    position_ = k;
}

std::vector<TracedValue> TraceCursor::runningSums(std::size_t k)
{
    const Step& step = trace_->steps.at(k);
    seek(std::ptrdiff_t(k) - 1);
    std::vector<TracedValue> sums;
    if (step.kind != StepKind::ElementB && step.kind != StepKind::ElementC)
        return sums;
    // B(j, i): Σ B(j, k)·C(k, i) over k < i; C(i, l): Σ B(i, k)·C(k, l) over k < i.
    const int row = step.row;
    const int col = step.col;
    const int count = step.kind == StepKind::ElementB ? col : row;
    TracedValue s;
    for (int i = 0; i < count; ++i) {
        const TracedValue b{matrices_.B.at(row, i), matrices_.shadowB.at(row, i)};
        const TracedValue c{matrices_.C.at(i, col), matrices_.shadowC.at(i, col)};
        s = plusProduct(s, b, c);
        sums.push_back(s);
    }
    return sums;
}

} // namespace solver
