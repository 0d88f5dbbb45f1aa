#include "verification/StopExplanation.h"

#include "verification/ReportText.h"
#include "verification/StepSentences.h"

namespace verification {

std::string equationList(const std::vector<int>& equations)
{
    std::string text;
    for (std::size_t k = 0; k < equations.size(); ++k) {
        if (k > 0)
            text += k + 1 == equations.size() ? " y " : ", ";
        text += std::to_string(equations[k] + 1);
    }
    return text;
}

namespace {

std::string methodName(Method m)
{
    return m == Method::Choleski ? "el método de Choleski" : "el método de Gauss - Jordan";
}

std::string singularSentence(const SystemRank& rank)
{
    const std::string consequence = ": el sistema no tiene solución única.";
    if (rank.dependent.size() == 1)
        return "Todos los coeficientes de la ecuación " + equationList(rank.dependent) +
               " son cero" + consequence;
    if (rank.dependent.size() > 1)
        return "Las ecuaciones " + equationList(rank.dependent) + " son dependientes" + consequence;
    return "Las ecuaciones son dependientes (rango " + std::to_string(rank.rank) + " de " +
           std::to_string(rank.n) + ")" + consequence;
}

} // namespace

std::string stopExplanation(Method method, const SystemRank& rank, bool otherMethodSolves,
                            std::string_view decimalSeparator)
{
    if (rank.singular())
        return singularSentence(rank);
    const Method other = method == Method::Choleski ? Method::GaussJordan : Method::Choleski;
    std::string text = "El sistema tiene solución (determinante " +
                       signedText(determinantText(rank.determinant, decimalSeparator)) +
                       "): " + methodName(method) + " sin intercambio de pivote no la encuentra; ";
    if (otherMethodSolves)
        text += "pruebe " + methodName(other) + ".";
    else
        text += "tampoco " + methodName(other) +
                ": ninguno de los dos métodos del programa la encuentra.";
    return text;
}

} // namespace verification
