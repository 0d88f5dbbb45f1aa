#pragma once

#include "steps/StepTrace.h"

#include <QPoint>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GridControl;

// The matrices of a solve as they stand after one of its steps, laid out on a grid:
// Gauss-Jordan's A with its independent terms, or Choleski's B with the column y beside C
// with the column x, each work column shown from the first step of its substitution on.
// Maps the grid's cells to the matrices' elements both ways, and a change of step rewrites
// only the cells written in between.
class StepGridFiller
{
public:
    struct Element
    {
        solver::MatrixName matrix;
        int row;
        int col;
    };
    // What a step did, at the grid's coordinates (row, column).
    struct StepCells
    {
        std::vector<QPoint> written;
        std::optional<QPoint> pivot;
    };

    // `separator`: the decimal separator of the texts written.
    StepGridFiller(const solver::StepTrace& trace, solver::TraceCursor& cursor, GridControl& grid,
                   std::string separator);

    // The grid's size, headers and column widths.
    void layOut();
    // Moves the cursor to step k (-1: before the first) and writes the grid as it stands.
    void show(std::ptrdiff_t k);
    // The step shown; -2 before the first show.
    std::ptrdiff_t shown() const { return shown_; }
    StepCells cellsOf(std::ptrdiff_t k) const;
    // The element at a cell of the grid, if it has a value at the step shown.
    std::optional<Element> elementAt(int gridRow, int gridCol) const;

private:
    std::optional<QPoint> gridCell(solver::MatrixName m, int row, int col) const;
    bool columnShown(solver::MatrixName m, int col) const;
    void writeAll();
    void writeRuns(std::uint32_t from, std::uint32_t to);
    void writeCell(solver::MatrixName m, int row, int col);
    std::uint32_t runsAfter(std::ptrdiff_t k) const;

    const solver::StepTrace& trace_;
    solver::TraceCursor& cursor_;
    GridControl& grid_;
    std::string separator_;
    std::ptrdiff_t shown_ = -2;
    // First steps of the substitutions: the work columns y and x are shown from there on.
    std::ptrdiff_t forwardStart_ = -1;
    std::ptrdiff_t backStart_ = -1;
    bool yShown_ = false;
    bool xShown_ = false;
};
