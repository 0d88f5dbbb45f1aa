#pragma once

#include <QObject>

#include <array>

class GridControl;

// Marks the results that no longer belong to the worksheet: from the first change of the
// worksheet's cells or layout after a solve, the solution grid and the grids of B and C
// that hold values are drawn muted, and their tooltip and accessible description say why,
// until the solve writes them anew (or they are emptied). The values stay as they are.
class StaleResults : public QObject
{
    Q_OBJECT

public:
    StaleResults(GridControl& worksheet, GridControl& solution, std::array<GridControl*, 2> factors,
                 QObject* parent = nullptr);

    static QString solutionReason();
    static QString factorsReason();

    // The grid now shows what a solve computed from the worksheet as it stands, or nothing.
    void refreshed(GridControl& grid);

private:
    void worksheetChanged();
    bool holdsValues(const GridControl& grid) const;
    void mark(GridControl& grid, bool stale);

    GridControl& solution_;
    std::array<GridControl*, 2> factors_;
};
