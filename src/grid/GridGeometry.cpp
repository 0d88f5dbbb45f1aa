#include "grid/GridGeometry.h"

#include "grid/Twips.h"

#include <algorithm>

GridGeometry::GridGeometry() : edges_(1, 0) {}

void GridGeometry::setShape(const GridShape& shape)
{
    const int kept = std::min(shape_.cols, shape.cols);
    shape_ = shape;
    widths_.resize(static_cast<std::size_t>(shape.cols), kDefaultColWidth);
    edges_.resize(widths_.size() + 1);
    layoutFrom(kept);
}

int GridGeometry::fixedRowCount() const
{
    return std::min(shape_.fixedRows, shape_.rows);
}

int GridGeometry::fixedColCount() const
{
    return std::min(shape_.fixedCols, shape_.cols);
}

int GridGeometry::colWidth(int col) const
{
    return col >= 0 && col < cols() ? widths_[static_cast<std::size_t>(col)] : 0;
}

void GridGeometry::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols())
        return;
    widths_[static_cast<std::size_t>(col)] = twips < 0 ? kDefaultColWidth : twips;
    layoutFrom(col);
}

int GridGeometry::colWidthPixels(int col) const
{
    return twipsToPixels(colWidth(col));
}

void GridGeometry::layoutFrom(int col)
{
    for (std::size_t c = static_cast<std::size_t>(col); c < widths_.size(); ++c)
        edges_[c + 1] = edges_[c] + twipsToPixels(widths_[c]);
}

int GridGeometry::fixedWidth() const
{
    return edge(fixedColCount());
}

int GridGeometry::fixedHeight(const View& view) const
{
    return fixedRowCount() * view.rowHeight;
}

int GridGeometry::firstBodyRow(const View& view) const
{
    return std::min(fixedRowCount() + view.scrollRow, rows());
}

int GridGeometry::firstBodyCol(const View& view) const
{
    return std::min(fixedColCount() + view.scrollCol, cols());
}

int GridGeometry::visibleBodyRows(const View& view) const
{
    return std::max(1, (view.height - fixedHeight(view)) / view.rowHeight);
}

namespace {

template <typename Start>
std::vector<int> indicesInView(int fixed, int first, int count, int extent, Start start)
{
    std::vector<int> indices;
    for (int i = 0; i < fixed; ++i)
        indices.push_back(i);
    for (int i = first; i < count && start(i) < extent; ++i)
        indices.push_back(i);
    return indices;
}

} // namespace

std::vector<int> GridGeometry::rowsInView(const View& view) const
{
    return indicesInView(fixedRowCount(), firstBodyRow(view), rows(), view.height,
                         [&](int row) { return rowY(row, view); });
}

std::vector<int> GridGeometry::colsInView(const View& view) const
{
    return indicesInView(fixedColCount(), firstBodyCol(view), cols(), view.width,
                         [&](int col) { return colX(col, view); });
}

int GridGeometry::colX(int col, const View& view) const
{
    if (col < fixedColCount())
        return edge(col);
    return fixedWidth() + edge(col) - edge(firstBodyCol(view));
}

int GridGeometry::rowY(int row, const View& view) const
{
    if (row < fixedRowCount())
        return row * view.rowHeight;
    return fixedHeight(view) + (row - firstBodyRow(view)) * view.rowHeight;
}

QRect GridGeometry::cellRect(int row, int col, const View& view) const
{
    return {colX(col, view), rowY(row, view), colWidthPixels(col), view.rowHeight};
}

QRect GridGeometry::blockRect(int top, int left, int bottom, int right, const View& view) const
{
    const int fixedRows = fixedRowCount();
    const int fixedCols = fixedColCount();
    QRect covered;
    const auto add = [&](int r0, int r1, int c0, int c1) {
        if (r0 <= r1 && c0 <= c1)
            covered |= cellRect(r0, c0, view).united(cellRect(r1, c1, view));
    };
    const int fixedBottom = std::min(bottom, fixedRows - 1);
    const int fixedRight = std::min(right, fixedCols - 1);
    const int bodyTop = std::max(top, fixedRows);
    const int bodyLeft = std::max(left, fixedCols);
    add(top, fixedBottom, left, fixedRight);
    add(top, fixedBottom, bodyLeft, right);
    add(bodyTop, bottom, left, fixedRight);
    add(bodyTop, bottom, bodyLeft, right);
    return covered & QRect(0, 0, view.width, view.height);
}

int GridGeometry::colAt(int x, const View& view) const
{
    if (x < 0)
        return -1;
    int col = 0;
    int pos = x;
    if (x >= fixedWidth()) {
        col = firstBodyCol(view);
        pos = x - fixedWidth() + edge(col);
    }
    const auto it = std::upper_bound(edges_.begin() + col, edges_.end(), pos);
    const int found = static_cast<int>(it - edges_.begin()) - 1;
    return found < cols() ? found : -1;
}

int GridGeometry::rowAt(int y, const View& view) const
{
    if (y < 0)
        return -1;
    const int h = view.rowHeight;
    const int fixed = fixedHeight(view);
    const int row = y < fixed ? y / h : firstBodyRow(view) + (y - fixed) / h;
    return row < rows() ? row : -1;
}

CellPosition GridGeometry::bodyCellNear(QPoint point, const View& view) const
{
    int row = rows() - 1;
    if (point.y() < fixedHeight(view))
        row = std::max(fixedRowCount(), firstBodyRow(view) - 1);
    else if (const int under = rowAt(point.y(), view); under >= 0)
        row = under;
    int col = cols() - 1;
    if (point.x() < fixedWidth())
        col = std::max(fixedColCount(), firstBodyCol(view) - 1);
    else if (const int under = colAt(point.x(), view); under >= 0)
        col = under;
    if (!shape_.isBodyCell(row, col))
        return {};
    return {row, col};
}

int GridGeometry::horizontalOffset(const View& view) const
{
    return edge(firstBodyCol(view)) - fixedWidth();
}

int GridGeometry::verticalOffset(const View& view) const
{
    return view.scrollRow * view.rowHeight;
}

GridGeometry::ScrollRange GridGeometry::verticalRange(const View& view) const
{
    const int visible = visibleBodyRows(view);
    return {std::max(0, rows() - fixedRowCount() - visible), visible};
}

GridGeometry::ScrollRange GridGeometry::horizontalRange(const View& view) const
{
    const int fixedCols = fixedColCount();
    const int available = view.width - fixedWidth();
    int lastFirst = cols();
    while (lastFirst > fixedCols &&
           (lastFirst == cols() || edge(cols()) - edge(lastFirst - 1) <= available))
        --lastFirst;
    const int first = firstBodyCol(view);
    int shown = 0;
    for (int c = first; c < cols() && edge(c + 1) - edge(first) <= available; ++c)
        ++shown;
    return {std::max(0, lastFirst - fixedCols), std::max(1, shown)};
}

int GridGeometry::scrollRowFor(int row, Placement placement, const View& view) const
{
    const int fixedRows = fixedRowCount();
    if (row < fixedRows)
        return view.scrollRow;
    const int visible = visibleBodyRows(view);
    int first = firstBodyRow(view);
    switch (placement) {
    case Placement::AtStart:
        first = row;
        break;
    case Placement::AtEnd:
        first = row - visible + 1;
        break;
    case Placement::AtCenter:
        first = row - visible / 2;
        break;
    case Placement::EnsureVisible:
        if (row < first)
            first = row;
        else if (row >= first + visible)
            first = row - visible + 1;
        break;
    }
    return std::max(first, fixedRows) - fixedRows;
}

int GridGeometry::scrollColFor(int col, Placement placement, const View& view) const
{
    const int fixedCols = fixedColCount();
    if (col < fixedCols || col >= cols())
        return view.scrollCol;
    const int available = view.width - fixedWidth();
    int first = firstBodyCol(view);
    // Leftmost first column that still shows all of col, if it fits at all.
    int fitting = col;
    while (fitting > fixedCols && edge(col + 1) - edge(fitting - 1) <= available)
        --fitting;
    if (placement == Placement::AtStart || col < first)
        first = col;
    else if (placement == Placement::AtEnd || edge(col + 1) - edge(first) > available)
        first = std::max(first, fitting);
    else if (placement == Placement::AtCenter)
        first = (col + fitting) / 2;
    return first - fixedCols;
}
