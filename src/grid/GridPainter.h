#pragma once

#include "grid/GridGeometry.h"

#include <QPalette>

class GridControl;
class QPainter;
class QRect;

// Draws a grid's cells onto its viewport: headers in button colours, the body in base
// colours, an extended selection highlighted, and the current cell highlighted with a
// focus frame while the grid has the focus. One painter serves one paint event.
class GridPainter
{
public:
    GridPainter(const GridControl& grid, QPainter& painter);

    // Every cell in view that meets `exposed`, over the dark background of the empty area.
    void paint(const QRect& exposed);

private:
    void paintCell(int row, int col, const QRect& rect);

    const GridControl& grid_;
    QPainter& painter_;
    const GridGeometry::View view_;
    const bool enabled_;
    const QPalette::ColorGroup group_;
};
