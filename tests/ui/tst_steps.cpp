#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <functional>

namespace {

// 2·X1 + X2 + X3 = 4, 4·X1 + 4·X2 + 2·X3 = 10, 2·X1 + 3·X2 + 6·X3 = 11: every step exact
// in binary, solution (1, 1, 1).
const Filas kSample{{"2", "1", "1", "4"}, {"4", "4", "2", "10"}, {"2", "3", "6", "11"}};
// X1 + X2 = 2, X1 + X2 + X3 = 3, X2 + X3 = 2: solution (1, 1, 1), determinant −1, and no
// method of the program finds it.
const Filas kUnreached{{"1", "1", "0", "2"}, {"1", "1", "1", "3"}, {"0", "1", "1", "2"}};
// The first coefficient of the first equation is zero.
const Filas kExchange{{"0", "1", "1", "2"}, {"1", "0", "1", "2"}, {"1", "1", "0", "2"}};

struct Ventana : WindowFixture
{
    // The system solved by the method, through the button, closing any message.
    void resolver(const Filas& filas, bool choleski)
    {
        aceptar(QString::number(filas.size()));
        llenar(filas);
        (choleski ? p.Op_Ch : p.Op_Gauss)->setChecked(true);
        ModalCloser mensajes;
        p.B_Calcular->click();
    }

    // "Ver paso a paso…" opened, by its action or by F6 on the window; `mirar` runs on the
    // dialog while it is open.
    void conPasos(const std::function<void(QDialog&)>& mirar, bool f6 = false)
    {
        ModalCloser cierre;
        // Its keys act in the active window, as the user's window manager makes it.
        cierre.alAparecer = [&](QWidget& d) {
            QApplication::setActiveWindow(&d);
            QVERIFY(QTest::qWaitForWindowActive(&d));
            mirar(static_cast<QDialog&>(d));
        };
        // The message box of a failed solve took the activation away.
        QApplication::setActiveWindow(v.get());
        if (f6)
            QTest::keyClick(v.get(), Qt::Key_F6);
        else
            w<QAction>("mnuPasos")->trigger();
        QCOMPARE(cierre.textos(), QStringList{"frmPasos"});
    }
};

struct Dialogo
{
    explicit Dialogo(QDialog& dialogo)
        : d(dialogo), arbol(buscar<QTreeView>(dialogo, "LstPasos")), m(arbol->model()), matriz(buscar<GridControl>(dialogo, "F_Paso")),
          paso(buscar<QLabel>(dialogo, "Et_Paso"))
    {}

    int hojas() const
    {
        int total = 0;
        for (int s = 0; s < m->rowCount(); ++s)
            total += m->rowCount(m->index(s, 0));
        return total;
    }
    QStringList etapas() const
    {
        QStringList t;
        for (int s = 0; s < m->rowCount(); ++s)
            t << m->index(s, 0).data().toString();
        return t;
    }
    QString hoja(int etapa, int fila) const { return m->index(fila, 0, m->index(etapa, 0)).data().toString(); }
    QString ultimaHoja() const
    {
        const QModelIndex etapa = m->index(m->rowCount() - 1, 0);
        return m->index(m->rowCount(etapa) - 1, 0, etapa).data().toString();
    }
    // Column `col` of the matrix shown, body rows only.
    QStringList columna(int col) const
    {
        QStringList c;
        for (int r = 1; r < matriz->Rows(); ++r)
            c << matriz->TextMatrix(r, col);
        return c;
    }
    void pulsar(const char* boton) const { buscar<QPushButton>(d, boton)->click(); }

    QDialog& d;
    QTreeView* arbol;
    QAbstractItemModel* m;
    GridControl* matriz;
    QLabel* paso;
};

} // namespace

class TestPasos : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void tree_data()
    {
        QTest::addColumn<Filas>("filas");
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QStringList>("etapas");
        QTest::addColumn<int>("hojas");
        QTest::addColumn<QString>("primera");
        QTest::addColumn<QString>("ultima");

        QTest::newRow("Choleski") << kSample << true
                                  << QStringList{"Factorización A = B·C", "Sustitución hacia adelante B·y = b",
                                                 "Sustitución hacia atrás C·x = y"}
                                  << 27 << "B(1,1) = A(1,1) = 2"
                                  << "Fila 2 de C ← Fila 2 de C − 0·Fila 3 de C";
        QTest::newRow("Gauss - Jordan") << kSample << false << QStringList{"Pivote 1: A(1,1)", "Pivote 2: A(2,2)", "Pivote 3: A(3,3)"} << 9
                                        << "Fila 1 ← Fila 1 / 2"
                                        << "Fila 2 ← Fila 2 − 0·Fila 3";
    }

    void tree()
    {
        QFETCH(Filas, filas);
        QFETCH(bool, choleski);
        QFETCH(QStringList, etapas);
        QFETCH(int, hojas);
        QFETCH(QString, primera);
        QFETCH(QString, ultima);
        Ventana v;
        v.resolver(filas, choleski);
        v.conPasos([&](QDialog& d) {
            const Dialogo p(d);
            QCOMPARE(d.windowTitle(), choleski ? QStringLiteral("Paso a paso — Método de Choleski")
                                               : QStringLiteral("Paso a paso — Método de Gauss - Jordan"));
            QCOMPARE(p.etapas(), etapas);
            QCOMPARE(p.hojas(), hojas);
            QCOMPARE(p.hoja(0, 0), primera);
            QCOMPARE(p.ultimaHoja(), ultima);
            // A screen reader meets each step by its sentence.
            QAccessibleInterface* arbol = QAccessible::queryAccessibleInterface(p.arbol);
            QVERIFY(arbol);
            bool nombrada = false;
            for (int i = 0; i < arbol->childCount() && !nombrada; ++i)
                nombrada = arbol->child(i)->text(QAccessible::Name) == primera;
            QVERIFY2(nombrada, "no step is named by its sentence");
        });
    }

    void finalMatrices_data()
    {
        QTest::addColumn<Filas>("filas");
        QTest::addColumn<bool>("choleski");
        QTest::newRow("Choleski") << kSample << true;
        QTest::newRow("Choleski after an exchange") << kExchange << true;
        QTest::newRow("Gauss - Jordan") << kSample << false;
        QTest::newRow("Gauss - Jordan after a rotation") << kExchange << false;
    }

    // The matrices the dialog arrives at are those the window shows after the solve.
    void finalMatrices()
    {
        QFETCH(Filas, filas);
        QFETCH(bool, choleski);
        Ventana v;
        v.resolver(filas, choleski);
        const int n = int(filas.size());
        const QStringList solucion = WindowFixture::columna(*v.p.F_Resp, 1);
        QList<QStringList> factores;
        for (const GridControl* g : v.p.F_Rint)
            for (int c = 0; c < n; ++c)
                factores << WindowFixture::columna(*g, c);
        v.conPasos([&](QDialog& d) {
            const Dialogo p(d);
            p.pulsar("B_Fin");
            if (!choleski) {
                QStringList cinco;
                for (const QString& t : p.columna(n + 1))
                    cinco << QLocale().toString(QLocale().toFloat(t), 'f', 5);
                QCOMPARE(cinco, solucion);
                return;
            }
            QCOMPARE(p.columna(2 * n + 2), solucion);
            // B and C are shown as the last factorization left them.
            int ultima = -1;
            for (int s = 0; s < p.m->rowCount(); ++s)
                if (p.m->index(s, 0).data().toString().startsWith(QStringLiteral("Factorización")))
                    ultima = s;
            const QModelIndex etapa = p.m->index(ultima, 0);
            p.arbol->setCurrentIndex(p.m->index(p.m->rowCount(etapa) - 1, 0, etapa));
            QList<QStringList> vistos;
            for (int c = 1; c <= n; ++c)
                vistos << p.columna(c);
            for (int c = n + 2; c <= 2 * n + 1; ++c)
                vistos << p.columna(c);
            QCOMPARE(vistos, factores);
        });
    }

    void unreachedSolution_data()
    {
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QString>("ultima");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("Choleski") << true << "el cálculo se detiene con el error 9"
                                  << "El cálculo se detiene con el error 9 (Subíndice fuera del intervalo). El sistema tiene solución "
                                     "(determinante -1): el método de Choleski sin intercambio de pivote no la encuentra; tampoco el "
                                     "método de Gauss - Jordan: ninguno de los dos métodos del programa la encuentra.";
        QTest::newRow("Gauss - Jordan")
            << false << "el método avisa de que el sistema no es soluble por este método"
            << "El método de Gauss - Jordan se detiene sin solución tras 1 reintento y muestra su mensaje. El sistema "
               "tiene solución (determinante -1): el método de Gauss - Jordan sin intercambio de pivote no la "
               "encuentra; tampoco el método de Choleski: ninguno de los dos métodos del programa la encuentra.";
    }

    void unreachedSolution()
    {
        QFETCH(bool, choleski);
        QFETCH(QString, ultima);
        QFETCH(QString, motivo);
        Ventana v;
        v.resolver(kUnreached, choleski);
        QVERIFY(v.w<QAction>("mnuPasos")->isEnabled());
        v.conPasos(
            [&](QDialog& d) {
                const Dialogo p(d);
                QVERIFY2(p.ultimaHoja().endsWith(ultima), qPrintable(p.ultimaHoja()));
                QCOMPARE(buscar<QLabel>(d, "Et_Motivo")->text(), motivo);
            },
            true);
    }

    void navigation_data()
    {
        QTest::addColumn<QStringList>("acciones");
        QTest::addColumn<QString>("paso");
        QTest::newRow("opens on the first") << QStringList{} << "Paso 1 de 27";
        QTest::newRow("Siguiente") << QStringList{"B_Siguiente"} << "Paso 2 de 27";
        QTest::newRow("Alt+Right") << QStringList{"Alt+Right", "Alt+Right"} << "Paso 3 de 27";
        QTest::newRow("Down in the tree") << QStringList{"Down"} << "Paso 2 de 27";
        QTest::newRow("Fin") << QStringList{"B_Fin"} << "Paso 27 de 27";
        QTest::newRow("Alt+End, Alt+Left") << QStringList{"Alt+End", "Alt+Left"} << "Paso 26 de 27";
        QTest::newRow("Siguiente at the end") << QStringList{"Alt+End", "B_Siguiente"} << "Paso 27 de 27";
        QTest::newRow("Anterior at the start") << QStringList{"B_Anterior"} << "Paso 1 de 27";
        QTest::newRow("Inicio") << QStringList{"B_Fin", "B_Inicio"} << "Paso 1 de 27";
        QTest::newRow("Alt+Home") << QStringList{"Alt+End", "Alt+Home"} << "Paso 1 de 27";
        QTest::newRow("across a stage") << QStringList{"Alt+End", "Alt+Home", "B_Fin", "Alt+Left", "Alt+Left"} << "Paso 25 de 27";
    }

    void navigation()
    {
        QFETCH(QStringList, acciones);
        QFETCH(QString, paso);
        Ventana v;
        v.resolver(kSample, true);
        v.conPasos([&](QDialog& d) {
            const Dialogo p(d);
            for (const QString& a : acciones) {
                if (a.startsWith(QLatin1String("B_")))
                    p.pulsar(qPrintable(a));
                else if (a == QLatin1String("Down"))
                    QTest::keyClick(p.arbol, Qt::Key_Down);
                else
                    QTest::keySequence(&d, QKeySequence::fromString(a));
            }
            QVERIFY2(p.paso->text().startsWith(paso + QStringLiteral(": ")), qPrintable(p.paso->text()));
            // The announced step is the one selected in the tree.
            QVERIFY(p.paso->text().endsWith(p.arbol->currentIndex().data().toString()));
            QGuiApplication::clipboard()->clear();
            p.pulsar("B_Copiar");
            const QStringList copiado = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
            QCOMPARE(copiado.value(0), p.paso->text());
            QCOMPARE(copiado.value(1), QStringLiteral("\tB1\tB2\tB3\ty\tC1\tC2\tC3\tx"));
            QCOMPARE(copiado.value(2).split(QLatin1Char('\t')).mid(1, 3),
                     QStringList({p.matriz->TextMatrix(1, 1), p.matriz->TextMatrix(1, 2), p.matriz->TextMatrix(1, 3)}));
        });
    }

    void cellValues()
    {
        Ventana v;
        v.resolver(kSample, false);
        v.conPasos([&](QDialog& d) {
            const Dialogo p(d);
            p.matriz->setRow(1);
            p.matriz->setCol(1);
            // After the first step, row 1 is divided by 2: exact in both precisions.
            QCOMPARE(buscar<QLabel>(d, "Et_Celda")->text(),
                     QStringLiteral("A(1,1): precisión simple 1; precisión doble 1; diferencia 0 unidades en la "
                                    "última cifra (ninguna cifra perdida)."));
            QVERIFY(!buscar<QWidget>(d, "Et_Escala")->isVisibleTo(&d));
            buscar<QAbstractButton>(d, "Ch_Cifras")->click();
            QVERIFY(buscar<QWidget>(d, "Et_Escala")->isVisibleTo(&d));
        });
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestPasos)
#include "tst_steps.moc"
