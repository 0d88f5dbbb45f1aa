#pragma once

#include "steps/StepTrace.h"

#include <cstddef>
#include <string>
#include <string_view>

// The record of a solve told in the program's Spanish: one plain sentence per step, a
// title per stage, and how the solve ended. Indices are shown from 1, like the worksheet's
// headers; numbers in the program's general text form with the given decimal separator.
namespace verification {

std::string stageTitle(const solver::StepTrace& trace, std::size_t stage);
std::string stepSentence(const solver::StepTrace& trace, std::size_t step,
                         std::string_view decimalSeparator);
// Where the solve ended and why, for a solve that did not complete; empty when it did.
std::string endingSentence(const solver::StepTrace& trace);
// "Método de Choleski", "Método de Gauss - Jordan".
std::string methodTitle(solver::Method method);
// A number's text as a sentence prints it: a leading minus as the sign "−", as beside the
// sentences' other operators, and as screen readers say "menos".
std::string signedText(std::string text);

} // namespace verification
