#include "worksheet/RefusedCells.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "solver/RuntimeError.h"

#include <QLocale>

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace {

using solver::RuntimeError;

// The error number of the calculation's conversion, if it refuses the text.
std::optional<int> refusal(QStringView text, const std::string& separator)
{
    try {
        solver::textToSingle(text.toUtf8().toStdString(), separator);
        return std::nullopt;
    } catch (const RuntimeError& e) {
        return e.number();
    }
}

QString separatorName(const QString& decimalPoint)
{
    if (decimalPoint == QLatin1String(","))
        return QStringLiteral("coma decimal");
    if (decimalPoint == QLatin1String("."))
        return QStringLiteral("punto decimal");
    return QStringLiteral("«%1» como separador decimal").arg(decimalPoint);
}

} // namespace

QString refusalOf(QStringView text, const QString& decimalPoint)
{
    const std::string separator = decimalPoint.toStdString();
    if (text.isEmpty())
        return {};
    const std::optional<int> error = refusal(text, separator);
    if (!error)
        return {};
    const QString shown = QStringLiteral("«%1»").arg(text);
    if (*error == RuntimeError::Overflow) {
        const QString largest = QString::fromStdString(
            solver::generalText(std::numeric_limits<float>::max(), separator));
        return shown + QStringLiteral(" se sale del intervalo de los números de precisión "
                                      "simple: escriba un valor entre -%1 y %1")
                           .arg(largest);
    }
    if (text.trimmed().isEmpty())
        return QStringLiteral("La celda solo tiene espacios: escriba un número o vacíela con "
                              "Supr");
    // The other separator in place of the locale's: a number typed for another locale.
    const QString other =
        decimalPoint == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
    if (text.count(other) == 1) {
        QString fixed = text.toString();
        fixed.replace(other, decimalPoint);
        if (!refusal(fixed, separator)) {
            QString advice = shown + QStringLiteral(" no es un número con ") +
                             separatorName(decimalPoint) + QStringLiteral(": escriba ") + fixed;
            // "1.234" may be a thousand and more, written with a group separator.
            const QStringView after = text.mid(text.indexOf(other) + 1);
            QString whole = text.toString();
            whole.remove(other);
            if (after.size() == 3 &&
                std::all_of(after.begin(), after.end(), [](QChar c) { return c.isDigit(); }) &&
                !refusal(whole, separator))
                advice += QStringLiteral(", o %1 si es un número entero").arg(whole);
            return advice;
        }
    }
    return shown + QStringLiteral(" no es un número: escriba cifras, con ") +
           separatorName(decimalPoint) + QStringLiteral(" si tiene decimales (12, -3") +
           decimalPoint + QStringLiteral("5, 1") + decimalPoint + QStringLiteral("5E+3)");
}

void markRefusedCells(GridControl& cuadric)
{
    cuadric.gridModel()->setNoteSource([&cuadric](int row, int col) -> GridModel::CellNote {
        if (row < cuadric.FixedRows() || col < cuadric.FixedCols())
            return {};
        QString why = refusalOf(cuadric.TextView(row, col), QLocale().decimalPoint());
        const bool marked = !why.isEmpty();
        return {std::move(why), marked};
    });
}
