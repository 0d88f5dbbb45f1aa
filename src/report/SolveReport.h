#pragma once

#include "verification/ReportText.h"
#include "verification/Verification.h"

#include <string>
#include <vector>

namespace report {

// A grid's cells as its model holds them, row by row.
using Cells = std::vector<std::vector<std::string>>;

// What the window hands over after a solve: the texts its grids show and the solve itself.
struct SolveRecord
{
    // The date in the user's long format.
    std::string date;
    std::string decimalSeparator;
    // The worksheet with its headers: n + 1 rows, n + 2 columns.
    Cells worksheet;
    // The B and C grids, n × n; empty after a Gauss-Jordan solve.
    Cells b;
    Cells c;
    // The solution grid: n rows of label and value.
    Cells solution;
    // The system as the solve read it, the solution it stored, the method, FilaCambio.
    verification::Input solve;
};

// The parts of a report, in the order a reader meets them.
enum class Part
{
    System,
    Exchanges,
    Factors,
    Solution,
    Summary
};

// The report of one solve as plain text and tables: what goes on paper, not how. Every
// number is the text its grid shows.
struct SolveReport
{
    std::string title;
    std::string date;
    std::string method;
    int n = 0;
    // Each table's first column names its rows; its first header heads that column.
    verification::Table system;
    std::vector<std::string> exchanges;
    // The order of the rows the method worked with, where it differs from the worksheet's.
    verification::Table exchangeOrder;
    // Empty tables after a Gauss-Jordan solve.
    verification::Table b;
    verification::Table c;
    verification::Table solution;
    // The double-precision check: its sentences and its figures.
    std::vector<std::string> statements;
    std::vector<verification::Figure> figures;
    std::vector<Part> order;

    bool hasFactors() const { return !b.rows.empty(); }
};

// From this many equations on, the solution and the check open the report: the matrices
// run to many pages.
constexpr int kSolutionFirstFrom = 11;

SolveReport buildReport(const SolveRecord& record);

// The heading of each part.
std::string partTitle(Part part);

} // namespace report
