#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include "ui/FrmP.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

namespace {

struct Ventana : WindowFixture
{
    void aceptar(int n) const { WindowFixture::aceptar(QString::number(n)); }

    // 2·X1 + X2 = 3 and 4·X1 + 5·X2 = 0, the last term left for the solve to fill with 0.
    void ejemplo(bool choleski)
    {
        aceptar(2);
        const QStringList valores{"2", "1", "3", "4", "5"};
        for (int k = 0; k < valores.size(); ++k)
            p.Cuadric->setTextMatrix(1 + k / 3, 1 + k % 3, valores[k]);
        (choleski ? p.Op_Ch : p.Op_Gauss)->setChecked(true);
        p.B_Calcular->click();
    }

    // One cell of the second equation changed, then a solve that ends in a message.
    void calcularConMensaje(int col, const QString& texto)
    {
        ModalCloser mensajes;
        p.Cuadric->setTextMatrix(2, col, texto);
        p.B_Calcular->click();
        QCOMPARE(mensajes.vistos.size(), 1);
    }

    QAction* verificar() const { return w<QAction>("mnuVerificar"); }

    // The report's two entries follow the verification.
    void comprobarInforme(bool habilitada) const
    {
        for (const char* nombre : {"mnuInforme", "mnuImprimir"})
            QVERIFY2(w<QAction>(nombre)->isEnabled() == habilitada, nombre);
    }

    QAction* pasos() const { return w<QAction>("mnuPasos"); }
};

using Cambio = std::function<void(Ventana&)>;

} // namespace

Q_DECLARE_METATYPE(Cambio)

class TestVerificacion : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void enabledAfterASolve_data()
    {
        QTest::addColumn<bool>("choleski");
        QTest::newRow("Choleski") << true;
        QTest::newRow("Gauss - Jordan") << false;
    }

    void enabledAfterASolve()
    {
        QFETCH(bool, choleski);
        Ventana w;
        QVERIFY(!w.verificar()->isEnabled());
        w.comprobarInforme(false);
        QVERIFY(!w.pasos()->isEnabled());
        w.ejemplo(choleski);
        w.comprobarInforme(true);
        // The "0" the solve wrote into the empty cell did not count as a change.
        QCOMPARE(w.p.Cuadric->TextMatrix(2, 3), QStringLiteral("0"));
        QVERIFY(w.verificar()->isEnabled());
        QVERIFY(w.pasos()->isEnabled());
        QCOMPARE(w.pasos()->shortcut(), QKeySequence(Qt::Key_F6));
        // Not in the window's menus, which stay as they are.
        for (QAction* titulo : w.p.barra->actions())
            for (QAction* a : {w.verificar(), w.pasos()})
                QVERIFY(!titulo->menu() || !titulo->menu()->actions().contains(a));
    }

    void afterAnAction_data()
    {
        QTest::addColumn<Cambio>("cambio");
        QTest::addColumn<bool>("habilitada");
        QTest::addColumn<bool>("pasos"); // "Ver paso a paso…"

        QTest::newRow("typed edit") << Cambio([](Ventana& w) {
            w.enCelda(1, 1);
            QTest::keyClick(w.p.Cuadric, Qt::Key_7);
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }) << false << false;
        QTest::newRow("paste") << Cambio([](Ventana& w) { w.pegar(QStringLiteral("8\t9")); }) << false << false;
        QTest::newRow("F3") << Cambio([](Ventana& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); }) << false << false;
        QTest::newRow("new n") << Cambio([](Ventana& w) { w.aceptar(3); }) << false << false;
        QTest::newRow("Nuevo Cálculo") << Cambio([](Ventana& w) { w.p.mnuNuevo->trigger(); }) << false << false;
        QTest::newRow("failed solve") << Cambio([](Ventana& w) { w.calcularConMensaje(1, QStringLiteral(" ")); }) << false << false;
        QTest::newRow("insoluble by Gauss - Jordan") << Cambio([](Ventana& w) {
            w.p.Op_Gauss->setChecked(true);
            w.calcularConMensaje(2, QStringLiteral("2"));
        }) << false << true;
        // B(2,2) = 0: the forward substitution traps, after the methods were reached.
        QTest::newRow("Choleski stopped") << Cambio([](Ventana& w) { w.calcularConMensaje(2, QStringLiteral("2")); }) << false << true;
        // The worksheet and the solution stay as they were.
        QTest::newRow("same n again") << Cambio([](Ventana& w) { w.aceptar(2); }) << true << true;
        QTest::newRow("fitting the columns") << Cambio([](Ventana& w) { w.p.Command1->click(); }) << true << true;
        QTest::newRow("moving about") << Cambio([](Ventana& w) {
            w.p.Cuadric->setRow(2);
            w.p.Cuadric->setCol(2);
        }) << true << true;
        QTest::newRow("matrices and back") << Cambio([](Ventana& w) {
            w.p.B_Mostrar->click();
            w.p.B_Mostrar->click();
        }) << true << true;
        QTest::newRow("the same paste") << Cambio([](Ventana& w) { w.pegar(QStringLiteral("2\t1")); }) << true << true;
        QTest::newRow("Supr") << Cambio([](Ventana& w) {
            w.enCelda(1, 2);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Delete);
        }) << false << false;
        QTest::newRow("F3 and an undo") << Cambio([](Ventana& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Z, Qt::ControlModifier);
        }) << false << false;
        QTest::newRow("F3 and a solve") << Cambio([](Ventana& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.p.B_Calcular->click();
        }) << true << true;
    }

    void afterAnAction()
    {
        QFETCH(Cambio, cambio);
        QFETCH(bool, habilitada);
        QFETCH(bool, pasos);
        Ventana w;
        w.ejemplo(true);
        QVERIFY(w.verificar()->isEnabled());
        cambio(w);
        QCOMPARE(w.verificar()->isEnabled(), habilitada);
        w.comprobarInforme(habilitada);
        // At the same moments the results still shown are marked as old, and say why.
        const bool solucion = !WindowFixture::columna(*w.p.F_Resp, 1).join(QString()).isEmpty();
        QCOMPARE(w.p.F_Resp->isMuted(), solucion && !habilitada);
        for (const GridControl* g : {w.p.F_Resp, w.p.F_Rint[0], w.p.F_Rint[1]}) {
            // A solve that reached the methods wrote B and C afresh, even when it stopped later.
            QCOMPARE(g->isMuted(), g == w.p.F_Resp ? solucion && !habilitada : g->Rows() > 0 && !pasos);
            const QString motivo = !g->isMuted()     ? QString()
                                   : g == w.p.F_Resp ? QStringLiteral("Solución de una hoja anterior: pulse Calcular para actualizarla")
                                                     : QStringLiteral("Factores de una hoja anterior: pulse Calcular para actualizarlos");
            QCOMPARE(g->toolTip(), motivo);
            QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<GridControl*>(g))->text(QAccessible::Description), motivo);
        }
        QCOMPARE(w.pasos()->isEnabled(), pasos);
    }

    void dialogShowsCopiesAndCloses_data()
    {
        QTest::addColumn<QString>("destino"); // empty: the dialog itself
        QTest::addColumn<int>("tecla");       // 0: a click on "Cerrar"
        QTest::newRow("Enter") << QString() << int(Qt::Key_Return);
        QTest::newRow("Enter in a table") << "T_Solucion" << int(Qt::Key_Enter);
        QTest::newRow("Enter on Copiar") << "B_Copiar" << int(Qt::Key_Return);
        QTest::newRow("Escape") << QString() << int(Qt::Key_Escape);
        QTest::newRow("Escape in a table") << "T_Residuos" << int(Qt::Key_Escape);
        QTest::newRow("Cerrar") << QString() << 0;
    }

    void dialogShowsCopiesAndCloses()
    {
        QFETCH(QString, destino);
        QFETCH(int, tecla);
        Ventana w;
        w.ejemplo(true);
        QGuiApplication::clipboard()->clear();
        QStringList visto;
        bool resistio = false;
        ModalCloser cierre;
        cierre.alAparecer = [&](QWidget& d) {
            visto << d.windowTitle();
            auto* residuos = buscar<QTableWidget>(d, "T_Residuos");
            auto* solucion = buscar<QTableWidget>(d, "T_Solucion");
            for (int r = 0; r < residuos->rowCount(); ++r)
                visto << residuos->verticalHeaderItem(r)->text() + '=' + residuos->item(r, 0)->text();
            for (int r = 0; r < solucion->rowCount(); ++r)
                visto << solucion->item(r, 0)->text() + '/' + solucion->item(r, 1)->text();
            buscar<QAbstractButton>(d, "B_Copiar")->click();
        };
        cierre.cerrar = [&](QWidget& d) {
            QWidget* foco = destino.isEmpty() ? &d : buscar<QWidget>(d, qPrintable(destino));
            foco->setFocus();
            if (tecla)
                QTest::keyClick(foco, Qt::Key(tecla));
            else
                buscar<QAbstractButton>(d, "B_Cerrar")->click();
        };
        // A key that fails to close the dialog leaves it to the closer, and fails here.
        cierre.alResistir = [&](QWidget&) { resistio = true; };
        w.verificar()->trigger();
        QCOMPARE(cierre.textos(), QStringList{"frmVerificacion"});
        QVERIFY(!resistio);
        QCOMPARE(visto, QStringList({"Verificación de la solución", "EQ1=0", "EQ2=0", "2,5/2,5", "-2/-2"}));
        QVERIFY(!QApplication::activeModalWidget());
        const QString copiado = QGuiApplication::clipboard()->text();
        QVERIFY(copiado.contains(QStringLiteral("X1\t2,5\t2,5\t0\n")));
        QVERIFY(copiado.contains(QStringLiteral("Cifras correctas esperadas, cota por κ∞\t6 de 7")));
    }

    // The typed texts reach the report as its second reference: the textbook system fits the
    // singles exactly, a tenth does not. The dialog fits its screen, its buttons in view.
    void typedSystems_data()
    {
        QTest::addColumn<Filas>("filas");
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QStringList>("comienzos");
        QTest::addColumn<int>("columnas"); // of the solution table
        Filas clasico{{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}};
        QTest::newRow("textbook, Gauss - Jordan")
            << clasico << false
            << QStringList{"El sistema está bien condicionado (κ∞ = 60)", "Los datos escritos caben exactos",
                           "El método de Gauss - Jordan no añade error"}
            << 3;
        clasico[0][3] = "8,1";
        QTest::newRow("a tenth, Choleski") << clasico << true
                                           << QStringList{"El sistema está bien condicionado",
                                                          "Guardar los datos escritos en precisión simple ya cuesta",
                                                          "El método de Choleski"}
                                           << 4;
    }

    void typedSystems()
    {
        QFETCH(Filas, filas);
        QFETCH(bool, choleski);
        QFETCH(QStringList, comienzos);
        QFETCH(int, columnas);
        Ventana w;
        w.aceptar(int(filas.size()));
        w.llenar(filas);
        (choleski ? w.p.Op_Ch : w.p.Op_Gauss)->setChecked(true);
        w.p.B_Calcular->click();
        ModalCloser cierre;
        cierre.alAparecer = [&](QWidget& d) {
            for (int k = 0; k < comienzos.size(); ++k) {
                const QString frase = buscar<QLabel>(d, qPrintable(QStringLiteral("Et_Frase%1").arg(k + 1)))->text();
                QVERIFY2(frase.startsWith(comienzos[k]), qPrintable(frase));
            }
            QCOMPARE(buscar<QTableWidget>(d, "T_Solucion")->columnCount(), columnas);
            QVERIFY2(d.screen()->availableGeometry().contains(d.frameGeometry()),
                     qPrintable(QStringLiteral("%1x%2").arg(d.width()).arg(d.height())));
            for (const char* boton : {"B_Copiar", "B_Cerrar"}) {
                auto* b = buscar<QWidget>(d, boton);
                QVERIFY(b->isVisible() && d.rect().contains(QRect(b->mapTo(&d, QPoint()), b->size())));
            }
        };
        w.verificar()->trigger();
        QCOMPARE(cierre.textos(), QStringList{"frmVerificacion"});
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestVerificacion)
#include "tst_verificationdialog.moc"
