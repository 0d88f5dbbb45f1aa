#include "worksheet/AceptarEcuaciones.h"

#include "grid/GridControl.h"
#include "worksheet/HojaControles.h"
#include "worksheet/Mensaje.h"
#include "worksheet/NumeroEcuaciones.h"
#include "worksheet/PrepararCuadricula.h"

#include "solver/Solver.h"

#include <QLineEdit>

bool AceptarEcuaciones(const HojaControles& hoja, solver::Solver& datos)
{
    const double valor = NumeroEcuaciones::leer(hoja.T_Incog.text());
    if (!NumeroEcuaciones::enRango(valor)) {
        mostrarMensaje(hoja.T_Incog.window(), QMessageBox::Warning,
                       QStringLiteral("El número de ecuaciones está limitado a 100."));
        return false;
    }
    datos.n = NumeroEcuaciones::aEntero(valor);

    if (hoja.Cuadric.isHidden()) {
        hoja.Fr_Mat.hide();
        hoja.Cuadric.show();
    }
    if (Generales::PrepararCuadricula(hoja, datos.n))
        datos.Redimensionar();
    return true;
}
