#pragma once

#include "grid/CellAlignment.h"
#include "grid/CellSelection.h"
#include "grid/CellTextCache.h"
#include "grid/CellTextFit.h"
#include "grid/GridAccessibility.h"
#include "grid/GridClipboard.h"
#include "grid/GridGeometry.h"
#include "grid/GridModel.h"

#include <QAbstractItemView>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QAction;
class QMenu;

// A spreadsheet-like grid in the manner of the classic flex grid: every cell holds a text,
// the first FixedRows rows and FixedCols columns are headers that stay in view, and one
// body cell is the current cell. Sizes and positions are in twips. The grid edits
// nothing by itself: typing on it raises KeyPress, and the owner decides what to do.
// The one exception is the clipboard: Ctrl+C copies the selection on every grid, and
// Ctrl+V pastes a block where the owner has enabled it. The other spreadsheet keys never
// reach KeyPress either: Ctrl+A selects the body, and the undo and redo keys are handed to
// the owner, who keeps the history. A right-click opens the grid's context menu.
class GridControl : public QAbstractItemView
{
    Q_OBJECT

public:
    // Alignment codes of ColAlignment, as GridControl::AlignCenterCenter and so on.
    using Alignment = ColumnAlignment;
    using enum ColumnAlignment;

    // Scroll-bar codes of ScrollBars.
    enum ScrollBarsCode : int
    {
        ScrollNone = 0,
        ScrollHorizontal = 1,
        ScrollVertical = 2,
        ScrollBoth = 3,
    };

    static constexpr int kDefaultColWidth = GridGeometry::kDefaultColWidth; // twips

    // Groups text writes into one model signal and one repaint, for its lifetime.
    class BulkUpdate
    {
    public:
        explicit BulkUpdate(GridControl& grid) : grid_(grid) { grid_.beginUpdate(); }
        ~BulkUpdate() { grid_.endUpdate(); }
        BulkUpdate(const BulkUpdate&) = delete;
        BulkUpdate& operator=(const BulkUpdate&) = delete;

    private:
        GridControl& grid_;
    };

    explicit GridControl(QWidget* parent = nullptr);
    ~GridControl() override;

    // Counts include the fixed rows and columns; 0 leaves none.
    int Rows() const { return model_->rows(); }
    void setRows(int rows);
    int Cols() const { return model_->cols(); }
    void setCols(int cols);
    int FixedRows() const { return geometry_.shape().fixedRows; }
    void setFixedRows(int rows);
    int FixedCols() const { return geometry_.shape().fixedCols; }
    void setFixedCols(int cols);

    // The current cell, always a body cell; -1 while the grid has no body cell.
    // Values outside the body are ignored.
    bool hasCurrentCell() const { return selection_.hasCell(); }
    int Row() const { return selection_.row(); }
    void setRow(int row);
    int Col() const { return selection_.col(); }
    void setCol(int col);

    // The selection is the rectangle between the current cell and its other corner
    // (RowSel, ColSel), always inside the body; a move of the current cell collapses it
    // onto the new current cell. Values outside the body are ignored.
    int RowSel() const { return selection_.rowSel(); }
    void setRowSel(int row);
    int ColSel() const { return selection_.colSel(); }
    void setColSel(int col);

    // Text of the current cell.
    QString Text() const { return model_->text(Row(), Col()); }
    void setText(const QString& text) { model_->setText(Row(), Col(), text); }

    // Text of any cell; reads outside the grid give "" and writes there are ignored.
    bool isValidCell(int row, int col) const { return model_->contains(row, col); }
    QString TextMatrix(int row, int col) const { return model_->text(row, col); }
    // The text of a cell without a copy; valid until that cell or the grid's size changes.
    QStringView TextView(int row, int col) const { return model_->textView(row, col); }
    void setTextMatrix(int row, int col, QString text)
    {
        model_->setText(row, col, std::move(text));
    }

    // Nestable; the last endUpdate() signals and repaints once.
    void beginUpdate();
    void endUpdate();

    int ColWidth(int col) const { return geometry_.colWidth(col); }
    void setColWidth(int col, int twips);
    int ColAlignment(int col) const { return model_->colAlignment(col); }
    void setColAlignment(int col, int code) { model_->setColAlignment(col, code); }
    int ScrollBars() const { return scrollBars_; }
    void setScrollBars(int code);
    int RowHeight() const;

    // Rectangle of the current cell, from the widget's own top-left corner (frame
    // included), as painted; all 0 without a current cell.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const { return hasCurrentCell() ? RowHeight() : 0; }

    // The selected cells as lines of tab-separated texts, exactly as shown; nothing
    // happens on a grid without a body.
    void copyToClipboard() const;
    // Off by default. Where enabled, Ctrl+V raises BeforePaste and then writes the
    // clipboard's block into the body from the current cell on, clipped to the body; the
    // written cells become the selection and the current cell stays where it is.
    bool pasteEnabled() const { return pasteEnabled_; }
    void setPasteEnabled(bool enabled) { pasteEnabled_ = enabled; }
    // How the clipboard's text becomes the pasted block; by default parseTextBlock.
    void setPasteReader(GridClipboard::Reader reader) { pasteReader_ = std::move(reader); }
    void pasteFromClipboard();

    // Makes the first body cell current and selects the whole body.
    void selectAll() override;

    // The owner's entries of the context menu, before and after the grid's own ones. The
    // actions must outlive the grid's menus.
    void setContextActions(QList<QAction*> leading, QList<QAction*> trailing);
    // The context menu as a right-click shows it now, owned by the caller.
    QMenu* createContextMenu();

    // A muted grid draws its texts subdued: what it shows no longer holds. The owner's
    // tooltip and accessible description of the grid say why.
    bool isMuted() const { return muted_; }
    void setMuted(bool muted);

    // How each cell's text is drawn; a cache, which painting fills.
    CellTextFit& textFit() const { return textFit_; }

    GridModel* gridModel() const { return model_; }
    // Where every cell lies and which cells are current and selected, for whoever draws or
    // describes the grid.
    const GridGeometry& geometry() const { return geometry_; }
    GridGeometry::View view() const;
    const CellSelection& selection() const { return selection_; }

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
    // Raised by a paste before its first write, so that a pending edit lands first.
    void BeforePaste();
    // Raised by a paste after its last write; the written cells are the selection.
    void Pasted();
    // The undo key (Ctrl+Z) and the redo keys (Ctrl+Y, Ctrl+Shift+Z) on the grid.
    void UndoRequested();
    void RedoRequested();

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return geometry_.horizontalOffset(view()); }
    int verticalOffset() const override { return geometry_.verticalOffset(view()); }
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void scrollContentsBy(int dx, int dy) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QList<int>& roles = QList<int>()) override;

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QRect cellRect(int row, int col) const { return geometry_.cellRect(row, col, view()); }
    bool isBodyCell(int row, int col) const;
    QModelIndex indexOf(CellPosition cell) const { return model_->index(cell.row, cell.col); }

    void applyShape(const GridShape& shape);
    void moveCurrentTo(int row, int col);
    void navigate(CellStep step, Qt::KeyboardModifiers modifiers);
    void syncCurrentIndex();
    void setSelectionCorner(int row, int col);
    void syncSelection();
    void relayout();
    void measureFont();

    GridModel* model_;
    GridGeometry geometry_;
    CellSelection selection_;
    CellTextCache texts_;
    // Measured at each change of font, not at every cell: pixels, and the line height by
    // which texts are centred.
    int rowHeight_ = 0;
    qreal lineHeight_ = 0;
    int scrollBars_ = ScrollBoth;
    int bulkDepth_ = 0;
    bool widthsPending_ = false;
    mutable CellTextFit textFit_;
    QList<QPointer<QAction>> leadingActions_;
    QList<QPointer<QAction>> trailingActions_;
    bool pasteEnabled_ = false;
    GridClipboard::Reader pasteReader_;
    bool muted_ = false;
    bool dragging_ = false;
    // Set while the grid itself updates the selection model, whose echoes are ignored.
    bool syncing_ = false;
    GridAccessibility accessibility_{*this, geometry_, selection_};
};
