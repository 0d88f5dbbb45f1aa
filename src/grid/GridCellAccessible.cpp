#include "grid/GridCellAccessible.h"

#include "grid/GridAccessible.h"
#include "grid/GridControl.h"
#include "grid/GridModel.h"

#include <QAbstractItemModel>

#include <algorithm>

namespace {

GridAccessible* tableOf(GridControl* grid)
{
    return grid ? dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid))
                : nullptr;
}

} // namespace

GridCellAccessible::GridCellAccessible(GridControl* grid, int row, int col)
    : grid_(grid), row_(row), col_(col)
{}

GridControl* GridCellAccessible::grid() const
{
    return grid_.data();
}

bool GridCellAccessible::isBodyCell() const
{
    return grid_ && row_ >= std::min(grid_->FixedRows(), grid_->Rows()) &&
           col_ >= std::min(grid_->FixedCols(), grid_->Cols());
}

bool GridCellAccessible::isValid() const
{
    return grid_ && grid_->isValidCell(row_, col_);
}

// Cells are not objects of their own; the table answers for them.
QObject* GridCellAccessible::object() const
{
    return nullptr;
}

QWindow* GridCellAccessible::window() const
{
    if (!grid_)
        return nullptr;
    const QWidget* top = grid_->window();
    return top ? top->windowHandle() : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const
{
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QAccessibleInterface* GridCellAccessible::child(int) const
{
    return nullptr;
}

int GridCellAccessible::childCount() const
{
    return 0;
}

int GridCellAccessible::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QAccessibleInterface* GridCellAccessible::childAt(int, int) const
{
    return nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const
{
    if (!grid_)
        return {};
    if (t == QAccessible::Description)
        return grid_->gridModel()->note(row_, col_).text;
    if (t != QAccessible::Name)
        return {};
    return grid_->TextMatrix(row_, col_);
}

void GridCellAccessible::setText(QAccessible::Text, const QString&) {}

QRect GridCellAccessible::rect() const
{
    if (!isValid())
        return {};
    const QRect local = grid_->visualRect(grid_->model()->index(row_, col_));
    return {grid_->viewport()->mapToGlobal(local.topLeft()), local.size()};
}

QAccessible::Role GridCellAccessible::role() const
{
    if (isBodyCell())
        return QAccessible::Cell;
    if (!grid_)
        return QAccessible::NoRole;
    const bool fixedRow = row_ < grid_->FixedRows();
    const bool fixedCol = col_ < grid_->FixedCols();
    if (fixedRow && fixedCol)
        return QAccessible::StaticText;
    return fixedRow ? QAccessible::ColumnHeader : QAccessible::RowHeader;
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State st;
    if (!isValid()) {
        st.invalid = true;
        return st;
    }
    if (!grid_->isVisible())
        st.invisible = true;
    if (!grid_->isEnabled())
        st.disabled = true;
    if (!grid_->visualRect(grid_->model()->index(row_, col_)).intersects(grid_->viewport()->rect()))
        st.offscreen = true;
    if (!isBodyCell()) {
        st.readOnly = true;
        return st;
    }
    st.focusable = true;
    st.selectable = true;
    st.selected = isSelected();
    const bool current = grid_->Row() == row_ && grid_->Col() == col_;
    st.focused = current && grid_->hasFocus();
    return st;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    // Headers are not table cells: a table cell has a row and a column of the body.
    if (type == QAccessible::TableCellInterface && isBodyCell())
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const
{
    return isBodyCell() && grid_->selection().contains(row_, col_);
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    GridAccessible* table = tableOf(grid_);
    if (!table || !isBodyCell())
        return headers;
    for (int r = 0; r < table->headerRows(); ++r)
        headers << table->cell(r, col_);
    return headers;
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const
{
    QList<QAccessibleInterface*> headers;
    GridAccessible* table = tableOf(grid_);
    if (!table || !isBodyCell())
        return headers;
    for (int c = 0; c < table->headerCols(); ++c)
        headers << table->cell(row_, c);
    return headers;
}

int GridCellAccessible::columnIndex() const
{
    return isBodyCell() ? col_ - std::min(grid_->FixedCols(), grid_->Cols()) : -1;
}

int GridCellAccessible::rowIndex() const
{
    return isBodyCell() ? row_ - std::min(grid_->FixedRows(), grid_->Rows()) : -1;
}

int GridCellAccessible::columnExtent() const
{
    return 1;
}

int GridCellAccessible::rowExtent() const
{
    return 1;
}

QAccessibleInterface* GridCellAccessible::table() const
{
    return parent();
}
