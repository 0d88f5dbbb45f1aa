#include "grid/GridAccessible.h"

#include "grid/GridCellAccessible.h"
#include "grid/GridControl.h"

#include <QStringList>

#include <algorithm>

// The table hears of new texts from the model after the grid, which announces a block.
GridAccessible::GridAccessible(GridControl* grid) : QAccessibleWidget(grid, QAccessible::Table)
{
    textsChanged_ =
        QObject::connect(grid->gridModel(), &QAbstractItemModel::dataChanged, grid,
                         [this](const QModelIndex& topLeft, const QModelIndex& bottomRight,
                                const QList<int>& roles) {
                             if (topLeft.isValid() && bottomRight.isValid() &&
                                 (roles.isEmpty() || roles.contains(Qt::DisplayRole)))
                                 textsChanged(topLeft.row(), topLeft.column(), bottomRight.row(),
                                              bottomRight.column());
                         });
}

GridAccessible::~GridAccessible()
{
    QObject::disconnect(textsChanged_);
    for (const auto& entry : cells_)
        QAccessible::deleteAccessibleInterface(entry.second);
}

GridControl* GridAccessible::grid() const
{
    return static_cast<GridControl*>(widget());
}

int GridAccessible::headerRows() const
{
    return std::min(grid()->FixedRows(), grid()->Rows());
}

int GridAccessible::headerCols() const
{
    return std::min(grid()->FixedCols(), grid()->Cols());
}

int GridAccessible::childIndex(int row, int col) const
{
    return grid()->isValidCell(row, col) ? row * grid()->Cols() + col : -1;
}

QAccessibleInterface* GridAccessible::cell(int row, int col) const
{
    if (!grid()->isValidCell(row, col))
        return nullptr;
    const auto key = std::make_pair(row, col);
    if (const auto found = cells_.find(key); found != cells_.end()) {
        if (QAccessibleInterface* kept = QAccessible::accessibleInterface(found->second))
            return kept;
        cells_.erase(found);
    }
    auto* made = new GridCellAccessible(grid(), row, col);
    cells_.emplace(key, QAccessible::registerAccessibleInterface(made));
    return made;
}

QList<QAccessibleInterface*> GridAccessible::cellsMadeIn(int top, int left, int bottom,
                                                         int right) const
{
    QList<QAccessibleInterface*> made;
    for (auto it = cells_.lower_bound({top, left}); it != cells_.end() && it->first.first <= bottom;
         ++it) {
        const int col = it->first.second;
        if (col < left || col > right)
            continue;
        if (QAccessibleInterface* kept = QAccessible::accessibleInterface(it->second))
            made << kept;
    }
    return made;
}

// A screen reader keeps the texts it has read: every cell it has met is told its new
// text. Cells nobody has asked for are not made for this, so a block costs the same
// whatever its size.
void GridAccessible::textsChanged(int top, int left, int bottom, int right) const
{
    if (!QAccessible::isActive())
        return;
    for (QAccessibleInterface* cell : cellsMadeIn(top, left, bottom, right)) {
        QAccessibleEvent event(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

int GridAccessible::childCount() const
{
    return grid()->Rows() * grid()->Cols();
}

QAccessibleInterface* GridAccessible::child(int index) const
{
    const int cols = grid()->Cols();
    if (index < 0 || cols == 0)
        return nullptr;
    return cell(index / cols, index % cols);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    // Only this grid's cells are its children: the scroll bars and the viewport are not.
    const auto* found = child ? dynamic_cast<const GridCellAccessible*>(child) : nullptr;
    if (!found || found->grid() != grid())
        return -1;
    return childIndex(found->gridRow(), found->gridCol());
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const
{
    const QPoint local = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    const QModelIndex index = grid()->indexAt(local);
    return index.isValid() ? cell(index.row(), index.column()) : nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const
{
    if (!grid()->hasCurrentCell())
        return nullptr;
    return cell(grid()->Row(), grid()->Col());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* GridAccessible::caption() const
{
    return nullptr;
}

QAccessibleInterface* GridAccessible::summary() const
{
    return nullptr;
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return cell(row + headerRows(), column + headerCols());
}

// A table without body cells has neither rows nor columns: a screen reader asking for
// the header of row 0 of a table with rows but no columns gets no cell to ask.
int GridAccessible::rowCount() const
{
    const int rows = grid()->Rows() - headerRows();
    return grid()->Cols() > headerCols() ? rows : 0;
}

int GridAccessible::columnCount() const
{
    const int cols = grid()->Cols() - headerCols();
    return grid()->Rows() > headerRows() ? cols : 0;
}

QString GridAccessible::columnDescription(int column) const
{
    QStringList texts;
    if (column >= 0 && column < columnCount())
        for (int r = 0; r < headerRows(); ++r)
            texts << grid()->TextMatrix(r, column + headerCols());
    return texts.join(QLatin1Char(' '));
}

QString GridAccessible::rowDescription(int row) const
{
    QStringList texts;
    if (row >= 0 && row < rowCount())
        for (int c = 0; c < headerCols(); ++c)
            texts << grid()->TextMatrix(row + headerRows(), c);
    return texts.join(QLatin1Char(' '));
}

QRect GridAccessible::selectedArea() const
{
    const GridControl* g = grid();
    if (!g->hasCurrentCell() || rowCount() == 0)
        return {};
    const CellSelection& s = g->selection();
    return QRect(QPoint(s.left() - headerCols(), s.top() - headerRows()),
                 QPoint(s.right() - headerCols(), s.bottom() - headerRows()));
}

int GridAccessible::selectedCellCount() const
{
    const QRect area = selectedArea();
    return area.isEmpty() ? 0 : area.width() * area.height();
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> selected;
    const QRect area = selectedArea();
    if (area.isEmpty())
        return selected;
    selected.reserve(area.width() * area.height());
    for (int r = area.top(); r <= area.bottom(); ++r)
        for (int c = area.left(); c <= area.right(); ++c)
            selected << cellAt(r, c);
    return selected;
}

int GridAccessible::selectedColumnCount() const
{
    return static_cast<int>(selectedColumns().size());
}

int GridAccessible::selectedRowCount() const
{
    return static_cast<int>(selectedRows().size());
}

// A column counts as selected when the selection covers every row of it, as in Qt's views.
QList<int> GridAccessible::selectedColumns() const
{
    QList<int> columns;
    const QRect area = selectedArea();
    if (!area.isEmpty() && area.height() == rowCount())
        for (int c = area.left(); c <= area.right(); ++c)
            columns << c;
    return columns;
}

QList<int> GridAccessible::selectedRows() const
{
    QList<int> rows;
    const QRect area = selectedArea();
    if (!area.isEmpty() && area.width() == columnCount())
        for (int r = area.top(); r <= area.bottom(); ++r)
            rows << r;
    return rows;
}

bool GridAccessible::isColumnSelected(int column) const
{
    return selectedColumns().contains(column);
}

bool GridAccessible::isRowSelected(int row) const
{
    return selectedRows().contains(row);
}

// Selecting a whole row or column moves the current cell to its first cell, as a click
// there followed by a shift-click at its end would.
bool GridAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    GridControl* g = grid();
    g->setRow(row + headerRows());
    g->setCol(headerCols());
    g->setRowSel(row + headerRows());
    g->setColSel(g->Cols() - 1);
    return true;
}

bool GridAccessible::selectColumn(int column)
{
    if (column < 0 || column >= columnCount())
        return false;
    GridControl* g = grid();
    g->setCol(column + headerCols());
    g->setRow(headerRows());
    g->setColSel(column + headerCols());
    g->setRowSel(g->Rows() - 1);
    return true;
}

// The grid always has a current cell, and with it a selection: nothing can be unselected.
bool GridAccessible::unselectRow(int)
{
    return false;
}

bool GridAccessible::unselectColumn(int)
{
    return false;
}

// Cells are keyed by their place in the grid and read it afresh on every call: a cell
// that a change of size leaves outside the grid is invalid until the grid grows back.
void GridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {}
