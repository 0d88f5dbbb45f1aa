#include "grid/GridControl.h"

#include "grid/GridModel.h"
#include "grid/Twips.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>
#include <utility>

namespace {
constexpr int kTextMarginPixels = 2;
constexpr int kRowPaddingPixels = 4;
const QColor kBodyLineColor(192, 192, 192);
const QColor kFixedLineColor(Qt::black);
} // namespace

GridControl::BulkUpdate::BulkUpdate(GridControl& grid) : grid_(grid)
{
    grid_.beginUpdate();
}

GridControl::BulkUpdate::~BulkUpdate()
{
    grid_.endUpdate();
}

GridControl::GridControl(QWidget* parent) : QAbstractItemView(parent), model_(new GridModel(this))
{
    QAbstractItemView::setModel(model_);
    setSelectionMode(ContiguousSelection);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollMode(ScrollPerItem);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layoutColumns();
}

GridControl::~GridControl() = default;

int GridControl::Rows() const
{
    return model_->rows();
}

void GridControl::setRows(int rows)
{
    if (rows >= 0)
        applyShape({rows, model_->cols(), fixedRows_, fixedCols_});
}

int GridControl::Cols() const
{
    return model_->cols();
}

void GridControl::setCols(int cols)
{
    if (cols >= 0)
        applyShape({model_->rows(), cols, fixedRows_, fixedCols_});
}

int GridControl::FixedRows() const
{
    return fixedRows_;
}

void GridControl::setFixedRows(int rows)
{
    if (rows >= 0)
        applyShape({model_->rows(), model_->cols(), rows, fixedCols_});
}

int GridControl::FixedCols() const
{
    return fixedCols_;
}

void GridControl::setFixedCols(int cols)
{
    if (cols >= 0)
        applyShape({model_->rows(), model_->cols(), fixedRows_, cols});
}

bool GridControl::hasCurrentCell() const
{
    return row_ >= 0;
}

int GridControl::Row() const
{
    return row_;
}

void GridControl::setRow(int row)
{
    if (hasCurrentCell() && isBodyCell(row, col_))
        moveCurrentTo(row, col_);
}

int GridControl::Col() const
{
    return col_;
}

void GridControl::setCol(int col)
{
    if (hasCurrentCell() && isBodyCell(row_, col))
        moveCurrentTo(row_, col);
}

int GridControl::RowSel() const
{
    return rowSel_;
}

void GridControl::setRowSel(int row)
{
    if (hasCurrentCell() && isBodyCell(row, colSel_))
        setSelectionCorner(row, colSel_);
}

int GridControl::ColSel() const
{
    return colSel_;
}

void GridControl::setColSel(int col)
{
    if (hasCurrentCell() && isBodyCell(rowSel_, col))
        setSelectionCorner(rowSel_, col);
}

QString GridControl::Text() const
{
    return model_->text(row_, col_);
}

void GridControl::setText(const QString& text)
{
    model_->setText(row_, col_, text);
}

bool GridControl::isValidCell(int row, int col) const
{
    return model_->contains(row, col);
}

QString GridControl::TextMatrix(int row, int col) const
{
    return model_->text(row, col);
}

QStringView GridControl::TextView(int row, int col) const
{
    return model_->textView(row, col);
}

void GridControl::setTextMatrix(int row, int col, QString text)
{
    model_->setText(row, col, std::move(text));
}

void GridControl::beginUpdate()
{
    ++bulkDepth_;
    model_->beginBulk();
}

void GridControl::endUpdate()
{
    model_->endBulk();
    // Column widths set meanwhile are laid out once, at the end.
    if (bulkDepth_ > 0 && --bulkDepth_ == 0 && widthsPending_) {
        widthsPending_ = false;
        layoutColumns();
        updateGeometries();
        viewport()->update();
    }
}

int GridControl::ColWidth(int col) const
{
    return col >= 0 && col < Cols() ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

void GridControl::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols())
        return;
    colWidths_[static_cast<std::size_t>(col)] = twips < 0 ? kDefaultColWidth : twips;
    if (bulkDepth_ > 0) {
        widthsPending_ = true;
        return;
    }
    layoutColumns();
    updateGeometries();
    viewport()->update();
}

int GridControl::ColAlignment(int col) const
{
    return col >= 0 && col < Cols() ? model_->colAlignment(col) : AlignGeneral;
}

void GridControl::setColAlignment(int col, int code)
{
    model_->setColAlignment(col, code);
}

int GridControl::ScrollBars() const
{
    return scrollBars_;
}

void GridControl::setScrollBars(int code)
{
    if (code < ScrollNone || code > ScrollBoth)
        return;
    scrollBars_ = code;
    setHorizontalScrollBarPolicy((code & ScrollHorizontal) ? Qt::ScrollBarAsNeeded
                                                           : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((code & ScrollVertical) ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
    updateGeometries();
}

int GridControl::RowHeight() const
{
    return pixelsToTwips(rowHeightPixels());
}

int GridControl::CellLeft() const
{
    if (!hasCurrentCell())
        return 0;
    return pixelsToTwips(viewport()->mapTo(this, cellRect(row_, col_).topLeft()).x());
}

int GridControl::CellTop() const
{
    if (!hasCurrentCell())
        return 0;
    return pixelsToTwips(viewport()->mapTo(this, cellRect(row_, col_).topLeft()).y());
}

int GridControl::CellWidth() const
{
    return hasCurrentCell() ? pixelsToTwips(colWidthPixels(col_)) : 0;
}

int GridControl::CellHeight() const
{
    return hasCurrentCell() ? pixelsToTwips(rowHeightPixels()) : 0;
}

void GridControl::copyToClipboard() const
{
    if (!hasCurrentCell())
        return;
    const int top = std::min(row_, rowSel_);
    const int bottom = std::max(row_, rowSel_);
    const int left = std::min(col_, colSel_);
    const int right = std::max(col_, colSel_);
    QStringList lines;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c)
            cells << model_->text(r, c);
        lines << cells.join(QLatin1Char('\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

bool GridControl::pasteEnabled() const
{
    return pasteEnabled_;
}

void GridControl::setPasteEnabled(bool enabled)
{
    pasteEnabled_ = enabled;
}

void GridControl::pasteFromClipboard()
{
    if (!pasteEnabled_ || !hasCurrentCell())
        return;
    const QList<QStringList> block = parseBlock(QGuiApplication::clipboard()->text());
    if (std::all_of(block.begin(), block.end(), [](const QStringList& r) { return r.isEmpty(); }))
        return;
    emit BeforePaste();
    // The handler may have reshaped the grid: the block goes where the current cell is now.
    if (!hasCurrentCell())
        return;
    const int top = row_;
    const int left = col_;
    int bottom = top;
    int right = left;
    {
        BulkUpdate bulk(*this);
        for (int r = 0; r < block.size() && top + r < Rows(); ++r) {
            const QStringList& values = block[r];
            for (int c = 0; c < values.size() && left + c < Cols(); ++c) {
                model_->setText(top + r, left + c, values[c]);
                bottom = std::max(bottom, top + r);
                right = std::max(right, left + c);
            }
        }
    }
    setSelectionCorner(bottom, right);
}

QList<QStringList> GridControl::parseBlock(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    QStringList lines = text.split(lineBreak);
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    QList<QStringList> block;
    block.reserve(lines.size());
    for (const QString& line : std::as_const(lines)) {
        // Spreadsheets separate cells by tabs and leave empty cells empty; a system typed
        // in a text editor has its numbers lined up with spaces.
        if (line.contains(QLatin1Char('\t')))
            block << line.split(QLatin1Char('\t'));
        else
            block << line.split(blanks, Qt::SkipEmptyParts);
    }
    return block;
}

GridModel* GridControl::gridModel() const
{
    return model_;
}

void GridControl::setModel(QAbstractItemModel* model)
{
    if (model != model_)
        qWarning("GridControl: the grid shows its own model only");
}

// Layout, in viewport pixels: the fixed rows and columns sit at the top and left edges;
// the body follows them, starting at its first visible row and column, which the scroll
// bars hold as an offset from the first body row and column.

int GridControl::fixedRowCount() const
{
    return std::min(fixedRows_, Rows());
}

int GridControl::fixedColCount() const
{
    return std::min(fixedCols_, Cols());
}

int GridControl::rowHeightPixels() const
{
    return fontMetrics().height() + kRowPaddingPixels;
}

int GridControl::colWidthPixels(int col) const
{
    return twipsToPixels(colWidths_[static_cast<std::size_t>(col)]);
}

int GridControl::fixedWidthPixels() const
{
    return colEdges_[static_cast<std::size_t>(fixedColCount())];
}

int GridControl::fixedHeightPixels() const
{
    return fixedRowCount() * rowHeightPixels();
}

// Bounded, because the scroll bars keep their old values until updateGeometries().
int GridControl::firstBodyRow() const
{
    return std::min(fixedRowCount() + verticalScrollBar()->value(), Rows());
}

int GridControl::firstBodyCol() const
{
    return std::min(fixedColCount() + horizontalScrollBar()->value(), Cols());
}

int GridControl::visibleBodyRows() const
{
    const int available = viewport()->height() - fixedHeightPixels();
    return std::max(1, available / rowHeightPixels());
}

int GridControl::colX(int col) const
{
    const auto edge = [this](int c) { return colEdges_[static_cast<std::size_t>(c)]; };
    if (col < fixedColCount())
        return edge(col);
    return fixedWidthPixels() + edge(col) - edge(firstBodyCol());
}

int GridControl::rowY(int row) const
{
    if (row < fixedRowCount())
        return row * rowHeightPixels();
    return fixedHeightPixels() + (row - firstBodyRow()) * rowHeightPixels();
}

int GridControl::colAtX(int x) const
{
    if (x < 0)
        return -1;
    int col = fixedColCount();
    int pos = x;
    if (x >= fixedWidthPixels()) {
        col = firstBodyCol();
        pos = x - fixedWidthPixels() + colEdges_[static_cast<std::size_t>(col)];
    } else {
        col = 0;
    }
    const auto begin = colEdges_.begin() + col;
    const auto it = std::upper_bound(begin, colEdges_.end(), pos);
    const int found = static_cast<int>(it - colEdges_.begin()) - 1;
    return found < Cols() ? found : -1;
}

int GridControl::rowAtY(int y) const
{
    if (y < 0)
        return -1;
    const int h = rowHeightPixels();
    const int row =
        y < fixedHeightPixels() ? y / h : firstBodyRow() + (y - fixedHeightPixels()) / h;
    return row < Rows() ? row : -1;
}

QRect GridControl::cellRect(int row, int col) const
{
    return {colX(col), rowY(row), colWidthPixels(col), rowHeightPixels()};
}

bool GridControl::isBodyCell(int row, int col) const
{
    return model_->contains(row, col) && row >= fixedRows_ && col >= fixedCols_;
}

bool GridControl::isSelected(int row, int col) const
{
    return hasCurrentCell() && row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) &&
           col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
}

// The body cell a drag over this point reaches: over a header it is the body cell just
// before the first one in view, past the last row or column it is the last one, so that
// a drag out of the body scrolls it.
QModelIndex GridControl::bodyCellNear(const QPoint& point) const
{
    const int lastRow = Rows() - 1;
    const int lastCol = Cols() - 1;
    int row = lastRow;
    if (point.y() < fixedHeightPixels())
        row = std::max(fixedRowCount(), firstBodyRow() - 1);
    else if (const int under = rowAtY(point.y()); under >= 0)
        row = under;
    int col = lastCol;
    if (point.x() < fixedWidthPixels())
        col = std::max(fixedColCount(), firstBodyCol() - 1);
    else if (const int under = colAtX(point.x()); under >= 0)
        col = under;
    return isBodyCell(row, col) ? model_->index(row, col) : QModelIndex();
}

void GridControl::layoutColumns()
{
    colEdges_.assign(colWidths_.size() + 1, 0);
    for (std::size_t c = 0; c < colWidths_.size(); ++c)
        colEdges_[c + 1] = colEdges_[c] + colWidthPixels(static_cast<int>(c));
}

// Every change of rows, columns or fixed counts goes through here, so that a current
// cell pushed out of the body is moved (or removed) with the usual pair of signals.
void GridControl::applyShape(const Shape& shape)
{
    const bool hasBody = shape.fixedRows < shape.rows && shape.fixedCols < shape.cols;
    int row = -1;
    int col = -1;
    if (hasBody && hasCurrentCell()) {
        row = std::clamp(row_, shape.fixedRows, shape.rows - 1);
        col = std::clamp(col_, shape.fixedCols, shape.cols - 1);
    } else if (hasBody) {
        row = shape.fixedRows;
        col = shape.fixedCols;
    }
    const bool moves = row != row_ || col != col_;
    int rowSel = row;
    int colSel = col;
    if (!moves && hasBody) {
        rowSel = std::clamp(rowSel_, shape.fixedRows, shape.rows - 1);
        colSel = std::clamp(colSel_, shape.fixedCols, shape.cols - 1);
    }
    if (moves)
        emit LeaveCell();

    // The view may be asked for geometry while the model changes: keep a width for
    // every column of both the old and the new size until the change is over.
    const auto cols = static_cast<std::size_t>(shape.cols);
    colWidths_.resize(std::max(colWidths_.size(), cols), kDefaultColWidth);
    layoutColumns();
    syncing_ = true;
    model_->setRows(shape.rows);
    model_->setCols(shape.cols);
    syncing_ = false;
    fixedRows_ = shape.fixedRows;
    fixedCols_ = shape.fixedCols;
    model_->setFixedCounts(fixedRows_, fixedCols_);
    colWidths_.resize(cols);
    layoutColumns();
    updateGeometries();
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    syncCurrentIndex();
    syncSelection();
    if (hasCurrentCell())
        scrollTo(model_->index(row_, col_));
    viewport()->update();
    if (moves)
        emit RowColChange();
}

// Every move collapses the selection, even one onto the cell that is already current.
void GridControl::moveCurrentTo(int row, int col)
{
    if (row == row_ && col == col_) {
        setSelectionCorner(row, col);
        return;
    }
    emit LeaveCell();
    const bool collapsed = rowSel_ == row_ && colSel_ == col_;
    const QRect oldRect = hasCurrentCell() ? cellRect(row_, col_) : QRect();
    row_ = row;
    col_ = col;
    rowSel_ = row;
    colSel_ = col;
    syncCurrentIndex();
    syncSelection();
    if (collapsed)
        viewport()->update(oldRect);
    else
        viewport()->update();
    scrollTo(model_->index(row_, col_));
    viewport()->update(cellRect(row_, col_));
    emit RowColChange();
}

void GridControl::setSelectionCorner(int row, int col)
{
    if (row == rowSel_ && col == colSel_)
        return;
    rowSel_ = row;
    colSel_ = col;
    syncSelection();
    viewport()->update();
}

void GridControl::syncSelection()
{
    QItemSelection selection;
    if (hasCurrentCell())
        selection.select(model_->index(std::min(row_, rowSel_), std::min(col_, colSel_)),
                         model_->index(std::max(row_, rowSel_), std::max(col_, colSel_)));
    if (selectionModel()->selection() == selection)
        return;
    syncing_ = true;
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
}

void GridControl::syncCurrentIndex()
{
    const QModelIndex index = hasCurrentCell() ? model_->index(row_, col_) : QModelIndex();
    if (selectionModel()->currentIndex() == index)
        return;
    syncing_ = true;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    syncing_ = false;
}

// A change made through the selection model (an accessibility client, a test) is a move
// like any other; anything that is not a body cell is put back.
void GridControl::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QAbstractItemView::currentChanged(current, previous);
    if (syncing_)
        return;
    if (current.isValid() && isBodyCell(current.row(), current.column()))
        moveCurrentTo(current.row(), current.column());
    else
        syncCurrentIndex();
}

// The selection is the grid's own rectangle: a change from outside is put back.
void GridControl::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!syncing_)
        syncSelection();
}

QRect GridControl::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model_ ||
        !model_->contains(index.row(), index.column()))
        return {};
    return cellRect(index.row(), index.column());
}

QModelIndex GridControl::indexAt(const QPoint& point) const
{
    const int row = rowAtY(point.y());
    const int col = colAtX(point.x());
    if (row < 0 || col < 0)
        return {};
    return model_->index(row, col);
}

void GridControl::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model_)
        return;
    const int row = index.row();
    const int col = index.column();
    const int fixedRows = fixedRowCount();
    const int fixedCols = fixedColCount();

    if (row >= fixedRows) {
        const int visible = visibleBodyRows();
        int first = firstBodyRow();
        switch (hint) {
        case PositionAtTop:
            first = row;
            break;
        case PositionAtBottom:
            first = row - visible + 1;
            break;
        case PositionAtCenter:
            first = row - visible / 2;
            break;
        case EnsureVisible:
            if (row < first)
                first = row;
            else if (row >= first + visible)
                first = row - visible + 1;
            break;
        }
        verticalScrollBar()->setValue(std::max(first, fixedRows) - fixedRows);
    }

    if (col >= fixedCols) {
        const int available = viewport()->width() - fixedWidthPixels();
        const auto edge = [this](int c) { return colEdges_[static_cast<std::size_t>(c)]; };
        int first = firstBodyCol();
        // Leftmost first column that still shows all of col, if it fits at all.
        int fitting = col;
        while (fitting > fixedCols && edge(col + 1) - edge(fitting - 1) <= available)
            --fitting;
        if (hint == PositionAtTop || col < first)
            first = col;
        else if (hint == PositionAtBottom || edge(col + 1) - edge(first) > available)
            first = std::max(first, fitting);
        else if (hint == PositionAtCenter)
            first = (col + fitting) / 2;
        horizontalScrollBar()->setValue(first - fixedCols);
    }
}

QModelIndex GridControl::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (!hasCurrentCell())
        return {};
    return stepFrom(row_, col_, cursorAction, modifiers);
}

// The body cell that a navigation key reaches from (row, col).
QModelIndex GridControl::stepFrom(int row, int col, CursorAction cursorAction,
                                  Qt::KeyboardModifiers modifiers) const
{
    const int firstRow = fixedRows_;
    const int lastRow = Rows() - 1;
    const int firstCol = fixedCols_;
    const int lastCol = Cols() - 1;
    const bool control = modifiers & Qt::ControlModifier;
    switch (cursorAction) {
    case MoveUp:
        row = std::max(firstRow, row - 1);
        break;
    case MoveDown:
        row = std::min(lastRow, row + 1);
        break;
    case MoveLeft:
        col = std::max(firstCol, col - 1);
        break;
    case MoveRight:
        col = std::min(lastCol, col + 1);
        break;
    case MoveHome:
        col = firstCol;
        if (control)
            row = firstRow;
        break;
    case MoveEnd:
        col = lastCol;
        if (control)
            row = lastRow;
        break;
    case MovePageUp:
        row = std::max(firstRow, row - visibleBodyRows());
        break;
    case MovePageDown:
        row = std::min(lastRow, row + visibleBodyRows());
        break;
    case MoveNext:
        if (col < lastCol) {
            ++col;
        } else if (row < lastRow) {
            ++row;
            col = firstCol;
        }
        break;
    case MovePrevious:
        if (col > firstCol) {
            --col;
        } else if (row > firstRow) {
            --row;
            col = lastCol;
        }
        break;
    }
    return model_->index(row, col);
}

int GridControl::horizontalOffset() const
{
    return colEdges_[static_cast<std::size_t>(firstBodyCol())] - fixedWidthPixels();
}

int GridControl::verticalOffset() const
{
    return verticalScrollBar()->value() * rowHeightPixels();
}

bool GridControl::isIndexHidden(const QModelIndex& index) const
{
    return index.isValid() && colWidths_[static_cast<std::size_t>(index.column())] == 0;
}

void GridControl::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    const QModelIndex topLeft = indexAt(area.topLeft());
    const QModelIndex bottomRight = indexAt(area.bottomRight());
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        selectionModel()->select(QItemSelection(), command);
        return;
    }
    const QModelIndex first = model_->index(std::min(topLeft.row(), bottomRight.row()),
                                            std::min(topLeft.column(), bottomRight.column()));
    const QModelIndex last = model_->index(std::max(topLeft.row(), bottomRight.row()),
                                           std::max(topLeft.column(), bottomRight.column()));
    selectionModel()->select(QItemSelection(first, last), command);
}

QRegion GridControl::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.model() != model_)
            continue;
        region += visualRect(range.topLeft()).united(visualRect(range.bottomRight()));
    }
    return region & viewport()->rect();
}

// The scroll bars count whole rows and columns, as in the classic flex grid: each one
// can go as far as leaves the last row or column fully in view.
void GridControl::updateGeometries()
{
    const int fixedRows = fixedRowCount();
    const int fixedCols = fixedColCount();

    const int bodyRows = Rows() - fixedRows;
    const int visibleRows = visibleBodyRows();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, bodyRows - visibleRows));
    vertical->setPageStep(visibleRows);
    vertical->setSingleStep(1);

    const int available = viewport()->width() - fixedWidthPixels();
    const auto edge = [this](int c) { return colEdges_[static_cast<std::size_t>(c)]; };
    int lastFirst = Cols();
    while (lastFirst > fixedCols &&
           (lastFirst == Cols() || edge(Cols()) - edge(lastFirst - 1) <= available))
        --lastFirst;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, lastFirst - fixedCols));
    int shown = 0;
    for (int c = firstBodyCol(); c < Cols() && edge(c + 1) - edge(firstBodyCol()) <= available; ++c)
        ++shown;
    horizontal->setPageStep(std::max(1, shown));
    horizontal->setSingleStep(1);

    QAbstractItemView::updateGeometries();
}

void GridControl::scrollContentsBy(int, int)
{
    // The offsets count cells, not pixels: repaint instead of shifting the pixels.
    viewport()->update();
}

void GridControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QRect exposed = event->rect();
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.fillRect(exposed, palette().brush(group, QPalette::Dark));

    const QSize size = viewport()->size();
    std::vector<int> rows;
    for (int r = 0; r < fixedRowCount(); ++r)
        rows.push_back(r);
    for (int r = firstBodyRow(); r < Rows() && rowY(r) < size.height(); ++r)
        rows.push_back(r);
    std::vector<int> cols;
    for (int c = 0; c < fixedColCount(); ++c)
        cols.push_back(c);
    for (int c = firstBodyCol(); c < Cols() && colX(c) < size.width(); ++c)
        cols.push_back(c);

    for (const int r : rows) {
        for (const int c : cols) {
            const QRect rect = cellRect(r, c);
            if (rect.intersects(exposed))
                paintCell(painter, r, c, rect);
        }
    }
}

void GridControl::paintCell(QPainter& painter, int row, int col, const QRect& rect) const
{
    if (rect.isEmpty())
        return;
    const bool enabled = isEnabled();
    const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
    const bool fixed = row < fixedRowCount() || col < fixedColCount();
    const bool current = row == row_ && col == col_;
    const bool focused = current && enabled && hasFocus();
    const bool extended = rowSel_ != row_ || colSel_ != col_;
    const bool highlighted = focused || (enabled && extended && !fixed && isSelected(row, col));

    QPalette::ColorRole background = fixed ? QPalette::Button : QPalette::Base;
    QPalette::ColorRole foreground = fixed ? QPalette::ButtonText : QPalette::Text;
    if (highlighted) {
        background = QPalette::Highlight;
        foreground = QPalette::HighlightedText;
    }
    // The grid lines take the last pixel column and row of each cell.
    const QRect inner = rect.adjusted(0, 0, -1, -1);
    painter.fillRect(inner, palette().brush(group, background));
    painter.setPen(fixed ? kFixedLineColor : kBodyLineColor);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());

    const QString text = model_->text(row, col);
    if (!text.isEmpty()) {
        // Align within the part of the cell that is in view, and mark a text that does not
        // fit with an ellipsis: a number cut off at the edge would read as another number.
        const QRect area = inner.adjusted(kTextMarginPixels, 0, -kTextMarginPixels, 0)
                               .intersected(viewport()->rect());
        const QString shown = fontMetrics().elidedText(text, Qt::ElideRight, area.width());
        painter.setPen(palette().color(group, foreground));
        painter.drawText(area, static_cast<int>(model_->cellAlignment(row, col)), shown);
    }

    if (focused) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner;
        option.backgroundColor = palette().color(group, background);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// The character code of a key as the grid reports it, or -1 for keys that type nothing.
int GridControl::keyAscii(const QKeyEvent& event) const
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return -1;
    if (modifiers & Qt::ControlModifier) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return event.key() - Qt::Key_A + 1;
        return -1;
    }
    const QList<uint> codePoints = event.text().toUcs4();
    if (codePoints.size() != 1)
        return -1;
    const char32_t code = codePoints.front();
    if (QChar::category(code) == QChar::Other_Control)
        return -1;
    return static_cast<int>(code);
}

void GridControl::keyPressEvent(QKeyEvent* event)
{
    CursorAction action{};
    bool navigation = true;
    switch (event->key()) {
    case Qt::Key_Up:
        action = MoveUp;
        break;
    case Qt::Key_Down:
        action = MoveDown;
        break;
    case Qt::Key_Left:
        action = MoveLeft;
        break;
    case Qt::Key_Right:
        action = MoveRight;
        break;
    case Qt::Key_Home:
        action = MoveHome;
        break;
    case Qt::Key_End:
        action = MoveEnd;
        break;
    case Qt::Key_PageUp:
        action = MovePageUp;
        break;
    case Qt::Key_PageDown:
        action = MovePageDown;
        break;
    default:
        navigation = false;
        break;
    }
    if (navigation) {
        if (!hasCurrentCell()) {
            event->accept();
            return;
        }
        // Shift moves the selection's far corner; the current cell stays as its anchor.
        if (event->modifiers() & Qt::ShiftModifier) {
            const QModelIndex corner = stepFrom(rowSel_, colSel_, action, event->modifiers());
            setSelectionCorner(corner.row(), corner.column());
            scrollTo(corner);
        } else {
            const QModelIndex target = moveCursor(action, event->modifiers());
            moveCurrentTo(target.row(), target.column());
        }
        event->accept();
        return;
    }

    // The clipboard keys never reach KeyPress, so they never start an edit.
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (!pasteEnabled_) {
            event->ignore();
            return;
        }
        pasteFromClipboard();
        event->accept();
        return;
    }
    const int code = keyAscii(*event);
    if (code < 0) {
        event->ignore();
        return;
    }
    // Whoever handles the key may lay something over the current cell: show it first.
    if (hasCurrentCell())
        scrollTo(model_->index(row_, col_));
    event->accept();
    emit KeyPress(code);
}

void GridControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    dragging_ = false;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && isBodyCell(index.row(), index.column())) {
        if (event->modifiers() & Qt::ShiftModifier)
            setSelectionCorner(index.row(), index.column());
        else
            moveCurrentTo(index.row(), index.column());
        // A drag extends from this cell; LeaveCell handlers may have changed the grid.
        dragging_ = hasCurrentCell();
    }
    event->accept();
}

void GridControl::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton) && hasCurrentCell()) {
        const QModelIndex corner = bodyCellNear(event->position().toPoint());
        if (corner.isValid()) {
            setSelectionCorner(corner.row(), corner.column());
            scrollTo(corner);
        }
    }
    event->accept();
}

void GridControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    event->accept();
}

void GridControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || !isBodyCell(index.row(), index.column())) {
        event->accept();
        return;
    }
    moveCurrentTo(index.row(), index.column());
    event->accept();
    emit DblClick();
}

void GridControl::focusInEvent(QFocusEvent* event)
{
    QAbstractItemView::focusInEvent(event);
    viewport()->update();
    emit GotFocus();
}

void GridControl::focusOutEvent(QFocusEvent* event)
{
    QAbstractItemView::focusOutEvent(event);
    viewport()->update();
}

void GridControl::changeEvent(QEvent* event)
{
    QAbstractItemView::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        layoutColumns();
        updateGeometries();
        viewport()->update();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        viewport()->update();
        break;
    default:
        break;
    }
}
