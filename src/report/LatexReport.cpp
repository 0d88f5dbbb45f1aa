#include "report/LatexReport.h"

#include <array>
#include <utility>

namespace report {

namespace {

using verification::Table;

// Past this many columns a matrix is scaled to the line's width; past this many rows, to
// the page's height, as a display never breaks across pages.
constexpr std::size_t kScaledFrom = 12;
constexpr std::size_t kTallFrom = 40;

// A grid's number in math mode, character for character: a decimal comma without the space
// math mode puts after a comma, the exponent's E upright.
std::string mathNumber(std::string_view text)
{
    std::string out;
    for (const char ch : text) {
        if (ch == ',')
            out += "{,}";
        else if (ch == 'E' || ch == 'e')
            out += "\\mathrm{E}";
        else if (ch == ' ' || ch == '\t')
            continue;
        else if (ch == '-' || ch == '+' || ch == '.' || (ch >= '0' && ch <= '9'))
            out += ch;
        else
            out += latexText(std::string(1, ch));
    }
    return out.empty() ? "{}" : out;
}

// Rows of a table without its naming column, cells joined by & and rows by \\.
std::string body(const Table& t, std::size_t lastColumn)
{
    std::string out;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        out += "  ";
        for (std::size_t j = 1; j < t.rows[i].size() && j <= lastColumn; ++j)
            out += (j > 1 ? " & " : "") + mathNumber(t.rows[i][j]);
        out += i + 1 < t.rows.size() ? " \\\\\n" : "\n";
    }
    return out;
}

std::string display(const std::string& math, const Table& t)
{
    const std::string box = t.headers.size() >= kScaledFrom ? "\\resizebox{\\linewidth}{!}"
                            : t.rows.size() >= kTallFrom    ? "\\resizebox*{!}{0.9\\textheight}"
                                                            : "";
    if (box.empty())
        return "\\[\n" + math + "\\]\n";
    return "\\begin{center}\n" + box + "{$\\displaystyle\n" + math + "$}\n\\end{center}\n";
}

std::string systemMath(const Table& t)
{
    const std::size_t n = t.headers.size() - 2;
    std::string out = "A = \\left(\\begin{array}{" + std::string(n, 'r') + "|r}\n";
    out += body(t, n + 1);
    return out + "\\end{array}\\right)\n";
}

std::string matrixMath(const std::string& name, const Table& t)
{
    return name + " = \\begin{pmatrix}\n" + body(t, t.headers.size()) + "\\end{pmatrix}\n";
}

std::string heading(const std::string& text)
{
    return "\n\\section*{" + latexText(text) + "}\n";
}

} // namespace

std::string latexText(std::string_view text)
{
    static const std::array<std::pair<std::string_view, std::string_view>, 17> kReplace{{
        {"\\", "\\textbackslash{}"},
        {"{", "\\{"},
        {"}", "\\}"},
        {"#", "\\#"},
        {"$", "\\$"},
        {"%", "\\%"},
        {"&", "\\&"},
        {"_", "\\_"},
        {"~", "\\textasciitilde{}"},
        {"^", "\\textasciicircum{}"},
        {"‖", "$\\|$"},
        {"∞", "$\\infty$"},
        {"κ", "$\\kappa$"},
        {"·", "$\\cdot$"},
        {"−", "$-$"},
        {"x̂", "$\\hat{x}$"},
        {"…", "\\ldots{}"},
    }};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [from, to] : kReplace) {
            if (text.substr(i, from.size()) == from) {
                out += to;
                i += from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i++];
    }
    // Symbols side by side make one formula: "$\|$$\infty$" becomes "$\|\infty$".
    for (std::size_t at = out.find("$$"); at != std::string::npos; at = out.find("$$", at)) {
        if (at > 0 && out[at - 1] == '\\')
            at += 2;
        else
            out.erase(at, 2);
    }
    return out;
}

std::string latexReport(const SolveReport& r)
{
    const bool wide = std::size_t(r.n) + 2 >= kScaledFrom;
    std::string out = std::string("\\documentclass[a4paper,11pt") + (wide ? ",landscape" : "") +
                      "]{article}\n"
                      "\\usepackage[utf8]{inputenc}\n"
                      "\\usepackage[T1]{fontenc}\n"
                      "\\usepackage{amsmath}\n"
                      "\\usepackage{graphicx}\n"
                      "\\usepackage[margin=2cm]{geometry}\n"
                      "\\setcounter{MaxMatrixCols}{" +
                      std::to_string(r.n + 2) +
                      "}\n"
                      "\\begin{document}\n\n"
                      "\\noindent\\textbf{" +
                      latexText(r.title) + "}\\\\\n" + latexText(r.date) + "\\\\\n" +
                      latexText(r.method) + "\n";
    for (const Part part : r.order) {
        switch (part) {
        case Part::System:
            out += heading(partTitle(part)) + display(systemMath(r.system), r.system);
            break;
        case Part::Exchanges:
            out += heading(partTitle(part));
            for (const std::string& s : r.exchanges)
                out += latexText(s) + "\n\n";
            break;
        case Part::Factors:
            out += heading(partTitle(part)) + display(matrixMath("B", r.b), r.b) +
                   display(matrixMath("C", r.c), r.c);
            break;
        case Part::Solution:
            out += heading(partTitle(part)) +
                   display("x = \\begin{pmatrix}\n" + body(r.solution, 1) + "\\end{pmatrix}\n",
                           r.solution);
            break;
        case Part::Summary:
            out += heading(partTitle(part));
            for (const std::string& s : r.statements)
                out += latexText(s) + "\n\n";
            out += "\\begin{itemize}\n";
            for (const verification::Figure& f : r.figures)
                out += "  \\item " + latexText(f.label) + ": " + latexText(f.value) + "\n";
            out += "\\end{itemize}\n";
            break;
        }
    }
    return out + "\n\\end{document}\n";
}

} // namespace report
