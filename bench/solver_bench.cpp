// The checked solver beside the same loops with no checks at all: what the error
// detection costs; the same solve recorded step by step, with the record's size; and the solve
// with the null observer beside the step recorder, both reading the worksheet.
// Run: build/bench/solver_bench
#include "RandomSystem.h"
#include "solver/Solver.h"
#include "solver/WorksheetSource.h"
#include "steps/StepTrace.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// The same order of operations with no bounds checks, no trap checks and no retries.
using Matrix = std::vector<std::vector<float>>;

void croutUnchecked(const Matrix& A, Matrix& B, Matrix& C, int n)
{
    for (int i = 0; i < n; ++i)
        C[i][i] = 1.f;
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            if (i == 0) {
                B[j][0] = A[j][0];
                continue;
            }
            float s = 0.f;
            for (int k = 0; k < i; ++k)
                s = float(double(s) + double(B[j][k]) * C[k][i]);
            B[j][i] = float(double(A[j][i]) - s);
        }
        for (int l = i + 1; l < n; ++l) {
            if (i == 0) {
                C[0][l] = float(double(A[0][l]) / B[0][0]);
                continue;
            }
            float s = 0.f;
            for (int k = 0; k < i; ++k)
                s = float(double(s) + double(B[i][k]) * C[k][l]);
            C[i][l] = float((double(A[i][l]) - s) / B[i][i]);
        }
    }
}

void reduceUnchecked(Matrix& M, int n)
{
    for (int j = 0; j < n; ++j) {
        const float p = M[j][j];
        for (int k = 0; k <= n; ++k)
            M[j][k] = float(double(M[j][k]) / p);
        for (int l = 0; l < n; ++l) {
            if (l == j)
                continue;
            const float f = M[l][j];
            for (int m = 0; m <= n; ++m)
                M[l][m] = float(double(M[l][m]) - double(f) * M[j][m]);
        }
    }
}

Matrix toRows(const solver::SingleMatrix& m)
{
    Matrix rows(std::size_t(m.rows()), std::vector<float>(std::size_t(m.cols())));
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.cols(); ++j)
            rows[i][j] = m.at(i, j);
    return rows;
}

void CholeskiChecked(benchmark::State& state)
{
    const int n = int(state.range(0));
    solver::Solver s = makeSystem(n);
    for (auto _ : state) {
        solveByCholeski(s);
        benchmark::DoNotOptimize(s.C.row(0));
    }
}

void CholeskiUnchecked(benchmark::State& state)
{
    const int n = int(state.range(0));
    const solver::Solver s = makeSystem(n);
    const Matrix A = toRows(s.A);
    Matrix B = toRows(s.B);
    Matrix C = toRows(s.C);
    for (auto _ : state) {
        croutUnchecked(A, B, C, n);
        for (int i = 0; i < n; ++i)
            B[i][n] = A[i][n];
        reduceUnchecked(B, n);
        for (int i = 0; i < n; ++i)
            C[i][n] = B[i][n];
        reduceUnchecked(C, n);
        benchmark::DoNotOptimize(C[0].data());
    }
}

void GaussJordanChecked(benchmark::State& state)
{
    const int n = int(state.range(0));
    solver::Solver s = makeSystem(n);
    const solver::SingleMatrix original = s.A;
    UnreadSheet sheet;
    for (auto _ : state) {
        s.A = original;
        benchmark::DoNotOptimize(s.GaussJordan(sheet, "."));
    }
}

void GaussJordanUnchecked(benchmark::State& state)
{
    const int n = int(state.range(0));
    const Matrix original = toRows(makeSystem(n).A);
    Matrix A;
    for (auto _ : state) {
        A = original;
        reduceUnchecked(A, n);
        benchmark::DoNotOptimize(A[0].data());
    }
}

// The size of everything the record holds.
double megabytes(const solver::StepTrace& t)
{
    const auto matrices = [](const solver::TracedMatrices& m) {
        std::size_t cells = 0;
        for (const auto* s : {&m.A, &m.B, &m.C})
            cells += std::size_t(s->rows()) * std::size_t(s->cols());
        return cells * (sizeof(float) + sizeof(double));
    };
    std::size_t bytes =
        t.steps.capacity() * sizeof(solver::Step) + t.stages.capacity() * sizeof(solver::Stage) +
        t.runs.capacity() * sizeof(solver::WriteRun) + t.singles.capacity() * sizeof(float) +
        t.shadows.capacity() * sizeof(double) + matrices(t.initial);
    for (const auto& c : t.checkpoints)
        bytes += matrices(c.matrices);
    return double(bytes) / (1024.0 * 1024.0);
}

// Recording a solve and bringing a cursor to its middle step and then to its last, as the
// step view does when it opens.
void Traced(benchmark::State& state, solver::Method method)
{
    const int n = int(state.range(0));
    const solver::Solver s = makeSystem(n);
    RowsSheet sheet(s);
    double size = 0;
    for (auto _ : state) {
        const solver::StepTrace trace = solver::traceSolve(method, s, sheet, ".");
        solver::TraceCursor cursor(trace);
        cursor.seek(std::ptrdiff_t(trace.steps.size() / 2));
        cursor.seek(std::ptrdiff_t(trace.steps.size()) - 1);
        benchmark::DoNotOptimize(cursor.matrices().A.row(0));
        size = megabytes(trace);
    }
    state.counters["MiB"] = size;
}

// The solve as the window runs it, reading the worksheet, with the null observer (the
// solve command) or with the step recorder (traceSolve): what listening costs.
void Unobserved(benchmark::State& state)
{
    const solver::Solver system = makeSystem(int(state.range(0)));
    RowsSheet sheet(system);
    solver::Solver s = system;
    for (auto _ : state) {
        s.FilaCambio = 0;
        s.LeerDatos(sheet, ".");
        if (state.range(1) == 0)
            solveByCholeski(s);
        else
            benchmark::DoNotOptimize(s.GaussJordan(sheet, "."));
        benchmark::DoNotOptimize(s.C.row(0));
    }
}

void Recorded(benchmark::State& state)
{
    const solver::Solver s = makeSystem(int(state.range(0)));
    RowsSheet sheet(s);
    const auto method =
        state.range(1) == 0 ? solver::Method::Choleski : solver::Method::GaussJordan;
    for (auto _ : state)
        benchmark::DoNotOptimize(solver::traceSolve(method, s, sheet, ".").steps.data());
}

void TracedCholeski(benchmark::State& state)
{
    Traced(state, solver::Method::Choleski);
}
void TracedGaussJordan(benchmark::State& state)
{
    Traced(state, solver::Method::GaussJordan);
}

} // namespace

BENCHMARK(Unobserved)->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(Recorded)->Args({100, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(TracedCholeski)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(TracedGaussJordan)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(CholeskiChecked)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(CholeskiUnchecked)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(GaussJordanChecked)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(GaussJordanUnchecked)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
