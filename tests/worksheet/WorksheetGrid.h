#pragma once

#include "grid/GridControl.h"

#include <QString>

// A worksheet laid out for n equations the way the program lays it out: one fixed row
// with "X1" … "Xn" and "T.I", one fixed column with "EQ1" … "EQn", the corner showing
// the current cell "1,1".
inline void layOutWorksheet(GridControl& g, int n)
{
    g.setRows(n + 1);
    g.setCols(n + 2);
    g.setFixedRows(1);
    g.setFixedCols(1);
    const GridControl::BulkUpdate bulk(g);
    for (int j = 1; j <= n; ++j)
        g.setTextMatrix(0, j, QStringLiteral("X%1").arg(j));
    g.setTextMatrix(0, n + 1, QStringLiteral("T.I"));
    for (int i = 1; i <= n; ++i)
        g.setTextMatrix(i, 0, QStringLiteral("EQ%1").arg(i));
    g.setTextMatrix(0, 0, QStringLiteral("1,1"));
}
