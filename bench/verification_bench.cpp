// The verification of a solution at n = 100 beside the Choleski method that produced it,
// on the same random worksheet. Run: build/bench/verification_bench
#include "RandomSystem.h"
#include "solver/Solver.h"
#include "verification/Verification.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kN = 100;

void CholeskiAt100(benchmark::State& state)
{
    const solver::Solver start = makeSystem(kN);
    for (auto _ : state) {
        solver::Solver s = start;
        solveByCholeski(s);
        benchmark::DoNotOptimize(s.C.row(0));
    }
}

void VerificationAt100(benchmark::State& state)
{
    solver::Solver s = makeSystem(kN);
    const solver::SingleMatrix a = s.A;
    solveByCholeski(s);
    verification::Input input{a, {}, verification::Method::Choleski, s.FilaCambio};
    for (int i = 0; i < kN; ++i)
        input.x.push_back(s.C.at(i, kN));
    for (auto _ : state) {
        const verification::Report report = verification::verify(input);
        benchmark::DoNotOptimize(report.condition);
    }
}

} // namespace

BENCHMARK(CholeskiAt100)->Unit(benchmark::kMillisecond);
BENCHMARK(VerificationAt100)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
