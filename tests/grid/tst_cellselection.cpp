#include "grid/CellSelection.h"

#include <QTest>

namespace {

// Body rows 1 to 5 and columns 1 to 4 under one fixed row and column.
constexpr GridShape kShape{6, 5, 1, 1};

QString shown(CellPosition cell)
{
    return QStringLiteral("%1,%2").arg(cell.row).arg(cell.col);
}

// "row,col-rowSel,colSel"
QString shown(const CellSelection& selection)
{
    return shown(selection.current()) + QLatin1Char('-') + shown(selection.corner());
}

} // namespace

Q_DECLARE_METATYPE(CellStep)

class TestCellSelection : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void reshaped_data();
    void reshaped();
};

void TestCellSelection::steps_data()
{
    QTest::addColumn<QPoint>("from"); // x row, y column
    QTest::addColumn<CellStep>("step");
    QTest::addColumn<bool>("control");
    QTest::addColumn<QString>("to");

    // clang-format off
    QTest::newRow("up") << QPoint(3, 2) << CellStep::Up << false << "2,2";
    QTest::newRow("up stops at the first body row") << QPoint(1, 2) << CellStep::Up << false << "1,2";
    QTest::newRow("down stops at the last row") << QPoint(5, 2) << CellStep::Down << false << "5,2";
    QTest::newRow("left stops at the first body column") << QPoint(2, 1) << CellStep::Left << false << "2,1";
    QTest::newRow("right stops at the last column") << QPoint(2, 4) << CellStep::Right << false << "2,4";
    QTest::newRow("home") << QPoint(3, 3) << CellStep::Home << false << "3,1";
    QTest::newRow("ctrl+home") << QPoint(3, 3) << CellStep::Home << true << "1,1";
    QTest::newRow("end") << QPoint(3, 2) << CellStep::End << false << "3,4";
    QTest::newRow("ctrl+end") << QPoint(3, 2) << CellStep::End << true << "5,4";
    QTest::newRow("page up stops at the first body row") << QPoint(2, 2) << CellStep::PageUp << false << "1,2";
    QTest::newRow("page down") << QPoint(1, 2) << CellStep::PageDown << false << "3,2";
    QTest::newRow("page down stops at the last row") << QPoint(4, 2) << CellStep::PageDown << false << "5,2";
    QTest::newRow("next wraps to the next row") << QPoint(2, 4) << CellStep::Next << false << "3,1";
    QTest::newRow("next stops at the last cell") << QPoint(5, 4) << CellStep::Next << false << "5,4";
    QTest::newRow("previous wraps to the row before") << QPoint(3, 1) << CellStep::Previous << false << "2,4";
    QTest::newRow("previous stops at the first cell") << QPoint(1, 1) << CellStep::Previous << false << "1,1";
    // clang-format on
}

void TestCellSelection::steps()
{
    QFETCH(QPoint, from);
    QFETCH(CellStep, step);
    QFETCH(bool, control);
    QTEST(shown(stepFrom(kShape, {from.x(), from.y()}, step, control, 2)), "to");
}

void TestCellSelection::reshaped_data()
{
    QTest::addColumn<QRect>("cells"); // current cell at the top left, corner at the bottom right
    QTest::addColumn<bool>("hasCell");
    QTest::addColumn<QRect>("shape"); // rows, columns, fixed rows, fixed columns
    QTest::addColumn<QString>("result");

    const QRect none;
    // clang-format off
    QTest::newRow("first body cell when there was none") << none << false << QRect(3, 3, 1, 1) << "1,1-1,1";
    QTest::newRow("no body, no cell") << none << false << QRect(1, 3, 1, 1) << "-1,-1--1,-1";
    QTest::newRow("inside: unchanged") << QRect(2, 2, 3, 3) << true << QRect(10, 10, 1, 1) << "2,2-4,4";
    QTest::newRow("corner pulled back, current cell kept") << QRect(2, 2, 3, 3) << true << QRect(4, 10, 1, 1) << "2,2-3,4";
    QTest::newRow("current cell moved: collapsed") << QRect(5, 5, -2, -2) << true << QRect(4, 4, 1, 1) << "3,3-3,3";
    QTest::newRow("more fixed rows push it down") << QRect(2, 2, 1, 1) << true << QRect(5, 5, 3, 1) << "3,2-3,2";
    QTest::newRow("no body left") << QRect(2, 2, 1, 1) << true << QRect(1, 5, 1, 1) << "-1,-1--1,-1";
    // clang-format on
}

void TestCellSelection::reshaped()
{
    QFETCH(QRect, cells);
    QFETCH(bool, hasCell);
    QFETCH(QRect, shape);
    CellSelection selection;
    if (hasCell) {
        selection = CellSelection(cells.top(), cells.left());
        selection.setCorner({cells.top() + cells.height() - 1, cells.left() + cells.width() - 1});
    }
    const GridShape next{shape.x(), shape.y(), shape.width(), shape.height()};
    QTEST(shown(selection.reshaped(next)), "result");
}

QTEST_GUILESS_MAIN(TestCellSelection)
#include "tst_cellselection.moc"
