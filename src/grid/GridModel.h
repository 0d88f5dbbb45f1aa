#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <functional>
#include <vector>

// Every cell of a grid, fixed cells included, at the grid's own coordinates, plus the
// alignment code of each column. Text writes between beginBulk() and endBulk() are
// gathered into one dataChanged() over the rectangle they touched.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // Whether a cell is drawn marked as wrong (a bool), beside Qt's tooltip and accessible
    // description roles, which the owner's notes answer.
    static constexpr int MarkRole = Qt::UserRole + 1;

    // What the owner says of a cell: a text for its tooltip and its accessible description,
    // and whether it is marked.
    struct CellNote
    {
        QString text;
        bool marked = false;
    };
    // Asked on every read, so that a note follows the cell's text with nothing stored.
    using NoteSource = std::function<CellNote(int row, int col)>;

    explicit GridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // Cells inside the new size keep their text, the others are dropped, new ones are empty.
    void setRows(int rows);
    void setCols(int cols);

    // Only for alignment: fixed cells of a general column are centred.
    void setFixedCounts(int fixedRows, int fixedCols);

    bool contains(int row, int col) const;
    QString text(int row, int col) const;
    // Valid until the cell or the grid's size changes: for reading loops, without a copy.
    QStringView textView(int row, int col) const;
    void setText(int row, int col, QString text);

    int colAlignment(int col) const;
    void setColAlignment(int col, int code);
    Qt::Alignment cellAlignment(int row, int col) const;

    void beginBulk();
    void endBulk();

    // No source: no cell has a note.
    void setNoteSource(NoteSource source);
    CellNote note(int row, int col) const;
    // The source now answers otherwise for some cells: every cell's notes are announced.
    void notesChanged();

private:
    std::size_t offset(int row, int col) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(col);
    }
    void reshape(int rows, int cols);

    std::vector<QString> cells_; // row-major
    std::vector<int> alignments_;
    NoteSource notes_;
    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    int bulkDepth_ = 0;
    // Rectangle written during the current bulk; empty when top > bottom.
    int dirtyTop_ = 0;
    int dirtyLeft_ = 0;
    int dirtyBottom_ = -1;
    int dirtyRight_ = -1;
};
