#include "ui/SolutionVerification.h"

#include "grid/GridControl.h"
#include "solver/Solver.h"
#include "ui/OnCellChanges.h"
#include "ui/frmVerificacion.h"
#include "verification/ReportText.h"

#include <QAction>
#include <QLocale>

SolutionVerification::SolutionVerification(QWidget& window, GridControl& worksheet,
                                           GridControl& solution)
    : QObject(&window), window_(window), worksheet_(worksheet),
      mnuVerificar_(new QAction(QStringLiteral("Verificar solución…"), &window))
{
    mnuVerificar_->setObjectName(QStringLiteral("mnuVerificar"));
    mnuVerificar_->setEnabled(false);
    connect(mnuVerificar_, &QAction::triggered, this, &SolutionVerification::open);
    // The worksheet's headers, and the cell (0, 0) that follows the current cell, are not
    // the system; the solution grid's labels are not the solution.
    watch(worksheet, 1, 1);
    watch(solution, 0, 1);
}

void SolutionVerification::watch(GridControl& grid, int firstRow, int firstCol)
{
    onCellChanges(grid, firstRow, firstCol, this, [this] { forget(); });
}

void SolutionVerification::systemRead(const solver::SingleMatrix& A)
{
    readMatrix_ = A;
}

void SolutionVerification::solutionShown(verification::Method method,
                                         const solver::Solver& solverData)
{
    const int n = solverData.n;
    // The Choleski solution ends in column n of C, the Gauss-Jordan one in column n of A.
    const solver::SingleMatrix& source =
        method == verification::Method::Choleski ? solverData.C : solverData.A;
    if (readMatrix_.rows() != n || readMatrix_.cols() != n + 1 || source.rows() < n ||
        source.cols() <= n)
        return;
    verification::Input input{readMatrix_, {}, method, solverData.FilaCambio};
    input.x.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        input.x.push_back(source.at(i, n));
    current_ = std::move(input);
    mnuVerificar_->setEnabled(true);
}

void SolutionVerification::forget()
{
    current_.reset();
    mnuVerificar_->setEnabled(false);
}

// The worksheet's texts read in double, for the reference of the system as typed; empty
// when a text is not a number. Read here rather than during the solve, which must reach the
// pixels within a frame: any change to the worksheet since the solve has withdrawn it.
std::vector<double> SolutionVerification::typedSystem(const std::string& separator) const
{
    std::vector<double> typed;
    const solver::SingleMatrix& A = current_->A;
    for (int i = 0; i < A.rows(); ++i) {
        for (int j = 0; j < A.cols(); ++j) {
            const std::optional<double> v = verification::typedValue(
                worksheet_.TextMatrix(i + 1, j + 1).toStdString(), separator);
            if (!v)
                return {};
            typed.push_back(*v);
        }
    }
    return typed;
}

void SolutionVerification::open()
{
    if (!current_)
        return;
    const std::string separator = QLocale().decimalPoint().toStdString();
    frmVerificacion dialog(
        verification::describe(verification::verify(*current_, typedSystem(separator)), separator),
        &window_);
    dialog.exec();
}
