#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class GridControl;

// One cell of a grid as a screen reader sees it, at the grid's own coordinates: a body
// cell is a table cell whose headers are the fixed cells of its column and of its row;
// a fixed cell is a column or row header, and the corner where both meet is a label.
// It reads the grid on every call, so it never goes stale while the cell exists.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    GridCellAccessible(GridControl* grid, int row, int col);

    GridControl* grid() const;
    int gridRow() const { return row_; }
    int gridCol() const { return col_; }
    bool isBodyCell() const;

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override;

private:
    QPointer<GridControl> grid_;
    int row_;
    int col_;
};
