#include "worksheet/GridCells.h"

#include "grid/GridControl.h"
#include "solver/RuntimeError.h"

std::string GridCells::TextMatrix(int row, int col) const
{
    comprobar(row, col);
    lastRow_ = row;
    lastCol_ = col;
    // Cell texts are nearly always plain ASCII numbers: copy those without going through
    // a UTF-8 encoder and a temporary buffer.
    const QStringView text = grid_.TextView(row, col);
    std::string ascii;
    ascii.reserve(std::size_t(text.size()));
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return text.toUtf8().toStdString();
        ascii.push_back(char(c.unicode()));
    }
    return ascii;
}

void GridCells::setTextMatrix(int row, int col, std::string_view text)
{
    comprobar(row, col);
    grid_.setTextMatrix(row, col, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void GridCells::comprobar(int row, int col) const
{
    if (!grid_.isValidCell(row, col))
        throw solver::RuntimeError(solver::RuntimeError::SubscriptOutOfRange);
}
