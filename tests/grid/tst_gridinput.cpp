#include "ShapedGrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class TestGridInput : public QObject
{
    Q_OBJECT

private slots:
    void keyPressCodes_data();
    void keyPressCodes();
    void focusComesAndGoes();
    void doubleClickOnBodyCells();
    void disabledGridTakesNoInput();
};

void TestGridInput::keyPressCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code"); // -1: no KeyPress

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
void TestGridInput::keyPressCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);

    auto grid = shapedGrid(4, 4);
    QSignalSpy pressed(grid.get(), &GridControl::KeyPress);
    QTest::sendKeyEvent(QTest::Click, grid.get(), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    if (code < 0) {
        QCOMPARE(pressed.count(), 0);
    } else {
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.front().front().toInt(), code);
    }
}

// The grid takes the focus, raising GotFocus, and Tab moves it on without a key or a move
// reaching the grid.
void TestGridInput::focusComesAndGoes()
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
    QSignalSpy moved(grid, &GridControl::RowColChange);
    QTest::keyClick(&window, Qt::Key_Tab);
    QTRY_VERIFY(next->hasFocus());
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(moved.count(), 0);
}

void TestGridInput::doubleClickOnBodyCells()
{
    auto owner = shapedGrid(4, 4);
    GridControl& grid = *owner;
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QSignalSpy doubleClicked(&grid, &GridControl::DblClick);
    QSignalSpy moved(&grid, &GridControl::RowColChange);
    const auto centre = [&](int r, int c) { return grid.visualRect(grid.model()->index(r, c)).center(); };

    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre(0, 2));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre(2, 0));
    QCOMPARE(doubleClicked.count(), 0);

    // A real double-click: press, release, press again as a double-click, release.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(2, 3));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre(2, 3));
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 3);
}

void TestGridInput::disabledGridTakesNoInput()
{
    auto owner = shapedGrid(4, 4);
    GridControl& grid = *owner;
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setEnabled(false);
    QSignalSpy pressed(&grid, &GridControl::KeyPress);
    QSignalSpy moved(&grid, &GridControl::RowColChange);
    QTest::keyClick(&grid, Qt::Key_7);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(grid.model()->index(2, 2)).center());
    QCOMPARE(pressed.count(), 0);
    QCOMPARE(moved.count(), 0);
}

QTEST_MAIN(TestGridInput)
#include "tst_gridinput.moc"
