#pragma once

#include "solver/Solver.h"

#include <cstdint>
#include <random>

// The system every solver benchmark works on: n equations with whole coefficients from 0
// to 99 and terms from 0 to 7099, drawn from a fixed seed, so that figures compare.
inline solver::Solver makeSystem(int n)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coefficient(0, 99);
    std::uniform_int_distribution<int> term(0, 7099);
    solver::Solver s;
    s.n = std::int16_t(n);
    s.Redimensionar();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j)
            s.A.set(i, j, float(coefficient(rng)));
        s.A.set(i, n, float(term(rng)));
    }
    return s;
}
