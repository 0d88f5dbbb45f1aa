#include "ui/WorksheetSnapshot.h"

#include "grid/GridControl.h"
#include "solver/RuntimeError.h"

WorksheetSnapshot::WorksheetSnapshot(const GridControl& grid)
    : rows_(grid.Rows()), cols_(grid.Cols())
{
    texts_.reserve(std::size_t(rows_) * std::size_t(cols_));
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c)
            texts_.push_back(grid.TextView(r, c).toString().toStdString());
}

std::string WorksheetSnapshot::TextMatrix(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throw solver::RuntimeError(solver::RuntimeError::SubscriptOutOfRange);
    return texts_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)];
}

void WorksheetSnapshot::setTextMatrix(int row, int col, std::string_view text)
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throw solver::RuntimeError(solver::RuntimeError::SubscriptOutOfRange);
    texts_[std::size_t(row) * std::size_t(cols_) + std::size_t(col)] = std::string(text);
}
