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
        for (int c = selection.left(); c <= selection.right(); ++c) {
            const QStringView text = model.textView(r, c);
            cells.emplace_back(text.utf16(), text.size());
        }
    }
    QGuiApplication::clipboard()->setText(QString::fromStdU16String(formatTextBlock(block)));
}

TextBlock pasted(const Reader& reader)
{
    const QString text = QGuiApplication::clipboard()->text();
    // With its length: an empty clipboard's text has no characters to point to.
    const std::u16string_view view(QStringView(text).utf16(), std::size_t(text.size()));
    return reader ? reader(view) : parseTextBlock(view);
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

bool holdsCells(const TextBlock& block)
{
    return std::any_of(block.begin(), block.end(), [](const TextRow& r) { return !r.empty(); });
}

} // namespace GridClipboard
