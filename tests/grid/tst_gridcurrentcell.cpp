#include "ShapedGrid.h"

#include <QItemSelectionModel>
#include <QTest>

namespace {

// Records LeaveCell and RowColChange with the current cell as the grid reports it at
// the moment each is raised.
struct Recorder
{
    explicit Recorder(GridControl& grid)
    {
        QObject::connect(&grid, &GridControl::LeaveCell, &grid,
                         [this, &grid] { log << QStringLiteral("leave %1,%2").arg(grid.Row()).arg(grid.Col()); });
        QObject::connect(&grid, &GridControl::RowColChange, &grid,
                         [this, &grid] { log << QStringLiteral("change %1,%2").arg(grid.Row()).arg(grid.Col()); });
    }
    QStringList log;
};

QStringList move(const QString& from, const QString& to)
{
    return {QStringLiteral("leave ") + from, QStringLiteral("change ") + to};
}

} // namespace

class TestGridCurrentCell : public QObject
{
    Q_OBJECT

private slots:
    void settersRaiseLeaveThenChange_data();
    void settersRaiseLeaveThenChange();
    void keyNavigation_data();
    void keyNavigation();
    void mouseClickMovesToBodyCellsOnly();
    void resizeClampsIntoTheBody_data();
    void resizeClampsIntoTheBody();
    void selectionModelFollowsAndDrives();
    void textActsOnCurrentCell();
};

void TestGridCurrentCell::settersRaiseLeaveThenChange_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("same cell") << 1 << 1 << QStringList();
    QTest::newRow("column only") << 1 << 3 << move("1,1", "1,3");
    QTest::newRow("row only") << 4 << 1 << move("1,1", "4,1");
    QTest::newRow("both") << 2 << 5 << (move("1,1", "1,5") + move("1,5", "2,5"));
    QTest::newRow("fixed row ignored") << 0 << 1 << QStringList();
    QTest::newRow("fixed column ignored") << 1 << 0 << QStringList();
    QTest::newRow("past the end ignored") << 5 << 6 << QStringList();
    QTest::newRow("negative ignored") << -1 << -1 << QStringList();
}

void TestGridCurrentCell::settersRaiseLeaveThenChange()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QStringList, expected);

    auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
    QCOMPARE(grid->Row(), 1);
    QCOMPARE(grid->Col(), 1);
    Recorder recorder(*grid);
    grid->setCol(col);
    grid->setRow(row);
    QCOMPARE(recorder.log, expected);
    QVERIFY(grid->Row() >= grid->FixedRows() && grid->Col() >= grid->FixedCols());
}

void TestGridCurrentCell::keyNavigation_data()
{
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("startCol");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");

    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("right") << 2 << 2 << int(Qt::Key_Right) << none << 2 << 3;
    QTest::newRow("left") << 2 << 2 << int(Qt::Key_Left) << none << 2 << 1;
    QTest::newRow("up") << 2 << 2 << int(Qt::Key_Up) << none << 1 << 2;
    QTest::newRow("down") << 2 << 2 << int(Qt::Key_Down) << none << 3 << 2;
    QTest::newRow("left stops at the header") << 2 << 1 << int(Qt::Key_Left) << none << 2 << 1;
    QTest::newRow("up stops at the header") << 1 << 3 << int(Qt::Key_Up) << none << 1 << 3;
    QTest::newRow("right stops at the end") << 2 << 5 << int(Qt::Key_Right) << none << 2 << 5;
    QTest::newRow("down stops at the end") << 4 << 2 << int(Qt::Key_Down) << none << 4 << 2;
    QTest::newRow("home") << 3 << 4 << int(Qt::Key_Home) << none << 3 << 1;
    QTest::newRow("end") << 3 << 2 << int(Qt::Key_End) << none << 3 << 5;
    QTest::newRow("ctrl home") << 3 << 4 << int(Qt::Key_Home) << ctrl << 1 << 1;
    QTest::newRow("ctrl end") << 2 << 2 << int(Qt::Key_End) << ctrl << 4 << 5;
    QTest::newRow("page down") << 1 << 2 << int(Qt::Key_PageDown) << none << 4 << 2;
    QTest::newRow("page up") << 4 << 2 << int(Qt::Key_PageUp) << none << 1 << 2;
}

void TestGridCurrentCell::keyNavigation()
{
    QFETCH(int, startRow);
    QFETCH(int, startCol);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, row);
    QFETCH(int, col);

    auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
    grid->setRow(startRow);
    grid->setCol(startCol);
    Recorder recorder(*grid);
    QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(grid->Row(), row);
    QCOMPARE(grid->Col(), col);
    const QString from = QStringLiteral("%1,%2").arg(startRow).arg(startCol);
    const QString to = QStringLiteral("%1,%2").arg(row).arg(col);
    QCOMPARE(recorder.log, from == to ? QStringList() : move(from, to));
}

void TestGridCurrentCell::mouseClickMovesToBodyCellsOnly()
{
    auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    Recorder recorder(*grid);
    QWidget* viewport = grid->viewport();
    const auto centre = [&](int r, int c) { return grid->visualRect(grid->model()->index(r, c)).center(); };

    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(3, 2));
    QCOMPARE(recorder.log, move("1,1", "3,2"));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(3, 2));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(0, 4));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(2, 0));
    QTest::mouseClick(viewport, Qt::RightButton, {}, centre(1, 1));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().bottomRight());
    QCOMPARE(recorder.log, move("1,1", "3,2"));
}

void TestGridCurrentCell::resizeClampsIntoTheBody_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("fewer rows") << "rows" << 3 << move("4,2", "2,2");
    QTest::newRow("fewer cols") << "cols" << 2 << move("4,2", "4,1");
    QTest::newRow("more rows") << "rows" << 9 << QStringList();
    QTest::newRow("fewer rows, current kept") << "rows" << 5 << QStringList();
    QTest::newRow("more fixed cols") << "fixedCols" << 3 << move("4,2", "4,3");
    QTest::newRow("more fixed rows") << "fixedRows" << 4 << QStringList();
    QTest::newRow("fixed cols past the body") << "fixedCols" << 6 << move("4,2", "-1,-1");
    QTest::newRow("no columns") << "cols" << 0 << move("4,2", "-1,-1");
    QTest::newRow("only the header row") << "rows" << 1 << move("4,2", "-1,-1");
}

void TestGridCurrentCell::resizeClampsIntoTheBody()
{
    QFETCH(QString, change);
    QFETCH(int, value);
    QFETCH(QStringList, expected);

    auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
    grid->setRow(4);
    grid->setCol(2);
    Recorder recorder(*grid);
    if (change == "rows")
        grid->setRows(value);
    else if (change == "cols")
        grid->setCols(value);
    else if (change == "fixedRows")
        grid->setFixedRows(value);
    else
        grid->setFixedCols(value);

    QCOMPARE(recorder.log, expected);
    QCOMPARE(grid->hasCurrentCell(), grid->Row() >= 0);
    if (grid->hasCurrentCell()) {
        QVERIFY(grid->Row() >= grid->FixedRows() && grid->Row() < grid->Rows());
        QVERIFY(grid->Col() >= grid->FixedCols() && grid->Col() < grid->Cols());
    }
}

// The worksheet's life: 2 rows and no columns, then laid out, then emptied and laid out
// again: the current cell appears at the first body cell and follows the layout.
void TestGridCurrentCell::selectionModelFollowsAndDrives()
{
    GridControl grid;
    grid.setRows(2);
    grid.setFixedRows(1);
    QVERIFY(!grid.hasCurrentCell());
    QVERIFY(!grid.selectionModel()->currentIndex().isValid());

    Recorder recorder(grid);
    grid.setCols(4);
    grid.setFixedCols(1);
    QCOMPARE(recorder.log, move("-1,-1", "1,0") + move("1,0", "1,1"));
    QCOMPARE(grid.selectionModel()->currentIndex(), grid.model()->index(1, 1));

    recorder.log.clear();
    grid.selectionModel()->setCurrentIndex(grid.model()->index(1, 3), QItemSelectionModel::NoUpdate);
    QCOMPARE(recorder.log, move("1,1", "1,3"));
    grid.selectionModel()->setCurrentIndex(grid.model()->index(0, 2), QItemSelectionModel::NoUpdate);
    QCOMPARE(grid.selectionModel()->currentIndex(), grid.model()->index(1, 3));
    QCOMPARE(recorder.log, move("1,1", "1,3"));

    grid.setCols(0);
    QVERIFY(!grid.hasCurrentCell());
    QVERIFY(!grid.selectionModel()->currentIndex().isValid());
}

void TestGridCurrentCell::textActsOnCurrentCell()
{
    auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
    grid->setRow(2);
    grid->setCol(3);
    grid->setText(QStringLiteral("7"));
    QCOMPARE(grid->TextMatrix(2, 3), QStringLiteral("7"));
    grid->setTextMatrix(4, 4, QStringLiteral("8"));
    QCOMPARE(grid->Row(), 2);
    QCOMPARE(grid->Col(), 3);
    QCOMPARE(grid->Text(), QStringLiteral("7"));

    // A commit from LeaveCell lands in the cell being left.
    QObject::connect(grid.get(), &GridControl::LeaveCell, grid.get(), [&] { grid->setText(QStringLiteral("left")); });
    grid->setRow(3);
    QCOMPARE(grid->TextMatrix(2, 3), QStringLiteral("left"));
    QCOMPARE(grid->TextMatrix(3, 3), QString());
}

QTEST_MAIN(TestGridCurrentCell)
#include "tst_gridcurrentcell.moc"
