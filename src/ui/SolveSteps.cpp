#include "ui/SolveSteps.h"

#include "ui/OnCellChanges.h"

#include "grid/GridControl.h"
#include "ui/WorksheetSnapshot.h"
#include "ui/frmPasos.h"
#include "verification/StepSentences.h"
#include "verification/StopExplanation.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLocale>

SolveSteps::SolveSteps(QWidget& ventana, GridControl& hoja, GridControl& solucion)
    : QObject(&ventana), window_(ventana), sheet_(hoja),
      mnuPasos_(new QAction(QStringLiteral("Ver paso a paso…"), &ventana))
{
    mnuPasos_->setObjectName(QStringLiteral("mnuPasos"));
    mnuPasos_->setShortcut(Qt::Key_F6);
    mnuPasos_->setEnabled(false);
    // The window carries it, so that F6 works wherever the focus is in it; its menus do not.
    ventana.addAction(mnuPasos_);
    connect(mnuPasos_, &QAction::triggered, this, &SolveSteps::open);
    onCellChanges(hoja, 1, 1, this, [this] { forget(); });
    onCellChanges(solucion, 0, 1, this, [this] { forget(); });
}

void SolveSteps::calculationStarted(const solver::Solver& datos)
{
    pending_ = Solve{datos};
    forget();
}

void SolveSteps::systemRead(solver::Method metodo)
{
    if (!pending_)
        return;
    pending_->method = metodo;
    pending_->read = true;
}

void SolveSteps::calculationFinished()
{
    if (!pending_ || !pending_->read)
        return;
    current_ = std::move(pending_);
    pending_.reset();
    mnuPasos_->setEnabled(true);
}

void SolveSteps::forget()
{
    current_.reset();
    mnuPasos_->setEnabled(false);
}

void SolveSteps::open()
{
    if (!current_)
        return;
    const QString separator = QLocale().decimalPoint();
    const std::string sep = separator.toStdString();
    const solver::Method method = current_->method;
    // A copy of the worksheet: the traced solve writes its "0"s into empty cells, as the
    // solve does, and the worksheet itself must not change under the dialog.
    WorksheetSnapshot sheet(sheet_);
    solver::StepTrace trace = solver::traceSolve(method, current_->before, sheet, sep);
    QString explanation;
    if (trace.ending != solver::Ending::Solved) {
        const solver::Method other = method == solver::Method::Choleski
                                         ? solver::Method::GaussJordan
                                         : solver::Method::Choleski;
        WorksheetSnapshot again(sheet_);
        const bool otherSolves = solver::traceSolve(other, current_->before, again, sep).ending ==
                                 solver::Ending::Solved;
        explanation = QString::fromStdString(
            verification::endingSentence(trace) + " " +
            verification::stopExplanation(
                method == solver::Method::Choleski ? verification::Method::Choleski
                                                   : verification::Method::GaussJordan,
                verification::systemRank(trace.initial.A), otherSolves, sep));
    }
    frmPasos dialogo(std::move(trace), explanation, &window_);
    dialogo.exec();
}
