#include "grid/CellSelection.h"
#include "grid/GridGeometry.h"
#include "grid/GridScrolling.h"

#include <QTest>

// Runs without a window: geometry and selection are plain arithmetic over widths, counts
// and a view.
namespace {

using View = GridGeometry::View;
using Placement = GridGeometry::Placement;

// Ten rows and six columns under one fixed row and column. Column 0 is 20 pixels wide,
// the body columns 40 (wider where asked); rows are 20 pixels high.
GridGeometry grid(int col3Twips = 600)
{
    GridGeometry geometry;
    geometry.setShape({10, 6, 1, 1});
    geometry.setColWidth(0, 300);
    for (int c = 1; c < 6; ++c)
        geometry.setColWidth(c, 600);
    geometry.setColWidth(3, col3Twips);
    return geometry;
}

// 100 × 100 pixels: four body rows and 80 pixels of body width in view.
View view(int scrollRow = 0, int scrollCol = 0, int size = 100)
{
    return {size, size, 20, scrollRow, scrollCol};
}

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

Q_DECLARE_METATYPE(Placement)
Q_DECLARE_METATYPE(CellStep)

class TestGridGeometry : public QObject
{
    Q_OBJECT

private slots:
    void cellRect_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("scrollRow");
        QTest::addColumn<int>("scrollCol");
        QTest::addColumn<QRect>("rect");

        // clang-format off
        QTest::newRow("corner") << 0 << 0 << 3 << 2 << QRect(0, 0, 20, 20);
        QTest::newRow("first body cell") << 1 << 1 << 0 << 0 << QRect(20, 20, 40, 20);
        QTest::newRow("scrolled body cell") << 3 << 2 << 1 << 1 << QRect(20, 40, 40, 20);
        QTest::newRow("header follows the columns") << 0 << 3 << 0 << 1 << QRect(60, 0, 40, 20);
        QTest::newRow("header follows the rows") << 5 << 0 << 2 << 0 << QRect(0, 60, 20, 20);
        QTest::newRow("scrolled out above") << 1 << 1 << 2 << 0 << QRect(20, -20, 40, 20);
        // clang-format on
    }

    void cellRect()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, scrollRow);
        QFETCH(int, scrollCol);
        QTEST(grid().cellRect(row, col, view(scrollRow, scrollCol)), "rect");
    }

    void cellAtPoint_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("scrollRow");
        QTest::addColumn<int>("scrollCol");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");

        // clang-format off
        QTest::newRow("corner") << QPoint(5, 5) << 2 << 1 << 0 << 0;
        QTest::newRow("first body cell") << QPoint(25, 25) << 0 << 0 << 1 << 1;
        QTest::newRow("last pixel in view") << QPoint(99, 99) << 0 << 0 << 4 << 2;
        QTest::newRow("scrolled") << QPoint(25, 25) << 2 << 1 << 3 << 2;
        QTest::newRow("cell edge belongs right") << QPoint(60, 40) << 0 << 0 << 2 << 2;
        QTest::newRow("before the grid") << QPoint(-1, -1) << 0 << 0 << -1 << -1;
        QTest::newRow("past the last row and column") << QPoint(230, 500) << 0 << 0 << -1 << -1;
        // clang-format on
    }

    void cellAtPoint()
    {
        QFETCH(QPoint, point);
        QFETCH(int, scrollRow);
        QFETCH(int, scrollCol);
        const GridGeometry geometry = grid();
        QTEST(geometry.rowAt(point.y(), view(scrollRow, scrollCol)), "row");
        QTEST(geometry.colAt(point.x(), view(scrollRow, scrollCol)), "col");
    }

    void scrollRanges_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("col3Twips");
        QTest::addColumn<int>("rowMaximum");
        QTest::addColumn<int>("rowPage");
        QTest::addColumn<int>("colMaximum");
        QTest::addColumn<int>("colPage");

        // clang-format off
        QTest::newRow("part in view") << 100 << 600 << 5 << 4 << 3 << 2;
        QTest::newRow("all in view") << 300 << 600 << 0 << 14 << 0 << 5;
        QTest::newRow("smaller than one cell") << 30 << 600 << 8 << 1 << 4 << 1;
        QTest::newRow("a column wider than the view") << 100 << 1500 << 5 << 4 << 3 << 2;
        // clang-format on
    }

    void scrollRanges()
    {
        QFETCH(int, size);
        QFETCH(int, col3Twips);
        QFETCH(int, rowMaximum);
        QFETCH(int, rowPage);
        QFETCH(int, colMaximum);
        QFETCH(int, colPage);
        const GridGeometry geometry = grid(col3Twips);
        const View v = view(0, 0, size);
        QCOMPARE(geometry.verticalRange(v), (GridGeometry::ScrollRange{rowMaximum, rowPage}));
        QCOMPARE(geometry.horizontalRange(v), (GridGeometry::ScrollRange{colMaximum, colPage}));
    }

    void scrollTargets_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<Placement>("placement");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<int>("col3Twips");
        QTest::addColumn<int>("rowTarget");
        QTest::addColumn<int>("colTarget");

        // The same index serves as a row and as a column.
        // clang-format off
        QTest::newRow("in view stays") << 2 << Placement::EnsureVisible << 0 << 600 << 0 << 0;
        QTest::newRow("below or right comes to the end") << 4 << Placement::EnsureVisible << 0 << 600 << 0 << 2;
        QTest::newRow("the last column") << 5 << Placement::EnsureVisible << 0 << 600 << 1 << 3;
        QTest::newRow("above or left comes to the start") << 1 << Placement::EnsureVisible << 3 << 600 << 0 << 0;
        QTest::newRow("at start") << 3 << Placement::AtStart << 0 << 600 << 2 << 2;
        QTest::newRow("at end, never before the body") << 1 << Placement::AtEnd << 2 << 600 << 0 << 0;
        QTest::newRow("at centre") << 5 << Placement::AtCenter << 0 << 600 << 2 << 3;
        QTest::newRow("fixed keeps the scroll") << 0 << Placement::AtStart << 2 << 600 << 2 << 2;
        QTest::newRow("wider than the view: its left edge") << 3 << Placement::EnsureVisible << 0 << 1500 << 0 << 2;
        // clang-format on
    }

    void scrollTargets()
    {
        QFETCH(int, cell);
        QFETCH(Placement, placement);
        QFETCH(int, scroll);
        QFETCH(int, col3Twips);
        const GridGeometry geometry = grid(col3Twips);
        QTEST(geometry.scrollRowFor(cell, placement, view(scroll, scroll)), "rowTarget");
        QTEST(geometry.scrollColFor(cell, placement, view(scroll, scroll)), "colTarget");
    }

    void bodyCellNear_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("scroll");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");

        // clang-format off
        QTest::newRow("over the corner, nothing scrolled") << QPoint(5, 5) << 0 << 1 << 1;
        QTest::newRow("over the corner, scrolled: one back") << QPoint(5, 5) << 2 << 2 << 2;
        QTest::newRow("below the last row") << QPoint(50, 500) << 0 << 9 << 1;
        QTest::newRow("right of the last column") << QPoint(500, 50) << 0 << 2 << 5;
        // clang-format on
    }

    void bodyCellNear()
    {
        QFETCH(QPoint, point);
        QFETCH(int, scroll);
        QFETCH(int, row);
        QFETCH(int, col);
        QCOMPARE(grid().bodyCellNear(point, view(scroll, scroll)), (CellPosition{row, col}));
    }

    void cellsInView()
    {
        const GridGeometry geometry = grid();
        QCOMPARE(geometry.rowsInView(view(1, 1)), (std::vector<int>{0, 2, 3, 4, 5}));
        QCOMPARE(geometry.colsInView(view(1, 1)), (std::vector<int>{0, 2, 3}));
        QCOMPARE(geometry.colsInView(view(0, 0, 300)), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    }

    void widthsFollowTheShape()
    {
        GridGeometry geometry = grid();
        geometry.setColWidth(2, 1200);
        geometry.setShape({10, 2, 1, 1});
        QCOMPARE(geometry.colWidth(2), 0);
        geometry.setShape({10, 4, 1, 1});
        QCOMPARE(geometry.colWidth(1), 600);
        QCOMPARE(geometry.colWidth(2), GridGeometry::kDefaultColWidth);
        QCOMPARE(geometry.cellRect(1, 3, view()), QRect(20 + 40 + 64, 20, 64, 20));
        geometry.setColWidth(1, -5);
        QCOMPARE(geometry.colWidth(1), GridGeometry::kDefaultColWidth);
        geometry.setShape({0, 0, 1, 1});
        QCOMPARE(geometry.bodyCellNear({5, 5}, view()), CellPosition{});
    }

    // dx and dy are the columns and rows moved back, as the scroll bars report them; `scrollRow`
    // and `scrollCol` the view after the move.
    void scrollPlan_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("repaintAll");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<QList<QRect>>("repaint");

        using Rects = QList<QRect>;
        // clang-format off
        QTest::newRow("row down, rows fit") << 0 << -1 << 100 << false << QRect(0, 20, 100, 80) << QPoint(0, -20) << Rects();
        QTest::newRow("row down, last row cut") << 0 << -1 << 110 << false << QRect(0, 20, 110, 90) << QPoint(0, -20) << Rects{QRect(0, 80, 110, 20), QRect(0, 100, 110, 10)};
        QTest::newRow("rows past the body") << 0 << -4 << 100 << true << QRect() << QPoint() << Rects();
        QTest::newRow("column right, columns fit") << -1 << 0 << 100 << false << QRect(20, 0, 80, 100) << QPoint(-40, 0) << Rects();
        QTest::newRow("column right, last column cut") << -1 << 0 << 90 << false << QRect(20, 0, 70, 90) << QPoint(-40, 0) << Rects{QRect(20, 0, 40, 90), QRect(60, 0, 30, 90)};
        QTest::newRow("columns past the body") << -2 << 0 << 100 << true << QRect() << QPoint() << Rects();
        QTest::newRow("both ways") << -1 << -1 << 100 << true << QRect() << QPoint() << Rects();
        // clang-format on
    }

    void scrollPlan()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, size);
        QFETCH(bool, repaintAll);

        const ScrollPlan plan = GridScrolling::plan(grid(), view(-dy, -dx, size), dx, dy);
        QCOMPARE(plan.repaintAll, repaintAll);
        if (repaintAll)
            return;
        QTEST(plan.area, "area");
        QTEST(plan.shift, "shift");
        QTEST(QList<QRect>(plan.repaint.begin(), plan.repaint.end()), "repaint");
    }

    void steps_data()
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

    void steps()
    {
        QFETCH(QPoint, from);
        QFETCH(CellStep, step);
        QFETCH(bool, control);
        QTEST(shown(stepFrom(kShape, {from.x(), from.y()}, step, control, 2)), "to");
    }

    void reshaped_data()
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

    void reshaped()
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
};

QTEST_GUILESS_MAIN(TestGridGeometry)
#include "tst_gridgeometry.moc"
