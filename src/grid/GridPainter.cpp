#include "grid/GridPainter.h"

#include "grid/CellAlignment.h"
#include "grid/CellSelection.h"
#include "grid/CellTextCache.h"
#include "grid/CellTextFit.h"
#include "grid/GridModel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>
#include <QStaticText>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {
const QColor kBodyLineColor(192, 192, 192);
const QColor kFixedLineColor(Qt::black);
const QColor kMarkColor(204, 0, 0);

// Half-way between a text's colour and its background's: still legible, plainly subdued.
QColor between(const QColor& a, const QColor& b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}
} // namespace

GridPainter::GridPainter(const GridPaintState& state, QPainter& painter)
    : state_(state), painter_(painter),
      group_(state.enabled ? QPalette::Active : QPalette::Disabled)
{
    painter_.setFont(state_.font);
}

void GridPainter::paint(const QRect& exposed)
{
    state_.texts.beginPaint();
    painter_.fillRect(exposed, state_.palette.brush(group_, QPalette::Dark));

    const GridGeometry& geometry = state_.geometry;
    const std::vector<int> rows = geometry.rowsInView(state_.view);
    const std::vector<int> cols = geometry.colsInView(state_.view);
    for (const int r : rows) {
        for (const int c : cols) {
            const QRect rect = geometry.cellRect(r, c, state_.view);
            if (rect.intersects(exposed))
                paintCell(r, c, rect);
        }
    }
}

void GridPainter::paintCell(int row, int col, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    const GridGeometry& geometry = state_.geometry;
    const CellSelection& selection = state_.selection;
    const bool enabled = state_.enabled;
    const bool fixed = row < geometry.fixedRowCount() || col < geometry.fixedColCount();
    const bool current = CellPosition{row, col} == selection.current();
    const bool focused = current && enabled && state_.hasFocus;
    const bool highlighted =
        focused || (enabled && selection.isExtended() && !fixed && selection.contains(row, col));

    QPalette::ColorRole background = fixed ? QPalette::Button : QPalette::Base;
    QPalette::ColorRole foreground = fixed ? QPalette::ButtonText : QPalette::Text;
    if (highlighted) {
        background = QPalette::Highlight;
        foreground = QPalette::HighlightedText;
    }
    const QPalette& palette = state_.palette;
    // The grid lines take the last pixel column and row of each cell.
    const QRect inner = rect.adjusted(0, 0, -1, -1);
    painter_.fillRect(inner, palette.brush(group_, background));
    const QColor& line = fixed ? kFixedLineColor : kBodyLineColor;
    painter_.fillRect(rect.right(), rect.top(), 1, rect.height(), line);
    painter_.fillRect(rect.left(), rect.bottom(), rect.width() - 1, 1, line);

    const QString text = state_.model.text(row, col);
    if (!text.isEmpty()) {
        QColor colour = palette.color(group_, foreground);
        if (state_.muted && !fixed)
            colour = between(colour, palette.color(group_, background));
        if (fixed)
            paintHeaderText(row, col, text, inner, colour);
        else
            paintText(row, col, text, inner, colour);
        if (!fixed && state_.model.note(row, col).marked)
            paintMark(inner);
    }

    if (focused && state_.styleSource) {
        const QWidget* widget = state_.styleSource;
        QStyleOptionFocusRect option;
        option.initFrom(widget);
        option.rect = inner;
        option.backgroundColor = palette.color(group_, background);
        widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter_, widget);
    }
}

// Headers must read whole, through the condensed face where they need it; the grid's own
// font is given back for the body's cached texts, laid out in it.
void GridPainter::paintHeaderText(int row, int col, const QString& text, const QRect& inner,
                                  const QColor& colour)
{
    const QRect visible(0, 0, state_.view.width, state_.view.height);
    const CellTextFit::Layout fit = state_.textFit.layout(state_.font, text, inner, visible);
    const bool otherFont = fit.font != painter_.font();
    if (otherFont)
        painter_.setFont(fit.font);
    painter_.setPen(colour);
    const Qt::Alignment alignment = state_.model.cellAlignment(row, col);
    if (fit.whole)
        drawPlaced(*fit.whole, fit.wholeWidth, QFontMetricsF(fit.font).height(), alignment,
                   fit.area);
    else
        painter_.drawText(fit.area, static_cast<int>(alignment), fit.shown);
    if (otherFont)
        painter_.setFont(state_.font);
}

// Align within the part of the cell that is in view, and mark a text that does not fit
// with an ellipsis: a number cut off at the edge would read as another number.
void GridPainter::paintText(int row, int col, const QString& text, const QRect& inner,
                            const QColor& colour)
{
    const QRect area = inner.adjusted(CellTextFit::kMargin, 0, -CellTextFit::kMargin, 0)
                           .intersected(QRect(0, 0, state_.view.width, state_.view.height));
    const CellTextCache::Entry& shown = state_.texts.lookup(row, col, text, area.width());
    painter_.setPen(colour);
    drawPlaced(shown.shown, shown.shownWidth, state_.lineHeight,
               cellAlignment(state_.model.colAlignment(col), false, shown.numeric), area);
}

// Shapes that read without their colour: a triangle in the top-left corner, a dashed line
// along the foot of the cell.
void GridPainter::paintMark(const QRect& inner)
{
    const int side = std::min({7, inner.width() / 2, inner.height() / 2});
    if (side < 2)
        return;
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(kMarkColor);
    const QPoint corner = inner.topLeft();
    painter_.drawPolygon(QPolygon({corner, corner + QPoint(side, 0), corner + QPoint(0, side)}));
    painter_.setPen(QPen(kMarkColor, 1, Qt::DashLine));
    painter_.drawLine(inner.left() + 1, inner.bottom() - 1, inner.right() - 1, inner.bottom() - 1);
    painter_.restore();
}

// A laid-out text placed, and clipped, where QPainter::drawText puts it in `area`.
void GridPainter::drawPlaced(const QStaticText& text, qreal width, qreal lineHeight,
                             Qt::Alignment alignment, const QRect& area)
{
    QPointF at(area.topLeft());
    if (alignment & Qt::AlignRight)
        at.rx() += area.width() - width;
    else if (alignment & Qt::AlignHCenter)
        at.rx() += (area.width() - width) / 2;
    if (alignment & Qt::AlignBottom)
        at.ry() += area.height() - lineHeight;
    else if (alignment & Qt::AlignVCenter)
        at.ry() += (area.height() - lineHeight) / 2;
    if (QRectF(area).contains(QRectF(at, QSizeF(width, lineHeight)))) {
        painter_.drawStaticText(at, text);
        return;
    }
    painter_.save();
    painter_.setClipRect(area, Qt::IntersectClip);
    painter_.drawStaticText(at, text);
    painter_.restore();
}
