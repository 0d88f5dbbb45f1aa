#pragma once

#include "verification/Verification.h"

#include <QObject>

#include <optional>
#include <vector>

class GridControl;
class QAction;
class QModelIndex;
class QWidget;

namespace solver {
class Solver;
}

// Keeps what the verification of a solution needs (the system as the solve read it, the
// solution it stored, the method and the row exchanges) and the action that opens it,
// "Verificar solución…". The action is enabled only while the solution shown is that of
// the worksheet as it stands: any change of the worksheet's cells or of the solution grid
// disables it, until the next solve that ends with a solution.
class SolutionVerification : public QObject
{
    Q_OBJECT

public:
    SolutionVerification(QWidget& window, GridControl& worksheet, GridControl& solution);

    QAction* action() const { return mnuVerificar_; }
    // The solve whose solution is shown, while it is the worksheet's as it stands.
    const std::optional<verification::Input>& current() const { return current_; }

    // The solve has just read the worksheet into A.
    void systemRead(const solver::SingleMatrix& A);
    // The solve has shown its solution. Its own writes into the two grids come before this
    // call, so they do not disable what it enables.
    void solutionShown(verification::Method method, const solver::Solver& solverData);

private:
    void forget();
    std::vector<double> typedSystem(const std::string& separator) const;
    void open();
    void watch(GridControl& grid, int firstRow, int firstCol);

    QWidget& window_;
    GridControl& worksheet_;
    QAction* mnuVerificar_;
    solver::SingleMatrix readMatrix_;
    std::optional<verification::Input> current_;
};
