#pragma once

#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "grid/Twips.h"

#include <QImage>
#include <QItemSelectionModel>
#include <QSize>
#include <QTest>

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

// A worksheet of n equations with its headers, at a size that shows the whole of a small one.
inline std::unique_ptr<GridControl> worksheetGrid(int n)
{
    auto grid = shapedGrid(n + 1, n + 2);
    layOutWorksheet(*grid, n);
    return grid;
}

// The largest worksheet, of 100 equations, at the worksheet's place and size in the window.
inline void layOutLargestWorksheet(GridControl& grid)
{
    grid.setGeometry(twipsToPixels(105), twipsToPixels(885), twipsToPixels(6990), twipsToPixels(3735));
    layOutWorksheet(grid, 100);
    grid.setColWidth(0, 500);
}

inline bool showAndWait(QWidget& widget)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

// The middle of a cell, in the viewport's coordinates.
inline QPoint cellCentre(const GridControl& grid, int row, int col)
{
    return grid.visualRect(grid.model()->index(row, col)).center();
}

// The colour near the top left inside a cell of a grab of the grid, clear of the text and
// of the focus frame.
inline QRgb cellColour(const GridControl& grid, const QImage& grab, int row, int col)
{
    const QRect rect = grid.visualRect(grid.model()->index(row, col));
    return grab.pixel(grid.viewport()->mapTo(&grid, rect.topLeft() + QPoint(2, 2)));
}

// The current cell and the selection's corner: "Row,Col-RowSel,ColSel".
inline QString selectionText(const GridControl& grid)
{
    return QStringLiteral("%1,%2-%3,%4").arg(grid.Row()).arg(grid.Col()).arg(grid.RowSel()).arg(grid.ColSel());
}

// The selection model's cells as "top,left-bottom,right", when they form one rectangle.
inline QString modelSelection(const GridControl& grid)
{
    const QItemSelection selected = grid.selectionModel()->selection();
    if (selected.size() != 1)
        return QStringLiteral("%1 ranges").arg(selected.size());
    const QItemSelectionRange& range = selected.front();
    return QStringLiteral("%1,%2-%3,%4").arg(range.top()).arg(range.left()).arg(range.bottom()).arg(range.right());
}

// Records LeaveCell and RowColChange with the current cell as the grid reports it at the
// moment each is raised; deaf once it is gone.
struct MoveLog
{
    explicit MoveLog(GridControl& grid)
    {
        QObject::connect(&grid, &GridControl::LeaveCell, &context,
                         [this, &grid] { log << QStringLiteral("leave %1,%2").arg(grid.Row()).arg(grid.Col()); });
        QObject::connect(&grid, &GridControl::RowColChange, &context,
                         [this, &grid] { log << QStringLiteral("change %1,%2").arg(grid.Row()).arg(grid.Col()); });
    }

    // What one move from one cell to another logs.
    static QStringList move(const QString& from, const QString& to)
    {
        return {QStringLiteral("leave ") + from, QStringLiteral("change ") + to};
    }

    QObject context;
    QStringList log;
};
