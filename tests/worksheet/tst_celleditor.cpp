#include "DataColumns.h"
#include "Keyboard.h"
#include "TestLocale.h"
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
        QVERIFY(QTest::qWaitForWindowActive(&window));
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
    void cleanup() { locale_.restore(); }

    // What is typed replaces the cell's value, whatever it is; the key that follows ends the
    // edit: Enter and the arrows write it and move, Escape discards it.
    void typedThenAKey_data()
    {
        // clang-format off
        addColumns<int, int, QString, QString, int, QString, int, int>("startRow", "startCol", "before", "typed", "key", "after", "endRow", "endCol");
        QTest::newRow("enter") << 1 << 1 << "42" << "75" << int(Qt::Key_Return) << "75" << 1 << 2;
        QTest::newRow("any text") << 1 << 1 << "" << "abc ñ" << int(Qt::Key_Return) << "abc ñ" << 1 << 2;
        QTest::newRow("escape") << 1 << 1 << "old" << "123" << int(Qt::Key_Escape) << "old" << 1 << 1;
        QTest::newRow("down") << 1 << 2 << "" << "9" << int(Qt::Key_Down) << "9" << 2 << 2;
        QTest::newRow("up") << 3 << 2 << "" << "9" << int(Qt::Key_Up) << "9" << 2 << 2;
        QTest::newRow("up in the first row") << 1 << 2 << "" << "9" << int(Qt::Key_Up) << "9" << 1 << 2;
        QTest::newRow("down in the last row") << 3 << 2 << "" << "9" << int(Qt::Key_Down) << "9" << 3 << 2;
        // clang-format on
    }

    void typedThenAKey()
    {
        QFETCH(int, startRow);
        QFETCH(int, startCol);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(int, endRow);
        QFETCH(int, endCol);
        Sheet s(3);
        s.grid->setCol(startCol);
        s.grid->setRow(startRow);
        s.grid->setTextMatrix(startRow, startCol, before);
        keyboard::typeText(typed.left(1));
        QVERIFY(s.editor->isOpen());
        QCOMPARE(s.text1->text(), typed.left(1));
        QCOMPARE(s.text1->cursorPosition(), 1);
        QCOMPARE(s.grid->TextMatrix(startRow, startCol), before); // not written yet
        // The editor lies exactly over the current cell.
        QCOMPARE(s.text1->geometry().topLeft(), s.grid->pos() + QPoint(s.grid->CellLeft() / 15, s.grid->CellTop() / 15));
        keyboard::typeText(typed.mid(1));
        keyboard::press(Qt::Key(key));
        QTEST(s.grid->TextMatrix(startRow, startCol), "after");
        QCOMPARE(s.current(), Cell(endRow, endCol));
        QVERIFY(!s.editor->isOpen());
        QCOMPARE(QApplication::focusWidget(), s.grid);
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
        s.grid->setTextMatrix(1, 1, "3,25");
        if (how == 0) {
            const QRect cell = s.grid->visualRect(s.grid->model()->index(1, 1));
            QTest::mouseDClick(s.grid->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            keyboard::press(Qt::Key(how));
        }
        QVERIFY(s.editor->isOpen());
        QCOMPARE(s.text1->text(), QString("3,25"));
        QCOMPARE(s.text1->cursorPosition(), 4);
        QCOMPARE(s.current(), Cell(1, 1)); // opening never moves
    }

    void enterWalksInReadingOrder()
    {
        Sheet s(2);
        const QList<Cell> expected = {{1, 2}, {1, 3}, {2, 1}, {2, 2}, {2, 3}, {2, 3}};
        for (int step = 0; step < expected.size(); ++step) {
            keyboard::typeText(QString::number(step + 1));
            keyboard::press(Qt::Key_Return);
            QCOMPARE(s.current(), expected[step]);
            QVERIFY(!s.editor->isOpen());
            QCOMPARE(s.grid->TextMatrix(0, 0), QStringLiteral("%1,%2").arg(expected[step].first).arg(expected[step].second));
        }
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("1"));
        QCOMPARE(s.grid->TextMatrix(1, 3), QString("3"));
        QCOMPARE(s.grid->TextMatrix(2, 1), QString("4"));
        QCOMPARE(s.grid->TextMatrix(2, 3), QString("6")); // the last one overwrote the 5th
    }

    void leftAndRightEditTheText()
    {
        Sheet s(2);
        keyboard::typeText("12");
        keyboard::press(Qt::Key_Left);
        keyboard::typeText("5");
        keyboard::press(Qt::Key_Right);
        keyboard::typeText("0");
        QCOMPARE(s.text1->text(), QString("1520"));
        QCOMPARE(s.current(), Cell(1, 1));
        QVERIFY(s.editor->isOpen());
    }

    void clickOnAnotherCellCommitsIntoTheEditedOne()
    {
        Sheet s(3);
        keyboard::typeText("8");
        const QRect other = s.grid->visualRect(s.grid->model()->index(3, 2));
        QTest::mouseClick(s.grid->viewport(), Qt::LeftButton, {}, other.center());
        QCOMPARE(s.grid->TextMatrix(1, 1), QString("8"));
        QCOMPARE(s.grid->TextMatrix(3, 2), QString());
        QCOMPARE(s.current(), Cell(3, 2));
        QCOMPARE(s.grid->TextMatrix(0, 0), QString("3,2"));
        QVERIFY(!s.editor->isOpen());
    }

    // The keypad's decimal key types the locale's separator, on the grid and in the
    // editor; the main keyboard's keys and the keypad's digits type what they show.
    void keypadDecimalTypesTheLocaleSeparator_data()
    {
        addColumns<QString, int, int, bool, QString>("locale", "key", "modifiers", "opensTheEditor", "cell");
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
        locale_.set(QLocale(locale));
        Sheet s(2);
        if (!opensTheEditor)
            keyboard::typeText("1");
        keyboard::press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(s.editor->isOpen());
        keyboard::typeText("5");
        keyboard::press(Qt::Key_Return);
        QTEST(s.grid->TextMatrix(1, 1), "cell");
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

    // A screen reader says which cell the editor edits as it takes the focus.
    void editorNamedAfterItsCell_data()
    {
        addColumns<int, int, bool, QString>("row", "col", "headers", "name");
        QTest::newRow("coefficient") << 2 << 3 << true << "Editor de celda, EQ2 X3";
        QTest::newRow("independent term") << 3 << 4 << true << "Editor de celda, EQ3 T.I";
        QTest::newRow("headers not written") << 2 << 3 << false << "Editor de celda";
    }

    void editorNamedAfterItsCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, headers);
        Sheet s(3);
        if (!headers) {
            const GridControl::BulkUpdate bulk(*s.grid);
            for (int c = 0; c < s.grid->Cols(); ++c)
                s.grid->setTextMatrix(0, c, {});
            for (int r = 0; r < s.grid->Rows(); ++r)
                s.grid->setTextMatrix(r, 0, {});
        }
        s.grid->setRow(1);
        s.grid->setCol(1);
        // Opened over another cell first: the name follows the cell.
        s.editor->UbicarEditor('1');
        s.editor->commit();
        s.grid->setRow(row);
        s.grid->setCol(col);
        s.editor->UbicarEditor(CellEditor::DoubleClickCode);
        QTEST(s.text1->accessibleName(), "name");
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestCellEditor)
#include "tst_celleditor.moc"
