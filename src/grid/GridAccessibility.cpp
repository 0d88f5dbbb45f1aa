#include "grid/GridAccessibility.h"

#include "grid/CellSelection.h"
#include "grid/GridAccessibleFactory.h"
#include "grid/GridGeometry.h"

#include <QMetaObject>
#include <QWidget>

#include <algorithm>
#include <mutex>

GridAccessibility::GridAccessibility(QWidget& grid, const GridGeometry& geometry,
                                     const CellSelection& selection)
    : grid_(grid), geometry_(geometry), selection_(selection), active_(QAccessible::isActive())
{
    // Tests build grids without the program's main(): the grid installs its own factory.
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&gridAccessibleFactory); });
    QAccessible::installActivationObserver(this);
}

GridAccessibility::~GridAccessibility()
{
    QAccessible::removeActivationObserver(this);
}

void GridAccessibility::accessibilityActiveChanged(bool active)
{
    active_ = active;
}

void GridAccessibility::notifyCell(QAccessible::Event type, int row, int col)
{
    QAccessibleEvent event(&grid_, type);
    event.setChild(row * geometry_.cols() + col);
    QAccessible::updateAccessibility(&event);
}

void GridAccessibility::currentMoved()
{
    if (!active_ || !grid_.hasFocus() || !selection_.hasCell())
        return;
    notifyCell(QAccessible::Focus, selection_.row(), selection_.col());
}

void GridAccessibility::focusEntered()
{
    if (!active_)
        return;
    QMetaObject::invokeMethod(
        &grid_, [this] { currentMoved(); }, Qt::QueuedConnection);
}

// A block is one event for the whole table, whatever its size, at the table's
// coordinates; a single cell is told by the table alone.
void GridAccessibility::textsChanged(int top, int left, int bottom, int right)
{
    if (!active_ || (top == bottom && left == right))
        return;
    const int fixedRows = geometry_.fixedRowCount();
    const int fixedCols = geometry_.fixedColCount();
    QAccessibleTableModelChangeEvent event(&grid_, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(std::max(0, top - fixedRows));
    event.setLastRow(std::max(0, bottom - fixedRows));
    event.setFirstColumn(std::max(0, left - fixedCols));
    event.setLastColumn(std::max(0, right - fixedCols));
    QAccessible::updateAccessibility(&event);
}
