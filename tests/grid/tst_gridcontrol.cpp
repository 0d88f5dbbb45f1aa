#include "DataColumns.h"
#include "ShapedGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <functional>

namespace {

// The largest worksheet in the window, beside a line edit.
struct LargestWorksheet
{
    LargestWorksheet()
    {
        widget.resize(620, 409);
        layOutLargestWorksheet(*grid);
        widget.show();
    }

    QWidget widget;
    GridControl* grid = new GridControl(&widget);
    QLineEdit* editor = new QLineEdit(&widget);
};

// The window's dialog font, which every grid of the program shows.
QFont dialogFont()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    return f;
}

// A worksheet as the window shows it, pasting allowed.
std::unique_ptr<GridControl> windowWorksheet(int n)
{
    auto grid = worksheetGrid(n);
    grid->setFont(dialogFont());
    grid->setColWidth(0, 500);
    grid->setPasteEnabled(true);
    return grid;
}

QModelIndex index(const GridControl& grid, int row, int col)
{
    return grid.model()->index(row, col);
}

using Gesture = std::function<void(GridControl&)>;

} // namespace

Q_DECLARE_METATYPE(Gesture)

// The grid control as a widget: its current cell and selection moved by code, keys and the
// mouse, the events it raises, its view and scrolling, its painting and its tooltips.
class TestGridControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(twipsToPixels(500), 33);
        QCOMPARE(twipsToPixels(7), 0);
        QCOMPARE(twipsToPixels(8), 1);
        QCOMPARE(twipsToPixels(-8), -1);
        QCOMPARE(pixelsToTwips(64), 960);
    }

    // Moves by the setters, which ignore cells outside the body, and changes of shape, which
    // pull the current cell back into the body: LeaveCell, then RowColChange.
    void changesByCode_data()
    {
        addColumns<int, int, Gesture, QStringList>("startRow", "startCol", "change", "expected");
        const auto cell = [](int row, int col) {
            return Gesture([=](GridControl& g) {
                g.setCol(col);
                g.setRow(row);
            });
        };
        const auto shape = [](void (GridControl::*set)(int), int value) { return Gesture([=](GridControl& g) { (g.*set)(value); }); };
        const auto move = &MoveLog::move;
        // clang-format off
        QTest::newRow("same cell") << 1 << 1 << cell(1, 1) << QStringList();
        QTest::newRow("column only") << 1 << 1 << cell(1, 3) << move("1,1", "1,3");
        QTest::newRow("row only") << 1 << 1 << cell(4, 1) << move("1,1", "4,1");
        QTest::newRow("both") << 1 << 1 << cell(2, 5) << (move("1,1", "1,5") + move("1,5", "2,5"));
        QTest::newRow("fixed row ignored") << 1 << 1 << cell(0, 1) << QStringList();
        QTest::newRow("fixed column ignored") << 1 << 1 << cell(1, 0) << QStringList();
        QTest::newRow("past the end ignored") << 1 << 1 << cell(5, 6) << QStringList();
        QTest::newRow("negative ignored") << 1 << 1 << cell(-1, -1) << QStringList();
        QTest::newRow("fewer rows") << 4 << 2 << shape(&GridControl::setRows, 3) << move("4,2", "2,2");
        QTest::newRow("fewer cols") << 4 << 2 << shape(&GridControl::setCols, 2) << move("4,2", "4,1");
        QTest::newRow("more rows") << 4 << 2 << shape(&GridControl::setRows, 9) << QStringList();
        QTest::newRow("fewer rows, current kept") << 4 << 2 << shape(&GridControl::setRows, 5) << QStringList();
        QTest::newRow("more fixed cols") << 4 << 2 << shape(&GridControl::setFixedCols, 3) << move("4,2", "4,3");
        QTest::newRow("more fixed rows") << 4 << 2 << shape(&GridControl::setFixedRows, 4) << QStringList();
        QTest::newRow("fixed cols past the body") << 4 << 2 << shape(&GridControl::setFixedCols, 6) << move("4,2", "-1,-1");
        QTest::newRow("no columns") << 4 << 2 << shape(&GridControl::setCols, 0) << move("4,2", "-1,-1");
        QTest::newRow("only the header row") << 4 << 2 << shape(&GridControl::setRows, 1) << move("4,2", "-1,-1");
        // clang-format on
    }

    void changesByCode()
    {
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        QFETCH(Gesture, change);
        auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
        QCOMPARE(selectionText(*grid), QStringLiteral("1,1-1,1"));
        grid->setRow(startRow);
        grid->setCol(startCol);
        MoveLog moves(*grid);
        change(*grid);
        QTEST(moves.log, "expected");
        QCOMPARE(grid->hasCurrentCell(), grid->Row() >= 0);
        if (grid->hasCurrentCell()) {
            QVERIFY(grid->Row() >= grid->FixedRows() && grid->Row() < grid->Rows());
            QVERIFY(grid->Col() >= grid->FixedCols() && grid->Col() < grid->Cols());
        }
    }

    // A plain key moves the current cell, raising LeaveCell and RowColChange; with Shift it
    // moves the selection's corner alone, inside the body, and raises nothing. No such key
    // raises KeyPress.
    void keyNavigation_data()
    {
        addColumns<int, int, int, int, int, QString, QString>("startRow", "startCol", "key", "modifiers", "presses", "selection",
                                                              "rectangle");

        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        // clang-format off
        QTest::newRow("right") << 2 << 2 << int(Qt::Key_Right) << none << 1 << "2,3-2,3" << "2,3-2,3";
        QTest::newRow("left") << 2 << 2 << int(Qt::Key_Left) << none << 1 << "2,1-2,1" << "2,1-2,1";
        QTest::newRow("up") << 2 << 2 << int(Qt::Key_Up) << none << 1 << "1,2-1,2" << "1,2-1,2";
        QTest::newRow("down") << 2 << 2 << int(Qt::Key_Down) << none << 1 << "3,2-3,2" << "3,2-3,2";
        QTest::newRow("left stops at the header") << 2 << 1 << int(Qt::Key_Left) << none << 1 << "2,1-2,1" << "2,1-2,1";
        QTest::newRow("up stops at the header") << 1 << 3 << int(Qt::Key_Up) << none << 1 << "1,3-1,3" << "1,3-1,3";
        QTest::newRow("right stops at the end") << 2 << 5 << int(Qt::Key_Right) << none << 1 << "2,5-2,5" << "2,5-2,5";
        QTest::newRow("down stops at the end") << 4 << 2 << int(Qt::Key_Down) << none << 1 << "4,2-4,2" << "4,2-4,2";
        QTest::newRow("home") << 3 << 4 << int(Qt::Key_Home) << none << 1 << "3,1-3,1" << "3,1-3,1";
        QTest::newRow("end") << 3 << 2 << int(Qt::Key_End) << none << 1 << "3,5-3,5" << "3,5-3,5";
        QTest::newRow("ctrl home") << 3 << 4 << int(Qt::Key_Home) << ctrl << 1 << "1,1-1,1" << "1,1-1,1";
        QTest::newRow("ctrl end") << 2 << 2 << int(Qt::Key_End) << ctrl << 1 << "4,5-4,5" << "4,5-4,5";
        QTest::newRow("page down") << 1 << 2 << int(Qt::Key_PageDown) << none << 1 << "4,2-4,2" << "4,2-4,2";
        QTest::newRow("page up") << 4 << 2 << int(Qt::Key_PageUp) << none << 1 << "1,2-1,2" << "1,2-1,2";
        QTest::newRow("shift right") << 2 << 2 << int(Qt::Key_Right) << shift << 1 << "2,2-2,3" << "2,2-2,3";
        QTest::newRow("shift down past the end") << 2 << 2 << int(Qt::Key_Down) << shift << 3 << "2,2-4,2" << "2,2-4,2";
        QTest::newRow("shift up past the header") << 2 << 2 << int(Qt::Key_Up) << shift << 3 << "2,2-1,2" << "1,2-2,2";
        QTest::newRow("shift left past the header") << 2 << 2 << int(Qt::Key_Left) << shift << 3 << "2,2-2,1" << "2,1-2,2";
        QTest::newRow("shift end") << 2 << 2 << int(Qt::Key_End) << shift << 1 << "2,2-2,5" << "2,2-2,5";
        QTest::newRow("ctrl shift end") << 2 << 2 << int(Qt::Key_End) << ctrlShift << 1 << "2,2-4,5" << "2,2-4,5";
        QTest::newRow("ctrl shift home") << 2 << 2 << int(Qt::Key_Home) << ctrlShift << 1 << "2,2-1,1" << "1,1-2,2";
        QTest::newRow("shift page up") << 2 << 2 << int(Qt::Key_PageUp) << shift << 1 << "2,2-1,2" << "1,2-2,2";
        // clang-format on
    }

    void keyNavigation()
    {
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, presses);
        QFETCH(QString, selection);
        auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
        grid->setRow(startRow);
        grid->setCol(startCol);
        MoveLog moves(*grid);
        QSignalSpy pressed(grid.get(), &GridControl::KeyPress);
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(selectionText(*grid), selection);
        QTEST(modelSelection(*grid), "rectangle");
        const QString from = QStringLiteral("%1,%2").arg(startRow).arg(startCol);
        const QString to = selection.section(QLatin1Char('-'), 0, 0);
        QCOMPARE(moves.log, from == to ? QStringList() : MoveLog::move(from, to));
        QCOMPARE(pressed.count(), 0);
    }

    void mouseClickMovesToBodyCellsOnly()
    {
        auto grid = shapedGrid(5, 6); // a worksheet of 4 equations
        QVERIFY(showAndWait(*grid));
        MoveLog moves(*grid);
        QWidget* viewport = grid->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(*grid, 3, 2));
        QCOMPARE(moves.log, MoveLog::move("1,1", "3,2"));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(*grid, 3, 2));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(*grid, 0, 4));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(*grid, 2, 0));
        QTest::mouseClick(viewport, Qt::RightButton, {}, cellCentre(*grid, 1, 1));
        QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->rect().bottomRight());
        QCOMPARE(moves.log, MoveLog::move("1,1", "3,2"));
    }

    // The worksheet's life: 2 rows and no columns, then laid out, then emptied and laid out
    // again: the current cell appears at the first body cell and follows the layout.
    void selectionModelFollowsAndDrives()
    {
        GridControl grid;
        grid.setRows(2);
        grid.setFixedRows(1);
        QVERIFY(!grid.hasCurrentCell());
        QVERIFY(!grid.selectionModel()->currentIndex().isValid());

        MoveLog moves(grid);
        grid.setCols(4);
        grid.setFixedCols(1);
        QCOMPARE(moves.log, MoveLog::move("-1,-1", "1,0") + MoveLog::move("1,0", "1,1"));
        QCOMPARE(grid.selectionModel()->currentIndex(), index(grid, 1, 1));

        moves.log.clear();
        grid.selectionModel()->setCurrentIndex(index(grid, 1, 3), QItemSelectionModel::NoUpdate);
        QCOMPARE(moves.log, MoveLog::move("1,1", "1,3"));
        grid.selectionModel()->setCurrentIndex(index(grid, 0, 2), QItemSelectionModel::NoUpdate);
        QCOMPARE(grid.selectionModel()->currentIndex(), index(grid, 1, 3));
        QCOMPARE(moves.log, MoveLog::move("1,1", "1,3"));

        grid.setCols(0);
        QVERIFY(!grid.hasCurrentCell());
        QVERIFY(!grid.selectionModel()->currentIndex().isValid());
    }

    void textActsOnCurrentCell()
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

    void keyPressCodes_data()
    {
        // code: -1: no KeyPress
        addColumns<int, int, QString, int>("key", "modifiers", "text", "code");
        const int none = Qt::NoModifier;
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("digit 7") << int(Qt::Key_7) << none << "7" << 55;
        QTest::newRow("letter a") << int(Qt::Key_A) << none << "a" << 97;
        QTest::newRow("shifted A") << int(Qt::Key_A) << int(Qt::ShiftModifier) << "A" << 65;
        QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << 45;
        QTest::newRow("keypad comma") << int(Qt::Key_Comma) << int(Qt::KeypadModifier) << "," << 44;
        QTest::newRow("n tilde") << int(Qt::Key_Ntilde) << none << QString(QChar(0xF1)) << 0xF1;
        QTest::newRow("space") << int(Qt::Key_Space) << none << " " << 32;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << 8;
        QTest::newRow("return") << int(Qt::Key_Return) << none << "\r" << 13;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << 27;
        QTest::newRow("ctrl b") << int(Qt::Key_B) << ctrl << "\x02" << 2;
        QTest::newRow("ctrl x") << int(Qt::Key_X) << ctrl << "\x18" << 24;
        // The spreadsheet keys: select all, undo, redo.
        QTest::newRow("ctrl a") << int(Qt::Key_A) << ctrl << "\x01" << -1;
        QTest::newRow("ctrl z") << int(Qt::Key_Z) << ctrl << "\x1a" << -1;
        QTest::newRow("ctrl y") << int(Qt::Key_Y) << ctrl << "\x19" << -1;
        QTest::newRow("ctrl c") << int(Qt::Key_C) << ctrl << "\x03" << -1;
        QTest::newRow("ctrl v") << int(Qt::Key_V) << ctrl << "\x16" << -1;
        QTest::newRow("alt x") << int(Qt::Key_X) << int(Qt::AltModifier) << "x" << -1;
        QTest::newRow("right arrow") << int(Qt::Key_Right) << none << "" << -1;
        QTest::newRow("down arrow") << int(Qt::Key_Down) << none << "" << -1;
        QTest::newRow("home") << int(Qt::Key_Home) << none << "" << -1;
        QTest::newRow("delete") << int(Qt::Key_Delete) << none << "\x7f" << -1;
        QTest::newRow("f2") << int(Qt::Key_F2) << none << "" << -1;
        QTest::newRow("shift alone") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << -1;
    }

    // Texts are given explicitly, as a keyboard sends them: QTest would make "a" of Ctrl+A.
    void keyPressCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        auto grid = shapedGrid(4, 4);
        QSignalSpy pressed(grid.get(), &GridControl::KeyPress);
        QTest::sendKeyEvent(QTest::Click, grid.get(), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(pressed.count(), code < 0 ? 0 : 1);
        if (code >= 0)
            QCOMPARE(pressed.front().front().toInt(), code);
    }

    // The grid takes the focus, raising GotFocus, and Tab moves it on without a key or a move
    // reaching the grid.
    void focusComesAndGoes()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* before = new QLineEdit(&window);
        auto* grid = new GridControl(&window);
        auto* next = new QLineEdit(&window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(next);
        layOutWorksheet(*grid, 3);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        before->setFocus();
        QTRY_VERIFY(before->hasFocus());

        QSignalSpy focused(grid, &GridControl::GotFocus);
        grid->setFocus();
        QTRY_COMPARE(focused.count(), 1);
        QCOMPARE(grid->focusPolicy(), Qt::StrongFocus);

        QSignalSpy pressed(grid, &GridControl::KeyPress);
        MoveLog moves(*grid);
        QTest::keyClick(&window, Qt::Key_Tab);
        QTRY_VERIFY(next->hasFocus());
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(moves.log, QStringList());
    }

    void doubleClickOnBodyCells()
    {
        auto grid = shapedGrid(4, 4);
        QVERIFY(showAndWait(*grid));
        QSignalSpy doubleClicked(grid.get(), &GridControl::DblClick);
        MoveLog moves(*grid);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 0, 2));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 2, 0));
        QCOMPARE(doubleClicked.count(), 0);

        // A real double-click: press, release, press again as a double-click, release.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 2, 3));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 2, 3));
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(moves.log, MoveLog::move("1,1", "2,3"));
    }

    void disabledGridTakesNoInput()
    {
        auto grid = shapedGrid(4, 4);
        QVERIFY(showAndWait(*grid));
        grid->setEnabled(false);
        QSignalSpy pressed(grid.get(), &GridControl::KeyPress);
        MoveLog moves(*grid);
        QTest::keyClick(grid.get(), Qt::Key_7);
        QTest::keyClick(grid.get(), Qt::Key_Down);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 2, 2));
        QCOMPARE(pressed.count(), 0);
        QCOMPARE(moves.log, QStringList());
    }

    void editorLiesOverTheCurrentCell_data()
    {
        addColumns<int, int>("row", "col");
        QTest::newRow("first cell") << 1 << 1;
        QTest::newRow("end of the first row") << 1 << 101;
        QTest::newRow("last cell") << 100 << 101;
        QTest::newRow("middle") << 50 << 40;
        QTest::newRow("back to the first column") << 100 << 1;
    }

    // The editor is placed from the grid's position plus CellLeft and CellTop, as the window
    // does it; it must cover the painted cell exactly, wherever the body has scrolled to.
    void editorLiesOverTheCurrentCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        LargestWorksheet window;
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

    void fixedCellsStayInView()
    {
        LargestWorksheet window;
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

    void hitTestingMatchesVisualRects()
    {
        LargestWorksheet window;
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

    void widthsAndHeights()
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

    void scrollBarsFollowTheSetting_data()
    {
        addColumns<int, bool, bool>("code", "horizontal", "vertical");
        QTest::newRow("none") << 0 << false << false;
        QTest::newRow("horizontal") << 1 << true << false;
        QTest::newRow("vertical") << 2 << false << true;
        QTest::newRow("both") << 3 << true << true;
    }

    void scrollBarsFollowTheSetting()
    {
        QFETCH(int, code);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        LargestWorksheet window;
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

    void wheelScrollsTheBody()
    {
        LargestWorksheet window;
        GridControl& grid = *window.grid;
        QVERIFY(QTest::qWaitForWindowExposed(&window.widget));
        const int before = grid.visualRect(index(grid, 1, 1)).top();
        const QPointF at = grid.viewport()->rect().center();
        QWheelEvent wheel(at, grid.viewport()->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(grid.viewport(), &wheel);
        QVERIFY(grid.visualRect(index(grid, 1, 1)).top() < before);
        QCOMPARE(grid.Row(), 1);
    }

    // Header colours, body colours, the highlighted current cell, and the workspace colour
    // beyond the last column.
    void painting()
    {
        auto grid = shapedGrid(3, 3, 1, 1, {400, 150});
        QVERIFY(showAndWait(*grid));
        const QPalette palette = grid->palette();

        grid->clearFocus();
        QImage image = grid->grab().toImage();
        QCOMPARE(cellColour(*grid, image, 0, 1), palette.color(QPalette::Button).rgb());
        QCOMPARE(cellColour(*grid, image, 1, 0), palette.color(QPalette::Button).rgb());
        QCOMPARE(cellColour(*grid, image, 2, 2), palette.color(QPalette::Base).rgb());
        // Without the focus the current cell is not highlighted.
        QCOMPARE(cellColour(*grid, image, 1, 1), palette.color(QPalette::Base).rgb());
        const QRect last = grid->visualRect(index(*grid, 1, 2));
        QCOMPARE(image.pixel(grid->viewport()->mapTo(grid.get(), last.topRight() + QPoint(5, 2))), palette.color(QPalette::Dark).rgb());

        grid->activateWindow();
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        image = grid->grab().toImage();
        QCOMPARE(cellColour(*grid, image, 1, 1), palette.color(QPalette::Highlight).rgb());
        QCOMPARE(cellColour(*grid, image, 2, 2), palette.color(QPalette::Base).rgb());

        grid->setEnabled(false);
        image = grid->grab().toImage();
        QCOMPARE(cellColour(*grid, image, 2, 2), palette.color(QPalette::Disabled, QPalette::Base).rgb());
        QCOMPARE(cellColour(*grid, image, 1, 1), palette.color(QPalette::Disabled, QPalette::Base).rgb());
    }

    void bulkUpdateSignalsOnce()
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
        QCOMPARE(index(grid, 7, 6).data().toString(), QStringLiteral("42"));

        grid.setTextMatrix(101, 0, QStringLiteral("outside"));
        grid.setTextMatrix(0, 102, QStringLiteral("outside"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!grid.isValidCell(101, 0));
        QCOMPARE(grid.TextMatrix(101, 0), QString());
    }

    // Widths in twips; the widest texts that the program puts in each header column.
    void headersReadInFull_data()
    {
        addColumns<QStringList, int>("texts", "width");
        QStringList equations, unknowns, corners;
        for (int i = 1; i <= 100; ++i) {
            equations << QStringLiteral("EQ%1").arg(i);
            unknowns << QStringLiteral("X%1").arg(i);
            corners << QStringLiteral("%1,%2").arg(i).arg(i + 1);
        }
        QTest::newRow("worksheet's equations") << equations << 500;
        QTest::newRow("current cell up to 100,101") << corners << 500;
        QTest::newRow("worksheet's unknowns and T.I") << (unknowns << QStringLiteral("T.I")) << 960;
        QTest::newRow("solution's labels") << unknowns << 380;
    }

    void headersReadInFull()
    {
        QFETCH(QStringList, texts);
        QFETCH(int, width);
        GridControl grid;
        grid.setFont(dialogFont());
        const int inner = qRound(width / 15.0) - 1;
        for (const QString& t : texts)
            QVERIFY2(!grid.textFit().isCut(grid.font(), t, inner, true), qPrintable(t));
    }

    void cutTexts_data()
    {
        addColumns<QString, int, bool>("text", "row", "cut");
        QTest::newRow("short body text") << QStringLiteral("12,5") << 1 << false;
        QTest::newRow("long body text") << QStringLiteral("-1,234568E+07-1,234568E+07") << 1 << true;
        QTest::newRow("header squeezed whole") << QStringLiteral("EQ100") << 0 << false;
        QTest::newRow("header beyond any face") << QStringLiteral("Ecuación número cien") << 0 << true;
    }

    // A cut text, and only a cut one, gives its whole text as a tooltip.
    void cutTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(bool, cut);
        auto grid = windowWorksheet(3);
        QVERIFY(showAndWait(*grid));
        grid->setTextMatrix(row, 0, text);
        grid->setTextMatrix(1, 1, text);
        const QPoint centre = cellCentre(*grid, row, row == 0 ? 0 : 1);
        QHelpEvent help(QEvent::ToolTip, centre, grid->viewport()->mapToGlobal(centre));
        QToolTip::hideText();
        QCoreApplication::sendEvent(grid->viewport(), &help);
        QCOMPARE(QToolTip::isVisible(), cut);
        if (cut)
            QCOMPARE(QToolTip::text(), text);
    }

    void keysAndRightClicks_data()
    {
        addColumns<Gesture, QString, QString>("gesture", "signal", "selection");
        const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods) {
            return Gesture([=](GridControl& g) {
                g.setRow(2);
                g.setCol(3);
                QTest::keyClick(&g, k, mods);
            });
        };
        // With cells 1,1 to 2,2 selected.
        const auto rightClick = [](int row, int col) {
            return Gesture([=](GridControl& g) {
                g.setRowSel(2);
                g.setColSel(2);
                const QPoint at = cellCentre(g, row, col);
                // Closed as soon as it shows.
                QTimer::singleShot(0, &g, [] {
                    if (QWidget* popup = QApplication::activePopupWidget())
                        popup->close();
                });
                QContextMenuEvent event(QContextMenuEvent::Mouse, at, g.viewport()->mapToGlobal(at));
                QCoreApplication::sendEvent(g.viewport(), &event);
            });
        };
        const auto ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+A") << key(Qt::Key_A, ctrl) << QString() << QStringLiteral("1,1-3,4");
        QTest::newRow("Ctrl+Z") << key(Qt::Key_Z, ctrl) << QStringLiteral("undo") << QStringLiteral("2,3-2,3");
        QTest::newRow("Ctrl+Y") << key(Qt::Key_Y, ctrl) << QStringLiteral("redo") << QStringLiteral("2,3-2,3");
        QTest::newRow("Ctrl+Shift+Z") << key(Qt::Key_Z, ctrl | Qt::ShiftModifier) << QStringLiteral("redo") << QStringLiteral("2,3-2,3");
        QTest::newRow("right-click outside the selection") << rightClick(3, 3) << QString() << QStringLiteral("3,3-3,3");
        QTest::newRow("right-click inside the selection") << rightClick(2, 2) << QString() << QStringLiteral("1,1-2,2");
        QTest::newRow("right-click on a header") << rightClick(0, 3) << QString() << QStringLiteral("1,1-2,2");
    }

    // None of them types a character, so none opens an editor. The cell under a right-click
    // outside the selection becomes current; inside it, or on a header, the selection stays.
    void keysAndRightClicks()
    {
        QFETCH(Gesture, gesture);
        QFETCH(QString, signal);
        auto grid = windowWorksheet(3);
        QVERIFY(showAndWait(*grid));
        QSignalSpy typed(grid.get(), &GridControl::KeyPress);
        QSignalSpy undo(grid.get(), &GridControl::UndoRequested);
        QSignalSpy redo(grid.get(), &GridControl::RedoRequested);
        gesture(*grid);
        QCOMPARE(typed.count(), 0);
        QCOMPARE(undo.count(), signal == QLatin1String("undo") ? 1 : 0);
        QCOMPARE(redo.count(), signal == QLatin1String("redo") ? 1 : 0);
        QTEST(selectionText(*grid), "selection");
    }
};

QTEST_MAIN(TestGridControl)
#include "tst_gridcontrol.moc"
