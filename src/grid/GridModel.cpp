#include "grid/GridModel.h"

#include "grid/CellAlignment.h"

#include <algorithm>
#include <utility>

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cells_[offset(index.row(), index.column())];
    case Qt::TextAlignmentRole:
        return static_cast<int>(cellAlignment(index.row(), index.column()));
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (QString text = note(index.row(), index.column()).text; !text.isEmpty())
            return text;
        return {};
    case MarkRole:
        return note(index.row(), index.column()).marked;
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void GridModel::setRows(int rows)
{
    if (rows < 0 || rows == rows_)
        return;
    if (rows < rows_) {
        beginRemoveRows({}, rows, rows_ - 1);
        reshape(rows, cols_);
        endRemoveRows();
    } else {
        beginInsertRows({}, rows_, rows - 1);
        reshape(rows, cols_);
        endInsertRows();
    }
}

void GridModel::setCols(int cols)
{
    if (cols < 0 || cols == cols_)
        return;
    if (cols < cols_) {
        beginRemoveColumns({}, cols, cols_ - 1);
        reshape(rows_, cols);
        endRemoveColumns();
    } else {
        beginInsertColumns({}, cols_, cols - 1);
        reshape(rows_, cols);
        endInsertColumns();
    }
}

void GridModel::reshape(int rows, int cols)
{
    const std::size_t size = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    if (cols == cols_) {
        cells_.resize(size);
    } else {
        std::vector<QString> cells(size);
        const int keptRows = std::min(rows, rows_);
        const int keptCols = std::min(cols, cols_);
        for (int r = 0; r < keptRows; ++r) {
            for (int c = 0; c < keptCols; ++c) {
                cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(cols) +
                      static_cast<std::size_t>(c)] = std::move(cells_[offset(r, c)]);
            }
        }
        cells_ = std::move(cells);
        alignments_.resize(static_cast<std::size_t>(cols), AlignGeneral);
    }
    rows_ = rows;
    cols_ = cols;
}

void GridModel::setFixedCounts(int fixedRows, int fixedCols)
{
    if (fixedRows == fixedRows_ && fixedCols == fixedCols_)
        return;
    fixedRows_ = fixedRows;
    fixedCols_ = fixedCols;
    if (rows_ > 0 && cols_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1), {Qt::TextAlignmentRole});
}

bool GridModel::contains(int row, int col) const
{
    return row >= 0 && row < rows_ && col >= 0 && col < cols_;
}

QString GridModel::text(int row, int col) const
{
    return contains(row, col) ? cells_[offset(row, col)] : QString();
}

QStringView GridModel::textView(int row, int col) const
{
    return contains(row, col) ? QStringView(cells_[offset(row, col)]) : QStringView();
}

void GridModel::setText(int row, int col, QString text)
{
    if (!contains(row, col))
        return;
    QString& cell = cells_[offset(row, col)];
    if (cell == text)
        return;
    cell = std::move(text);
    if (bulkDepth_ == 0) {
        const QModelIndex changed = index(row, col);
        emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::TextAlignmentRole});
        return;
    }
    if (dirtyTop_ > dirtyBottom_) {
        dirtyTop_ = dirtyBottom_ = row;
        dirtyLeft_ = dirtyRight_ = col;
    } else {
        dirtyTop_ = std::min(dirtyTop_, row);
        dirtyBottom_ = std::max(dirtyBottom_, row);
        dirtyLeft_ = std::min(dirtyLeft_, col);
        dirtyRight_ = std::max(dirtyRight_, col);
    }
}

int GridModel::colAlignment(int col) const
{
    return col >= 0 && col < cols_ ? alignments_[static_cast<std::size_t>(col)] : AlignGeneral;
}

void GridModel::setColAlignment(int col, int code)
{
    if (col < 0 || col >= cols_ || code < AlignLeftTop || code > AlignGeneral)
        return;
    int& current = alignments_[static_cast<std::size_t>(col)];
    if (current == code)
        return;
    current = code;
    if (rows_ > 0)
        emit dataChanged(index(0, col), index(rows_ - 1, col), {Qt::TextAlignmentRole});
}

Qt::Alignment GridModel::cellAlignment(int row, int col) const
{
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    return ::cellAlignment(colAlignment(col), fixed, text(row, col));
}

void GridModel::beginBulk()
{
    ++bulkDepth_;
}

void GridModel::endBulk()
{
    if (bulkDepth_ == 0 || --bulkDepth_ > 0)
        return;
    // The size may have shrunk since the writes.
    const int bottom = std::min(dirtyBottom_, rows_ - 1);
    const int right = std::min(dirtyRight_, cols_ - 1);
    const bool touched = dirtyTop_ <= bottom && dirtyLeft_ <= right;
    const int top = dirtyTop_;
    const int left = dirtyLeft_;
    dirtyTop_ = dirtyLeft_ = 0;
    dirtyBottom_ = dirtyRight_ = -1;
    if (touched)
        emit dataChanged(index(top, left), index(bottom, right),
                         {Qt::DisplayRole, Qt::TextAlignmentRole});
}

void GridModel::setNoteSource(NoteSource source)
{
    notes_ = std::move(source);
    notesChanged();
}

GridModel::CellNote GridModel::note(int row, int col) const
{
    return notes_ && contains(row, col) ? notes_(row, col) : CellNote{};
}

void GridModel::notesChanged()
{
    if (rows_ > 0 && cols_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1),
                         {Qt::ToolTipRole, Qt::AccessibleDescriptionRole, MarkRole});
}
