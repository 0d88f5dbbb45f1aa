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

std::string digitsSentence(int digits)
{
    if (digits >= 6)
        return "El sistema está bien condicionado: en precisión simple la solución conserva "
               "casi todas sus cifras (unas " +
               std::to_string(digits) + " de 7).";
    if (digits >= 1)
        return "El sistema está mal condicionado: de las 7 cifras de la solución en precisión "
               "simple solo cabe esperar " +
               (digits == 1 ? std::string("la primera correcta")
                            : "unas " + std::to_string(digits) + " correctas") +
               "; las demás son efecto del redondeo.";
    return "El sistema está muy mal condicionado: en precisión simple no cabe esperar ninguna "
           "cifra correcta; la solución mostrada puede estar equivocada desde la primera cifra.";
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
        text.statements.push_back(digitsSentence(report.expectedDigits));
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
    if (regular) {
        text.solution.headers.push_back("Doble precisión");
        text.solution.headers.push_back("Error relativo");
    }
    for (std::size_t i = 0; i < report.solution.size(); ++i) {
        std::vector<std::string> row{"X" + std::to_string(i + 1),
                                     solver::generalText(report.solution[i], sep)};
        if (regular) {
            row.push_back(numberText(report.reference[i], kReferenceDigits, sep));
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
        text.figures.push_back({"Número de condición κ∞(A), estimado",
                                numberText(report.condition, kErrorDigits, sep)});
        text.figures.push_back(
            {"Cifras correctas esperadas", std::to_string(report.expectedDigits) + " de 7"});
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
