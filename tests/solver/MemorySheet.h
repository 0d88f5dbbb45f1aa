#pragma once

#include "SameBits.h"

#include "solver/NumberText.h"
#include "solver/Solver.h"
#include "solver/WorksheetSource.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A worksheet held in memory, with the window's coordinates: row 0 and column 0 are
// headers, equation i is row i, unknown j column j, the independent term column n + 1.
class MemorySheet : public solver::WorksheetSource
{
public:
    std::string TextMatrix(int row, int col) const override
    {
        const auto it = cells.find({row, col});
        return it == cells.end() ? std::string() : it->second;
    }
    void setTextMatrix(int row, int col, std::string_view text) override { cells[{row, col}] = std::string(text); }

    // Fills the body from an augmented matrix given row by row.
    static MemorySheet fromRows(const std::vector<std::vector<float>>& rows)
    {
        MemorySheet sheet;
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t j = 0; j < rows[i].size(); ++j)
                sheet.cells[{int(i) + 1, int(j) + 1}] = solver::generalText(rows[i][j], ".");
        return sheet;
    }

    std::map<std::pair<int, int>, std::string> cells;
};

// A solver dimensioned for n: A, B and C all zero.
inline solver::Solver dimensioned(int n)
{
    solver::Solver s;
    s.n = std::int16_t(n);
    s.Redimensionar();
    return s;
}

// A solver dimensioned for the sheet's n, with the sheet already read into A.
inline solver::Solver solverFor(MemorySheet& sheet, int n)
{
    solver::Solver s = dimensioned(n);
    s.LeerDatos(sheet, ".");
    return s;
}

inline std::vector<float> columnN(const solver::SingleMatrix& m, int n)
{
    std::vector<float> v;
    for (int i = 0; i < n; ++i)
        v.push_back(m.at(i, n));
    return v;
}
