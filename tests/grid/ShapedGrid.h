#pragma once

#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "grid/Twips.h"

#include <QSize>

#include <memory>

// A grid of the given shape, at a size that shows the whole of a small one.
inline std::unique_ptr<GridControl> shapedGrid(int rows, int cols, int fixedRows = 1, int fixedCols = 1, QSize size = {400, 200})
{
    auto grid = std::make_unique<GridControl>();
    grid->setRows(rows);
    grid->setCols(cols);
    grid->setFixedRows(fixedRows);
    grid->setFixedCols(fixedCols);
    grid->resize(size);
    return grid;
}

// The largest worksheet, of 100 equations, at the worksheet's place and size in the window.
inline void layOutLargestWorksheet(GridControl& grid)
{
    grid.setGeometry(twipsToPixels(105), twipsToPixels(885), twipsToPixels(6990), twipsToPixels(3735));
    layOutWorksheet(grid, 100);
    grid.setColWidth(0, 500);
}

// The current cell and the selection's corner: "Row,Col-RowSel,ColSel".
inline QString selectionText(const GridControl& grid)
{
    return QStringLiteral("%1,%2-%3,%4").arg(grid.Row()).arg(grid.Col()).arg(grid.RowSel()).arg(grid.ColSel());
}
