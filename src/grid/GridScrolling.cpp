#include "grid/GridScrolling.h"

#include <cstdlib>
#include <utility>

namespace GridScrolling {

namespace {

ScrollPlan vertical(const GridGeometry& geometry, const GridGeometry::View& now, int dy)
{
    const int rowHeight = now.rowHeight;
    const int top = geometry.fixedHeight(now);
    const QRect body(0, top, now.width, now.height - top);
    const int shift = dy * rowHeight;
    if (rowHeight <= 0 || std::abs(shift) >= body.height())
        return {};
    ScrollPlan plan{false, body, QPoint(0, shift), {}};
    // The row cut by the bottom edge, where it went and where the next one is cut.
    const int cut = top + body.height() / rowHeight * rowHeight;
    if (cut < now.height) {
        plan.repaint.push_back(QRect(0, cut + shift, now.width, rowHeight) & body);
        plan.repaint.push_back(QRect(0, cut, now.width, rowHeight) & body);
    }
    return plan;
}

ScrollPlan horizontal(const GridGeometry& geometry, const GridGeometry::View& now, int dx)
{
    GridGeometry::View before = now;
    before.scrollCol = now.scrollCol + dx;
    const int left = geometry.fixedWidth();
    const QRect body(left, 0, now.width - left, now.height);
    const int first = geometry.firstBodyCol(now);
    const int shift = geometry.colX(first, now) - geometry.colX(first, before);
    if (std::abs(shift) >= body.width())
        return {};
    ScrollPlan plan{false, body, QPoint(shift, 0), {}};
    // The column cut by the right edge, where it went and the one cut now.
    for (const auto& [layout, moved] : {std::pair(before, shift), std::pair(now, 0)}) {
        for (const int c : geometry.colsInView(layout)) {
            const int x = geometry.colX(c, layout);
            const int width = geometry.colWidthPixels(c);
            if (c >= geometry.fixedColCount() && x + width > now.width) {
                plan.repaint.push_back(QRect(x + moved, 0, width, now.height) & body);
                break;
            }
        }
    }
    return plan;
}

} // namespace

ScrollPlan plan(const GridGeometry& geometry, const GridGeometry::View& now, int dx, int dy)
{
    if (dy != 0 && dx == 0)
        return vertical(geometry, now, dy);
    if (dx != 0 && dy == 0)
        return horizontal(geometry, now, dx);
    return {};
}

} // namespace GridScrolling
