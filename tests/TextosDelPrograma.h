#pragma once

#include <QString>

// The program's own texts as the user must see them, written here once for every test
// that checks them (deliberately not taken from the program's sources).
namespace textos {

inline const QString kTipInicio = QStringLiteral(
    "Primeramente especifique el número de ecuaciones y pulse Enter o en ' Ingresar '");
inline const QString kTipIngreso =
    QStringLiteral("Para ingresar los coeficientes simplemente digite el número y pulse Enter");
inline const QString kTipEdicion = QStringLiteral(
    "Para editar los datos doble clic o seleccione la celda e ingrese el nuevo valor.");
inline const QString kLimite = QStringLiteral("El número de ecuaciones está limitado a 100.");
inline const QString kInsoluble = QStringLiteral(
    "El sistema no es soluble por este método, inténtelo\npor el método de Choleski.");

} // namespace textos
