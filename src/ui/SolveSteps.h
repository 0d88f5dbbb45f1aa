#pragma once

#include "solver/Solver.h"
#include "steps/StepTrace.h"

#include <QObject>

#include <optional>

class GridControl;
class QAction;
class QWidget;

// Keeps what the last solve used (its method and the worksheet's data as it read them) and
// the action that shows that solve step by step, "Ver paso a paso…" (F6). The action is
// enabled after every solve that reached the methods, whether they found the solution or
// not, and disabled by any change of the worksheet's cells or of the solution grid, as the
// verification of the solution is.
class SolveSteps : public QObject
{
    Q_OBJECT

public:
    SolveSteps(QWidget& ventana, GridControl& hoja, GridControl& solucion);

    QAction* action() const { return mnuPasos_; }

    // Around one solve command: its start, with the solver's data as the solve finds them;
    // the worksheet read into A by the method's path; its end (with or without an error).
    // The solve's own writes into the grids fall between the first and the last, so they
    // do not disable what the end enables.
    void calculationStarted(const solver::Solver& datos);
    void systemRead(solver::Method metodo);
    void calculationFinished();

private:
    struct Solve
    {
        solver::Solver before;
        solver::Method method = solver::Method::Choleski;
        bool read = false;
    };

    void forget();
    void open();

    QWidget& window_;
    GridControl& sheet_;
    QAction* mnuPasos_;
    std::optional<Solve> pending_;
    std::optional<Solve> current_;
};
