#include "DataColumns.h"
#include "grid/CellSelection.h"
#include "grid/GridGeometry.h"
#include "grid/GridModel.h"
#include "grid/GridScrolling.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

// The grid's parts that need no window: its model of cell texts, and its geometry and
// selection, plain arithmetic over widths, counts and a view.
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

// "row,col"
QString label(int row, int col)
{
    return QStringLiteral("%1,%2").arg(row).arg(col);
}

// "row,col-rowSel,colSel"
QString shown(const CellSelection& selection)
{
    return label(selection.current().row, selection.current().col) + QLatin1Char('-') +
           label(selection.corner().row, selection.corner().col);
}

void fill(GridModel& model)
{
    for (int r = 0; r < model.rows(); ++r)
        for (int c = 0; c < model.cols(); ++c)
            model.setText(r, c, label(r, c));
}

} // namespace

Q_DECLARE_METATYPE(Placement)
Q_DECLARE_METATYPE(CellStep)

class TestGridParts : public QObject
{
    Q_OBJECT

private slots:
    void cellRect_data()
    {
        addColumns<int, int, int, int, QRect>("row", "col", "scrollRow", "scrollCol", "rect");
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
        addColumns<QPoint, int, int, int, int>("point", "scrollRow", "scrollCol", "row", "col");
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
        addColumns<int, int, int, int, int, int>("size", "col3Twips", "rowMaximum", "rowPage", "colMaximum", "colPage");
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
        addColumns<int, Placement, int, int, int, int>("cell", "placement", "scroll", "col3Twips", "rowTarget", "colTarget");
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
        addColumns<QPoint, int, int, int>("point", "scroll", "row", "col");
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
        addColumns<int, int, int, bool, QRect, QPoint, QList<QRect>>("dx", "dy", "size", "repaintAll", "area", "shift", "repaint");
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
        // from: x row, y column
        addColumns<QPoint, CellStep, bool, QString>("from", "step", "control", "to");
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
        const CellPosition to = stepFrom(kShape, {from.x(), from.y()}, step, control, 2);
        QTEST(label(to.row, to.col), "to");
    }

    void reshaped_data()
    {
        // cells: current cell at the top left, corner at the bottom right; shape: rows,
        // columns, fixed rows, fixed columns
        addColumns<QRect, bool, QRect, QString>("cells", "hasCell", "shape", "result");
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

    void resizeKeepsCellsInside_data()
    {
        addColumns<int, int, int, int>("rows", "cols", "newRows", "newCols");
        QTest::newRow("grow both") << 3 << 4 << 5 << 6;
        QTest::newRow("shrink both") << 5 << 6 << 4 << 5;
        QTest::newRow("more rows, fewer cols") << 3 << 6 << 6 << 2;
        QTest::newRow("fewer rows, more cols") << 6 << 3 << 2 << 7;
        QTest::newRow("to nothing") << 4 << 4 << 0 << 0;
        QTest::newRow("rows only to zero") << 4 << 4 << 0 << 4;
        QTest::newRow("cols only to zero") << 4 << 4 << 4 << 0;
        QTest::newRow("worksheet 100") << 3 << 4 << 101 << 102;
    }

    // Cells inside the new size keep their text, cells outside are gone for good, new cells
    // are empty: growing again after a shrink must not bring old texts back.
    void resizeKeepsCellsInside()
    {
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, newRows);
        QFETCH(int, newCols);

        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRows(rows);
        model.setCols(cols);
        fill(model);

        model.setRows(newRows);
        model.setCols(newCols);
        QCOMPARE(model.rowCount(), newRows);
        QCOMPARE(model.columnCount(), newCols);

        model.setRows(std::max(rows, newRows));
        model.setCols(std::max(cols, newCols));
        for (int r = 0; r < model.rows(); ++r) {
            for (int c = 0; c < model.cols(); ++c) {
                const bool kept = r < std::min(rows, newRows) && c < std::min(cols, newCols);
                const QString expected = kept ? label(r, c) : QString();
                QCOMPARE(model.text(r, c), expected);
                QCOMPARE(model.index(r, c).data().toString(), expected);
            }
        }
    }

    void outOfRangeAccessIsHarmless()
    {
        GridModel model;
        model.setRows(2);
        model.setCols(2);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setText(2, 0, QStringLiteral("x"));
        model.setText(0, -1, QStringLiteral("x"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(model.text(-1, 0), QString());
        QCOMPARE(model.text(0, 2), QString());
        QVERIFY(!model.contains(2, 1));
        QVERIFY(model.contains(1, 1));
    }

    void modelTesterThroughChanges()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRows(2);
        model.setCols(3);
        fill(model);
        model.setFixedCounts(1, 1);
        model.setColAlignment(0, 4);
        model.beginBulk();
        model.setRows(6);
        fill(model);
        model.setCols(1);
        model.endBulk();
        model.setCols(0);
        model.setRows(1);
        model.setCols(5);
        fill(model);
        QCOMPARE(model.text(0, 4), label(0, 4));
    }

    void bulkWritesSignalOnce()
    {
        GridModel model;
        model.setRows(101);
        model.setCols(102);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

        model.beginBulk();
        for (int r = 1; r < 101; ++r)
            for (int c = 2; c < 101; ++c)
                model.setText(r, c, label(r, c));
        QCOMPARE(changed.count(), 0);
        model.endBulk();

        QCOMPARE(changed.count(), 1);
        const auto topLeft = changed.front().at(0).value<QModelIndex>();
        const auto bottomRight = changed.front().at(1).value<QModelIndex>();
        QCOMPARE(topLeft, model.index(1, 2));
        QCOMPARE(bottomRight, model.index(100, 100));

        // Outside a bulk every write signals, and a bulk without writes signals nothing.
        model.setText(0, 0, QStringLiteral("a"));
        model.beginBulk();
        model.endBulk();
        QCOMPARE(changed.count(), 2);

        // Nested bulks signal once, at the outer end; an unbalanced end is ignored.
        model.beginBulk();
        model.beginBulk();
        model.setText(0, 0, QStringLiteral("a"));
        model.endBulk();
        QCOMPARE(changed.count(), 2);
        model.setText(2, 1, QStringLiteral("b"));
        model.endBulk();
        QCOMPARE(changed.count(), 3);
        QCOMPARE(changed.last().at(1).value<QModelIndex>(), model.index(2, 1));
        model.endBulk();
        QCOMPARE(changed.count(), 3);
    }

    void bulkAfterShrinkStaysInside()
    {
        GridModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setRows(5);
        model.setCols(5);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.beginBulk();
        model.setText(1, 1, QStringLiteral("a"));
        model.setText(4, 4, QStringLiteral("b"));
        model.setRows(3);
        model.setCols(2);
        model.endBulk();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.front().at(1).value<QModelIndex>(), model.index(2, 1));

        model.beginBulk();
        model.setText(4, 4, QStringLiteral("c")); // outside: ignored
        model.setText(0, 0, QStringLiteral("d"));
        model.setRows(0);
        model.endBulk();
        QCOMPARE(changed.count(), 1);
    }

    void alignmentRole_data()
    {
        addColumns<int, int, QString, int>("code", "row", "text", "expected");
        QTest::newRow("general text") << 9 << 1 << "abc" << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("general number") << 9 << 1 << "-12.5" << int(Qt::AlignRight | Qt::AlignVCenter);
        QTest::newRow("general exponent") << 9 << 1 << "1.5E-06" << int(Qt::AlignRight | Qt::AlignVCenter);
        QTest::newRow("general blank") << 9 << 1 << "  " << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("general fixed") << 9 << 0 << "123" << int(Qt::AlignCenter);
        QTest::newRow("left centre fixed") << 1 << 0 << "X1" << int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("centre") << 4 << 1 << "7" << int(Qt::AlignCenter);
        QTest::newRow("left top") << 0 << 1 << "7" << int(Qt::AlignLeft | Qt::AlignTop);
        QTest::newRow("centre bottom") << 5 << 1 << "7" << int(Qt::AlignHCenter | Qt::AlignBottom);
        QTest::newRow("right top") << 6 << 1 << "a" << int(Qt::AlignRight | Qt::AlignTop);
        QTest::newRow("right bottom") << 8 << 1 << "a" << int(Qt::AlignRight | Qt::AlignBottom);
    }

    void alignmentRole()
    {
        QFETCH(int, code);
        QFETCH(int, row);
        QFETCH(QString, text);

        GridModel model;
        model.setRows(2);
        model.setCols(2);
        model.setFixedCounts(1, 0);
        QCOMPARE(model.colAlignment(1), 9);
        model.setColAlignment(1, code);
        model.setText(row, 1, text);
        QTEST(model.index(row, 1).data(Qt::TextAlignmentRole).toInt(), "expected");
    }
};

QTEST_GUILESS_MAIN(TestGridParts)
#include "tst_gridparts.moc"
