#pragma once

#include "grid/GridPaintState.h"

#include <QPalette>

class QColor;
class QPainter;
class QRect;
class QStaticText;
class QString;

// Draws a grid's cells onto its viewport: headers in button colours, the body in base
// colours, an extended selection highlighted, and the current cell highlighted with a
// focus frame while the grid has the focus. A muted grid's body texts are subdued, and a
// cell that the model marks has a red corner and a dashed underline. One painter serves one paint
// event, and draws from the state it is handed alone.
class GridPainter
{
public:
    // `state` must outlive the painter.
    GridPainter(const GridPaintState& state, QPainter& painter);

    // Every cell in view that meets `exposed`, over the dark background of the empty area.
    void paint(const QRect& exposed);

private:
    void paintCell(int row, int col, const QRect& rect);
    void paintHeaderText(int row, int col, const QString& text, const QRect& inner,
                         const QColor& colour);
    void paintText(int row, int col, const QString& text, const QRect& inner, const QColor& colour);
    void paintMark(const QRect& inner);
    void drawPlaced(const QStaticText& text, qreal width, qreal lineHeight, Qt::Alignment alignment,
                    const QRect& area);

    const GridPaintState& state_;
    QPainter& painter_;
    const QPalette::ColorGroup group_;
};
