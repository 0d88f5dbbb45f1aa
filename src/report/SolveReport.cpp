#include "report/SolveReport.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace report {

namespace {

using verification::Method;
using verification::Table;

std::string equation(int i)
{
    return "EQ" + std::to_string(i + 1);
}

// The worksheet as typed; its corner shows the current cell, which is not the system.
Table systemTable(const Cells& worksheet)
{
    Table t;
    if (worksheet.empty())
        return t;
    t.headers = worksheet.front();
    t.headers.front() = "Ecuación";
    t.rows.assign(worksheet.begin() + 1, worksheet.end());
    return t;
}

// A matrix grid has no headers of its own: rows and columns are numbered from 1.
Table factorTable(const std::string& caption, const Cells& cells)
{
    Table t;
    t.caption = caption;
    if (cells.empty())
        return t;
    t.headers.push_back("Fila");
    for (std::size_t j = 0; j < cells.front().size(); ++j)
        t.headers.push_back(std::to_string(j + 1));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        std::vector<std::string> row{std::to_string(i + 1)};
        row.insert(row.end(), cells[i].begin(), cells[i].end());
        t.rows.push_back(std::move(row));
    }
    return t;
}

Table orderTable(const std::string& caption, const std::vector<int>& order)
{
    Table t;
    t.caption = caption;
    t.headers = {"Fila de trabajo", "Ecuación de la hoja"};
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] != int(i))
            t.rows.push_back({"Fila " + std::to_string(i + 1), equation(order[i])});
    return t;
}

// The rows Gauss - Jordan reduced: the worksheet with row 0 exchanged for row k by the k-th
// retry, then, when the first coefficient is 0, row 0 exchanged with every later row whose
// first coefficient is not.
std::vector<int> gaussJordanOrder(const solver::SingleMatrix& a, int retries)
{
    const int n = a.rows();
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    if (n == 0)
        return order;
    if (retries > 0 && retries < n)
        std::swap(order[0], order[std::size_t(retries)]);
    const auto first = [&](int row) { return a.at(order[std::size_t(row)], 0); };
    if (first(0) == 0)
        for (int f = 0; f < n; ++f)
            if (first(f) != 0)
                std::swap(order[0], order[std::size_t(f)]);
    return order;
}

void describeExchanges(SolveReport& r, const SolveRecord& record,
                       const verification::ReportText& check)
{
    const int k = record.solve.rowExchanges;
    const std::string count = " (FilaCambio = " + std::to_string(k) + ").";
    if (record.solve.method == Method::Choleski) {
        if (k == 0) {
            r.exchanges.push_back("El método de Choleski no intercambió filas" + count);
            return;
        }
        r.exchanges.push_back(
            "El método de Choleski halló una división por cero y volvió a empezar " +
            std::to_string(k) + (k == 1 ? " vez" : " veces") +
            ", cada vez intercambiando la primera fila con la siguiente, de la 2 a la " +
            std::to_string(k + 1) + count);
        r.exchangeOrder = check.rowOrder;
        return;
    }
    if (k == 0)
        r.exchanges.push_back("El método de Gauss - Jordan no necesitó reintentos" + count);
    else
        r.exchanges.push_back(
            "El método de Gauss - Jordan halló un desbordamiento y se reintentó " +
            std::to_string(k) + (k == 1 ? " vez" : " veces") +
            ", cada vez desde la hoja con otra primera ecuación; la solución viene del "
            "intento que empezó por la ecuación " +
            std::to_string(k + 1) + count);
    const solver::SingleMatrix& a = record.solve.A;
    const std::vector<int> order = gaussJordanOrder(a, k);
    r.exchangeOrder = orderTable("Orden de las filas reducidas", order);
    // The retry's own exchange is told above; a rotation only happens on a first zero.
    if (a.contains(k, 0) && a.at(k, 0) == 0 && order.front() != k)
        r.exchanges.push_back(
            "Como el primer coeficiente de la primera ecuación era 0, antes de reducir se la "
            "intercambió con cada ecuación siguiente cuyo primer coeficiente no es 0.");
}

} // namespace

std::string partTitle(Part part)
{
    switch (part) {
    case Part::System:
        return "Sistema de ecuaciones";
    case Part::Exchanges:
        return "Intercambios de filas";
    case Part::Factors:
        return "Matrices B y C";
    case Part::Solution:
        return "Solución";
    case Part::Summary:
        return "Verificación en doble precisión";
    }
    return {};
}

SolveReport buildReport(const SolveRecord& record)
{
    SolveReport r;
    r.n = record.solve.A.rows();
    r.title = "Informe de la resolución: sistema de " + std::to_string(r.n) + " ecuaciones";
    r.date = record.date;
    const bool choleski = record.solve.method == Method::Choleski;
    r.method = choleski ? "Método de Choleski" : "Método de Gauss - Jordan";
    r.system = systemTable(record.worksheet);

    const verification::ReportText check =
        verification::describe(verification::verify(record.solve), record.decimalSeparator);
    describeExchanges(r, record, check);
    if (choleski) {
        r.b = factorTable("Matriz B", record.b);
        r.c = factorTable("Matriz C", record.c);
    }
    r.solution.headers = {"Incógnita", "Valor"};
    r.solution.rows = record.solution;
    r.statements = check.statements;
    r.figures = check.figures;

    if (r.n >= kSolutionFirstFrom)
        r.order = {Part::Solution, Part::Summary, Part::System, Part::Exchanges};
    else
        r.order = {Part::System, Part::Exchanges};
    if (r.hasFactors())
        r.order.push_back(Part::Factors);
    if (r.n < kSolutionFirstFrom) {
        r.order.push_back(Part::Solution);
        r.order.push_back(Part::Summary);
    }
    return r;
}

} // namespace report
