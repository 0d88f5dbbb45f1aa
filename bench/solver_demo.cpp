// Solves a small system by both methods and prints what the window would show.
#include "solver/NumberText.h"
#include "solver/Solver.h"
#include "solver/WorksheetSource.h"

#include <iostream>
#include <map>

namespace {

class Sheet : public solver::WorksheetSource
{
public:
    std::string TextMatrix(int r, int c) const override
    {
        const auto it = cells.find({r, c});
        return it == cells.end() ? std::string() : it->second;
    }
    void setTextMatrix(int r, int c, std::string_view t) override { cells[{r, c}] = t; }
    std::map<std::pair<int, int>, std::string> cells;
};

} // namespace

int main()
{
    Sheet sheet;
    // 2 X1 + 1 X2 - 1 X3 = 8 ; -3 X1 - 1 X2 + 2 X3 = -11 ; -2 X1 + 1 X2 + 2 X3 = -3
    const char* rows[3][4] = {
        {"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            sheet.setTextMatrix(i + 1, j + 1, rows[i][j]);

    solver::Solver s;
    s.n = 3;
    s.Redimensionar();
    s.LeerDatos(sheet, ".");
    s.CholeSki();
    std::cout << "Método de Choleski\n";
    s.SustAdelante();
    s.SustAtras();
    for (int i = 0; i < 3; ++i)
        std::cout << "  X" << i + 1 << " = " << solver::generalText(s.C.at(i, 3), ".") << '\n';

    s.FilaCambio = 0;
    s.LeerDatos(sheet, ".");
    std::cout << "Método de Gauss - Jordan\n";
    if (s.GaussJordan(sheet, ".") == solver::Solver::GaussJordanOutcome::Solved)
        for (int i = 0; i < 3; ++i)
            std::cout << "  X" << i + 1 << " = " << solver::fixedFiveText(s.A.at(i, 3), ".")
                      << '\n';
}
