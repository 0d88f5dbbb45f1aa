#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

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

class TestHistorial : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void undoAndRedo_data()
    {
        QTest::addColumn<Paso>("cambio");
        QTest::addColumn<QStringList>("despues");
        QTest::newRow("typed edit") << Paso([](Ventana& w) {
            QTest::keyClicks(w.p.Cuadric, QStringLiteral("9"));
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }) << QStringList{"9", "2", "3", "4", "5", "6"};
        QTest::newRow("paste") << Paso([](Ventana& w) { w.pegar(QStringLiteral("7\t8\n9\t10\n"), 1, 2); })
                               << QStringList{"1", "7", "8", "4", "9", "10"};
        QTest::newRow("random fill") << Paso([](Ventana& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); }) << QStringList();
    }

    // One step each, back with Ctrl+Z, again with Ctrl+Y and Ctrl+Shift+Z.
    void undoAndRedo()
    {
        QFETCH(Paso, cambio);
        QFETCH(QStringList, despues);
        Ventana w;
        QVERIFY(!w.w<QAction>("mnuDeshacer")->isEnabled());
        cambio(w);
        const QStringList hecho = w.cuerpo();
        QVERIFY(hecho != kTecleado);
        if (!despues.isEmpty())
            QCOMPARE(hecho, despues);
        w.tecla(Qt::Key_Z);
        QCOMPARE(w.cuerpo(), kTecleado);
        QVERIFY(!w.p.Text1->isVisible());
        // Nothing before the worksheet's own typing: the rows were filled by the test.
        w.tecla(Qt::Key_Z);
        QCOMPARE(w.cuerpo(), kTecleado);
        w.tecla(Qt::Key_Y);
        QCOMPARE(w.cuerpo(), hecho);
        w.tecla(Qt::Key_Z);
        w.tecla(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.cuerpo(), hecho);
        QVERIFY(!w.p.Text1->isVisible());
    }

    void freshHistory_data()
    {
        QTest::addColumn<Paso>("nuevo");
        QTest::newRow("new n") << Paso([](Ventana& w) { w.aceptar(QStringLiteral("2")); });
        QTest::newRow("Nuevo Cálculo") << Paso([](Ventana& w) {
            w.p.mnuNuevo->trigger();
            w.aceptar(QStringLiteral("2"));
        });
    }

    void freshHistory()
    {
        QFETCH(Paso, nuevo);
        Ventana w;
        QTest::keyClick(w.v.get(), Qt::Key_F3);
        nuevo(w);
        const QStringList antes = w.cuerpo();
        QVERIFY(!w.w<QAction>("mnuDeshacer")->isEnabled());
        w.tecla(Qt::Key_Z);
        QCOMPARE(w.cuerpo(), antes);
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
                                          << QStringList{"-Deshacer", "-Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet, empty clipboard") << Paso([](Ventana&) { QGuiApplication::clipboard()->clear(); }) << "Cuadric"
                                                    << QStringList{"-Deshacer", "-Rehacer", "Copiar", "-Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet after F3") << Paso([](Ventana& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); }) << "Cuadric"
                                            << QStringList{"Deshacer", "-Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet after an undo") << Paso([](Ventana& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.tecla(Qt::Key_Z);
        }) << "Cuadric" << QStringList{"-Deshacer", "Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
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

QTEST_MAIN(TestHistorial)
#include "tst_worksheethistory.moc"
