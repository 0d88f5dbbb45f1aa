#include "worksheet/CeldasCuadricula.h"

#include "grid/GridControl.h"
#include "solver/RuntimeError.h"

std::string CeldasCuadricula::TextMatrix(int row, int col) const
{
    comprobar(row, col);
    return grid_.TextMatrix(row, col).toStdString();
}

void CeldasCuadricula::setTextMatrix(int row, int col, std::string_view text)
{
    comprobar(row, col);
    grid_.setTextMatrix(row, col, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void CeldasCuadricula::comprobar(int row, int col) const
{
    if (!grid_.isValidCell(row, col))
        throw solver::RuntimeError(solver::RuntimeError::SubscriptOutOfRange);
}
