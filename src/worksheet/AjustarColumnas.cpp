#include "worksheet/AjustarColumnas.h"

#include "grid/GridControl.h"
#include "worksheet/TextWidthTable.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr double kMarginTwips = 240.0;
}

void AjustarColumnas(GridControl& g, const TextWidthTable& measure)
{
    g.setScrollBars(GridControl::ScrollNone);
    const int cols = g.Cols();
    const int rows = g.Rows();
    // Reading is free of side effects, so the texts are read in the grid's storage order
    // (row by row) and every column's widest text is kept until the widths are set.
    std::vector<double> widest(static_cast<std::size_t>(cols), 0.0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            double& w = widest[static_cast<std::size_t>(c)];
            w = std::max(w, measure.TextWidth(g.TextView(r, c)));
        }
    {
        // The columns are laid out once, when the last width is set. Widths are rounded
        // half to even, as the default rounding mode does.
        const GridControl::BulkUpdate bulk(g);
        for (int c = 0; c < cols; ++c) {
            g.setColWidth(c, static_cast<int>(std::nearbyint(widest[static_cast<std::size_t>(c)] +
                                                             kMarginTwips)));
            g.setColAlignment(c, GridControl::AlignLeftCenter);
        }
    }
    g.setScrollBars(GridControl::ScrollBoth);
}
