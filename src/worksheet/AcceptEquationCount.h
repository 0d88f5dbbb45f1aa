#pragma once

struct WorksheetControls;

namespace solver {
class Solver;
}

// Accepts the number of equations in the number box: outside 2..100 (or not a number)
// it is refused with a warning and nothing changes; otherwise n is stored, the worksheet
// laid out and the solver's matrices created anew for n. A worksheet hidden behind the
// matrices view is brought back first, so that the user sees what was laid out. Gives
// whether n was accepted: the worksheet is then laid out anew, or its failure reported.
bool acceptEquationCount(const WorksheetControls& hoja, solver::Solver& datos);
