#pragma once

#include "report/SolveReport.h"

#include <string>
#include <string_view>

namespace report {

// The report as a LaTeX document (amsmath): the system as an augmented array, B and C as
// pmatrix, the solution as a column vector, for a teacher to take into class notes.
std::string latexReport(const SolveReport& report);

// Text for a LaTeX paragraph: its special characters escaped, the check's symbols
// (‖, ∞, κ, ·, −, x̂) in math mode.
std::string latexText(std::string_view text);

} // namespace report
