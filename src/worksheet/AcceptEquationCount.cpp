#include "worksheet/AcceptEquationCount.h"

#include "grid/GridControl.h"
#include "worksheet/EquationCount.h"
#include "worksheet/PrepararCuadricula.h"
#include "worksheet/ShowMessage.h"
#include "worksheet/WorksheetControls.h"

#include "solver/Solver.h"

#include <QLineEdit>

bool acceptEquationCount(const WorksheetControls& hoja, solver::Solver& datos)
{
    const double valor = EquationCount::leer(hoja.T_Incog.text());
    if (!EquationCount::inRange(valor)) {
        showMessage(hoja.T_Incog.window(), QMessageBox::Warning,
                    QStringLiteral("El número de ecuaciones está limitado a 100."));
        return false;
    }
    datos.n = EquationCount::toInteger(valor);

    if (hoja.Cuadric.isHidden()) {
        hoja.Fr_Mat.hide();
        hoja.Cuadric.show();
    }
    if (Generales::PrepararCuadricula(hoja, datos.n))
        datos.Redimensionar();
    return true;
}
