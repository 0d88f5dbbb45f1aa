#include "worksheet/ShowMessage.h"

#include <QString>

void showMessage(QWidget* padre, QMessageBox::Icon icono, const QString& texto)
{
    QMessageBox caja(icono, QStringLiteral("Sorvani"), texto, QMessageBox::Ok, padre);
    caja.exec();
}
