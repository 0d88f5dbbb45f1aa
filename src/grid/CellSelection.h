#pragma once

// Row and column counts of a grid, fixed rows and columns included. The fixed counts are
// kept as set, even when they exceed the grid: the body is what lies below and right of them.
struct GridShape
{
    int rows = 0;
    int cols = 0;
    int fixedRows = 0;
    int fixedCols = 0;

    bool hasBody() const { return fixedRows < rows && fixedCols < cols; }
    bool isBodyCell(int row, int col) const
    {
        return row >= fixedRows && row < rows && col >= fixedCols && col < cols;
    }
};

// The moves of the navigation keys. Next and Previous walk the body in reading order.
enum class CellStep
{
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Next,
    Previous,
};

struct CellPosition
{
    int row = -1;
    int col = -1;

    friend bool operator==(const CellPosition&, const CellPosition&) = default;
};

// The body cell a step reaches from `from`, never leaving the body. With `control`, Home
// and End go to the first and last row as well; a page is `pageRows` rows.
CellPosition stepFrom(const GridShape& shape, CellPosition from, CellStep step, bool control,
                      int pageRows);

// The current cell and the selection, the rectangle between the current cell (its anchor)
// and a far corner. Without a current cell every coordinate is -1.
class CellSelection
{
public:
    CellSelection() = default;
    // A selection of the one cell (row, col).
    CellSelection(int row, int col) : current_{row, col}, corner_{row, col} {}

    bool hasCell() const { return current_.row >= 0; }
    CellPosition current() const { return current_; }
    CellPosition corner() const { return corner_; }
    int row() const { return current_.row; }
    int col() const { return current_.col; }
    int rowSel() const { return corner_.row; }
    int colSel() const { return corner_.col; }

    int top() const;
    int bottom() const;
    int left() const;
    int right() const;
    bool isExtended() const { return corner_ != current_; }
    bool contains(int row, int col) const;

    void setCorner(CellPosition corner) { corner_ = corner; }

    // Where the selection goes when the grid takes a new shape: the current cell is pulled
    // back into the body, or goes to its first cell when there was none; the selection
    // collapses when the current cell moves, otherwise its corner is pulled back too.
    CellSelection reshaped(const GridShape& shape) const;

    friend bool operator==(const CellSelection&, const CellSelection&) = default;

private:
    CellPosition current_;
    CellPosition corner_;
};
