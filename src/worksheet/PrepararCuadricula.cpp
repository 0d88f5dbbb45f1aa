#include "worksheet/PrepararCuadricula.h"

#include "grid/GridControl.h"
#include "worksheet/EquationCount.h"
#include "worksheet/ShowMessage.h"
#include "worksheet/WorksheetControls.h"

#include "solver/RuntimeError.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include <exception>
#include <new>

namespace Generales {

namespace {

void mostrarFallo(const WorksheetControls& hoja, const QString& descripcion)
{
    showMessage(hoja.T_Incog.window(), QMessageBox::Critical,
                QStringLiteral("Ha ocurrido un error (") + descripcion +
                    QStringLiteral(")\nPosiblemente no hay memoria suficiente para\n"
                                   "el número de incognitas ingresado"));
}

void disponer(const WorksheetControls& hoja, std::int16_t& n)
{
    GridControl& cuadric = hoja.Cuadric;
    cuadric.setEnabled(true);
    n = EquationCount::toInteger(EquationCount::leer(hoja.T_Incog.text()));

    const GridControl::BulkUpdate agrupado(cuadric);
    cuadric.setRows(n + 1);
    cuadric.setCols(n + 2);
    cuadric.setFixedCols(1);
    cuadric.setColWidth(0, kAnchoColumnaEcuaciones);
    cuadric.setCol(1);
    cuadric.setRow(1);
    cuadric.setColAlignment(0, GridControl::AlignCenterCenter);
    cuadric.setTextMatrix(0, 0, QStringLiteral("1,1"));
    for (int j = 1; j <= n; ++j)
        cuadric.setTextMatrix(0, j, QLatin1Char('X') + QString::number(j));
    cuadric.setTextMatrix(0, n + 1, QStringLiteral("T.I"));

    const GridControl::BulkUpdate agrupadoResp(hoja.F_Resp);
    hoja.F_Resp.setRows(n);
    for (int i = 1; i <= n; ++i) {
        hoja.F_Resp.setTextMatrix(i - 1, 0, QLatin1Char('X') + QString::number(i));
        cuadric.setTextMatrix(i, 0, QStringLiteral("EQ") + QString::number(i));
    }
}

} // namespace

bool PrepararCuadricula(const WorksheetControls& hoja, std::int16_t& n)
{
    try {
        disponer(hoja, n);
        hoja.Cuadric.setFocus();
        hoja.B_Calcular.setEnabled(true);
        hoja.MnuGenera.setEnabled(true);
        hoja.MnuCalcular.setEnabled(true);
        hoja.Et_st.setText(QStringLiteral("Ingrese todos los datos para el sistema de ") +
                           hoja.T_Incog.text() +
                           QStringLiteral(" ecuaciones, luego pulse Calcular."));
        hoja.Et_tip.setText(QStringLiteral(
            "Para ingresar los coeficientes simplemente digite el número y pulse Enter"));
        return true;
    } catch (const solver::RuntimeError& e) {
        mostrarFallo(hoja, QString::fromStdString(e.description()));
    } catch (const std::bad_alloc&) {
        mostrarFallo(hoja, QString::fromStdString(solver::RuntimeError::descriptionOf(
                               solver::RuntimeError::OutOfMemory)));
    }
    return false;
}

} // namespace Generales
