#include "worksheet/WorksheetTexts.h"

#include "grid/GridControl.h"

#include <QLocale>

namespace WorksheetTexts {

TextBlock body(const GridControl& cuadric)
{
    TextBlock rows;
    rows.reserve(std::size_t(std::max(0, cuadric.Rows() - 1)));
    for (int i = 1; i < cuadric.Rows(); ++i) {
        TextRow& row = rows.emplace_back();
        for (int j = 1; j < cuadric.Cols(); ++j)
            row.push_back(cuadric.TextMatrix(i, j).toStdU16String());
    }
    return rows;
}

void fill(GridControl& cuadric, const TextBlock& rows)
{
    const GridControl::BulkUpdate agrupado(cuadric);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t j = 0; j < rows[i].size(); ++j)
            cuadric.setTextMatrix(int(i) + 1, int(j) + 1, QString::fromStdU16String(rows[i][j]));
    }
}

bool holdsValues(const GridControl& cuadric)
{
    for (int i = 1; i < cuadric.Rows(); ++i) {
        for (int j = 1; j < cuadric.Cols(); ++j) {
            if (!cuadric.TextMatrix(i, j).isEmpty())
                return true;
        }
    }
    return false;
}

char16_t decimalMark()
{
    const QString mark = QLocale().decimalPoint();
    return mark.isEmpty() ? u'.' : mark.front().unicode();
}

} // namespace WorksheetTexts
