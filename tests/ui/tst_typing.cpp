#include "Keyboard.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLocale>
#include <QTest>
#include <QTimer>

using teclado::escribir;
using teclado::tecla;

namespace {

QStringList solucion(const WindowFixture& t)
{
    return WindowFixture::columna(*t.p.F_Resp, 1);
}

} // namespace

class TestTecleo : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void systemTypedWithTheKeyboardAlone()
    {
        WindowFixture t;
        // The number box has the focus with its "4" selected: typing replaces it.
        escribir("3");
        tecla(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), t.p.Cuadric);

        // 2 X1 + X2 - X3 = 8 ; -3 X1 - X2 + 2 X3 = -11 ; -2 X1 + X2 + 2 X3 = -3
        const QStringList values = {"2", "1", "-1", "8", "-3", "-1", "2", "-11", "-2", "1", "2", "-3"};
        for (const QString& v : values) {
            escribir(v);
            tecla(Qt::Key_Return);
        }
        QCOMPARE(t.p.Cuadric->TextMatrix(3, 4), QString("-3"));
        QCOMPARE(t.p.Cuadric->TextMatrix(0, 0), QString("3,4"));

        tecla(Qt::Key_F4);
        QCOMPARE(solucion(t), (QStringList{"2", "3", "-1"}));
        QCOMPARE(t.p.F_Rint[0]->TextMatrix(1, 0), QString("-3"));
        QCOMPARE(t.p.F_Rint[1]->TextMatrix(0, 1), QString("0,5"));

        t.p.Op_Gauss->setChecked(true);
        tecla(Qt::Key_F4);
        QCOMPARE(solucion(t), (QStringList{"2,00000", "3,00000", "-1,00000"}));
    }

    void calculateUsesTheValueStillInTheEditor()
    {
        WindowFixture t;
        escribir("2");
        tecla(Qt::Key_Return);
        // X1 + X2 = 5 ; X2 = 7
        for (const char* v : {"1", "1", "5", "0", "1"}) {
            escribir(QLatin1String(v));
            tecla(Qt::Key_Return);
        }
        escribir("7"); // the last independent term, left open in the editor
        QVERIFY(t.p.Text1->isVisible());
        t.p.B_Calcular->click();
        QCOMPARE(t.p.Cuadric->TextMatrix(2, 3), QString("7"));
        QCOMPARE(solucion(t), (QStringList{"-2", "7"}));
        QVERIFY(!t.p.Text1->isVisible());
    }

    void matricesViewTakesAnOpenEditIntoItsCell()
    {
        WindowFixture t;
        escribir("2");
        tecla(Qt::Key_Return);
        escribir("6");
        t.p.B_Mostrar->click();
        QVERIFY(t.p.Text1->isHidden());
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QString("6"));
        t.p.B_Mostrar->click();
        QVERIFY(t.p.Text1->isHidden());
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QString("6"));
    }

    void pasteCommitsAnOpenEditFirst()
    {
        WindowFixture t;
        escribir("2");
        tecla(Qt::Key_Return);
        escribir("9");
        QGuiApplication::clipboard()->setText(QStringLiteral("1,5\t0\t3\n4\t1\t9\t6"));
        // The edit lands in its cell first; the block, pasted at the same cell, then
        // replaces it. The fourth value of the second line falls outside the body.
        t.p.Cuadric->pasteFromClipboard();
        QVERIFY(!t.p.Text1->isVisible());
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QString("1,5"));
        QCOMPARE(t.p.Cuadric->TextMatrix(2, 3), QString("9"));
        QCOMPARE(t.p.Cuadric->TextMatrix(2, 0), QString("EQ2"));
        tecla(Qt::Key_F4);
        // 1.5 X1 = 3 ; 4 X1 + X2 = 9
        QCOMPARE(solucion(t), (QStringList{"2", "1"}));
    }

    // The keyboard's two ways to a context menu open the menu of the grid that has the
    // focus; while the editor is open, the editor's own text menu. Once each, also where
    // the platform sends a menu request of its own before the Menu key.
    void contextMenuKeys_data()
    {
        QTest::addColumn<QString>("destino");
        QTest::addColumn<int>("clave");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<bool>("antesDeLaTecla"); // the platform's request first
        const int shift = int(Qt::ShiftModifier);
        for (const char* grid : {"Cuadric", "F_Resp", "F_Rint_0", "F_Rint_1", "Text1"}) {
            QTest::addRow("%s, Shift+F10", grid) << grid << int(Qt::Key_F10) << shift << false;
            QTest::addRow("%s, Menu", grid) << grid << int(Qt::Key_Menu) << 0 << false;
            QTest::addRow("%s, Menu after the platform's request", grid) << grid << int(Qt::Key_Menu) << 0 << true;
        }
        QTest::newRow("Cuadric, F10 alone") << "Cuadric" << int(Qt::Key_F10) << 0 << false;
    }

    void contextMenuKeys()
    {
        QFETCH(QString, destino);
        QFETCH(int, clave);
        QFETCH(int, modificadores);
        QFETCH(bool, antesDeLaTecla);
        WindowFixture t;
        // A grid's menu runs its own loop; the editor's text menu pops up and returns.
        QStringList menus;
        const auto cerrarMenu = [&menus] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menus << menu->parentWidget()->objectName();
                menu->close();
            }
        };
        escribir("2");
        tecla(Qt::Key_Return);
        for (const char* v : {"2", "1", "3", "4", "5", "6"}) {
            escribir(QLatin1String(v));
            tecla(Qt::Key_Return);
        }
        tecla(Qt::Key_F4);
        if (destino.startsWith(QLatin1String("F_Rint")))
            t.p.B_Mostrar->click();
        if (destino == QLatin1String("Text1")) {
            t.p.Cuadric->setFocus();
            escribir("7");
        } else {
            t.w(qPrintable(destino))->setFocus();
        }
        QWidget* foco = QApplication::focusWidget();
        QCOMPARE(foco->objectName(), destino);

        QTimer cierre;
        QObject::connect(&cierre, &QTimer::timeout, &cierre, cerrarMenu);
        cierre.start(0);
        if (antesDeLaTecla) {
            const QPoint at = foco->rect().center();
            QContextMenuEvent pedido(QContextMenuEvent::Keyboard, at, foco->mapToGlobal(at));
            QCoreApplication::sendEvent(foco, &pedido);
        }
        QTest::keyClick(foco, Qt::Key(clave), Qt::KeyboardModifiers(modificadores));
        cerrarMenu();
        const bool abre = clave == Qt::Key_Menu || modificadores == Qt::ShiftModifier;
        QCOMPARE(menus, abre ? QStringList{destino} : QStringList());
        // The edit is still open, with its text, and nothing was typed into the worksheet.
        QCOMPARE(t.p.Text1->isVisible(), destino == QLatin1String("Text1"));
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QStringLiteral("2"));
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestTecleo)
#include "tst_typing.moc"
