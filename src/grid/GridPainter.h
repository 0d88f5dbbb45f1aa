#pragma once

#include "grid/GridGeometry.h"

#include <QPalette>

class CellTextCache;
class GridControl;
class QColor;
class QPainter;
class QRect;
class QStaticText;
class QString;

// Draws a grid's cells onto its viewport: headers in button colours, the body in base
// colours, an extended selection highlighted, and the current cell highlighted with a
// focus frame while the grid has the focus. One painter serves one paint event.
class GridPainter
{
public:
    // `texts` keeps the laid-out texts from one paint to the next; `lineHeight` is the
    // font's line height, by which a text is centred.
    GridPainter(const GridControl& grid, QPainter& painter, CellTextCache& texts, qreal lineHeight);

    // Every cell in view that meets `exposed`, over the dark background of the empty area.
    void paint(const QRect& exposed);

private:
    void paintCell(int row, int col, const QRect& rect);
    void paintHeaderText(int row, int col, const QString& text, const QRect& inner,
                         const QColor& colour);
    void paintText(int row, int col, const QString& text, const QRect& inner, const QColor& colour);
    void drawPlaced(const QStaticText& text, qreal width, qreal lineHeight, Qt::Alignment alignment,
                    const QRect& area);

    const GridControl& grid_;
    QPainter& painter_;
    CellTextCache& texts_;
    const GridGeometry::View view_;
    const bool enabled_;
    const QPalette::ColorGroup group_;
    const qreal lineHeight_;
};
