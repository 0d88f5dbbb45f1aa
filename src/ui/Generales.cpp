#include "ui/Generales.h"

#include "grid/GridControl.h"
#include "ui/Controls.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>

namespace Generales {

namespace {

// Name first, then size, whichever unit the worksheet's size was given in.
void copiarFuente(QWidget& destino, const QFont& origen)
{
    QFont f = destino.font();
    f.setFamily(origen.family());
    if (origen.pixelSize() > 0)
        f.setPixelSize(origen.pixelSize());
    else
        f.setPointSizeF(origen.pointSizeF());
    destino.setFont(f);
}

} // namespace

void Inicializar(QWidget& ventana, const Controls& c)
{
    copiarFuente(*c.Text1, c.Cuadric->font());
    c.Text1->hide();
    // Column fitting measures texts with the window's font.
    copiarFuente(ventana, c.Cuadric->font());
    c.F_Resp->setColWidth(0, kAnchoEtiquetasSolucion);
    c.F_Resp->setColWidth(1, kAnchoValoresSolucion);
    c.Et_st->setText(QStringLiteral("Listo"));
    c.Et_tip->setText(QStringLiteral("Primeramente especifique el número de ecuaciones y pulse "
                                     "Enter o en ' Ingresar '"));
}

void NuevoCalculo(QWidget& ventana, const Controls& c)
{
    c.Cuadric->setCols(0);
    c.Cuadric->setRows(2);
    c.Cuadric->setEnabled(false);
    c.F_Resp->setRows(0);
    c.F_Rint[0]->setRows(0);
    c.F_Rint[1]->setRows(0);
    Inicializar(ventana, c);
}

} // namespace Generales
