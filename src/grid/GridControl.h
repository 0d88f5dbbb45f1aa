#pragma once

#include <QAbstractItemView>
#include <QString>

#include <vector>

class GridModel;
class QPainter;

// A spreadsheet-like grid in the manner of the classic flex grid: every cell holds a text,
// the first FixedRows rows and FixedCols columns are headers that stay in view, and one
// body cell is the current cell. Sizes and positions are in twips. The grid edits
// nothing by itself: typing on it raises KeyPress, and the owner decides what to do.
class GridControl : public QAbstractItemView
{
    Q_OBJECT

public:
    // Alignment codes of ColAlignment: horizontal position times three plus vertical.
    enum Alignment : int
    {
        AlignLeftTop = 0,
        AlignLeftCenter = 1,
        AlignLeftBottom = 2,
        AlignCenterTop = 3,
        AlignCenterCenter = 4,
        AlignCenterBottom = 5,
        AlignRightTop = 6,
        AlignRightCenter = 7,
        AlignRightBottom = 8,
        AlignGeneral = 9, // body text left, numbers right, fixed cells centred
    };

    // Scroll-bar codes of ScrollBars.
    enum ScrollBarsCode : int
    {
        ScrollNone = 0,
        ScrollHorizontal = 1,
        ScrollVertical = 2,
        ScrollBoth = 3,
    };

    static constexpr int kDefaultColWidth = 960; // twips

    // Groups text writes into one model signal and one repaint, for its lifetime.
    class BulkUpdate
    {
    public:
        explicit BulkUpdate(GridControl& grid);
        ~BulkUpdate();
        BulkUpdate(const BulkUpdate&) = delete;
        BulkUpdate& operator=(const BulkUpdate&) = delete;

    private:
        GridControl& grid_;
    };

    explicit GridControl(QWidget* parent = nullptr);
    ~GridControl() override;

    // Counts include the fixed rows and columns; 0 leaves none.
    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int rows);
    int FixedCols() const;
    void setFixedCols(int cols);

    // The current cell, always a body cell; -1 while the grid has no body cell.
    // Values outside the body are ignored.
    bool hasCurrentCell() const;
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);

    // Text of the current cell.
    QString Text() const;
    void setText(const QString& text);

    // Text of any cell; reads outside the grid give "" and writes there are ignored.
    bool isValidCell(int row, int col) const;
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // Nestable; the last endUpdate() signals and repaints once.
    void beginUpdate();
    void endUpdate();

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int code);
    int ScrollBars() const;
    void setScrollBars(int code);
    int RowHeight() const;

    // Rectangle of the current cell, from the widget's own top-left corner (frame
    // included), as painted; all 0 without a current cell.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;

    GridModel* gridModel() const;

    // The grid always shows its own model: any other is refused.
    void setModel(QAbstractItemModel* model) override;

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;

signals:
    // Raised in pairs around every change of the current cell, its appearance and its
    // disappearance included (Row() and Col() read -1 on the side where there is none).
    void LeaveCell();
    void RowColChange();
    // The character code of a typed key: its code point, 13 Enter, 8 Backspace, 27 Escape,
    // 1 to 26 Ctrl+letter (not Ctrl+C, Ctrl+V). Navigation keys and Tab raise nothing.
    void KeyPress(int keyAscii);
    // A double-click on a body cell, after the click that made it current.
    void DblClick();
    void GotFocus();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void scrollContentsBy(int dx, int dy) override;

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Shape
    {
        int rows;
        int cols;
        int fixedRows;
        int fixedCols;
    };

    // Fixed counts as laid out: never more than the rows and columns there are.
    int fixedRowCount() const;
    int fixedColCount() const;
    int rowHeightPixels() const;
    int colWidthPixels(int col) const;
    int fixedWidthPixels() const;
    int fixedHeightPixels() const;
    int firstBodyRow() const;
    int firstBodyCol() const;
    int visibleBodyRows() const;
    int colX(int col) const;
    int rowY(int row) const;
    int colAtX(int x) const;
    int rowAtY(int y) const;
    QRect cellRect(int row, int col) const;
    bool isBodyCell(int row, int col) const;

    void applyShape(const Shape& shape);
    void moveCurrentTo(int row, int col);
    void syncCurrentIndex();
    void layoutColumns();
    void paintCell(QPainter& painter, int row, int col, const QRect& rect) const;
    int keyAscii(const QKeyEvent& event) const;

    GridModel* model_;
    std::vector<int> colWidths_; // twips
    std::vector<int> colEdges_;  // pixels: left edge of each column, then the right end
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int row_ = -1;
    int col_ = -1;
    int scrollBars_ = ScrollBoth;
    bool syncingCurrent_ = false;
};
