#include "grid/GridAccessibility.h"

#include "grid/GridAccessible.h"
#include "grid/GridControl.h"

#include <QMetaObject>

#include <algorithm>
#include <mutex>

GridAccessibility::GridAccessibility(GridControl& grid)
    : grid_(grid), active_(QAccessible::isActive())
{
    // Tests build grids without the program's main(): the grid installs its own factory.
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&GridAccessible::create); });
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
    event.setChild(row * grid_.Cols() + col);
    QAccessible::updateAccessibility(&event);
}

void GridAccessibility::currentMoved()
{
    if (!active_ || !grid_.hasFocus() || !grid_.hasCurrentCell())
        return;
    notifyCell(QAccessible::Focus, grid_.Row(), grid_.Col());
}

void GridAccessibility::focusEntered()
{
    if (!active_)
        return;
    QMetaObject::invokeMethod(
        &grid_, [this] { currentMoved(); }, Qt::QueuedConnection);
}

// A screen reader keeps the texts it has read: every cell it has met is told its new
// text, and a block is also one event for the whole table. Cells nobody has asked for are
// not made for this, so a block costs the same whatever its size.
void GridAccessibility::textsChanged(int top, int left, int bottom, int right)
{
    if (!active_)
        return;
    if (top != bottom || left != right) {
        const int fixedRows = std::min(grid_.FixedRows(), grid_.Rows());
        const int fixedCols = std::min(grid_.FixedCols(), grid_.Cols());
        QAccessibleTableModelChangeEvent event(&grid_,
                                               QAccessibleTableModelChangeEvent::DataChanged);
        event.setFirstRow(std::max(0, top - fixedRows));
        event.setLastRow(std::max(0, bottom - fixedRows));
        event.setFirstColumn(std::max(0, left - fixedCols));
        event.setLastColumn(std::max(0, right - fixedCols));
        QAccessible::updateAccessibility(&event);
    }
    auto* table = dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(&grid_));
    if (!table)
        return;
    for (QAccessibleInterface* cell : table->cellsMadeIn(top, left, bottom, right)) {
        QAccessibleEvent event(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}
