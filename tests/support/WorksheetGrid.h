#pragma once

#include "grid/GridControl.h"

#include <QStringList>

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

// The first body cell of a worksheet for n equations that does not hold a random value as
// the program writes them: plain digits, 0 to 99 for a coefficient, 0 to 7099 for an
// independent term. Empty when every cell does.
inline QString nonRandomCell(const GridControl& g, int n)
{
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n + 1; ++c) {
            bool ok = false;
            const QString t = g.TextMatrix(r, c);
            const int v = t.toInt(&ok);
            if (!ok || v < 0 || v > (c == n + 1 ? 7099 : 99) || t != QString::number(v))
                return QStringLiteral("\"%1\" at (%2, %3)").arg(t).arg(r).arg(c);
        }
    }
    return {};
}

// The cells' texts row by row, from (top, left) to the last cell.
inline QStringList cellTexts(const GridControl& g, int top = 0, int left = 0)
{
    QStringList texts;
    for (int r = top; r < g.Rows(); ++r)
        for (int c = left; c < g.Cols(); ++c)
            texts << g.TextMatrix(r, c);
    return texts;
}
