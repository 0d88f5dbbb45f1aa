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

    // Shift+F10 and the Menu key open the focused grid's menu, or the open editor's text
    // menu; once, also where the platform sends its own request before the Menu key.
    void contextMenuKeys_data()
    {
        QTest::addColumn<QString>("destino");
        QTest::addColumn<QKeyCombination>("teclas");
        QTest::addColumn<bool>("pedidoAntes");
        for (const char* g : {"Cuadric", "F_Resp", "F_Rint_0", "F_Rint_1", "Text1"}) {
            QTest::addRow("%s, Shift+F10", g) << g << QKeyCombination(Qt::ShiftModifier, Qt::Key_F10) << false;
            QTest::addRow("%s, Menu", g) << g << QKeyCombination(Qt::Key_Menu) << false;
            QTest::addRow("%s, Menu after a request", g) << g << QKeyCombination(Qt::Key_Menu) << true;
        }
        QTest::newRow("Cuadric, F10") << "Cuadric" << QKeyCombination(Qt::Key_F10) << false;
    }

    void contextMenuKeys()
    {
        QFETCH(QString, destino);
        QFETCH(QKeyCombination, teclas);
        QFETCH(bool, pedidoAntes);
        WindowFixture t;
        t.aceptar(QStringLiteral("2"));
        if (destino.startsWith(QLatin1String("F_Rint")))
            t.p.B_Mostrar->click();
        t.w(destino == QLatin1String("Text1") ? "Cuadric" : qPrintable(destino))->setFocus();
        if (destino == QLatin1String("Text1"))
            escribir("7");
        QWidget* foco = QApplication::focusWidget();
        QCOMPARE(foco->objectName(), destino);
        // A grid's menu runs its own loop; the editor's pops up and returns.
        QStringList menus;
        const auto cerrar = [&menus] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menus << menu->parentWidget()->objectName();
                menu->close();
            }
        };
        QTimer reloj;
        QObject::connect(&reloj, &QTimer::timeout, &reloj, cerrar);
        reloj.start(0);
        QContextMenuEvent pedido(QContextMenuEvent::Keyboard, {}, foco->mapToGlobal(QPoint()));
        if (pedidoAntes)
            QCoreApplication::sendEvent(foco, &pedido);
        QTest::keyClick(foco, teclas.key(), teclas.keyboardModifiers());
        cerrar();
        QCOMPARE(menus, teclas.key() == Qt::Key_F10 && !teclas.keyboardModifiers() ? QStringList() : QStringList{destino});
        QCOMPARE(t.p.Text1->isVisible(), destino == QLatin1String("Text1"));
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestTecleo)
#include "tst_typing.moc"
