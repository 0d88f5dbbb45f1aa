#include "grid/GridClipboard.h"

#include "grid/GridModel.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

namespace GridClipboard {

void copy(const GridModel& model, const CellSelection& selection)
{
    TextBlock block;
    for (int r = selection.top(); r <= selection.bottom(); ++r) {
        TextRow& cells = block.emplace_back();
        for (int c = selection.left(); c <= selection.right(); ++c)
            cells.emplace_back(model.textView(r, c).utf16(), model.textView(r, c).size());
    }
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(formatTextBlock(block)));
}

TextBlock pasted()
{
    const QString text = QGuiApplication::clipboard()->text();
    return parseTextBlock(QStringView(text).utf16());
}

CellPosition write(GridModel& model, const TextBlock& block, CellPosition topLeft)
{
    CellPosition last = topLeft;
    const auto rows = static_cast<std::size_t>(std::max(0, model.rows() - topLeft.row));
    const auto cols = static_cast<std::size_t>(std::max(0, model.cols() - topLeft.col));
    for (std::size_t r = 0; r < block.size() && r < rows; ++r) {
        for (std::size_t c = 0; c < block[r].size() && c < cols; ++c) {
            const CellPosition cell{topLeft.row + static_cast<int>(r),
                                    topLeft.col + static_cast<int>(c)};
            model.setText(cell.row, cell.col, QString::fromStdU16String(block[r][c]));
            last = {std::max(last.row, cell.row), std::max(last.col, cell.col)};
        }
    }
    return last;
}

QList<QStringList> toStringLists(const TextBlock& block)
{
    QList<QStringList> rows;
    rows.reserve(static_cast<qsizetype>(block.size()));
    for (const TextRow& row : block) {
        QStringList& cells = rows.emplace_back();
        for (const std::u16string& cell : row)
            cells << QString::fromStdU16String(cell);
    }
    return rows;
}

} // namespace GridClipboard
