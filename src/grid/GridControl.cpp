#include "grid/GridControl.h"

#include "grid/GridClipboard.h"
#include "grid/GridContextMenu.h"
#include "grid/GridKey.h"
#include "grid/GridPainter.h"
#include "grid/GridScrolling.h"
#include "grid/KeyboardContextMenu.h"
#include "grid/Twips.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <utility>

namespace {
constexpr int kRowPaddingPixels = 4;
} // namespace

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
    KeyboardContextMenu::install(*this);
}

GridControl::~GridControl() = default;

void GridControl::setRows(int rows)
{
    if (rows >= 0)
        applyShape({rows, Cols(), FixedRows(), FixedCols()});
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

void GridControl::copyToClipboard() const
{
    if (hasCurrentCell())
        GridClipboard::copy(*model_, selection_);
}

void GridControl::pasteFromClipboard()
{
    if (!pasteEnabled_ || !hasCurrentCell())
        return;
    const TextBlock block = GridClipboard::pasted(pasteReader_);
    if (!GridClipboard::holdsCells(block))
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

void GridControl::setMuted(bool muted)
{
    if (muted == muted_)
        return;
    muted_ = muted;
    viewport()->update();
}

void GridControl::setContextActions(QList<QAction*> leading, QList<QAction*> trailing)
{
    leadingActions_ = {leading.begin(), leading.end()};
    trailingActions_ = {trailing.begin(), trailing.end()};
}

QMenu* GridControl::createContextMenu()
{
    return GridContextMenu::create(*this, leadingActions_, trailingActions_, this);
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

bool GridControl::isBodyCell(int row, int col) const
{
    return geometry_.shape().isBodyCell(row, col) && model_->contains(row, col);
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
    return indexOf(stepFrom(geometry_.shape(), selection_.current(),
                            GridKey::cursorStep(cursorAction), modifiers & Qt::ControlModifier,
                            geometry_.visibleBodyRows(view())));
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
        if (range.isValid() && range.model() == model_)
            region += geometry_.blockRect(range.top(), range.left(), range.bottom(), range.right(),
                                          view());
    }
    return region;
}

void GridControl::updateGeometries()
{
    const GridGeometry::View v = view();
    for (const auto& [bar, range] :
         {std::pair(verticalScrollBar(), geometry_.verticalRange(v)),
          std::pair(horizontalScrollBar(), geometry_.horizontalRange(v))}) {
        bar->setRange(0, range.maximum);
        bar->setPageStep(range.page);
        bar->setSingleStep(1);
    }
    QAbstractItemView::updateGeometries();
}

void GridControl::scrollContentsBy(int dx, int dy)
{
    const ScrollPlan plan = GridScrolling::plan(geometry_, view(), dx, dy);
    if (plan.repaintAll) {
        viewport()->update();
        return;
    }
    viewport()->scroll(plan.shift.x(), plan.shift.y(), plan.area);
    for (const QRect& rect : plan.repaint)
        viewport()->update(rect);
}

void GridControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const GridPaintState state{.geometry = geometry_,
                               .view = view(),
                               .selection = selection_,
                               .model = *model_,
                               .textFit = textFit_,
                               .texts = texts_,
                               .font = font(),
                               .lineHeight = lineHeight_,
                               .palette = palette(),
                               .enabled = isEnabled(),
                               .hasFocus = hasFocus(),
                               .muted = muted_,
                               .styleSource = this};
    GridPainter(state, painter).paint(event->rect());
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
    switch (GridKey::command(*event)) {
    case GridKey::Command::Copy:
        return copyToClipboard();
    case GridKey::Command::SelectAll:
        return selectAll();
    case GridKey::Command::Undo:
        return emit UndoRequested();
    case GridKey::Command::Redo:
        return emit RedoRequested();
    case GridKey::Command::Paste:
        return pasteEnabled_ ? pasteFromClipboard() : event->ignore();
    case GridKey::Command::None:
        break;
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
            const QRect rect = geometry_.blockRect(topLeft.row(), topLeft.column(),
                                                   bottomRight.row(), bottomRight.column(), view());
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
    GridContextMenu::exec(*this, at);
}

// A cell's tooltip: its whole text where it does not show in full, the owner's note on it,
// and the owner's tooltip of the grid, each on a line of its own.
bool GridControl::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QAbstractItemView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data().toString();
    const QRect rect = visualRect(index);
    const bool fixed = !geometry_.shape().isBodyCell(index.row(), index.column());
    QStringList lines;
    if (!text.isEmpty() && textFit_.isCut(font(), text, rect.width() - 1, fixed))
        lines << text;
    lines << index.data(Qt::ToolTipRole).toString() << toolTip();
    lines.removeAll(QString());
    if (!lines.isEmpty())
        QToolTip::showText(help->globalPos(), lines.join(QLatin1Char('\n')), viewport(),
                           index.isValid() ? rect : viewport()->rect());
    else
        QToolTip::hideText();
    return true;
}
