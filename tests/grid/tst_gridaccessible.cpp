#include "DataColumns.h"
#include "ShapedGrid.h"

#include <QAccessible>

#include <algorithm>

namespace {

// The worksheet of three equations as the program lays it out, with one equation typed.
std::unique_ptr<GridControl> worksheet()
{
    auto g = worksheetGrid(3);
    const QStringList second{QStringLiteral("-3"), QStringLiteral("-1"), QStringLiteral("-1,25"), QStringLiteral("-11")};
    for (int c = 1; c <= 4; ++c)
        g->setTextMatrix(2, c, second[c - 1]);
    return g;
}

QAccessibleTableInterface* tableOf(GridControl& g)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&g);
    return iface ? iface->tableInterface() : nullptr;
}

QStringList names(const QList<QAccessibleInterface*>& cells)
{
    QStringList texts;
    for (const QAccessibleInterface* cell : cells)
        texts << (cell ? cell->text(QAccessible::Name) : QStringLiteral("<null>"));
    return texts;
}

} // namespace

class TestGridAccessible : public QObject
{
    Q_OBJECT

private slots:
    void counts_data()
    {
        addColumns<int, int, int, int, int, int, int>("rows", "cols", "fixedRows", "fixedCols", "tableRows", "tableCols", "children");
        QTest::newRow("worksheet of 3") << 4 << 5 << 1 << 1 << 3 << 4 << 20;
        QTest::newRow("solution of 3") << 3 << 2 << 0 << 1 << 3 << 1 << 6;
        QTest::newRow("matrix of 3") << 3 << 3 << 0 << 0 << 3 << 3 << 9;
        QTest::newRow("worksheet before n") << 2 << 0 << 1 << 0 << 0 << 0 << 0;
        QTest::newRow("headers only") << 1 << 5 << 1 << 1 << 0 << 0 << 5;
        QTest::newRow("fixed beyond the size") << 2 << 2 << 3 << 0 << 0 << 0 << 4;
        QTest::newRow("worksheet of 100") << 101 << 102 << 1 << 1 << 100 << 101 << 10302;
    }

    void counts()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, fixedRows);
        QFETCH(int, fixedCols);
        auto g = shapedGrid(rows, cols, fixedRows, fixedCols);
        QAccessibleTableInterface* table = tableOf(*g);
        QVERIFY(table);
        QTEST(table->rowCount(), "tableRows");
        QTEST(table->columnCount(), "tableCols");
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(g.get());
        QTEST(iface->childCount(), "children");
        // Outside the table there is no cell, on every side.
        QCOMPARE(table->cellAt(table->rowCount(), 0), nullptr);
        QCOMPARE(table->cellAt(0, table->columnCount()), nullptr);
        QCOMPARE(table->cellAt(-1, 0), nullptr);
        // Without cells there is no current one to hold the focus.
        if (iface->childCount() == 0)
            QCOMPARE(iface->focusChild(), nullptr);
    }

    void cells_data()
    {
        // row: table coordinates: the body
        addColumns<int, int, QString, QStringList, QStringList>("row", "col", "text", "rowHeaders", "columnHeaders");
        QTest::newRow("typed coefficient") << 1 << 2 << "-1,25" << QStringList{"EQ2"} << QStringList{"X3"};
        QTest::newRow("independent term") << 1 << 3 << "-11" << QStringList{"EQ2"} << QStringList{"T.I"};
        QTest::newRow("empty first cell") << 0 << 0 << "" << QStringList{"EQ1"} << QStringList{"X1"};
        QTest::newRow("last equation") << 2 << 0 << "" << QStringList{"EQ3"} << QStringList{"X1"};
    }

    void cells()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        auto g = worksheet();
        QAccessibleInterface* cell = tableOf(*g)->cellAt(row, col);
        QVERIFY(cell && cell->isValid());
        QCOMPARE(cell->role(), QAccessible::Cell);
        QTEST(cell->text(QAccessible::Name), "text");
        QAccessibleTableCellInterface* position = cell->tableCellInterface();
        QVERIFY(position);
        QCOMPARE(position->rowIndex(), row);
        QCOMPARE(position->columnIndex(), col);
        QCOMPARE(position->rowExtent(), 1);
        QTEST(names(position->rowHeaderCells()), "rowHeaders");
        QTEST(names(position->columnHeaderCells()), "columnHeaders");
        QCOMPARE(position->table(), QAccessible::queryAccessibleInterface(g.get()));
        for (const QAccessibleInterface* header : position->rowHeaderCells())
            QCOMPARE(header->role(), QAccessible::RowHeader);
        for (const QAccessibleInterface* header : position->columnHeaderCells()) {
            QCOMPARE(header->role(), QAccessible::ColumnHeader);
            QCOMPARE(const_cast<QAccessibleInterface*>(header)->tableCellInterface(), nullptr);
        }
    }

    // A named table without a caption, whose children are its cells row by row.
    void tableAndItsChildren()
    {
        auto g = worksheet();
        g->setAccessibleName(QStringLiteral("Hoja de datos"));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(g.get());
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Table);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Hoja de datos"));
        QAccessibleTableInterface* table = iface->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->caption(), nullptr);
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface* child = iface->child(i);
            QVERIFY(child);
            QCOMPARE(iface->indexOfChild(child), i);
            QCOMPARE(child->parent(), iface);
            QCOMPARE(child->text(QAccessible::Name), g->TextMatrix(i / 5, i % 5));
        }
        // The corner shows the current cell's place; it heads neither a row nor a column.
        QCOMPARE(iface->child(0)->role(), QAccessible::StaticText);
        QCOMPARE(table->cellAt(1, 2), iface->child(2 * 5 + 3));
        // The same cell is the same interface however it is reached.
        QCOMPARE(table->cellAt(1, 2), table->cellAt(1, 2));
        QCOMPARE(iface->indexOfChild(iface), -1);
    }

    void selection_data()
    {
        // current: grid coordinates (column, row)
        addColumns<QPoint, QPoint, int, QList<int>, QList<int>>("current", "corner", "cellCount", "rows", "columns");
        QTest::newRow("one cell") << QPoint(3, 2) << QPoint(3, 2) << 1 << QList<int>() << QList<int>();
        QTest::newRow("block upwards") << QPoint(3, 3) << QPoint(2, 2) << 4 << QList<int>() << QList<int>();
        QTest::newRow("whole second equation") << QPoint(1, 2) << QPoint(4, 2) << 4 << QList<int>{1} << QList<int>();
        QTest::newRow("whole first column") << QPoint(1, 3) << QPoint(1, 1) << 3 << QList<int>() << QList<int>{0};
        QTest::newRow("everything") << QPoint(1, 1) << QPoint(4, 3) << 12 << QList<int>{0, 1, 2} << QList<int>{0, 1, 2, 3};
    }

    void selection()
    {
        QFETCH(QPoint, current);
        QFETCH(QPoint, corner);
        QFETCH(QList<int>, rows);
        QFETCH(QList<int>, columns);
        auto g = worksheet();
        g->setRow(current.y());
        g->setCol(current.x());
        g->setRowSel(corner.y());
        g->setColSel(corner.x());
        QAccessibleTableInterface* table = tableOf(*g);
        QTEST(table->selectedCellCount(), "cellCount");
        QCOMPARE(table->selectedCells().size(), table->selectedCellCount());
        QCOMPARE(table->selectedRows(), rows);
        QCOMPARE(table->selectedColumns(), columns);
        for (int r = 0; r < table->rowCount(); ++r) {
            QCOMPARE(table->isRowSelected(r), rows.contains(r));
            for (int c = 0; c < table->columnCount(); ++c) {
                const bool inside = r + 1 >= std::min(current.y(), corner.y()) && r + 1 <= std::max(current.y(), corner.y()) &&
                                    c + 1 >= std::min(current.x(), corner.x()) && c + 1 <= std::max(current.x(), corner.x());
                QAccessibleInterface* cell = table->cellAt(r, c);
                QCOMPARE(cell->tableCellInterface()->isSelected(), inside);
                QCOMPARE(bool(cell->state().selected), inside);
            }
        }
        // The current cell holds the focus.
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(g.get());
        QCOMPARE(iface->focusChild(), table->cellAt(current.y() - 1, current.x() - 1));
    }

    void cellsOutsideAShrunkGridAreInvalid()
    {
        auto g = worksheet();
        QAccessibleInterface* cell = tableOf(*g)->cellAt(2, 3);
        QVERIFY(cell->isValid());
        g->setRows(3);
        QVERIFY(!cell->isValid());
        QCOMPARE(tableOf(*g)->rowCount(), 2);
        g->setRows(4);
        QVERIFY(cell->isValid());
        QCOMPARE(cell->text(QAccessible::Name), QString());
        QCOMPARE(tableOf(*g)->cellAt(2, 3), cell);
    }
};

QTEST_MAIN(TestGridAccessible)
#include "tst_gridaccessible.moc"
