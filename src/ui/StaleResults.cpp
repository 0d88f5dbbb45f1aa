#include "ui/StaleResults.h"

#include "grid/GridControl.h"
#include "ui/OnCellChanges.h"

#include <QAbstractItemModel>

StaleResults::StaleResults(GridControl& worksheet, GridControl& solution,
                           std::array<GridControl*, 2> factors, QObject* parent)
    : QObject(parent), solution_(solution), factors_(factors)
{
    // The worksheet's headers, and the corner that follows the current cell, are not data.
    onCellChanges(worksheet, 1, 1, this, [this] { worksheetChanged(); });
    // A grid emptied holds nothing old.
    for (GridControl* g : {&solution_, factors_[0], factors_[1]})
        connect(g->model(), &QAbstractItemModel::rowsRemoved, this, [this, g] {
            if (!holdsValues(*g))
                mark(*g, false);
        });
}

QString StaleResults::solutionReason()
{
    return QStringLiteral("Solución de una hoja anterior: pulse Calcular para actualizarla");
}

QString StaleResults::factorsReason()
{
    return QStringLiteral("Factores de una hoja anterior: pulse Calcular para actualizarlos");
}

void StaleResults::refreshed(GridControl& grid)
{
    mark(grid, false);
}

void StaleResults::worksheetChanged()
{
    for (GridControl* g : {&solution_, factors_[0], factors_[1]})
        if (!g->isMuted() && holdsValues(*g))
            mark(*g, true);
}

// The solution's values are in column 1, beside the labels; B and C are values throughout.
bool StaleResults::holdsValues(const GridControl& grid) const
{
    if (&grid != &solution_)
        return grid.Rows() > 0 && grid.Cols() > 0;
    for (int i = 0; i < grid.Rows(); ++i)
        if (!grid.TextView(i, 1).isEmpty())
            return true;
    return false;
}

void StaleResults::mark(GridControl& grid, bool stale)
{
    const QString why = !stale                ? QString()
                        : &grid == &solution_ ? solutionReason()
                                              : factorsReason();
    grid.setMuted(stale);
    grid.setToolTip(why);
    grid.setAccessibleDescription(why);
}
