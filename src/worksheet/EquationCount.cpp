#include "worksheet/EquationCount.h"

#include "solver/RuntimeError.h"
#include "worksheet/LeadingNumber.h"

#include <QString>

#include <limits>

namespace EquationCount {

double leer(const QString& texto)
{
    return readLeadingNumber(texto.toStdString());
}

bool inRange(double valor)
{
    return valor >= kMinimum && valor <= kMaximum;
}

std::int16_t toInteger(double valor)
{
    const double redondeado = roundHalfEven(valor);
    // Written so that NaN fails the test as well.
    if (!(redondeado >= std::numeric_limits<std::int16_t>::min() &&
          redondeado <= std::numeric_limits<std::int16_t>::max()))
        throw solver::RuntimeError(solver::RuntimeError::Overflow);
    return static_cast<std::int16_t>(redondeado);
}

QString scrollBarText(int valor)
{
    return QLatin1Char(' ') + QString::number(valor);
}

} // namespace EquationCount
