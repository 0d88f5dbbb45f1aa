#pragma once

#include "grid/CellSelection.h"

#include <QRect>

#include <vector>

// Where the cells of a grid lie, in viewport pixels. The fixed rows and columns sit at the
// top and left edges; the body follows them from its first row and column in view, which
// the scroll bars hold as a count of whole rows and columns scrolled past. Column widths
// are kept in twips and laid out in pixels; every row has the same height.
class GridGeometry
{
public:
    static constexpr int kDefaultColWidth = 960; // twips

    // What the widget around the grid adds: the viewport's size, the row height of its font,
    // and the scroll bars' values in rows and columns.
    struct View
    {
        int width = 0;
        int height = 0;
        int rowHeight = 1;
        int scrollRow = 0;
        int scrollCol = 0;
    };

    struct ScrollRange
    {
        int maximum = 0;
        int page = 1;

        friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
    };

    // How scrollTarget places a cell: anywhere in view with as little scrolling as possible,
    // or as the first, last or middle one in view (the order of Qt's scroll hints).
    enum class Placement
    {
        EnsureVisible,
        AtStart,
        AtEnd,
        AtCenter,
    };

    GridGeometry();

    // New columns get the default width; the columns kept keep theirs.
    void setShape(const GridShape& shape);
    const GridShape& shape() const { return shape_; }
    int rows() const { return shape_.rows; }
    int cols() const { return shape_.cols; }
    // Fixed counts as laid out: never more than the rows and columns there are.
    int fixedRowCount() const;
    int fixedColCount() const;

    // Twips; 0 outside the grid. A negative width sets the default.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int colWidthPixels(int col) const;

    int fixedWidth() const;
    int fixedHeight(const View& view) const;
    // The first body row and column in view, bounded by the grid's size: the scroll bars
    // may still hold values of a larger grid.
    int firstBodyRow(const View& view) const;
    int firstBodyCol(const View& view) const;
    // Body rows that fit below the fixed rows, at least one.
    int visibleBodyRows(const View& view) const;

    // The fixed rows or columns, then the body ones from the first in view to the last
    // that starts inside the viewport.
    std::vector<int> rowsInView(const View& view) const;
    std::vector<int> colsInView(const View& view) const;

    int colX(int col, const View& view) const;
    int rowY(int row, const View& view) const;
    QRect cellRect(int row, int col, const View& view) const;
    // The rectangle a block of cells covers, clipped to the viewport: its fixed and its body
    // parts lie apart once the body has scrolled, so each part is mapped on its own.
    QRect blockRect(int top, int left, int bottom, int right, const View& view) const;
    // The row or column under a point; -1 past the grid's end or before its start.
    int colAt(int x, const View& view) const;
    int rowAt(int y, const View& view) const;
    // The body cell a drag over this point reaches: over a header it is the body cell just
    // before the first one in view, past the last row or column it is the last one, so
    // that a drag out of the body scrolls it. {-1, -1} without a body.
    CellPosition bodyCellNear(QPoint point, const View& view) const;

    // How far the body has scrolled, in pixels.
    int horizontalOffset(const View& view) const;
    int verticalOffset(const View& view) const;

    // The scroll bars count whole rows and columns: each one goes as far as leaves the last
    // row or column fully in view.
    ScrollRange verticalRange(const View& view) const;
    ScrollRange horizontalRange(const View& view) const;

    // The scroll values that bring a cell into view; a fixed row or column keeps the
    // current value. The values are not bounded by the ranges.
    int scrollRowFor(int row, Placement placement, const View& view) const;
    int scrollColFor(int col, Placement placement, const View& view) const;

private:
    int edge(int col) const { return edges_[static_cast<std::size_t>(col)]; }
    void layoutFrom(int col);

    GridShape shape_;
    std::vector<int> widths_; // twips
    std::vector<int> edges_;  // pixels: left edge of each column, then the right end
};
