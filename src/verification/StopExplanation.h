#pragma once

#include "verification/SystemRank.h"
#include "verification/Verification.h"

#include <string>
#include <string_view>

namespace verification {

// Why a solve that stopped did not give the solution, in one plain sentence: the system
// itself has none (or not one), or it has one that this method cannot reach; then which of
// the program's methods, if any, does reach it.
std::string stopExplanation(Method method, const SystemRank& rank, bool otherMethodSolves,
                            std::string_view decimalSeparator);

// "1", "1 y 2", "1, 2 y 4": equations from 0, shown from 1.
std::string equationList(const std::vector<int>& equations);

} // namespace verification
