#include "grid/CellSelection.h"

#include <algorithm>

CellPosition stepFrom(const GridShape& shape, CellPosition from, CellStep step, bool control,
                      int pageRows)
{
    const int firstRow = shape.fixedRows;
    const int lastRow = shape.rows - 1;
    const int firstCol = shape.fixedCols;
    const int lastCol = shape.cols - 1;
    int row = from.row;
    int col = from.col;
    switch (step) {
    case CellStep::Up:
        row = std::max(firstRow, row - 1);
        break;
    case CellStep::Down:
        row = std::min(lastRow, row + 1);
        break;
    case CellStep::Left:
        col = std::max(firstCol, col - 1);
        break;
    case CellStep::Right:
        col = std::min(lastCol, col + 1);
        break;
    case CellStep::Home:
        col = firstCol;
        if (control)
            row = firstRow;
        break;
    case CellStep::End:
        col = lastCol;
        if (control)
            row = lastRow;
        break;
    case CellStep::PageUp:
        row = std::max(firstRow, row - pageRows);
        break;
    case CellStep::PageDown:
        row = std::min(lastRow, row + pageRows);
        break;
    case CellStep::Next:
        if (col < lastCol) {
            ++col;
        } else if (row < lastRow) {
            ++row;
            col = firstCol;
        }
        break;
    case CellStep::Previous:
        if (col > firstCol) {
            --col;
        } else if (row > firstRow) {
            --row;
            col = lastCol;
        }
        break;
    }
    return {row, col};
}

int CellSelection::top() const
{
    return std::min(current_.row, corner_.row);
}

int CellSelection::bottom() const
{
    return std::max(current_.row, corner_.row);
}

int CellSelection::left() const
{
    return std::min(current_.col, corner_.col);
}

int CellSelection::right() const
{
    return std::max(current_.col, corner_.col);
}

bool CellSelection::contains(int row, int col) const
{
    return hasCell() && row >= top() && row <= bottom() && col >= left() && col <= right();
}

CellSelection CellSelection::reshaped(const GridShape& shape) const
{
    if (!shape.hasBody())
        return {};
    if (!hasCell())
        return {shape.fixedRows, shape.fixedCols};
    const auto clamped = [&shape](CellPosition cell) {
        return CellPosition{std::clamp(cell.row, shape.fixedRows, shape.rows - 1),
                            std::clamp(cell.col, shape.fixedCols, shape.cols - 1)};
    };
    const CellPosition current = clamped(current_);
    CellSelection result(current.row, current.col);
    if (current == current_)
        result.corner_ = clamped(corner_);
    return result;
}
