#include "WorksheetGrid.h"

#include "grid/GridControl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>

namespace {

// The window's dialog font, which every grid of the program shows.
QFont dialogFont()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(11);
    return f;
}

std::unique_ptr<GridControl> worksheet(int n)
{
    auto grid = std::make_unique<GridControl>();
    grid->setFont(dialogFont());
    layOutWorksheet(*grid, n);
    grid->setColWidth(0, 500);
    grid->setPasteEnabled(true);
    grid->resize(400, 200);
    return grid;
}

QString selection(const GridControl& g)
{
    return QStringLiteral("%1,%2-%3,%4").arg(g.Row()).arg(g.Col()).arg(g.RowSel()).arg(g.ColSel());
}

} // namespace

class TestGridSpreadsheet : public QObject
{
    Q_OBJECT

private slots:
    // Widths in twips; the widest texts that the program puts in each header column.
    void headersReadInFull_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("width");
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("cut");
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
        auto grid = worksheet(3);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setTextMatrix(row, 0, text);
        grid->setTextMatrix(1, 1, text);
        const int col = row == 0 ? 0 : 1;
        const QRect cell = grid->visualRect(grid->model()->index(row, col));
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid->viewport()->mapToGlobal(cell.center()));
        QToolTip::hideText();
        QCoreApplication::sendEvent(grid->viewport(), &help);
        QCOMPARE(QToolTip::isVisible(), cut);
        if (cut)
            QCOMPARE(QToolTip::text(), text);
    }

    void spreadsheetKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QString>("selection");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << QString() << QStringLiteral("1,1-3,4");
        QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << ctrl << QStringLiteral("undo") << QStringLiteral("2,3-2,3");
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << ctrl << QStringLiteral("redo") << QStringLiteral("2,3-2,3");
        QTest::newRow("Ctrl+Shift+Z") << int(Qt::Key_Z) << int(ctrl | Qt::ShiftModifier) << QStringLiteral("redo")
                                      << QStringLiteral("2,3-2,3");
    }

    // None of them types a character, so none opens an editor.
    void spreadsheetKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, signal);
        QFETCH(QString, selection);
        auto grid = worksheet(3);
        grid->setRow(2);
        grid->setCol(3);
        QSignalSpy typed(grid.get(), &GridControl::KeyPress);
        QSignalSpy undo(grid.get(), &GridControl::UndoRequested);
        QSignalSpy redo(grid.get(), &GridControl::RedoRequested);
        QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(typed.count(), 0);
        QCOMPARE(undo.count(), signal == QLatin1String("undo") ? 1 : 0);
        QCOMPARE(redo.count(), signal == QLatin1String("redo") ? 1 : 0);
        QCOMPARE(::selection(*grid), selection);
    }

    void rightClick_data()
    {
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QString>("selection");
        QTest::newRow("outside the selection") << QPoint(3, 3) << QStringLiteral("3,3-3,3");
        QTest::newRow("inside the selection") << QPoint(2, 2) << QStringLiteral("1,1-2,2");
        QTest::newRow("on a header") << QPoint(3, 0) << QStringLiteral("1,1-2,2");
    }

    // The cell under a right-click outside the selection becomes current; inside it, or on
    // a header, the selection stays.
    void rightClick()
    {
        QFETCH(QPoint, cell);
        QFETCH(QString, selection);
        auto grid = worksheet(3);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
        grid->setRowSel(2);
        grid->setColSel(2);
        QSignalSpy typed(grid.get(), &GridControl::KeyPress);
        const QPoint at = grid->visualRect(grid->model()->index(cell.y(), cell.x())).center();
        // Closed as soon as it shows.
        QTimer::singleShot(0, grid.get(), [] {
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(grid->viewport(), &event);
        QCOMPARE(::selection(*grid), selection);
        QCOMPARE(typed.count(), 0);
    }
};

QTEST_MAIN(TestGridSpreadsheet)
#include "tst_gridspreadsheet.moc"
