#include "LocaleDePrueba.h"
#include "Teclado.h"
#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "worksheet/CellEditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <memory>

namespace {

using Cell = std::pair<int, int>;

// A worksheet for n equations as the window lays it out, with the editor over it.
struct Sheet
{
    explicit Sheet(int n)
    {
        window.resize(640, 480);
        grid = new GridControl(&window);
        grid->setGeometry(7, 59, 466, 249);
        text1 = new QLineEdit(&window);
        text1->setFocusPolicy(Qt::ClickFocus);
        editor = std::make_unique<CellEditor>(*grid, *text1);
        QObject::connect(grid, &GridControl::KeyPress, editor.get(), [this](int k) { editor->UbicarEditor(k); });
        QObject::connect(grid, &GridControl::DblClick, editor.get(), [this] { editor->UbicarEditor(CellEditor::DoubleClickCode); });
        text1->hide();
        layOutWorksheet(*grid, n);
        grid->setCol(1);
        grid->setRow(1);
        window.show();
        QApplication::setActiveWindow(&window);
        grid->setFocus();
    }

    Cell current() const { return {grid->Row(), grid->Col()}; }

    QWidget window;
    GridControl* grid;
    QLineEdit* text1;
    std::unique_ptr<CellEditor> editor;
};

} // namespace

class TestCellEditor : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { locale_.restaurar(); }

    void typingReplacesTheValue()
    {
        Sheet s(2);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.grid->setTextMatrix(1, 1, "42");
        teclado::escribir("7");
        QVERIFY(s.editor->isOpen());
        QCOMPARE(s.text1->text(), QString("7"));
        QCOMPARE(s.text1->cursorPosition(), 1);
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("42")); // not written yet
        // The editor lies exactly over the current cell.
        QCOMPARE(s.text1->geometry().topLeft(), s.grid->pos() + QPoint(s.grid->CellLeft() / 15, s.grid->CellTop() / 15));
        teclado::escribir("5");
        teclado::tecla(Qt::Key_Return);
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("75"));
        QVERIFY(!s.editor->isOpen());
    }

    void openingKeysKeepTheValue_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("backspace") << int(Qt::Key_Backspace);
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("double-click") << 0;
    }

    void openingKeysKeepTheValue()
    {
        QFETCH(int, how);
        Sheet s(3);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.grid->setTextMatrix(1, 1, "3,25");
        if (how == 0) {
            const QRect cell = s.grid->visualRect(s.grid->model()->index(1, 1));
            QTest::mouseDClick(s.grid->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            teclado::tecla(Qt::Key(how));
        }
        QVERIFY(s.editor->isOpen());
        QCOMPARE(s.text1->text(), QString("3,25"));
        QCOMPARE(s.text1->cursorPosition(), 4);
        QCOMPARE(s.current(), Cell(1, 1)); // opening never moves
    }

    void enterWalksInReadingOrder()
    {
        Sheet s(2);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        const QList<Cell> expected = {{1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {2, 3}};
        for (int step = 0; step < expected.size(); ++step) {
            teclado::escribir(QString::number(step + 1));
            teclado::tecla(Qt::Key_Return);
            QCOMPARE(s.current(), expected[step]);
            QVERIFY(!s.editor->isOpen());
            QCOMPARE(s.grid->TextMatrix(0, 0), QStringLiteral("%1,%2").arg(expected[step].first).arg(expected[step].second));
        }
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("1"));
        QCOMPARE(s.grid->TextMatrix(1, 3), QString("3"));
        QCOMPARE(s.grid->TextMatrix(2, 1), QString("4"));
        QCOMPARE(s.grid->TextMatrix(2, 3), QString("6")); // the last one overwrote the 5th
    }

    void arrowsMoveBetweenEquations_data()
    {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("endRow");
        QTest::newRow("down") << 1 << int(Qt::Key_Down) << 2;
        QTest::newRow("up") << 3 << int(Qt::Key_Up) << 2;
        QTest::newRow("up in the first row") << 1 << int(Qt::Key_Up) << 1;
        QTest::newRow("down in the last row") << 3 << int(Qt::Key_Down) << 3;
    }

    void arrowsMoveBetweenEquations()
    {
        QFETCH(int, startRow);
        QFETCH(int, key);
        QFETCH(int, endRow);
        Sheet s(3);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.grid->setCol(2);
        s.grid->setRow(startRow);
        teclado::escribir("9");
        teclado::tecla(Qt::Key(key));
        QCOMPARE(s.grid->TextMatrix(startRow, 2), QString("9"));
        QCOMPARE(s.current(), Cell(endRow, 2));
        QVERIFY(!s.editor->isOpen());
    }

    void escapeDiscards()
    {
        Sheet s(2);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.grid->setTextMatrix(1, 1, "old");
        teclado::escribir("123");
        teclado::tecla(Qt::Key_Escape);
        QVERIFY(!s.editor->isOpen());
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("old"));
        QCOMPARE(QApplication::focusWidget(), s.grid);
    }

    void leftAndRightEditTheText()
    {
        Sheet s(2);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        teclado::escribir("12");
        teclado::tecla(Qt::Key_Left);
        teclado::escribir("5");
        teclado::tecla(Qt::Key_Right);
        teclado::escribir("0");
        QCOMPARE(s.text1->text(), QString("1520"));
        QCOMPARE(s.current(), Cell(1, 1));
        QVERIFY(s.editor->isOpen());
    }

    void clickOnAnotherCellCommitsIntoTheEditedOne()
    {
        Sheet s(3);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        teclado::escribir("8");
        const QRect other = s.grid->visualRect(s.grid->model()->index(3, 2));
        QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, other.center());
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("8"));
        QCOMPARE(s.grid->TextMatrix(3, 2), QString());
        QCOMPARE(s.current(), Cell(3, 2));
        QCOMPARE(s.grid->TextMatrix(0, 0), QString("3,2"));
        QVERIFY(!s.editor->isOpen());
    }

    void anyTextIsAccepted()
    {
        Sheet s(2);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        teclado::escribir("abc ñ");
        teclado::tecla(Qt::Key_Return);
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("abc ñ"));
    }

    // The keypad's decimal key types the locale's separator, on the grid and in the
    // editor; the main keyboard's keys and the keypad's digits type what they show.
    void keypadDecimalTypesTheLocaleSeparator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opensTheEditor");
        QTest::addColumn<QString>("cell");
        const int kp = Qt::KeypadModifier;
        const int period = Qt::Key_Period;
        // With Num Lock off, Shift makes the keypad's Delete key the decimal key.
        const int shiftKp = kp | Qt::ShiftModifier;
        QTest::newRow("es keypad period, editor") << "es_ES" << period << kp << false << "1,5";
        QTest::newRow("es keypad period, grid") << "es_ES" << period << kp << true << ",5";
        QTest::newRow("es shift keypad period") << "es_ES" << period << shiftKp << false << "1,5";
        QTest::newRow("en keypad period") << "en_US" << period << kp << false << "1.5";
        QTest::newRow("es main period") << "es_ES" << period << 0 << false << "1.5";
        QTest::newRow("es keypad digit") << "es_ES" << int(Qt::Key_3) << kp << false << "135";
    }

    void keypadDecimalTypesTheLocaleSeparator()
    {
        QFETCH(QString, locale);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, opensTheEditor);
        QFETCH(QString, cell);
        locale_.fijar(QLocale(locale));
        Sheet s(2);
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        if (!opensTheEditor)
            teclado::escribir("1");
        teclado::tecla(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(s.editor->isOpen());
        teclado::escribir("5");
        teclado::tecla(Qt::Key_Return);
        QCOMPARE(s.grid->TextMatrix(1, 1), cell);
    }

    void noCellBeforeTheFirstLayout()
    {
        QWidget window;
        auto* grid = new GridControl(&window);
        grid->setFixedRows(1);
        grid->setRows(2);
        grid->setCols(0);
        auto* text1 = new QLineEdit(&window);
        text1->hide();
        CellEditor editor(*grid, *text1);
        editor.UbicarEditor('7');
        editor.UbicarEditor(CellEditor::DoubleClickCode);
        QVERIFY(!editor.isOpen());
    }

private:
    LocaleDePrueba locale_;
};

QTEST_MAIN(TestCellEditor)
#include "tst_celleditor.moc"
