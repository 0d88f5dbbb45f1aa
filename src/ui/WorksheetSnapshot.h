#pragma once

#include "solver/WorksheetSource.h"

#include <string>
#include <vector>

class GridControl;

// The worksheet's texts as they stand, for a solve that must read them without touching
// the worksheet: writes land in the copy only.
class WorksheetSnapshot : public solver::WorksheetSource
{
public:
    explicit WorksheetSnapshot(const GridControl& grid);

    std::string TextMatrix(int row, int col) const override;
    void setTextMatrix(int row, int col, std::string_view text) override;

private:
    int rows_;
    int cols_;
    std::vector<std::string> texts_;
};
