// Both methods beside OpenBLAS's sgesv (LU with partial pivoting, single precision, one
// thread) on the same system: how far the checked, element-by-element-exact solver is
// from a tuned library. Run: build/bench/blas_bench
#include "RandomSystem.h"
#include "solver/Solver.h"
#include "solver/WorksheetSource.h"

#include <benchmark/benchmark.h>

#include <vector>

extern "C" {
void sgesv_(const int* n, const int* nrhs, float* a, const int* lda, int* ipiv, float* b,
            const int* ldb, int* info);
void openblas_set_num_threads(int threads);
}

namespace {

void Choleski(benchmark::State& state)
{
    solver::Solver s = makeSystem(int(state.range(0)));
    for (auto _ : state) {
        solveByCholeski(s);
        benchmark::DoNotOptimize(s.C.row(0));
    }
}

void GaussJordan(benchmark::State& state)
{
    solver::Solver s = makeSystem(int(state.range(0)));
    const solver::SingleMatrix original = s.A;
    UnreadSheet sheet;
    for (auto _ : state) {
        s.A = original;
        benchmark::DoNotOptimize(s.GaussJordan(sheet, "."));
    }
}

void Sgesv(benchmark::State& state)
{
    const int n = int(state.range(0));
    const solver::Solver s = makeSystem(n);
    // Column-major, as LAPACK reads it.
    std::vector<float> a0(std::size_t(n) * n);
    std::vector<float> b0(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            a0[std::size_t(j) * n + i] = s.A.at(i, j);
        b0[std::size_t(i)] = s.A.at(i, n);
    }
    std::vector<float> a;
    std::vector<float> b;
    std::vector<int> pivots(static_cast<std::size_t>(n));
    const int nrhs = 1;
    int info = 0;
    for (auto _ : state) {
        a = a0;
        b = b0;
        sgesv_(&n, &nrhs, a.data(), &n, pivots.data(), b.data(), &n, &info);
        benchmark::DoNotOptimize(b.data());
    }
    if (info != 0)
        state.SkipWithError("sgesv failed");
}

} // namespace

BENCHMARK(Choleski)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(GaussJordan)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(Sgesv)->Arg(100)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    openblas_set_num_threads(1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
