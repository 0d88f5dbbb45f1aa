#include "grid/GridControl.h"

#include "grid/GridClipboard.h"
#include "grid/GridContextMenu.h"
#include "grid/GridModel.h"
#include "grid/GridPainter.h"
#include "grid/KeyCodes.h"
#include "grid/Twips.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {
constexpr int kRowPaddingPixels = 4;

bool isRedoKey(const QKeyEvent& event)
{
    const QKeyCombination keys = event.keyCombination();
    return event.matches(QKeySequence::Redo) ||
           keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           keys == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

QList<QAction*> present(const QList<QPointer<QAction>>& actions)
{
    QList<QAction*> result;
    for (const QPointer<QAction>& action : actions) {
        if (action)
            result << action.data();
    }
    return result;
}
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
    // Every paint covers what it is given: Qt need not clear it first, and can move the
    // pixels when the body scrolls.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    measureFont();
}

GridControl::~GridControl() = default;

int GridControl::Rows() const
{
    return model_->rows();
}

void GridControl::setRows(int rows)
{
    if (rows >= 0)
        applyShape({rows, Cols(), FixedRows(), FixedCols()});
}

int GridControl::Cols() const
{
    return model_->cols();
}

void GridControl::setCols(int cols)
{
    if (cols >= 0)
        applyShape({Rows(), cols, FixedRows(), FixedCols()});
}

void GridControl::setFixedRows(int rows)
{
    if (rows >= 0)
        applyShape({Rows(), Cols(), rows, FixedCols()});
}

void GridControl::setFixedCols(int cols)
{
    if (cols >= 0)
        applyShape({Rows(), Cols(), FixedRows(), cols});
}

void GridControl::setRow(int row)
{
    if (hasCurrentCell() && isBodyCell(row, Col()))
        moveCurrentTo(row, Col());
}

void GridControl::setCol(int col)
{
    if (hasCurrentCell() && isBodyCell(Row(), col))
        moveCurrentTo(Row(), col);
}

void GridControl::setRowSel(int row)
{
    if (hasCurrentCell() && isBodyCell(row, ColSel()))
        setSelectionCorner(row, ColSel());
}

void GridControl::setColSel(int col)
{
    if (hasCurrentCell() && isBodyCell(RowSel(), col))
        setSelectionCorner(RowSel(), col);
}

QString GridControl::Text() const
{
    return model_->text(Row(), Col());
}

void GridControl::setText(const QString& text)
{
    model_->setText(Row(), Col(), text);
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
        relayout();
    }
}

void GridControl::setColWidth(int col, int twips)
{
    if (col < 0 || col >= Cols())
        return;
    geometry_.setColWidth(col, twips);
    if (bulkDepth_ > 0)
        widthsPending_ = true;
    else
        relayout();
}

int GridControl::ColAlignment(int col) const
{
    return model_->colAlignment(col);
}

void GridControl::setColAlignment(int col, int code)
{
    model_->setColAlignment(col, code);
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
    return pixelsToTwips(view().rowHeight);
}

int GridControl::CellLeft() const
{
    if (!hasCurrentCell())
        return 0;
    return pixelsToTwips(viewport()->mapTo(this, cellRect(Row(), Col()).topLeft()).x());
}

int GridControl::CellTop() const
{
    if (!hasCurrentCell())
        return 0;
    return pixelsToTwips(viewport()->mapTo(this, cellRect(Row(), Col()).topLeft()).y());
}

int GridControl::CellWidth() const
{
    return hasCurrentCell() ? pixelsToTwips(geometry_.colWidthPixels(Col())) : 0;
}

int GridControl::CellHeight() const
{
    return hasCurrentCell() ? RowHeight() : 0;
}

void GridControl::copyToClipboard() const
{
    if (hasCurrentCell())
        GridClipboard::copy(*model_, selection_);
}

void GridControl::pasteFromClipboard()
{
    if (!pasteEnabled_ || !hasCurrentCell())
        return;
    const TextBlock block = GridClipboard::pasted();
    if (std::all_of(block.begin(), block.end(), [](const TextRow& r) { return r.empty(); }))
        return;
    emit BeforePaste();
    // The handler may have reshaped the grid: the block goes where the current cell is now.
    if (!hasCurrentCell())
        return;
    CellPosition last;
    {
        BulkUpdate bulk(*this);
        last = GridClipboard::write(*model_, block, selection_.current());
    }
    setSelectionCorner(last.row, last.col);
    emit Pasted();
}

void GridControl::selectAll()
{
    const GridShape& shape = geometry_.shape();
    if (!hasCurrentCell())
        return;
    moveCurrentTo(shape.fixedRows, shape.fixedCols);
    // LeaveCell handlers may have changed the grid meanwhile.
    if (hasCurrentCell())
        setSelectionCorner(Rows() - 1, Cols() - 1);
}

void GridControl::setContextActions(QList<QAction*> leading, QList<QAction*> trailing)
{
    leadingActions_ = {leading.begin(), leading.end()};
    trailingActions_ = {trailing.begin(), trailing.end()};
}

QMenu* GridControl::createContextMenu()
{
    return GridContextMenu::create(*this, present(leadingActions_), present(trailingActions_),
                                   this);
}

QList<QStringList> GridControl::parseBlock(const QString& text)
{
    return GridClipboard::toStringLists(parseTextBlock(QStringView(text).utf16()));
}

GridGeometry::View GridControl::view() const
{
    return {viewport()->width(), viewport()->height(), rowHeight_, verticalScrollBar()->value(),
            horizontalScrollBar()->value()};
}

void GridControl::setModel(QAbstractItemModel* model)
{
    if (model != model_)
        qWarning("GridControl: the grid shows its own model only");
}

QRect GridControl::cellRect(int row, int col) const
{
    return geometry_.cellRect(row, col, view());
}

bool GridControl::isBodyCell(int row, int col) const
{
    return geometry_.shape().isBodyCell(row, col) && model_->contains(row, col);
}

QModelIndex GridControl::indexOf(CellPosition cell) const
{
    return model_->index(cell.row, cell.col);
}

void GridControl::measureFont()
{
    rowHeight_ = fontMetrics().height() + kRowPaddingPixels;
    lineHeight_ = QFontMetricsF(font()).height();
    texts_.setFont(font());
}

void GridControl::relayout()
{
    updateGeometries();
    viewport()->update();
}

// Every change of rows, columns or fixed counts goes through here, so that a current
// cell pushed out of the body is moved (or removed) with the usual pair of signals.
void GridControl::applyShape(const GridShape& shape)
{
    const CellSelection next = selection_.reshaped(shape);
    const bool moves = next.current() != selection_.current();
    if (moves)
        emit LeaveCell();

    // The view may be asked for geometry while the model changes: lay out every row and
    // column of both the old and the new size until the change is over.
    const GridShape old = geometry_.shape();
    geometry_.setShape({std::max(old.rows, shape.rows), std::max(old.cols, shape.cols),
                        old.fixedRows, old.fixedCols});
    syncing_ = true;
    model_->setRows(shape.rows);
    model_->setCols(shape.cols);
    syncing_ = false;
    geometry_.setShape(shape);
    model_->setFixedCounts(shape.fixedRows, shape.fixedCols);
    updateGeometries();
    selection_ = next;
    syncCurrentIndex();
    syncSelection();
    if (hasCurrentCell())
        scrollTo(indexOf(selection_.current()));
    viewport()->update();
    if (moves) {
        emit RowColChange();
        accessibility_.currentMoved();
    }
}

// Every move collapses the selection, even one onto the cell that is already current.
void GridControl::moveCurrentTo(int row, int col)
{
    if (row == Row() && col == Col()) {
        setSelectionCorner(row, col);
        return;
    }
    emit LeaveCell();
    const bool collapsed = !selection_.isExtended();
    const QRect oldRect = hasCurrentCell() ? cellRect(Row(), Col()) : QRect();
    selection_ = CellSelection(row, col);
    syncCurrentIndex();
    syncSelection();
    if (collapsed)
        viewport()->update(oldRect);
    else
        viewport()->update();
    scrollTo(model_->index(row, col));
    viewport()->update(cellRect(row, col));
    emit RowColChange();
    accessibility_.currentMoved();
}

void GridControl::setSelectionCorner(int row, int col)
{
    if (row == RowSel() && col == ColSel())
        return;
    selection_.setCorner({row, col});
    syncSelection();
    viewport()->update();
}

void GridControl::syncSelection()
{
    QItemSelection selected;
    if (hasCurrentCell())
        selected.select(model_->index(selection_.top(), selection_.left()),
                        model_->index(selection_.bottom(), selection_.right()));
    if (selectionModel()->selection() == selected)
        return;
    syncing_ = true;
    selectionModel()->select(selected, QItemSelectionModel::ClearAndSelect);
    syncing_ = false;
}

void GridControl::syncCurrentIndex()
{
    const QModelIndex index = hasCurrentCell() ? indexOf(selection_.current()) : QModelIndex();
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
    const GridGeometry::View v = view();
    const int row = geometry_.rowAt(point.y(), v);
    const int col = geometry_.colAt(point.x(), v);
    if (row < 0 || col < 0)
        return {};
    return model_->index(row, col);
}

void GridControl::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model_)
        return;
    using Placement = GridGeometry::Placement;
    static_assert(int(Placement::AtStart) == PositionAtTop &&
                  int(Placement::AtEnd) == PositionAtBottom &&
                  int(Placement::AtCenter) == PositionAtCenter);
    const auto placement = static_cast<Placement>(hint);
    verticalScrollBar()->setValue(geometry_.scrollRowFor(index.row(), placement, view()));
    horizontalScrollBar()->setValue(geometry_.scrollColFor(index.column(), placement, view()));
}

QModelIndex GridControl::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    if (!hasCurrentCell())
        return {};
    static_assert(MoveUp == 0 && MovePrevious == 9);
    static constexpr CellStep steps[] = {
        CellStep::Up,  CellStep::Down,   CellStep::Left,     CellStep::Right, CellStep::Home,
        CellStep::End, CellStep::PageUp, CellStep::PageDown, CellStep::Next,  CellStep::Previous};
    const CellStep step = steps[cursorAction];
    return indexOf(stepFrom(geometry_.shape(), selection_.current(), step,
                            modifiers & Qt::ControlModifier, geometry_.visibleBodyRows(view())));
}

// A navigation key: Shift moves the selection's far corner, the current cell staying as
// its anchor; without it the current cell moves.
void GridControl::navigate(CellStep step, Qt::KeyboardModifiers modifiers)
{
    const CellPosition from =
        modifiers & Qt::ShiftModifier ? selection_.corner() : selection_.current();
    const CellPosition to = stepFrom(geometry_.shape(), from, step, modifiers & Qt::ControlModifier,
                                     geometry_.visibleBodyRows(view()));
    if (modifiers & Qt::ShiftModifier) {
        setSelectionCorner(to.row, to.col);
        scrollTo(indexOf(to));
    } else {
        moveCurrentTo(to.row, to.col);
    }
}

int GridControl::horizontalOffset() const
{
    return geometry_.horizontalOffset(view());
}

int GridControl::verticalOffset() const
{
    return geometry_.verticalOffset(view());
}

bool GridControl::isIndexHidden(const QModelIndex& index) const
{
    return index.isValid() && geometry_.colWidth(index.column()) == 0;
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

QRegion GridControl::visualRegionForSelection(const QItemSelection& selected) const
{
    QRegion region;
    for (const QItemSelectionRange& range : selected) {
        if (!range.isValid() || range.model() != model_)
            continue;
        region += visualRect(range.topLeft()).united(visualRect(range.bottomRight()));
    }
    return region & viewport()->rect();
}

void GridControl::updateGeometries()
{
    const GridGeometry::View v = view();
    const GridGeometry::ScrollRange rows = geometry_.verticalRange(v);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, rows.maximum);
    vertical->setPageStep(rows.page);
    vertical->setSingleStep(1);
    const GridGeometry::ScrollRange cols = geometry_.horizontalRange(v);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, cols.maximum);
    horizontal->setPageStep(cols.page);
    horizontal->setSingleStep(1);

    QAbstractItemView::updateGeometries();
}

// The scroll bars count rows and columns, so dx and dy are cells: the body's pixels move
// by as many pixels (the fixed rows sideways with it, the fixed columns up and down) and
// only what comes into view is painted. A cell cut by the right or bottom edge places its
// text in the part that is shown, so the one that was cut is painted again.
void GridControl::scrollContentsBy(int dx, int dy)
{
    const QRect all = viewport()->rect();
    if (dy != 0 && dx == 0) {
        const int top = geometry_.fixedHeight(view());
        const QRect body(0, top, all.width(), all.height() - top);
        const int shift = dy * rowHeight_;
        if (std::abs(shift) >= body.height() || rowHeight_ <= 0) {
            viewport()->update();
            return;
        }
        viewport()->scroll(0, shift, body);
        // The row cut by the bottom edge, where it went and where the next one is cut.
        const int cut = top + body.height() / rowHeight_ * rowHeight_;
        if (cut < all.height()) {
            viewport()->update(QRect(0, cut + shift, all.width(), rowHeight_) & body);
            viewport()->update(QRect(0, cut, all.width(), rowHeight_) & body);
        }
        return;
    }
    if (dx != 0 && dy == 0) {
        const GridGeometry::View now = view();
        GridGeometry::View before = now;
        before.scrollCol = now.scrollCol + dx;
        const int left = geometry_.fixedWidth();
        const QRect body(left, 0, all.width() - left, all.height());
        const int first = geometry_.firstBodyCol(now);
        const int shift = geometry_.colX(first, now) - geometry_.colX(first, before);
        if (std::abs(shift) >= body.width()) {
            viewport()->update();
            return;
        }
        viewport()->scroll(shift, 0, body);
        // The column cut by the right edge, where it went and the one cut now.
        for (const auto& [layout, moved] : {std::pair(before, shift), std::pair(now, 0)}) {
            for (const int c : geometry_.colsInView(layout)) {
                const int x = geometry_.colX(c, layout);
                const int width = geometry_.colWidthPixels(c);
                if (c >= geometry_.fixedColCount() && x + width > all.width()) {
                    viewport()->update(QRect(x + moved, 0, width, all.height()) & body);
                    break;
                }
            }
        }
        return;
    }
    viewport()->update();
}

void GridControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    GridPainter(*this, painter, texts_, lineHeight_).paint(event->rect());
}

// The rectangle a block of cells covers in the viewport, clipped to it: its fixed and its
// body parts lie apart once the body has scrolled, so each part is mapped on its own.
QRect GridControl::blockRect(int top, int left, int bottom, int right) const
{
    const GridGeometry::View v = view();
    const int fixedRows = geometry_.fixedRowCount();
    const int fixedCols = geometry_.fixedColCount();
    QRect covered;
    const auto add = [&](int r0, int r1, int c0, int c1) {
        if (r0 <= r1 && c0 <= c1)
            covered |= geometry_.cellRect(r0, c0, v).united(geometry_.cellRect(r1, c1, v));
    };
    const int fixedBottom = std::min(bottom, fixedRows - 1);
    const int fixedRight = std::min(right, fixedCols - 1);
    const int bodyTop = std::max(top, fixedRows);
    const int bodyLeft = std::max(left, fixedCols);
    add(top, fixedBottom, left, fixedRight);
    add(top, fixedBottom, bodyLeft, right);
    add(bodyTop, bottom, left, fixedRight);
    add(bodyTop, bottom, bodyLeft, right);
    return covered & viewport()->rect();
}

void GridControl::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    if (const std::optional<CellStep> step = GridKey::step(event->key())) {
        if (hasCurrentCell())
            navigate(*step, event->modifiers());
        return;
    }
    // The clipboard keys never reach KeyPress, so they never start an edit.
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    if (event->matches(QKeySequence::Undo)) {
        emit UndoRequested();
        return;
    }
    if (isRedoKey(*event)) {
        emit RedoRequested();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (pasteEnabled_)
            pasteFromClipboard();
        else
            event->ignore();
        return;
    }
    const int code = GridKey::characterCode(*event);
    if (code < 0) {
        event->ignore();
        return;
    }
    // Whoever handles the key may lay something over the current cell: show it first.
    if (hasCurrentCell())
        scrollTo(indexOf(selection_.current()));
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
        const CellPosition corner = geometry_.bodyCellNear(event->position().toPoint(), view());
        if (isBodyCell(corner.row, corner.col)) {
            setSelectionCorner(corner.row, corner.col);
            scrollTo(indexOf(corner));
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
    accessibility_.focusEntered();
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
        measureFont();
        relayout();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        viewport()->update();
        break;
    default:
        break;
    }
}

// One rectangle for a whole changed block, where the view's own handler asks for the
// rectangle of every cell of it (ten thousand for a matrix); and the change announced at
// the table's coordinates, once, where the view's handler would announce it again at the
// model's.
void GridControl::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                              const QList<int>& roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid())
        return;
    if (isVisible()) {
        if (topLeft == bottomRight) {
            update(topLeft);
        } else {
            const QRect rect =
                blockRect(topLeft.row(), topLeft.column(), bottomRight.row(), bottomRight.column());
            if (!rect.isEmpty())
                viewport()->update(rect);
        }
    }
    if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
        accessibility_.textsChanged(topLeft.row(), topLeft.column(), bottomRight.row(),
                                    bottomRight.column());
}

// A right-click outside the selection makes the cell under it current, as spreadsheets do;
// inside it the selection stays, so that the menu acts on it.
void GridControl::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex index = indexAt(viewport()->mapFromGlobal(at));
        if (index.isValid() && isBodyCell(index.row(), index.column()) &&
            !selection_.contains(index.row(), index.column()))
            moveCurrentTo(index.row(), index.column());
    } else if (hasCurrentCell()) {
        at = viewport()->mapToGlobal(cellRect(Row(), Col()).center());
    }
    event->accept();
    // The grid, and the menu with it, may be gone when an entry's command ends.
    const QPointer<QMenu> menu = createContextMenu();
    menu->exec(at);
    delete menu.data();
}

// A cell whose text does not show in full gives the whole text as its tooltip.
bool GridControl::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractItemView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.isValid() ? model_->text(index.row(), index.column()) : QString();
    const QRect rect = index.isValid() ? cellRect(index.row(), index.column()) : QRect();
    const bool fixed =
        index.isValid() && !geometry_.shape().isBodyCell(index.row(), index.column());
    if (!text.isEmpty() && textFit_.isCut(font(), text, rect.width() - 1, fixed))
        QToolTip::showText(help->globalPos(), text, viewport(), rect);
    else
        QToolTip::hideText();
    return true;
}
