#include "ShapedGrid.h"

#include "grid/Twips.h"

#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {

// The largest worksheet in the window, beside a line edit.
struct Window
{
    Window()
    {
        grid = new GridControl(&widget);
        editor = new QLineEdit(&widget);
        widget.resize(620, 409);
        layOutLargestWorksheet(*grid);
        widget.show();
    }

    QWidget widget;
    GridControl* grid;
    QLineEdit* editor;
};

QModelIndex index(const GridControl& grid, int row, int col)
{
    return grid.model()->index(row, col);
}

} // namespace

class TestGridView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editorLiesOverTheCurrentCell_data();
    void editorLiesOverTheCurrentCell();
    void fixedCellsStayInView();
    void hitTestingMatchesVisualRects();
    void widthsAndHeights();
    void scrollBarsFollowTheSetting_data();
    void scrollBarsFollowTheSetting();
    void wheelScrollsTheBody();
    void painting();
    void bulkUpdateSignalsOnce();
};

void TestGridView::initTestCase()
{
    QCOMPARE(twipsToPixels(500), 33);
    QCOMPARE(twipsToPixels(7), 0);
    QCOMPARE(twipsToPixels(8), 1);
    QCOMPARE(twipsToPixels(-8), -1);
    QCOMPARE(pixelsToTwips(64), 960);
}

void TestGridView::editorLiesOverTheCurrentCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");

    QTest::newRow("first cell") << 1 << 1;
    QTest::newRow("end of the first row") << 1 << 101;
    QTest::newRow("last cell") << 100 << 101;
    QTest::newRow("middle") << 50 << 40;
    QTest::newRow("back to the first column") << 100 << 1;
}

// The editor is placed from the grid's position plus CellLeft and CellTop, as the window
// does it; it must cover the painted cell exactly, wherever the body has scrolled to.
void TestGridView::editorLiesOverTheCurrentCell()
{
    QFETCH(int, row);
    QFETCH(int, col);

    Window window;
    GridControl& grid = *window.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    grid.setCol(col);
    grid.setRow(row);
    grid.setCol(50);
    grid.setCol(col);

    const QRect cell = grid.visualRect(index(grid, row, col));
    QVERIFY2(grid.viewport()->rect().contains(cell), "the current cell is scrolled into view");
    const QRect inParent(grid.viewport()->mapTo(&window.widget, cell.topLeft()), cell.size());

    window.editor->setGeometry(grid.x() + twipsToPixels(grid.CellLeft()), grid.y() + twipsToPixels(grid.CellTop()),
                               twipsToPixels(grid.CellWidth()), twipsToPixels(grid.CellHeight()));
    QCOMPARE(window.editor->geometry(), inParent);
    QCOMPARE(grid.CellLeft() % kTwipsPerPixel, 0);
    QCOMPARE(grid.CellTop() % kTwipsPerPixel, 0);
}

void TestGridView::fixedCellsStayInView()
{
    Window window;
    GridControl& grid = *window.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    const QRect corner = grid.visualRect(index(grid, 0, 0));
    const QRect firstBody = grid.visualRect(index(grid, 1, 1));
    grid.setRow(100);
    grid.setCol(101);

    QCOMPARE(grid.visualRect(index(grid, 0, 0)), corner);
    const QRect header = grid.visualRect(index(grid, 0, 101));
    const QRect rowHeader = grid.visualRect(index(grid, 100, 0));
    const QRect current = grid.visualRect(index(grid, 100, 101));
    QCOMPARE(header.top(), corner.top());
    QCOMPARE(header.left(), current.left());
    QCOMPARE(rowHeader.left(), corner.left());
    QCOMPARE(rowHeader.top(), current.top());
    // The first body cell has gone up and left, behind the fixed cells.
    QVERIFY(grid.visualRect(index(grid, 1, 1)).bottom() < firstBody.top());
    QVERIFY(grid.visualRect(index(grid, 1, 1)).right() < firstBody.left());
}

void TestGridView::hitTestingMatchesVisualRects()
{
    Window window;
    GridControl& grid = *window.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    grid.setRow(60);
    grid.setCol(70);
    const QRect area = grid.viewport()->rect();
    // Body cells scrolled out lie behind the fixed ones: only the others are shown.
    const QRect corner = grid.visualRect(index(grid, 0, 0));
    int checked = 0;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            const QRect rect = grid.visualRect(index(grid, r, c));
            const bool hidden = (r > 0 && rect.top() <= corner.bottom()) || (c > 0 && rect.left() <= corner.right());
            if (hidden || !area.contains(rect))
                continue;
            ++checked;
            QCOMPARE(grid.indexAt(rect.topLeft()), index(grid, r, c));
            QCOMPARE(grid.indexAt(rect.bottomRight()), index(grid, r, c));
        }
    }
    QVERIFY(checked > 20);
    QVERIFY(!grid.indexAt(QPoint(-1, 5)).isValid());

    // Past the last row and column lies the empty area.
    grid.setRows(3);
    grid.setCols(3);
    const QRect last = grid.visualRect(index(grid, 2, 2));
    QVERIFY(!grid.indexAt(last.bottomRight() + QPoint(1, 0)).isValid());
    QVERIFY(!grid.indexAt(last.bottomRight() + QPoint(0, 1)).isValid());
}

void TestGridView::widthsAndHeights()
{
    GridControl grid;
    grid.setRows(3);
    grid.setCols(3);
    QCOMPARE(grid.ColWidth(2), GridControl::kDefaultColWidth);
    QCOMPARE(grid.CellWidth(), 960);
    QCOMPARE(grid.CellHeight(), grid.RowHeight());
    QCOMPARE(grid.RowHeight() % kTwipsPerPixel, 0);
    QVERIFY(grid.RowHeight() > pixelsToTwips(grid.fontMetrics().height()));

    grid.setColWidth(0, 1470);
    QCOMPARE(grid.ColWidth(0), 1470);
    QCOMPARE(grid.CellWidth(), 1470);
    grid.setColWidth(1, 380);
    QCOMPARE(grid.visualRect(index(grid, 0, 1)).left(), 98);
    grid.setColWidth(5, 100); // no such column
    QCOMPARE(grid.ColWidth(5), 0);

    // A column that is dropped and added again comes back with the default width.
    grid.setCols(1);
    grid.setCols(3);
    QCOMPARE(grid.ColWidth(0), 1470);
    QCOMPARE(grid.ColWidth(1), GridControl::kDefaultColWidth);

    GridControl empty;
    QVERIFY(!empty.hasCurrentCell());
    QCOMPARE(empty.CellLeft(), 0);
    QCOMPARE(empty.CellWidth(), 0);
    QCOMPARE(empty.Text(), QString());
    empty.setText(QStringLiteral("lost"));
    empty.setRow(0);
    QCOMPARE(empty.Row(), -1);
}

void TestGridView::scrollBarsFollowTheSetting_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");

    QTest::newRow("none") << 0 << false << false;
    QTest::newRow("horizontal") << 1 << true << false;
    QTest::newRow("vertical") << 2 << false << true;
    QTest::newRow("both") << 3 << true << true;
}

void TestGridView::scrollBarsFollowTheSetting()
{
    QFETCH(int, code);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);

    Window window;
    GridControl& grid = *window.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    grid.setScrollBars(code);
    QCOMPARE(grid.ScrollBars(), code);
    QTRY_COMPARE(grid.horizontalScrollBar()->isVisible(), horizontal);
    QTRY_COMPARE(grid.verticalScrollBar()->isVisible(), vertical);

    // Without scroll bars the keyboard still brings the current cell into view.
    grid.setRow(100);
    grid.setCol(101);
    QVERIFY(grid.viewport()->rect().contains(grid.visualRect(index(grid, 100, 101))));

    // A grid that fits needs no scroll bar at all.
    grid.setRows(3);
    grid.setCols(3);
    QTRY_VERIFY(!grid.horizontalScrollBar()->isVisible());
    QTRY_VERIFY(!grid.verticalScrollBar()->isVisible());
}

void TestGridView::wheelScrollsTheBody()
{
    Window window;
    GridControl& grid = *window.grid;
    QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
    const int before = grid.visualRect(index(grid, 1, 1)).top();
    const QPointF at = grid.viewport()->rect().center();
    QWheelEvent wheel(at, grid.viewport()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid.viewport(), &wheel);
    QVERIFY(grid.visualRect(index(grid, 1, 1)).top() < before);
    QCOMPARE(grid.Row(), 1);
}

// Samples the middle of cells on a grab: header colours, body colours, the highlighted
// current cell, and the workspace colour beyond the last column.
void TestGridView::painting()
{
    auto owner = shapedGrid(3, 3, 1, 1, {400, 150});
    GridControl& grid = *owner;
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    const auto colourAt = [&](const QImage& image, int r, int c) {
        const QRect rect = grid.visualRect(index(grid, r, c));
        // Top-left inside the cell, clear of the text and of the focus frame.
        return image.pixel(grid.viewport()->mapTo(&grid, rect.topLeft() + QPoint(2, 2)));
    };
    const QPalette palette = grid.palette();

    grid.clearFocus();
    QImage image = grid.grab().toImage();
    QCOMPARE(colourAt(image, 0, 1), palette.color(QPalette::Button).rgb());
    QCOMPARE(colourAt(image, 1, 0), palette.color(QPalette::Button).rgb());
    QCOMPARE(colourAt(image, 2, 2), palette.color(QPalette::Base).rgb());
    // Without the focus the current cell is not highlighted.
    QCOMPARE(colourAt(image, 1, 1), palette.color(QPalette::Base).rgb());
    const QRect last = grid.visualRect(index(grid, 1, 2));
    QCOMPARE(image.pixel(grid.viewport()->mapTo(&grid, last.topRight() + QPoint(5, 2))), palette.color(QPalette::Dark).rgb());

    grid.activateWindow();
    grid.setFocus();
    QTRY_VERIFY(grid.hasFocus());
    image = grid.grab().toImage();
    QCOMPARE(colourAt(image, 1, 1), palette.color(QPalette::Highlight).rgb());
    QCOMPARE(colourAt(image, 2, 2), palette.color(QPalette::Base).rgb());

    grid.setEnabled(false);
    image = grid.grab().toImage();
    QCOMPARE(colourAt(image, 2, 2), palette.color(QPalette::Disabled, QPalette::Base).rgb());
    QCOMPARE(colourAt(image, 1, 1), palette.color(QPalette::Disabled, QPalette::Base).rgb());
}

void TestGridView::bulkUpdateSignalsOnce()
{
    GridControl grid;
    grid.setRows(101);
    grid.setCols(102);
    QSignalSpy changed(grid.model(), &QAbstractItemModel::dataChanged);
    {
        GridControl::BulkUpdate bulk(grid);
        grid.beginUpdate();
        for (int r = 0; r < 100; ++r)
            for (int c = 0; c < 100; ++c)
                grid.setTextMatrix(r, c, QString::number(r * c));
        grid.endUpdate();
        QCOMPARE(changed.count(), 0);
    }
    QCOMPARE(changed.count(), 1);
    QCOMPARE(grid.TextMatrix(99, 99), QStringLiteral("9801"));
    QCOMPARE(grid.model()->index(7, 6).data().toString(), QStringLiteral("42"));

    grid.setTextMatrix(101, 0, QStringLiteral("outside"));
    grid.setTextMatrix(0, 102, QStringLiteral("outside"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!grid.isValidCell(101, 0));
    QCOMPARE(grid.TextMatrix(101, 0), QString());
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
