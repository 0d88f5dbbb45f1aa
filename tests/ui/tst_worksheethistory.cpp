#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include "worksheet/WorksheetHistory.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTest>

#include <functional>

namespace {

struct Ventana : WindowFixture
{
    // A worksheet of 2 equations holding 1 … 6, typed in, the first cell current.
    Ventana()
    {
        aceptar(QStringLiteral("2"));
        llenar({{"1", "2", "3"}, {"4", "5", "6"}});
        enCelda(1, 1);
    }
    void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) const { QTest::keyClick(p.Cuadric, k, m); }
    // The undo keys where the keyboard is: the worksheet, or the number box without one.
    void teclaAlFoco(Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) const { QTest::keyClick(QApplication::focusWidget(), k, m); }
    // What undo brings back: every cell but the corner that follows the current cell, the
    // worksheet's shape and state, the status line and the commands disabled.
    QStringList hoja() const
    {
        QStringList h = celdas(*p.Cuadric).mid(1);
        h << QString::number(p.Cuadric->Rows()) << QString::number(p.Cuadric->Cols()) << QString::number(p.Cuadric->isEnabled()) << estado()
          << deshabilitados().join(QLatin1Char(','));
        return h;
    }
    // The entries of a grid's context menu, "-" before a disabled one.
    static QStringList menu(GridControl& g)
    {
        const std::unique_ptr<QMenu> m(g.createContextMenu());
        QStringList t;
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                t << (a->isEnabled() ? QString() : QStringLiteral("-")) + a->text().remove(QLatin1Char('&'));
        return t;
    }
};

using Paso = std::function<void(Ventana&)>;

const QStringList kTecleado{"1", "2", "3", "4", "5", "6"};

} // namespace

Q_DECLARE_METATYPE(Paso)

class TestWorksheetHistory : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void undoAndRedo_data()
    {
        QTest::addColumn<Paso>("preparar");
        QTest::addColumn<Paso>("cambio");
        QTest::addColumn<QStringList>("despues");
        const auto nada = Paso([](Ventana&) {});
        const auto f3 = Paso([](Ventana& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); });
        QTest::newRow("typed edit") << nada << Paso([](Ventana& w) {
            QTest::keyClicks(w.p.Cuadric, QStringLiteral("9"));
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }) << QStringList{"9", "2", "3", "4", "5", "6"};
        QTest::newRow("paste") << nada << Paso([](Ventana& w) { w.pegar(QStringLiteral("7\t8\n9\t10\n"), 1, 2); })
                               << QStringList{"1", "7", "8", "4", "9", "10"};
        QTest::newRow("random fill") << nada << f3 << QStringList();
        QTest::newRow("random fill behind B and C") << nada << Paso([](Ventana& w) {
            w.p.B_Mostrar->click();
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.p.B_Mostrar->click();
            w.enCelda(1, 1);
        }) << QStringList();
        QTest::newRow("Supr on a block") << nada << Paso([](Ventana& w) {
            w.enCelda(1, 2);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Delete);
        }) << QStringList{"1", "", "3", "4", "", "6"};
        QTest::newRow("block pasted from the editor") << nada << Paso([](Ventana& w) {
            w.enCelda(2, 2);
            QTest::keyClicks(w.p.Cuadric, QStringLiteral("5"));
            QGuiApplication::clipboard()->setText(QStringLiteral("7\t8\n"));
            QTest::keyClick(w.p.Text1, Qt::Key_V, Qt::ControlModifier);
        }) << QStringList{"1", "2", "3", "4", "7", "8"};
        QTest::newRow("new n") << nada << Paso([](Ventana& w) { w.aceptar(QStringLiteral("3")); })
                               << QStringList{"1", "2", "3", "", "4", "5", "6", "", "", "", "", ""};
        QTest::newRow("F2") << nada << Paso([](Ventana& w) { QTest::keyClick(w.v.get(), Qt::Key_F2); }) << QStringList();
        QTest::newRow("Nuevo Cálculo") << f3 << Paso([](Ventana& w) { w.p.B_Nuevo->click(); }) << QStringList();
        QTest::newRow("a new n after mnuNuevo")
            << Paso([](Ventana& w) { w.p.mnuNuevo->trigger(); }) << Paso([](Ventana& w) { w.aceptar(QStringLiteral("2")); })
            << QStringList{"", "", "", "", "", ""};
        QTest::newRow("100 to 3") << Paso([](Ventana& w) {
            w.aceptar(QStringLiteral("100"));
            QTest::keyClick(w.v.get(), Qt::Key_F3);
        }) << Paso([](Ventana& w) { w.aceptar(QStringLiteral("3")); })
                                  << QStringList();
    }

    // One step each, back with Ctrl+Z to the same worksheet, n and stage, again with Ctrl+Y
    // and Ctrl+Shift+Z; from the number box where the change leaves the worksheet disabled.
    void undoAndRedo()
    {
        QFETCH(Paso, preparar);
        QFETCH(Paso, cambio);
        QFETCH(QStringList, despues);
        Ventana w;
        preparar(w);
        const QStringList antes = w.hoja();
        const QStringList cuerpoAntes = w.cuerpo();
        cambio(w);
        const QStringList hecho = w.hoja();
        QVERIFY(w.w<QAction>("mnuDeshacer")->isEnabled());
        if (!despues.isEmpty())
            QCOMPARE(w.cuerpo(), despues);
        w.teclaAlFoco(Qt::Key_Z);
        QCOMPARE(w.hoja(), antes);
        QCOMPARE(w.cuerpo(), cuerpoAntes);
        QVERIFY(!w.p.Text1->isVisible());
        w.teclaAlFoco(Qt::Key_Y);
        QCOMPARE(w.hoja(), hecho);
        w.teclaAlFoco(Qt::Key_Z);
        w.teclaAlFoco(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.hoja(), hecho);
        QVERIFY(!w.p.Text1->isVisible());
    }

    // The first layout is a step too; undone, it leaves the number box in the focus, where
    // the keys reach the history once the box has no typing of its own to take back.
    void layoutStepsAndTheNumberBox()
    {
        Ventana w;
        w.tecla(Qt::Key_Z);
        QCOMPARE(w.p.Cuadric->Cols(), 0);
        QVERIFY(!w.p.Cuadric->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.p.T_Incog);
        QVERIFY(!w.w<QAction>("mnuDeshacer")->isEnabled());
        w.teclaAlFoco(Qt::Key_Y);
        // As laid out: the rows were filled by the test, outside the history.
        QCOMPARE(w.cuerpo(), QStringList(6));
        QCOMPARE(QApplication::focusWidget(), w.p.Cuadric);
        w.p.B_Nuevo->click();
        QTest::keyClicks(w.p.T_Incog, QStringLiteral("7"));
        w.teclaAlFoco(Qt::Key_Z);
        QCOMPARE(w.p.T_Incog->text(), QStringLiteral("2"));
        QCOMPARE(w.p.Cuadric->Cols(), 0);
        w.teclaAlFoco(Qt::Key_Z);
        QCOMPARE(w.p.Cuadric->Cols(), 4);
        QCOMPARE(w.estado(), QStringLiteral("Ingrese todos los datos para el sistema de 2 ecuaciones, luego pulse Calcular."));
    }

    // A random fill of 100 equations a hundred times over: the history keeps its budget.
    void boundedMemory()
    {
        Ventana w;
        w.aceptar(QStringLiteral("100"));
        auto* historial = w.v->findChild<WorksheetHistory*>();
        QVERIFY(historial);
        for (int i = 0; i < 100; ++i)
            QTest::keyClick(w.v.get(), Qt::Key_F3);
        qInfo("n = 100, 100 random fills: %d steps, %zu bytes", historial->stepCount(), historial->byteSize());
        QCOMPARE(historial->stepCount(), WorksheetHistory::kSteps);
        QVERIFY(historial->byteSize() <= WorksheetHistory::kBudget);
    }

    // An insoluble system stops the calculation with its message; meanwhile nothing undoes.
    void noUndoDuringACalculation()
    {
        Ventana w;
        w.p.Cuadric->setTextMatrix(2, 1, QStringLiteral("2"));
        w.p.Cuadric->setTextMatrix(2, 2, QStringLiteral("4"));
        QTest::keyClick(w.v.get(), Qt::Key_F3);
        w.p.Cuadric->setTextMatrix(1, 1, QStringLiteral("1"));
        w.p.Cuadric->setTextMatrix(1, 2, QStringLiteral("2"));
        w.p.Cuadric->setTextMatrix(2, 1, QStringLiteral("2"));
        w.p.Cuadric->setTextMatrix(2, 2, QStringLiteral("4"));
        const QStringList antes = w.cuerpo();
        w.p.Op_Gauss->setChecked(true);
        ModalCloser mensajes;
        bool habilitada = true;
        mensajes.alAparecer = [&](QWidget&) {
            habilitada = w.w<QAction>("mnuDeshacer")->isEnabled();
            w.tecla(Qt::Key_Z);
            w.w<QAction>("mnuDeshacer")->trigger();
        };
        w.p.B_Calcular->click();
        QCOMPARE(mensajes.vistos.size(), 1);
        QVERIFY(!habilitada);
        QCOMPARE(w.cuerpo(), antes);
        QVERIFY(w.w<QAction>("mnuDeshacer")->isEnabled());
    }

    void contextMenus_data()
    {
        QTest::addColumn<Paso>("paso");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QStringList>("entradas");
        const auto nada = Paso([](Ventana&) {});
        QTest::newRow("worksheet, fresh") << nada << "Cuadric"
                                          << QStringList{"Deshacer", "-Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet, empty clipboard") << Paso([](Ventana&) { QGuiApplication::clipboard()->clear(); }) << "Cuadric"
                                                    << QStringList{"Deshacer", "-Rehacer", "Copiar", "-Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet after F3") << Paso([](Ventana& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); }) << "Cuadric"
                                            << QStringList{"Deshacer", "-Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet after an undo") << Paso([](Ventana& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.tecla(Qt::Key_Z);
        }) << "Cuadric" << QStringList{"Deshacer", "Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("solution before a solve")
            << nada << "F_Resp" << QStringList{"Copiar", "Seleccionar todo", "-Verificar solución…", "-Ver paso a paso…"};
        QTest::newRow("solution after a solve") << Paso([](Ventana& w) { w.p.B_Calcular->click(); }) << "F_Resp"
                                                << QStringList{"Copiar", "Seleccionar todo", "Verificar solución…", "Ver paso a paso…"};
        QTest::newRow("solution after an undo") << Paso([](Ventana& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.p.B_Calcular->click();
            w.tecla(Qt::Key_Z);
        }) << "F_Resp" << QStringList{"Copiar", "Seleccionar todo", "-Verificar solución…", "-Ver paso a paso…"};
        QTest::newRow("matrix B") << Paso([](Ventana& w) { w.p.B_Calcular->click(); }) << "F_Rint_0"
                                  << QStringList{"Copiar", "Seleccionar todo", "Ver paso a paso…"};
        QTest::newRow("matrix C") << Paso([](Ventana& w) { w.p.B_Calcular->click(); }) << "F_Rint_1"
                                  << QStringList{"Copiar", "Seleccionar todo", "Ver paso a paso…"};
    }

    void contextMenus()
    {
        QFETCH(Paso, paso);
        QFETCH(QString, grid);
        QFETCH(QStringList, entradas);
        Ventana w;
        QGuiApplication::clipboard()->setText(QStringLiteral("1"));
        paso(w);
        QCOMPARE(Ventana::menu(*w.w<GridControl>(qPrintable(grid))), entradas);
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestWorksheetHistory)
#include "tst_worksheethistory.moc"
