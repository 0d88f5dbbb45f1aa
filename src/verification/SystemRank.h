#pragma once

#include "solver/SingleMatrix.h"
#include "verification/Verification.h"

#include <vector>

namespace verification {

// Whether the system itself has one solution, seen in double precision: what tells a
// singular system apart from a method that stopped on a system it could have solved.
struct SystemRank
{
    int n = 0;
    int rank = 0;
    // Of the coefficient block.
    Determinant determinant;
    // The equations (from 0) of one linear dependency among the coefficient rows, two
    // proportional ones where there are such; empty at full rank.
    std::vector<int> dependent;

    bool singular() const { return rank < n; }
};

// A: n rows, n + 1 columns, the independent term last.
SystemRank systemRank(const solver::SingleMatrix& A);

} // namespace verification
