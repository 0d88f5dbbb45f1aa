#include "grid/GridPainter.h"

#include "grid/CellTextFit.h"
#include "grid/GridControl.h"
#include "grid/GridModel.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <vector>

namespace {
const QColor kBodyLineColor(192, 192, 192);
const QColor kFixedLineColor(Qt::black);
} // namespace

GridPainter::GridPainter(const GridControl& grid, QPainter& painter)
    : grid_(grid), painter_(painter), view_(grid.view()), enabled_(grid.isEnabled()),
      group_(enabled_ ? QPalette::Active : QPalette::Disabled)
{
    painter_.setFont(grid_.font());
}

void GridPainter::paint(const QRect& exposed)
{
    painter_.fillRect(exposed, grid_.palette().brush(group_, QPalette::Dark));

    const GridGeometry& geometry = grid_.geometry();
    const std::vector<int> rows = geometry.rowsInView(view_);
    const std::vector<int> cols = geometry.colsInView(view_);
    for (const int r : rows) {
        for (const int c : cols) {
            const QRect rect = geometry.cellRect(r, c, view_);
            if (rect.intersects(exposed))
                paintCell(r, c, rect);
        }
    }
}

void GridPainter::paintCell(int row, int col, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    const GridGeometry& geometry = grid_.geometry();
    const CellSelection& selection = grid_.selection();
    const bool fixed = row < geometry.fixedRowCount() || col < geometry.fixedColCount();
    const bool current = CellPosition{row, col} == selection.current();
    const bool focused = current && enabled_ && grid_.hasFocus();
    const bool highlighted =
        focused || (enabled_ && selection.isExtended() && !fixed && selection.contains(row, col));

    QPalette::ColorRole background = fixed ? QPalette::Button : QPalette::Base;
    QPalette::ColorRole foreground = fixed ? QPalette::ButtonText : QPalette::Text;
    if (highlighted) {
        background = QPalette::Highlight;
        foreground = QPalette::HighlightedText;
    }
    const QPalette& palette = grid_.palette();
    // The grid lines take the last pixel column and row of each cell.
    const QRect inner = rect.adjusted(0, 0, -1, -1);
    painter_.fillRect(inner, palette.brush(group_, background));
    painter_.setPen(fixed ? kFixedLineColor : kBodyLineColor);
    painter_.drawLine(rect.topRight(), rect.bottomRight());
    painter_.drawLine(rect.bottomLeft(), rect.bottomRight());

    const GridModel& model = *grid_.gridModel();
    const QString text = model.text(row, col);
    if (!text.isEmpty()) {
        // Aligned within the part of the cell that is in view; a body text that does not
        // fit ends in an ellipsis, since a number cut off at the edge would read as another.
        const CellTextFit::Layout fit = grid_.textFit().layout(
            grid_.font(), text, inner, QRect(0, 0, view_.width, view_.height), fixed);
        if (fit.font != painter_.font())
            painter_.setFont(fit.font);
        painter_.setPen(palette.color(group_, foreground));
        painter_.drawText(fit.area, static_cast<int>(model.cellAlignment(row, col)), fit.shown);
    }

    if (focused) {
        QStyleOptionFocusRect option;
        option.initFrom(&grid_);
        option.rect = inner;
        option.backgroundColor = palette.color(group_, background);
        grid_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter_, &grid_);
    }
}
