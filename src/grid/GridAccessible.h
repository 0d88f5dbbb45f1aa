#pragma once

#include <QAccessibleWidget>
#include <QMetaObject>

#include <map>
#include <utility>

class GridControl;

// The grid as a table for screen readers, in the manner of Qt's own item views. The
// table is the body; the fixed rows and columns are its column and row headers, so that
// a cell is read together with its headers ("EQ2", "X3"). The children are every cell of
// the grid, fixed ones included, row by row: child r * Cols + c is cell (r, c). Cell
// interfaces are made when first asked for and kept for the table's lifetime.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(GridControl* grid);
    ~GridAccessible() override;

    GridControl* grid() const;
    // Fixed counts as laid out: never more than the rows and columns there are.
    int headerRows() const;
    int headerCols() const;
    // -1 outside the grid.
    int childIndex(int row, int col) const;
    // nullptr outside the grid.
    QAccessibleInterface* cell(int row, int col) const;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override;
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int column) override;
    bool unselectRow(int row) override;
    bool unselectColumn(int column) override;
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    // The selected body rectangle at the table's coordinates; empty without a body.
    QRect selectedArea() const;
    // The cells of the rectangle that have been asked for so far: the only ones whose text
    // a screen reader may have kept.
    QList<QAccessibleInterface*> cellsMadeIn(int top, int left, int bottom, int right) const;
    void textsChanged(int top, int left, int bottom, int right) const;

    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
    QMetaObject::Connection textsChanged_;
};
