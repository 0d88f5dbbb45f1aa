#include "grid/GridControl.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

// A student at the keyboard: every key goes to whatever has the focus at that moment.
class Teclado
{
public:
    Teclado()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    void type(const QString& text)
    {
        for (const QChar c : text) {
            const auto key = c.unicode() < 128 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), key, c, {});
        }
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }

    GridControl* grid(const char* name) const
    {
        return window->findChild<GridControl*>(QLatin1String(name));
    }
    QStringList solution() const
    {
        QStringList values;
        for (int i = 0; i < grid("F_Resp")->Rows(); ++i)
            values << grid("F_Resp")->TextMatrix(i, 1);
        return values;
    }

    std::unique_ptr<FrmP> window = std::make_unique<FrmP>();
};

} // namespace

class TestTecleo : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void systemTypedWithTheKeyboardAlone()
    {
        Teclado t;
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        // The number box has the focus with its "4" selected: typing replaces it.
        t.type("3");
        t.key(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), t.grid("Cuadric"));

        // 2 X1 + X2 - X3 = 8 ; -3 X1 - X2 + 2 X3 = -11 ; -2 X1 + X2 + 2 X3 = -3
        const QStringList values = {"2", "1",   "-1", "8", "-3", "-1",
                                    "2", "-11", "-2", "1", "2",  "-3"};
        for (const QString& v : values) {
            t.type(v);
            t.key(Qt::Key_Return);
        }
        QCOMPARE(t.grid("Cuadric")->TextMatrix(3, 4), QString("-3"));
        QCOMPARE(t.grid("Cuadric")->TextMatrix(0, 0), QString("3,4"));

        t.key(Qt::Key_F4);
        QCOMPARE(t.solution(), (QStringList{"2", "3", "-1"}));
        QCOMPARE(t.grid("F_Rint_0")->TextMatrix(1, 0), QString("-3"));
        QCOMPARE(t.grid("F_Rint_1")->TextMatrix(0, 1), QString("0,5"));

        t.window->findChild<QRadioButton*>("Op_Gauss")->setChecked(true);
        t.key(Qt::Key_F4);
        QCOMPARE(t.solution(), (QStringList{"2,00000", "3,00000", "-1,00000"}));
    }

    void calculateUsesTheValueStillInTheEditor()
    {
        Teclado t;
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        t.type("2");
        t.key(Qt::Key_Return);
        // X1 + X2 = 5 ; X2 = 7
        for (const char* v : {"1", "1", "5", "0", "1"}) {
            t.type(QLatin1String(v));
            t.key(Qt::Key_Return);
        }
        t.type("7"); // the last independent term, left open in the editor
        QVERIFY(t.window->findChild<QLineEdit*>("Text1")->isVisible());
        t.window->findChild<QAbstractButton*>("B_Calcular")->click();
        QCOMPARE(t.grid("Cuadric")->TextMatrix(2, 3), QString("7"));
        QCOMPARE(t.solution(), (QStringList{"-2", "7"}));
        QVERIFY(!t.window->findChild<QLineEdit*>("Text1")->isVisible());
    }

    void matricesViewTakesAnOpenEditIntoItsCell()
    {
        Teclado t;
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        t.type("2");
        t.key(Qt::Key_Return);
        t.type("6");
        t.window->findChild<QAbstractButton*>("B_Mostrar")->click();
        QVERIFY(t.window->findChild<QLineEdit*>("Text1")->isHidden());
        QCOMPARE(t.grid("Cuadric")->TextMatrix(1, 1), QString("6"));
        t.window->findChild<QAbstractButton*>("B_Mostrar")->click();
        QVERIFY(t.window->findChild<QLineEdit*>("Text1")->isHidden());
        QCOMPARE(t.grid("Cuadric")->TextMatrix(1, 1), QString("6"));
    }

    void pasteCommitsAnOpenEditFirst()
    {
        Teclado t;
        QVERIFY(QTest::qWaitForWindowActive(t.window.get()));
        t.type("2");
        t.key(Qt::Key_Return);
        t.type("9");
        QGuiApplication::clipboard()->setText(QStringLiteral("1,5\t0\t3\n4\t1\t9\t6"));
        // The edit lands in its cell first; the block, pasted at the same cell, then
        // replaces it. The fourth value of the second line falls outside the body.
        t.grid("Cuadric")->pasteFromClipboard();
        QVERIFY(!t.window->findChild<QLineEdit*>("Text1")->isVisible());
        QCOMPARE(t.grid("Cuadric")->TextMatrix(1, 1), QString("1,5"));
        QCOMPARE(t.grid("Cuadric")->TextMatrix(2, 3), QString("9"));
        QCOMPARE(t.grid("Cuadric")->TextMatrix(2, 0), QString("EQ2"));
        t.key(Qt::Key_F4);
        // 1.5 X1 = 3 ; 4 X1 + X2 = 9
        QCOMPARE(t.solution(), (QStringList{"2", "1"}));
    }
};

QTEST_MAIN(TestTecleo)
#include "tst_tecleo.moc"
