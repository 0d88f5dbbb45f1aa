#include "DataColumns.h"
#include "ShapedGrid.h"
#include "TestLocale.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSignalSpy>

namespace {

// A worksheet of 3 equations with its headers, every body cell holding ".".
std::unique_ptr<GridControl> worksheet()
{
    auto grid = worksheetGrid(3);
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
    // Pasted values stay texts, so a comma locale must not change them.
    void initTestCase() { locale_.set(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanupTestCase() { locale_.restore(); }

    void plainMovesCollapse_data()
    {
        addColumns<QString, QString, int>("move", "expected", "moveSignals");
        QTest::newRow("arrow") << "down" << QString("3,1-3,1") << 2;
        QTest::newRow("arrow against the header") << "left" << QString("2,1-2,1") << 0;
        QTest::newRow("setRow") << "setRow" << QString("1,1-1,1") << 2;
        QTest::newRow("setCol onto the current column") << "setCol" << QString("2,1-2,1") << 0;
        QTest::newRow("click on the current cell") << "click" << QString("2,1-2,1") << 0;
    }

    void plainMovesCollapse()
    {
        QFETCH(QString, move);
        auto grid = worksheet();
        QVERIFY(showAndWait(*grid));
        grid->setRow(2);
        QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(selectionText(*grid), QStringLiteral("2,1-2,3"));

        MoveLog moves(*grid);
        if (move == "down")
            QTest::keyClick(grid.get(), Qt::Key_Down);
        else if (move == "left")
            QTest::keyClick(grid.get(), Qt::Key_Left);
        else if (move == "setRow")
            grid->setRow(1);
        else if (move == "setCol")
            grid->setCol(1);
        else
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(*grid, 2, 1));
        QTEST(selectionText(*grid), "expected");
        QTEST(int(moves.log.size()), "moveSignals");
        QCOMPARE(grid->selectionModel()->selectedIndexes(), QModelIndexList{grid->model()->index(grid->Row(), grid->Col())});
    }

    void mouseExtends()
    {
        auto grid = worksheet();
        QVERIFY(showAndWait(*grid));
        QWidget* viewport = grid->viewport();
        const auto dragTo = [&](QPoint point) {
            QMouseEvent move(QEvent::MouseMove, point, viewport->mapToGlobal(point), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(viewport, &move);
        };

        QTest::mouseClick(viewport, Qt::LeftButton, {}, cellCentre(*grid, 2, 2));
        MoveLog moves(*grid);
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, cellCentre(*grid, 3, 3));
        QCOMPARE(selectionText(*grid), QStringLiteral("2,2-3,3"));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, cellCentre(*grid, 0, 1));
        QCOMPARE(selectionText(*grid), QStringLiteral("2,2-3,3"));
        QCOMPARE(moves.log.size(), 0);

        // A drag moves the current cell once, at the press; over the headers it reaches the
        // first body row and column.
        QTest::mousePress(viewport, Qt::LeftButton, {}, cellCentre(*grid, 2, 3));
        QCOMPARE(moves.log.size(), 2);
        dragTo(cellCentre(*grid, 3, 4));
        QCOMPARE(selectionText(*grid), QStringLiteral("2,3-3,4"));
        dragTo(cellCentre(*grid, 0, 0));
        QCOMPARE(selectionText(*grid), QStringLiteral("2,3-1,1"));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, cellCentre(*grid, 0, 0));
        dragTo(cellCentre(*grid, 3, 4));
        QCOMPARE(selectionText(*grid), QStringLiteral("2,3-1,1"));
        QCOMPARE(moves.log.size(), 2);
        QCOMPARE(modelSelection(*grid), QStringLiteral("1,1-2,3"));
    }

    // Setters ignore cells outside the body, a resize pulls the corner back into it, and
    // another client of the selection model cannot make a selection that the grid does not show.
    void selectionStaysInTheBody()
    {
        auto grid = worksheet();
        grid->setRow(2);
        grid->setCol(3);
        MoveLog moves(*grid);
        grid->setRowSel(3);
        grid->setColSel(1);
        grid->setRowSel(0);
        grid->setColSel(0);
        grid->setRowSel(4);
        grid->setColSel(-1);
        QCOMPARE(selectionText(*grid), QStringLiteral("2,3-3,1"));
        QCOMPARE(moves.log.size(), 0);

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
    void selectedCellsArePainted()
    {
        auto grid = worksheet();
        QVERIFY(showAndWait(*grid));
        grid->clearFocus();
        const QPalette palette = grid->palette();
        grid->setRowSel(2);
        grid->setColSel(3);
        QImage image = grid->grab().toImage();
        QCOMPARE(cellColour(*grid, image, 1, 1), palette.color(QPalette::Highlight).rgb());
        QCOMPARE(cellColour(*grid, image, 2, 3), palette.color(QPalette::Highlight).rgb());
        QCOMPARE(cellColour(*grid, image, 3, 3), palette.color(QPalette::Base).rgb());
        QCOMPARE(cellColour(*grid, image, 0, 2), palette.color(QPalette::Button).rgb());
        grid->setRow(3);
        image = grid->grab().toImage();
        QCOMPARE(cellColour(*grid, image, 2, 3), palette.color(QPalette::Base).rgb());
        QCOMPARE(cellColour(*grid, image, 3, 1), palette.color(QPalette::Base).rgb());
    }

    void pasteAtTheCurrentCell_data()
    {
        addColumns<int, int, QString, QStringList, QString>("row", "col", "text", "body", "selected");
        // clang-format off
        QTest::newRow("tab block") << 1 << 1 << "1\t2\n3\t4\n" << QStringList{"EQ1|1|2|.|.", "EQ2|3|4|.|.", "EQ3|.|.|.|."} << "1,1-2,2";
        QTest::newRow("blank block") << 2 << 2 << "  5   6\r\n7 8\r\n" << QStringList{"EQ1|.|.|.|.", "EQ2|.|5|6|.", "EQ3|.|7|8|."} << "2,2-3,3";
        QTest::newRow("decimal commas") << 1 << 3 << "1,5\t2,5" << QStringList{"EQ1|.|.|1,5|2,5", "EQ2|.|.|.|.", "EQ3|.|.|.|."} << "1,3-1,4";
        QTest::newRow("larger than the body, clipped") << 2 << 3 << "a\tb\tc\nd\te\tf\ng\th\ti" << QStringList{"EQ1|.|.|.|.", "EQ2|.|.|a|b", "EQ3|.|.|d|e"} << "2,3-3,4";
        QTest::newRow("empty fields clear cells") << 1 << 1 << "\t9\n\t" << QStringList{"EQ1||9|.|.", "EQ2|||.|.", "EQ3|.|.|.|."} << "1,1-2,2";
        QTest::newRow("ragged rows, an empty line skips a row") << 1 << 2 << "1\n\n2 -3E+2 4,5\n" << QStringList{"EQ1|.|1|.|.", "EQ2|.|.|.|.", "EQ3|.|2|-3E+2|4,5"} << "1,2-3,4";
        // clang-format on
    }

    void pasteAtTheCurrentCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(QStringList, body);
        auto grid = worksheet();
        grid->setRow(row);
        grid->setCol(col);
        MoveLog moves(*grid);
        QSignalSpy changed(grid->model(), &QAbstractItemModel::dataChanged);
        clipboard()->setText(text);
        pasteKey(*grid);
        QCOMPARE(contents(*grid), QStringList{kHeaders} + body);
        QTEST(selectionText(*grid), "selected");
        QCOMPARE(moves.log.size(), 0);
        QCOMPARE(changed.count(), 1);
    }

    // BeforePaste stands for an open edit being committed: its text lands in the current
    // cell before any write, and the block then covers it unless its first line is empty.
    void beforePasteComesFirst_data()
    {
        addColumns<QString, QStringList>("text", "body");
        QTest::newRow("block over the edit") << "1\t2\n3" << QStringList{"EQ1|.|.|.|.", "EQ2|.|1|2|.", "EQ3|.|3|.|."};
        QTest::newRow("block below the edit") << "\n3" << QStringList{"EQ1|.|.|.|.", "EQ2|.|typed|.|.", "EQ3|.|3|.|."};
    }

    void beforePasteComesFirst()
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

    void pasteWhereDisabledOrEmpty_data()
    {
        addColumns<bool, QString>("enabled", "text");
        QTest::newRow("disabled") << false << "1\t2";
        QTest::newRow("empty clipboard") << true << "";
        QTest::newRow("only line breaks and blanks") << true << " \n\r\n  ";
    }

    void pasteWhereDisabledOrEmpty()
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
    void copyRoundTrips()
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

    void copyTakesTheCurrentCellAlone()
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

    void clipboardKeysRaiseNoKeyPress()
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

private:
    TestLocale locale_;
};

QTEST_MAIN(TestGridClipboard)
#include "tst_gridclipboard.moc"
