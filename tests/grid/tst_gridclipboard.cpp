#include "ShapedGrid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// A worksheet of 3 equations with its headers, every body cell holding ".".
std::unique_ptr<GridControl> worksheet()
{
    auto grid = shapedGrid(4, 5);
    layOutWorksheet(*grid, 3);
    grid->setPasteEnabled(true);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 5; ++c)
            grid->setTextMatrix(r, c, QStringLiteral("."));
    return grid;
}

const QString kHeaders = QStringLiteral("1,1|X1|X2|X3|T.I");

// Every row of the grid, headers included, its cells joined by "|".
QStringList contents(const GridControl& grid)
{
    QStringList rows;
    for (int r = 0; r < grid.Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.Cols(); ++c)
            cells << grid.TextMatrix(r, c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The selection model's cells as "top,left-bottom,right", when they form one rectangle.
QString modelSelection(const GridControl& grid)
{
    const QItemSelection selected = grid.selectionModel()->selection();
    if (selected.size() != 1)
        return QStringLiteral("%1 ranges").arg(selected.size());
    const QItemSelectionRange& range = selected.front();
    return QStringLiteral("%1,%2-%3,%4").arg(range.top()).arg(range.left()).arg(range.bottom()).arg(range.right());
}

struct MoveSpies
{
    explicit MoveSpies(GridControl& grid) : left(&grid, &GridControl::LeaveCell), changed(&grid, &GridControl::RowColChange) {}
    qsizetype count() const { return left.count() + changed.count(); }
    QSignalSpy left;
    QSignalSpy changed;
};

QClipboard* clipboard()
{
    return QGuiApplication::clipboard();
}

void copyKey(GridControl& grid)
{
    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
}

void pasteKey(GridControl& grid)
{
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class TestGridClipboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void shiftKeysExtend_data();
    void shiftKeysExtend();
    void plainMovesCollapse_data();
    void plainMovesCollapse();
    void mouseExtends();
    void selectionStaysInTheBody();
    void selectedCellsArePainted();
    void pasteAtTheCurrentCell_data();
    void pasteAtTheCurrentCell();
    void beforePasteComesFirst_data();
    void beforePasteComesFirst();
    void pasteWhereDisabledOrEmpty_data();
    void pasteWhereDisabledOrEmpty();
    void copyRoundTrips();
    void copyTakesTheCurrentCellAlone();
    void clipboardKeysRaiseNoKeyPress();

private:
    QLocale savedLocale_;
};

// Pasted values stay texts, so a comma locale must not change them.
void TestGridClipboard::initTestCase()
{
    savedLocale_ = QLocale();
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

void TestGridClipboard::cleanupTestCase()
{
    QLocale::setDefault(savedLocale_);
}

void TestGridClipboard::shiftKeysExtend_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("rectangle");

    const int shift = Qt::ShiftModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("right") << int(Qt::Key_Right) << shift << 1 << "2,2-2,3"
                           << "2,2-2,3";
    QTest::newRow("down past the end") << int(Qt::Key_Down) << shift << 3 << "2,2-3,2"
                                       << "2,2-3,2";
    QTest::newRow("up past the header") << int(Qt::Key_Up) << shift << 3 << "2,2-1,2"
                                        << "1,2-2,2";
    QTest::newRow("left past the header") << int(Qt::Key_Left) << shift << 3 << "2,2-2,1"
                                          << "2,1-2,2";
    QTest::newRow("end") << int(Qt::Key_End) << shift << 1 << "2,2-2,4"
                         << "2,2-2,4";
    QTest::newRow("ctrl end") << int(Qt::Key_End) << ctrlShift << 1 << "2,2-3,4"
                              << "2,2-3,4";
    QTest::newRow("ctrl home") << int(Qt::Key_Home) << ctrlShift << 1 << "2,2-1,1"
                               << "1,1-2,2";
    QTest::newRow("page up") << int(Qt::Key_PageUp) << shift << 1 << "2,2-1,2"
                             << "1,2-2,2";
}

void TestGridClipboard::shiftKeysExtend()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QFETCH(QString, expected);
    QFETCH(QString, rectangle);

    auto grid = worksheet();
    grid->setRow(2);
    grid->setCol(2);
    MoveSpies spies(*grid);
    QSignalSpy pressed(grid.get(), &GridControl::KeyPress);
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(selectionText(*grid), expected);
    QCOMPARE(modelSelection(*grid), rectangle);
    QCOMPARE(spies.count(), 0);
    QCOMPARE(pressed.count(), 0);
}

void TestGridClipboard::plainMovesCollapse_data()
{
    QTest::addColumn<QString>("move");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("moveSignals");

    QTest::newRow("arrow") << "down" << QString("3,1-3,1") << 2;
    QTest::newRow("arrow against the header") << "left" << QString("2,1-2,1") << 0;
    QTest::newRow("setRow") << "setRow" << QString("1,1-1,1") << 2;
    QTest::newRow("setCol onto the current column") << "setCol" << QString("2,1-2,1") << 0;
    QTest::newRow("click on the current cell") << "click" << QString("2,1-2,1") << 0;
}

void TestGridClipboard::plainMovesCollapse()
{
    QFETCH(QString, move);
    QFETCH(QString, expected);
    QFETCH(int, moveSignals);

    auto grid = worksheet();
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    grid->setRow(2);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(selectionText(*grid), QStringLiteral("2,1-2,3"));

    MoveSpies spies(*grid);
    if (move == "down")
        QTest::keyClick(grid.get(), Qt::Key_Down);
    else if (move == "left")
        QTest::keyClick(grid.get(), Qt::Key_Left);
    else if (move == "setRow")
        grid->setRow(1);
    else if (move == "setCol")
        grid->setCol(1);
    else
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(2, 1)).center());
    QCOMPARE(selectionText(*grid), expected);
    QCOMPARE(spies.count(), moveSignals);
    QCOMPARE(grid->selectionModel()->selectedIndexes(), QModelIndexList{grid->model()->index(grid->Row(), grid->Col())});
}

void TestGridClipboard::mouseExtends()
{
    auto grid = worksheet();
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    QWidget* viewport = grid->viewport();
    const auto centre = [&](int r, int c) { return grid->visualRect(grid->model()->index(r, c)).center(); };
    const auto dragTo = [&](QPoint point) {
        QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    };

    QTest::mouseClick(viewport, Qt::LeftButton, {}, centre(2, 2));
    MoveSpies spies(*grid);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, centre(3, 3));
    QCOMPARE(selectionText(*grid), QStringLiteral("2,2-3,3"));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, centre(0, 1));
    QCOMPARE(selectionText(*grid), QStringLiteral("2,2-3,3"));
    QCOMPARE(spies.count(), 0);

    // A drag moves the current cell once, at the press; over the headers it reaches the
    // first body row and column.
    QTest::mousePress(viewport, Qt::LeftButton, {}, centre(2, 3));
    QCOMPARE(spies.count(), 2);
    dragTo(centre(3, 4));
    QCOMPARE(selectionText(*grid), QStringLiteral("2,3-3,4"));
    dragTo(centre(0, 0));
    QCOMPARE(selectionText(*grid), QStringLiteral("2,3-1,1"));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centre(0, 0));
    dragTo(centre(3, 4));
    QCOMPARE(selectionText(*grid), QStringLiteral("2,3-1,1"));
    QCOMPARE(spies.count(), 2);
    QCOMPARE(modelSelection(*grid), QStringLiteral("1,1-2,3"));
}

// Setters ignore cells outside the body, a resize pulls the corner back into it, and
// another client of the selection model cannot make a selection that the grid does not show.
void TestGridClipboard::selectionStaysInTheBody()
{
    auto grid = worksheet();
    grid->setRow(2);
    grid->setCol(3);
    MoveSpies spies(*grid);
    grid->setRowSel(3);
    grid->setColSel(1);
    grid->setRowSel(0);
    grid->setColSel(0);
    grid->setRowSel(4);
    grid->setColSel(-1);
    QCOMPARE(selectionText(*grid), QStringLiteral("2,3-3,1"));
    QCOMPARE(spies.count(), 0);

    grid->selectionModel()->select(grid->model()->index(0, 0), QItemSelectionModel::ClearAndSelect);
    QCOMPARE(modelSelection(*grid), QStringLiteral("2,1-3,3"));
    grid->selectionModel()->clearSelection();
    QCOMPARE(modelSelection(*grid), QStringLiteral("2,1-3,3"));

    grid->setRows(3);
    QCOMPARE(selectionText(*grid), QStringLiteral("2,3-2,1"));
    QCOMPARE(modelSelection(*grid), QStringLiteral("2,1-2,3"));
    grid->setCols(0);
    QCOMPARE(selectionText(*grid), QStringLiteral("-1,-1--1,-1"));
    QVERIFY(grid->selectionModel()->selection().isEmpty());
}

// Samples a corner inside each cell on a grab, clear of the text; the grid has no focus.
void TestGridClipboard::selectedCellsArePainted()
{
    auto grid = worksheet();
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
    grid->clearFocus();
    const auto colourAt = [&](int r, int c) {
        const QRect rect = grid->visualRect(grid->model()->index(r, c));
        const QPoint point = grid->viewport()->mapTo(grid.get(), rect.topLeft() + QPoint(2, 2));
        return grid->grab().toImage().pixel(point);
    };
    const QPalette palette = grid->palette();

    grid->setRowSel(2);
    grid->setColSel(3);
    QCOMPARE(colourAt(1, 1), palette.color(QPalette::Highlight).rgb());
    QCOMPARE(colourAt(2, 3), palette.color(QPalette::Highlight).rgb());
    QCOMPARE(colourAt(3, 3), palette.color(QPalette::Base).rgb());
    QCOMPARE(colourAt(0, 2), palette.color(QPalette::Button).rgb());
    grid->setRow(3);
    QCOMPARE(colourAt(2, 3), palette.color(QPalette::Base).rgb());
    QCOMPARE(colourAt(3, 1), palette.color(QPalette::Base).rgb());
}

void TestGridClipboard::pasteAtTheCurrentCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QString>("selected");

    QTest::newRow("tab block") << 1 << 1 << "1\t2\n3\t4\n" << QStringList{"EQ1|1|2|.|.", "EQ2|3|4|.|.", "EQ3|.|.|.|."} << "1,1-2,2";
    QTest::newRow("blank block") << 2 << 2 << "  5   6\r\n7 8\r\n" << QStringList{"EQ1|.|.|.|.", "EQ2|.|5|6|.", "EQ3|.|7|8|."} << "2,2-3,3";
    QTest::newRow("decimal commas") << 1 << 3 << "1,5\t2,5" << QStringList{"EQ1|.|.|1,5|2,5", "EQ2|.|.|.|.", "EQ3|.|.|.|."} << "1,3-1,4";
    QTest::newRow("larger than the body, clipped")
        << 2 << 3 << "a\tb\tc\nd\te\tf\ng\th\ti" << QStringList{"EQ1|.|.|.|.", "EQ2|.|.|a|b", "EQ3|.|.|d|e"} << "2,3-3,4";
    QTest::newRow("empty fields clear cells") << 1 << 1 << "\t9\n\t" << QStringList{"EQ1||9|.|.", "EQ2|||.|.", "EQ3|.|.|.|."} << "1,1-2,2";
    QTest::newRow("ragged rows, an empty line skips a row") << 1 << 2 << "1\n\n2 -3E+2 4,5\n"
                                                            << QStringList{"EQ1|.|1|.|.", "EQ2|.|.|.|.", "EQ3|.|2|-3E+2|4,5"} << "1,2-3,4";
}

void TestGridClipboard::pasteAtTheCurrentCell()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(QStringList, body);
    QFETCH(QString, selected);

    auto grid = worksheet();
    grid->setRow(row);
    grid->setCol(col);
    MoveSpies spies(*grid);
    QSignalSpy changed(grid->model(), &QAbstractItemModel::dataChanged);
    clipboard()->setText(text);
    pasteKey(*grid);
    QCOMPARE(contents(*grid), QStringList{kHeaders} + body);
    QCOMPARE(selectionText(*grid), selected);
    QCOMPARE(spies.count(), 0);
    QCOMPARE(changed.count(), 1);
}

// BeforePaste stands for an open edit being committed: its text lands in the current
// cell before any write, and the block then covers it unless its first line is empty.
void TestGridClipboard::beforePasteComesFirst_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("body");

    QTest::newRow("block over the edit") << "1\t2\n3" << QStringList{"EQ1|.|.|.|.", "EQ2|.|1|2|.", "EQ3|.|3|.|."};
    QTest::newRow("block below the edit") << "\n3" << QStringList{"EQ1|.|.|.|.", "EQ2|.|typed|.|.", "EQ3|.|3|.|."};
}

void TestGridClipboard::beforePasteComesFirst()
{
    QFETCH(QString, text);
    QFETCH(QStringList, body);

    auto grid = worksheet();
    grid->setRow(2);
    grid->setCol(2);
    QStringList seen;
    QObject::connect(grid.get(), &GridControl::BeforePaste, grid.get(), [&] {
        seen = contents(*grid);
        grid->setText(QStringLiteral("typed"));
    });
    const QStringList before = contents(*grid);
    clipboard()->setText(text);
    pasteKey(*grid);
    QCOMPARE(seen, before);
    QCOMPARE(contents(*grid), QStringList{kHeaders} + body);
}

void TestGridClipboard::pasteWhereDisabledOrEmpty_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("text");

    QTest::newRow("disabled") << false << "1\t2";
    QTest::newRow("empty clipboard") << true << "";
    QTest::newRow("only line breaks and blanks") << true << " \n\r\n  ";
}

void TestGridClipboard::pasteWhereDisabledOrEmpty()
{
    QFETCH(bool, enabled);
    QFETCH(QString, text);

    QVERIFY(!GridControl().pasteEnabled());
    auto grid = worksheet();
    grid->setPasteEnabled(enabled);
    grid->setRowSel(2);
    QSignalSpy before(grid.get(), &GridControl::BeforePaste);
    const QStringList unchanged = contents(*grid);
    clipboard()->setText(text);
    pasteKey(*grid);
    grid->pasteFromClipboard();
    QCOMPARE(contents(*grid), unchanged);
    QCOMPARE(before.count(), 0);
    QCOMPARE(selectionText(*grid), QStringLiteral("1,1-2,1"));
}

// A block copied from a result grid, where paste is off, then a block copied inside the
// worksheet, each pasted somewhere else.
void TestGridClipboard::copyRoundTrips()
{
    GridControl results;
    results.setRows(3);
    results.setCols(3);
    results.setFixedCols(1);
    results.setTextMatrix(0, 0, QStringLiteral("X1"));
    results.setTextMatrix(0, 1, QStringLiteral("0,6666667"));
    results.setTextMatrix(1, 1, QStringLiteral("-1,5E-06"));
    results.setTextMatrix(1, 2, QStringLiteral("1 2"));
    results.setColSel(2);
    QTest::keyClick(&results, Qt::Key_Down, Qt::ShiftModifier);
    copyKey(results);
    QCOMPARE(clipboard()->text(), QStringLiteral("0,6666667\t\n-1,5E-06\t1 2"));

    auto grid = worksheet();
    grid->setRow(2);
    grid->setCol(3);
    pasteKey(*grid);
    QCOMPARE(contents(*grid), (QStringList{kHeaders, "EQ1|.|.|.|.", "EQ2|.|.|0,6666667|", "EQ3|.|.|-1,5E-06|1 2"}));

    QTest::keyClick(grid.get(), Qt::Key_Left);
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    copyKey(*grid);
    QCOMPARE(clipboard()->text(), QStringLiteral(".\t0,6666667\n.\t-1,5E-06"));
    grid->setRow(1);
    grid->setCol(1);
    pasteKey(*grid);
    QCOMPARE(contents(*grid), (QStringList{kHeaders, "EQ1|.|0,6666667|.|.", "EQ2|.|-1,5E-06|0,6666667|", "EQ3|.|.|-1,5E-06|1 2"}));
    QCOMPARE(selectionText(*grid), QStringLiteral("1,1-2,2"));
}

void TestGridClipboard::copyTakesTheCurrentCellAlone()
{
    auto grid = worksheet();
    grid->setTextMatrix(3, 4, QStringLiteral("12,5"));
    grid->setRow(3);
    grid->setCol(4);
    copyKey(*grid);
    QCOMPARE(clipboard()->text(), QStringLiteral("12,5"));

    // A grid without a body leaves the clipboard alone.
    GridControl empty;
    empty.setRows(1);
    empty.setCols(3);
    empty.setFixedRows(1);
    empty.copyToClipboard();
    QCOMPARE(clipboard()->text(), QStringLiteral("12,5"));
}

void TestGridClipboard::clipboardKeysRaiseNoKeyPress()
{
    auto grid = worksheet();
    QSignalSpy pressed(grid.get(), &GridControl::KeyPress);
    clipboard()->setText(QStringLiteral("4"));
    pasteKey(*grid);
    copyKey(*grid);
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(grid->Text(), QStringLiteral("4"));

    QTest::keyClick(grid.get(), Qt::Key_5);
    QTest::keyClick(grid.get(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(pressed.count(), 2);
}

QTEST_MAIN(TestGridClipboard)
#include "tst_gridclipboard.moc"
