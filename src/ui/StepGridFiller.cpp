#include "ui/StepGridFiller.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

using solver::MatrixName;

StepGridFiller::StepGridFiller(const solver::StepTrace& trace, solver::TraceCursor& cursor,
                               GridControl& grid, std::string separator)
    : trace_(trace), cursor_(cursor), grid_(grid), separator_(std::move(separator))
{
    for (const solver::Stage& stage : trace_.stages) {
        const auto first = std::ptrdiff_t(stage.firstStep);
        if (stage.kind == solver::StageKind::ForwardSubstitution && forwardStart_ < 0)
            forwardStart_ = first;
        if (stage.kind == solver::StageKind::BackSubstitution && backStart_ < 0)
            backStart_ = first;
    }
}

void StepGridFiller::layOut()
{
    const int n = trace_.n;
    const bool gauss = trace_.method == solver::Method::GaussJordan;
    const int cols = gauss ? n + 2 : 2 * n + 3;
    const GridControl::BulkUpdate bulk(grid_);
    grid_.setCols(cols);
    grid_.setRows(n + 1);
    grid_.setFixedRows(1);
    grid_.setFixedCols(1);
    for (int i = 0; i < n; ++i)
        grid_.setTextMatrix(i + 1, 0, QStringLiteral("Fila %1").arg(i + 1));
    if (gauss) {
        for (int j = 0; j < n; ++j)
            grid_.setTextMatrix(0, j + 1, QStringLiteral("X%1").arg(j + 1));
        grid_.setTextMatrix(0, n + 1, QStringLiteral("T.I"));
    } else {
        for (int j = 0; j < n; ++j) {
            grid_.setTextMatrix(0, j + 1, QStringLiteral("B%1").arg(j + 1));
            grid_.setTextMatrix(0, j + n + 2, QStringLiteral("C%1").arg(j + 1));
        }
        grid_.setTextMatrix(0, n + 1, QStringLiteral("y"));
        grid_.setTextMatrix(0, 2 * n + 2, QStringLiteral("x"));
    }
    // Room for seven significant digits with sign and separator; twips at 15 a pixel.
    const int twipsPerPixel = 15;
    const int margin = 8;
    const QFontMetrics metrics(grid_.font());
    grid_.setColWidth(0, (metrics.horizontalAdvance(QStringLiteral("Fila 100")) + margin) *
                             twipsPerPixel);
    const int width =
        (metrics.horizontalAdvance(QStringLiteral("-0,0000000")) + margin) * twipsPerPixel;
    for (int c = 1; c < cols; ++c) {
        grid_.setColWidth(c, width);
        grid_.setColAlignment(c, GridControl::AlignRightCenter);
    }
}

bool StepGridFiller::columnShown(MatrixName m, int col) const
{
    if (col < trace_.n)
        return true;
    return m == MatrixName::A || (m == MatrixName::B ? yShown_ : xShown_);
}

std::optional<QPoint> StepGridFiller::gridCell(MatrixName m, int row, int col) const
{
    const int n = trace_.n;
    if (trace_.method == solver::Method::GaussJordan)
        return m == MatrixName::A ? std::optional<QPoint>(QPoint(row + 1, col + 1)) : std::nullopt;
    if (m == MatrixName::A)
        return std::nullopt;
    return QPoint(row + 1, col + 1 + (m == MatrixName::C ? n + 1 : 0));
}

std::optional<StepGridFiller::Element> StepGridFiller::elementAt(int gridRow, int gridCol) const
{
    const int n = trace_.n;
    const int row = gridRow - 1;
    int col = gridCol - 1;
    if (row < 0 || row >= n || col < 0)
        return std::nullopt;
    MatrixName m = MatrixName::A;
    if (trace_.method != solver::Method::GaussJordan) {
        m = col > n ? MatrixName::C : MatrixName::B;
        if (col > n)
            col -= n + 1;
    }
    if (col > n || !columnShown(m, col))
        return std::nullopt;
    return Element{m, row, col};
}

void StepGridFiller::writeCell(MatrixName m, int row, int col)
{
    const std::optional<QPoint> at = gridCell(m, row, col);
    if (!at)
        return;
    QString text;
    if (columnShown(m, col))
        text = QString::fromStdString(
            solver::generalText(cursor_.matrices().single(m).at(row, col), separator_));
    grid_.setTextMatrix(at->x(), at->y(), std::move(text));
}

void StepGridFiller::writeAll()
{
    const int n = trace_.n;
    const GridControl::BulkUpdate bulk(grid_);
    for (const MatrixName m : {MatrixName::A, MatrixName::B, MatrixName::C})
        for (int i = 0; i < n; ++i)
            for (int j = 0; j <= n; ++j)
                writeCell(m, i, j);
}

void StepGridFiller::writeRuns(std::uint32_t from, std::uint32_t to)
{
    const GridControl::BulkUpdate bulk(grid_);
    for (std::uint32_t r = from; r < to; ++r) {
        const solver::WriteRun& run = trace_.runs[r];
        for (int c = run.firstCol; c < run.firstCol + run.count; ++c)
            writeCell(run.matrix, run.row, c);
    }
}

std::uint32_t StepGridFiller::runsAfter(std::ptrdiff_t k) const
{
    return k < 0 ? 0 : trace_.steps[std::size_t(k)].runsEnd;
}

void StepGridFiller::show(std::ptrdiff_t k)
{
    const std::ptrdiff_t before = shown_;
    cursor_.seek(k);
    shown_ = k;
    const bool choleski = trace_.method == solver::Method::Choleski;
    const bool y = choleski && forwardStart_ >= 0 && k >= forwardStart_;
    const bool x = choleski && backStart_ >= 0 && k >= backStart_;
    // A change of step rewrites only the cells written in between, unless the work columns
    // appear or go.
    if (before < -1 || y != yShown_ || x != xShown_) {
        yShown_ = y;
        xShown_ = x;
        writeAll();
    } else {
        writeRuns(runsAfter(std::min(before, k)), runsAfter(std::max(before, k)));
    }
}

StepGridFiller::StepCells StepGridFiller::cellsOf(std::ptrdiff_t k) const
{
    StepCells cells;
    if (k < 0)
        return cells;
    const solver::Step& s = trace_.steps[std::size_t(k)];
    for (const solver::WriteRun& run : trace_.writesOf(std::size_t(k)))
        for (int c = run.firstCol; c < run.firstCol + run.count; ++c)
            if (const auto at = gridCell(run.matrix, run.row, c))
                cells.written.push_back(*at);
    switch (s.kind) {
    case solver::StepKind::ElementC:
        cells.pivot = gridCell(MatrixName::B, s.row, s.row);
        break;
    case solver::StepKind::DivideRow:
        cells.pivot = gridCell(s.matrix, s.row, s.row);
        break;
    case solver::StepKind::EliminateRow:
        cells.pivot = gridCell(s.matrix, s.pivotRow, s.pivotRow);
        break;
    case solver::StepKind::Trap:
        if (s.col >= 0)
            cells.pivot = gridCell(s.matrix, s.row, s.col);
        break;
    default:
        break;
    }
    return cells;
}
