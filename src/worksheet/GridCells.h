#pragma once

#include "solver/WorksheetSource.h"

class GridControl;

// The solver's view of a grid: cell texts as UTF-8, and a cell outside the grid is a
// subscript error (`RuntimeError::SubscriptOutOfRange`) instead of the grid's silent empty
// read or ignored write.
class GridCells : public solver::WorksheetSource
{
public:
    explicit GridCells(GridControl& grid) : grid_(grid) {}

    std::string TextMatrix(int row, int col) const override;
    void setTextMatrix(int row, int col, std::string_view text) override;

    // The cell read last: where a reading stopped on a text it refused.
    int lastRow() const { return lastRow_; }
    int lastCol() const { return lastCol_; }

private:
    void comprobar(int row, int col) const;

    GridControl& grid_;
    mutable int lastRow_ = -1;
    mutable int lastCol_ = -1;
};
