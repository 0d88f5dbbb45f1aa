#include "verification/StepSentences.h"

#include "solver/NumberText.h"
#include "solver/RuntimeError.h"

#include <algorithm>

namespace verification {

namespace {

using solver::AfterTrap;
using solver::ExchangeReason;
using solver::MatrixName;
using solver::Step;
using solver::StepKind;
using solver::StepTrace;

std::string one(int index)
{
    return std::to_string(index + 1);
}

char letter(MatrixName m)
{
    return m == MatrixName::A ? 'A' : m == MatrixName::B ? 'B' : 'C';
}

std::string element(MatrixName m, int row, int col)
{
    return std::string(1, letter(m)) + "(" + one(row) + "," + one(col) + ")";
}

// "Fila 3", or "Fila 3 de B" where the method works on more than one matrix.
std::string rowName(const StepTrace& trace, MatrixName m, int row, const char* word = "Fila")
{
    std::string name = std::string(word) + " " + one(row);
    if (trace.method == solver::Method::Choleski)
        name += " de " + std::string(1, letter(m));
    return name;
}

class Numbers
{
public:
    explicit Numbers(std::string_view separator) : separator_(separator) {}

    std::string operator()(float v) const { return signedText(solver::generalText(v, separator_)); }
    // A negative factor between parentheses, so that no two signs meet.
    std::string factor(float v) const
    {
        const std::string text = (*this)(v);
        return text.starts_with("−") ? "(" + text + ")" : text;
    }

private:
    std::string_view separator_;
};

std::string elementB(const Step& s, const Numbers& num)
{
    const std::string target = element(MatrixName::B, s.row, s.col);
    const std::string source = element(MatrixName::A, s.row, s.col);
    if (s.col == 0)
        return target + " = " + source + " = " + num(s.value.single);
    return target + " = " + source + " − s = " + num(s.operand.single) + " − " +
           num.factor(s.sum.single) + " = " + num(s.value.single);
}

std::string elementC(const Step& s, const Numbers& num)
{
    const std::string target = element(MatrixName::C, s.row, s.col);
    const std::string source = element(MatrixName::A, s.row, s.col);
    const std::string pivot = element(MatrixName::B, s.row, s.row);
    if (s.row == 0)
        return target + " = " + source + " / " + pivot + " = " + num(s.operand.single) + " / " +
               num.factor(s.divisor.single) + " = " + num(s.value.single);
    return target + " = (" + source + " − s) / " + pivot + " = (" + num(s.operand.single) + " − " +
           num.factor(s.sum.single) + ") / " + num.factor(s.divisor.single) + " = " +
           num(s.value.single);
}

std::string exchange(const Step& s)
{
    const std::string rows = "se intercambian las filas 1 y " + one(s.row) + " de A";
    switch (s.reason) {
    case ExchangeReason::InitialRotation:
        return "A(" + one(s.row) + ",1) no es 0: " + rows;
    case ExchangeReason::ZeroDivisor:
        return "Por la división por cero, " + rows;
    case ExchangeReason::RetryAfterOverflow:
        return "Se leen de nuevo los datos y " + rows;
    }
    return rows;
}

std::string place(const StepTrace& trace, const Step& s)
{
    switch (s.failed) {
    case StepKind::ElementB:
    case StepKind::ElementC:
        return element(s.matrix, s.row, s.col);
    case StepKind::DivideRow:
    case StepKind::EliminateRow:
        return rowName(trace, s.matrix, s.row, "la fila");
    case StepKind::ExchangeRows:
        return "el intercambio de filas";
    case StepKind::Copy:
        return "la copia en " + element(s.matrix, s.row, std::max<int>(s.col, 0));
    case StepKind::Trap:
        break;
    }
    return "el paso";
}

// The row that the step after a trap exchanges with the first, when it is an exchange.
std::string nextExchange(const StepTrace& trace, std::size_t k)
{
    if (k + 1 < trace.steps.size() && trace.steps[k + 1].kind == StepKind::ExchangeRows)
        return " 1 y " + one(trace.steps[k + 1].row);
    return "";
}

std::string trap(const StepTrace& trace, std::size_t k)
{
    const Step& s = trace.steps[k];
    std::string what = solver::RuntimeError::descriptionOf(s.error);
    if (s.error == solver::RuntimeError::Overflow &&
        (s.failed == StepKind::ElementC || s.failed == StepKind::DivideRow))
        what += " (cero entre cero)";
    what += " en " + place(trace, s) + ": ";
    switch (s.then) {
    case AfterTrap::ExchangeAndRestart:
        return what + "se intercambian las filas" + nextExchange(trace, k) +
               " y la factorización empieza de nuevo";
    case AfterTrap::DiscardAndContinue:
        return what + "el error se descarta; el cálculo sigue con B y C como han quedado";
    case AfterTrap::Retry:
        return what + "se leen de nuevo los datos, se intercambian las filas" +
               nextExchange(trace, k) + " y la reducción empieza de nuevo";
    case AfterTrap::NotSoluble:
        return what + "no quedan intentos; el método avisa de que el sistema no es soluble "
                      "por este método";
    case AfterTrap::StopWithError:
        return what + "el cálculo se detiene con el error " + std::to_string(s.error);
    }
    return what;
}

} // namespace

std::string signedText(std::string text)
{
    if (text.starts_with('-'))
        text.replace(0, 1, "−");
    return text;
}

std::string methodTitle(solver::Method method)
{
    return method == solver::Method::Choleski ? "Método de Choleski" : "Método de Gauss - Jordan";
}

std::string stageTitle(const StepTrace& trace, std::size_t stage)
{
    const solver::Stage& s = trace.stages[stage];
    const std::string attempt =
        s.attempt > 0 ? " (intento " + std::to_string(s.attempt + 1) + ")" : std::string();
    switch (s.kind) {
    case solver::StageKind::Factorization:
        return "Factorización A = B·C" + attempt;
    case solver::StageKind::ForwardSubstitution:
        return "Sustitución hacia adelante B·y = b";
    case solver::StageKind::BackSubstitution:
        return "Sustitución hacia atrás C·x = y";
    case solver::StageKind::InitialExchange:
        return "Intercambio inicial de filas, por ser A(1,1) = 0";
    case solver::StageKind::GaussJordanPivot:
        return "Pivote " + one(s.pivot) + ": A(" + one(s.pivot) + "," + one(s.pivot) + ")" +
               attempt;
    case solver::StageKind::Restart:
        return "Intercambio de filas y nueva factorización";
    case solver::StageKind::Retry:
        return "Nuevo intento desde los datos";
    }
    return {};
}

std::string stepSentence(const StepTrace& trace, std::size_t step, std::string_view separator)
{
    const Numbers num(separator);
    const Step& s = trace.steps[step];
    switch (s.kind) {
    case StepKind::ElementB:
        return elementB(s, num);
    case StepKind::ElementC:
        return elementC(s, num);
    case StepKind::DivideRow:
        return rowName(trace, s.matrix, s.row) + " ← " + rowName(trace, s.matrix, s.row) + " / " +
               num.factor(s.value.single);
    case StepKind::EliminateRow:
        return rowName(trace, s.matrix, s.row) + " ← " + rowName(trace, s.matrix, s.row) + " − " +
               num.factor(s.value.single) + "·" + rowName(trace, s.matrix, s.pivotRow);
    case StepKind::ExchangeRows:
        return exchange(s);
    case StepKind::Copy:
        return "Copia en " + element(s.matrix, s.row, std::max<int>(s.col, 0));
    case StepKind::Trap:
        return trap(trace, step);
    }
    return {};
}

std::string endingSentence(const StepTrace& trace)
{
    switch (trace.ending) {
    case solver::Ending::Solved:
        return {};
    case solver::Ending::NotSoluble:
        return "El método de Gauss - Jordan se detiene sin solución tras " +
               std::to_string(trace.FilaCambio) +
               (trace.FilaCambio == 1 ? " reintento" : " reintentos") + " y muestra su mensaje.";
    case solver::Ending::Error:
        return "El cálculo se detiene con el error " + std::to_string(trace.error) + " (" +
               solver::RuntimeError::descriptionOf(trace.error) + ").";
    }
    return {};
}

} // namespace verification
