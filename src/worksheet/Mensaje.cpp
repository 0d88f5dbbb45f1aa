#include "worksheet/Mensaje.h"

#include <QString>

void mostrarMensaje(QWidget* padre, QMessageBox::Icon icono, const QString& texto)
{
    QMessageBox caja(icono, QStringLiteral("Sorvani"), texto, QMessageBox::Ok, padre);
    caja.exec();
}
