#include "ShapedGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <functional>
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

using Gesture = std::function<void(GridControl&)>;

} // namespace

Q_DECLARE_METATYPE(Gesture)

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

    void keysAndRightClicks_data()
    {
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<QString>("selection");
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
                const QPoint at = g.visualRect(g.model()->index(row, col)).center();
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
        auto grid = worksheet(3);
        grid->show();
        QVERIFY(QTest::qWaitForWindowExposed(grid.get()));
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

QTEST_MAIN(TestGridSpreadsheet)
#include "tst_gridspreadsheet.moc"
