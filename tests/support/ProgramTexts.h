#pragma once

#include <QString>

// The program's own texts as the user must see them, written here once for every test
// that checks them (deliberately not taken from the program's sources).
namespace texts {

inline const QString kTipStart = QStringLiteral("Primeramente especifique el número de ecuaciones y pulse Enter o en ' Ingresar '");
inline const QString kTipEntry = QStringLiteral("Para ingresar los coeficientes simplemente digite el número y pulse Enter");
inline const QString kTipEditing = QStringLiteral("Para editar los datos doble clic o seleccione la celda e ingrese el nuevo valor.");
inline const QString kLimit = QStringLiteral("El número de ecuaciones está limitado a 100.");
inline const QString kInsoluble = QStringLiteral("El sistema no es soluble por este método, inténtelo\npor el método de Choleski.");

// The description of a run-time error by its number; empty for 0, no error.
inline QString description(int number)
{
    switch (number) {
    case 0:
        return {};
    case 6:
        return QStringLiteral("Desbordamiento");
    case 9:
        return QStringLiteral("Subíndice fuera del intervalo");
    case 11:
        return QStringLiteral("División por cero");
    case 13:
        return QStringLiteral("No coinciden los tipos");
    default:
        return QStringLiteral("Error %1").arg(number);
    }
}

// The box of a calculation that failed, naming what failed.
inline QString calculationError(const QString& failure)
{
    return QStringLiteral("Se ha presentado un error, (") + failure + QStringLiteral(")\nRevise los datos, o pruebe por el otro método.");
}

// The same for a run-time error.
inline QString calculationError(int number)
{
    return calculationError(description(number));
}

// The status line once the worksheet is laid out, repeating the number box's text.
inline QString worksheetStatus(const QString& nText)
{
    return QStringLiteral("Ingrese todos los datos para el sistema de ") + nText + QStringLiteral(" ecuaciones, luego pulse Calcular.");
}

} // namespace texts
