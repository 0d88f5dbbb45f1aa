#include "verification/ReportText.h"

#include "solver/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace verification {

namespace {

// Errors and residuals need only their magnitude; the reference solution needs more digits
// than the single's seven, so that the two can be read against each other.
constexpr int kErrorDigits = 3;
constexpr int kReferenceDigits = 10;
constexpr int kDeterminantDigits = 7;

std::string optionalText(const std::optional<double>& v, std::string_view sep)
{
    return v ? numberText(*v, kErrorDigits, sep) : std::string("no definido");
}

std::string equationName(int i)
{
    return "EQ" + std::to_string(i + 1);
}

// A relative error in a sentence, after "un error relativo": a percentage where one reads
// naturally, a power of ten below it.
std::string relativeText(double value, std::string_view sep)
{
    if (value >= 1e-3)
        return "del " + numberText(value * 100, 2, sep) + " %";
    return "de " + numberText(value, 2, sep);
}

std::string digitsLeft(int digits)
{
    if (digits == 0)
        return "ninguna cifra correcta";
    if (digits == 1)
        return "1 cifra correcta de 7";
    return std::to_string(digits) + " cifras correctas de 7";
}

// The bound that κ∞ sets; only a system that leaves few digits to trust is called ill
// conditioned.
std::string conditionSentence(const Report& report, std::string_view sep)
{
    const std::string kappa = "(κ∞ = " + numberText(report.condition, 2, sep) + ")";
    const int digits = report.expectedDigits;
    if (digits == 7)
        return "El sistema está bien condicionado " + kappa +
               ": en precisión simple la solución puede conservar sus 7 cifras.";
    if (digits >= 4)
        return "El sistema está bien condicionado " + kappa +
               ": en precisión simple la solución puede perder hasta " +
               (digits == 6 ? std::string("1") : "unas " + std::to_string(7 - digits)) +
               " de sus 7 cifras.";
    if (digits >= 1)
        return "El sistema está mal condicionado " + kappa +
               ": en precisión simple solo cabe garantizar " +
               (digits == 1 ? std::string("la primera") : "unas " + std::to_string(digits)) +
               " de sus 7 cifras.";
    return "El sistema está muy mal condicionado " + kappa +
           ": en precisión simple no cabe garantizar ninguna cifra de la solución.";
}

std::string storageSentence(const Report& report, std::string_view sep)
{
    if (report.storedExactly)
        return "Los datos escritos caben exactos en precisión simple: guardarlos así no cambia "
               "la solución.";
    const double error = report.storageError.value_or(0);
    if (error == 0)
        return "Guardar los datos escritos en precisión simple los redondea, pero la solución "
               "exacta no cambia de forma apreciable.";
    return "Guardar los datos escritos en precisión simple ya cuesta un error relativo " +
           relativeText(error, sep) + " en la solución exacta (" +
           digitsLeft(correctDigits(error)) + "), antes de cualquier cálculo.";
}

std::string methodSentence(const Report& report, std::string_view sep)
{
    const std::string method =
        report.method == Method::Choleski ? "El método de Choleski" : "El método de Gauss - Jordan";
    if (!report.methodError)
        return method + " da un valor distinto de cero donde la solución exacta de los datos "
                        "guardados es cero.";
    const double error = *report.methodError;
    if (error == 0)
        return method + " no añade error: su solución es la exacta de los datos guardados.";
    return method + ", en precisión simple, añade un error relativo " + relativeText(error, sep) +
           " a la solución exacta de los datos guardados (" + digitsLeft(correctDigits(error)) +
           ").";
}

std::string rowOrderSentence(const Report& report)
{
    if (report.method != Method::Choleski)
        return {};
    if (report.rowOrder.empty())
        return "El método de Choleski no intercambió filas: B·C es la matriz A tal como está "
               "en la hoja.";
    return "El método de Choleski intercambió filas para evitar una división por cero: B·C es "
           "la matriz A con las filas en el orden de la tabla; las demás siguen en su lugar.";
}

} // namespace

std::string determinantText(const Determinant& d, std::string_view sep)
{
    if (d.mantissa == 0)
        return "0";
    // Within the double's range the usual form; beyond it the mantissa and the exponent.
    if (std::abs(d.exponent) < 300)
        return numberText(d.mantissa * std::pow(10.0, d.exponent), kDeterminantDigits, sep);
    std::string text = numberText(d.mantissa, kDeterminantDigits, sep);
    text += d.exponent < 0 ? "E-" : "E+";
    text += std::to_string(std::abs(d.exponent));
    return text;
}

std::string numberText(double value, int digits, std::string_view decimalSeparator)
{
    if (std::isnan(value))
        return "no definido";
    if (std::isinf(value))
        return value < 0 ? "-∞" : "∞";
    if (value == 0)
        return "0";
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::general, digits);
    std::string text;
    for (const char* p = buffer.data(); ec == std::errc() && p != end; ++p) {
        if (*p == '.')
            text += decimalSeparator;
        else if (*p == 'e')
            text += 'E';
        else
            text += *p;
    }
    return text;
}

ReportText describe(const Report& report, std::string_view sep)
{
    ReportText text;
    const int n = int(report.residuals.size());
    text.heading =
        std::string("Verificación de la solución: ") +
        (report.method == Method::Choleski ? "Método de Choleski" : "Método de Gauss - Jordan") +
        ", " + std::to_string(n) + " ecuaciones";

    if (report.singularity == Singularity::Exact)
        text.statements.push_back(
            "La matriz A es singular: en doble precisión un pivote se anula, así que el sistema "
            "no tiene una solución única y los valores mostrados no la representan.");
    else if (report.singularity == Singularity::Numerical)
        text.statements.push_back(
            "La matriz A es numéricamente singular: en doble precisión un pivote resulta "
            "despreciable, así que ni la solución mostrada ni otra calculada son fiables.");
    else
        text.statements.insert(text.statements.end(),
                               {conditionSentence(report, sep), storageSentence(report, sep),
                                methodSentence(report, sep)});
    if (const std::string s = rowOrderSentence(report); !s.empty())
        text.statements.push_back(s);

    text.residuals.caption = "Residuo por ecuación, r = b − A·x";
    text.residuals.headers = {"Ecuación", "Residuo en doble precisión"};
    for (int i = 0; i < n; ++i)
        text.residuals.rows.push_back(
            {equationName(i), numberText(report.residuals[std::size_t(i)], kErrorDigits, sep)});

    const bool regular = report.singularity == Singularity::None;
    text.solution.caption = "Solución en precisión simple y en doble precisión";
    text.solution.headers = {"Incógnita", "Precisión simple"};
    // The stored reference only where the data did not fit the singles exactly.
    const bool both = regular && !report.storedExactly;
    // Short: four columns share the table's width; the sentences above say what each is.
    if (regular && both)
        text.solution.headers = {"Incógnita", "Simple", "Doble, escritos", "Doble, guardados"};
    else if (regular)
        text.solution.headers.push_back("Doble precisión");
    if (regular)
        text.solution.headers.push_back("Error relativo");
    for (std::size_t i = 0; i < report.solution.size(); ++i) {
        std::vector<std::string> row{"X" + std::to_string(i + 1),
                                     solver::generalText(report.solution[i], sep)};
        if (regular) {
            row.push_back(numberText(report.reference[i], kReferenceDigits, sep));
            if (both)
                row.push_back(numberText(report.storedReference[i], kReferenceDigits, sep));
            row.push_back(optionalText(report.forwardErrors[i], sep));
        }
        text.solution.rows.push_back(std::move(row));
    }

    if (!report.rowOrder.empty()) {
        text.rowOrder.caption = "Orden de las filas de B·C";
        text.rowOrder.headers = {"Fila de B·C", "Ecuación de la hoja"};
        for (std::size_t i = 0; i < report.rowOrder.size(); ++i)
            if (report.rowOrder[i] != int(i))
                text.rowOrder.rows.push_back(
                    {"Fila " + std::to_string(i + 1), equationName(report.rowOrder[i])});
    }

    text.figures.push_back(
        {"Norma del residuo ‖r‖∞", numberText(report.residualNorm, kErrorDigits, sep)});
    text.figures.push_back({"Error hacia atrás ‖r‖∞ / (‖A‖∞·‖x‖∞ + ‖b‖∞)",
                            numberText(report.backwardError, kErrorDigits, sep)});
    if (regular) {
        text.figures.push_back({"Error relativo hacia adelante ‖x − x̂‖∞ / ‖x̂‖∞",
                                optionalText(report.forwardError, sep)});
        if (both) {
            text.figures.push_back({"Error por guardar los datos en precisión simple",
                                    optionalText(report.storageError, sep)});
            text.figures.push_back(
                {"Error añadido por el método", optionalText(report.methodError, sep)});
        }
        text.figures.push_back(
            {"Número de condición κ∞(A)", numberText(report.condition, kErrorDigits, sep)});
        text.figures.push_back({"Cifras correctas esperadas, cota por κ∞",
                                std::to_string(report.expectedDigits) + " de 7"});
        text.figures.push_back({"Cifras correctas medidas, frente a los datos escritos",
                                std::to_string(report.measuredDigits) + " de 7"});
    }
    text.figures.push_back(
        {"Determinante de A", report.singularity == Singularity::Numerical
                                  ? std::string("despreciable: solo queda ruido del redondeo")
                                  : determinantText(report.determinant, sep)});
    return text;
}

std::string plainText(const ReportText& text)
{
    std::string out = text.heading + "\n\n";
    for (const std::string& s : text.statements)
        out += s + "\n";
    const auto table = [&out](const Table& t) {
        if (t.rows.empty())
            return;
        out += "\n" + t.caption + "\n";
        const auto line = [&out](const std::vector<std::string>& cells) {
            for (std::size_t c = 0; c < cells.size(); ++c)
                out += (c ? "\t" : "") + cells[c];
            out += "\n";
        };
        line(t.headers);
        for (const auto& row : t.rows)
            line(row);
    };
    table(text.rowOrder);
    table(text.residuals);
    table(text.solution);
    out += "\n";
    for (const Figure& f : text.figures)
        out += f.label + "\t" + f.value + "\n";
    return out;
}

} // namespace verification
