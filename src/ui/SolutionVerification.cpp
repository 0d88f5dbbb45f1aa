#include "ui/SolutionVerification.h"

#include "grid/GridControl.h"
#include "solver/Solver.h"
#include "ui/OnCellChanges.h"
#include "ui/frmVerificacion.h"
#include "verification/ReportText.h"

#include <QAction>
#include <QLocale>

SolutionVerification::SolutionVerification(QWidget& ventana, GridControl& hoja,
                                           GridControl& solucion)
    : QObject(&ventana), ventana_(ventana), hoja_(hoja),
      mnuVerificar_(new QAction(QStringLiteral("Verificar solución…"), &ventana))
{
    mnuVerificar_->setObjectName(QStringLiteral("mnuVerificar"));
    mnuVerificar_->setEnabled(false);
    connect(mnuVerificar_, &QAction::triggered, this, &SolutionVerification::abrir);
    // The worksheet's headers, and the cell (0, 0) that follows the current cell, are not
    // the system; the solution grid's labels are not the solution.
    vigilar(hoja, 1, 1);
    vigilar(solucion, 0, 1);
}

void SolutionVerification::vigilar(GridControl& grid, int primeraFila, int primeraColumna)
{
    onCellChanges(grid, primeraFila, primeraColumna, this, [this] { olvidar(); });
}

void SolutionVerification::sistemaLeido(const solver::SingleMatrix& A)
{
    leido_ = A;
    escrito_.clear();
    const std::string separador = QLocale().decimalPoint().toStdString();
    for (int i = 0; i < A.rows(); ++i) {
        for (int j = 0; j < A.cols(); ++j) {
            const std::optional<double> v =
                verification::typedValue(hoja_.TextMatrix(i + 1, j + 1).toStdString(), separador);
            if (!v) {
                escrito_.clear();
                return;
            }
            escrito_.push_back(*v);
        }
    }
}

void SolutionVerification::solucionMostrada(verification::Method metodo,
                                            const solver::Solver& datos)
{
    const int n = datos.n;
    // The Choleski solution ends in column n of C, the Gauss-Jordan one in column n of A.
    const solver::SingleMatrix& origen =
        metodo == verification::Method::Choleski ? datos.C : datos.A;
    if (leido_.rows() != n || leido_.cols() != n + 1 || origen.rows() < n || origen.cols() <= n)
        return;
    verification::Input entrada{leido_, {}, metodo, datos.FilaCambio};
    entrada.x.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        entrada.x.push_back(origen.at(i, n));
    vigente_ = std::move(entrada);
    escritoVigente_ = escrito_;
    mnuVerificar_->setEnabled(true);
}

void SolutionVerification::olvidar()
{
    vigente_.reset();
    mnuVerificar_->setEnabled(false);
}

void SolutionVerification::abrir()
{
    if (!vigente_)
        return;
    const std::string separador = QLocale().decimalPoint().toStdString();
    frmVerificacion dialogo(
        verification::describe(verification::verify(*vigente_, escritoVigente_), separador),
        &ventana_);
    dialogo.exec();
}
