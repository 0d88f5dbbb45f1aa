#include "DataColumns.h"
#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <functional>

// What a solve leaves to look at: its steps, the verification of its solution, its report.

namespace {

// 2·X1 + X2 + X3 = 4, 4·X1 + 4·X2 + 2·X3 = 10, 2·X1 + 3·X2 + 6·X3 = 11: every step exact
// in binary, solution (1, 1, 1).
const Table kSample{{"2", "1", "1", "4"}, {"4", "4", "2", "10"}, {"2", "3", "6", "11"}};
// X1 + X2 = 2, X1 + X2 + X3 = 3, X2 + X3 = 2: solution (1, 1, 1), determinant −1, and no
// method of the program finds it.
const Table kUnreached{{"1", "1", "0", "2"}, {"1", "1", "1", "3"}, {"0", "1", "1", "2"}};
// The first coefficient of the first equation is zero: Choleski exchanges rows once, Gauss -
// Jordan rotates its rows before reducing. The solution is 1, 1, 1.
const Table kExchange{{"0", "1", "1", "2"}, {"1", "0", "1", "2"}, {"1", "1", "0", "2"}};

// "Ver paso a paso…" opened, by its action or by F6 on the window; `look` runs on the
// dialog while it is open.
void withSteps(const WindowFixture& f, const std::function<void(QDialog&)>& look, bool f6 = false)
{
    ModalCloser closer;
    // Its keys act in the active window, as the user's window manager makes it.
    closer.onShown = [&](QWidget& d) {
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        look(static_cast<QDialog&>(d));
    };
    // The message box of a failed solve took the activation away.
    QApplication::setActiveWindow(f.v.get());
    if (f6)
        QTest::keyClick(f.v.get(), Qt::Key_F6);
    else
        f.action("mnuPasos")->trigger();
    QCOMPARE(closer.shown(), QStringList{"frmPasos"});
}

struct StepsDialog
{
    explicit StepsDialog(QDialog& dialog)
        : d(dialog), tree(child<QTreeView>(dialog, "LstPasos")), m(tree->model()), matrix(child<GridControl>(dialog, "F_Paso")),
          step(child<QLabel>(dialog, "Et_Paso"))
    {}

    int leafCount() const
    {
        int total = 0;
        for (int s = 0; s < m->rowCount(); ++s)
            total += m->rowCount(m->index(s, 0));
        return total;
    }
    QStringList stages() const
    {
        QStringList t;
        for (int s = 0; s < m->rowCount(); ++s)
            t << m->index(s, 0).data().toString();
        return t;
    }
    QString leaf(int etapa, int row) const { return m->index(row, 0, m->index(etapa, 0)).data().toString(); }
    QString lastLeaf() const
    {
        const QModelIndex etapa = m->index(m->rowCount() - 1, 0);
        return m->index(m->rowCount(etapa) - 1, 0, etapa).data().toString();
    }
    // Column `col` of the matrix shown, body rows only.
    QStringList column(int col) const
    {
        QStringList c;
        for (int r = 1; r < matrix->Rows(); ++r)
            c << matrix->TextMatrix(r, col);
        return c;
    }
    void press(const char* button) const { child<QPushButton>(d, button)->click(); }

    QDialog& d;
    QTreeView* tree;
    QAbstractItemModel* m;
    GridControl* matrix;
    QLabel* step;
};

// 2·X1 + X2 = 3 and 4·X1 + 5·X2 = 0, the last term left for the solve to fill with 0.
const Table kExample{{"2", "1", "3"}, {"4", "5"}};

// One cell of the second equation changed, then a solve that ends in a message.
void solveWithMessage(const WindowFixture& w, int col, const QString& text)
{
    ModalCloser messages;
    w.p.Cuadric->setTextMatrix(2, col, text);
    w.p.B_Calcular->click();
    QCOMPARE(messages.seen.size(), 1);
}

// The report's two entries follow the verification.
void checkReportEntries(const WindowFixture& w, bool enabled)
{
    for (const char* name : {"mnuInforme", "mnuImprimir"})
        QVERIFY2(w.action(name)->isEnabled() == enabled, name);
}

using Change = std::function<void(WindowFixture&)>;

// A window with n equations, typed for three, random from F3 for more, solved by the
// method; a folder for what it exports.
struct SolvedWindow : WindowFixture
{
    SolvedWindow(int n, bool choleski)
    {
        if (n == 3) {
            solve(kExchange, choleski);
        } else {
            accept(QString::number(n));
            QTest::keyClick(v.get(), Qt::Key_F3);
            (choleski ? p.Op_Ch : p.Op_Gauss)->setChecked(true);
            p.B_Calcular->click();
        }
        QVERIFY(action("mnuInforme")->isEnabled());
    }

    // "Exportar informe…" answered with a file in the folder and a filter; what the modal
    // windows said.
    QStringList exportReport(const QString& name, const QString& filter) const
    {
        ModalCloser closer;
        closer.onShown = [&](QWidget& m) {
            if (auto* d = qobject_cast<QFileDialog*>(&m)) {
                d->selectNameFilter(filter);
                d->selectFile(dir.filePath(name));
                static_cast<QDialog*>(d)->accept();
            }
        };
        action("mnuInforme")->trigger();
        return closer.shown();
    }

    QTemporaryDir dir;
};

QString pdfToText(const QString& pdf)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (program.isEmpty())
        qFatal("pdftotext no está instalado (scripts/install-deps.sh)");
    QProcess p;
    p.start(program, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Each \begin closed by its own \end, in order; the environments met, in order.
QStringList environments(const QString& tex, bool& balanced)
{
    static const QRegularExpression mark(QStringLiteral(R"(\\(begin|end)\{(\w+)\})"));
    QStringList open, seen;
    balanced = true;
    for (const auto& m : mark.globalMatch(tex)) {
        if (m.captured(1) == QLatin1String("begin")) {
            open << m.captured(2);
            seen << m.captured(2);
        } else if (open.isEmpty() || open.takeLast() != m.captured(2)) {
            balanced = false;
        }
    }
    balanced = balanced && open.isEmpty();
    return seen;
}

// The rows of each matrix environment, as the grids' texts.
QList<Table> matrices(const QString& tex)
{
    static const QRegularExpression matrix(QStringLiteral(R"(\\begin\{(?:pmatrix|array)\}(?:\{[r|]+\})?\n(.*?)\\end\{)"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QList<Table> all;
    for (const auto& m : matrix.globalMatch(tex)) {
        Table rows;
        for (QString row : m.captured(1).split(QStringLiteral("\\\\\n"))) {
            row.replace(QStringLiteral("{,}"), QStringLiteral(",")).replace(QStringLiteral("\\mathrm{E}"), QStringLiteral("E"));
            QStringList cells;
            for (const QString& c : row.split(u'&'))
                cells << c.trimmed();
            rows << cells;
        }
        all << rows;
    }
    return all;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestAfterSolve : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.set(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restore(); }

    void tree_data()
    {
        // clang-format off
        addColumns<Table, bool, QStringList, int, QString, QString, QString>("rows", "choleski", "stages", "leafCount", "first", "second", "last");

        QTest::newRow("Choleski") << kSample << true << QStringList{"Factorización A = B·C", "Sustitución hacia adelante B·y = b", "Sustitución hacia atrás C·x = y"} << 27 << "B(1,1) = A(1,1) = 2" << "B(2,1) = A(2,1) = 4" << "Fila 2 de C ← Fila 2 de C − 0·Fila 3 de C";
        QTest::newRow("Gauss - Jordan") << kSample << false << QStringList{"Pivote 1: A(1,1)", "Pivote 2: A(2,2)", "Pivote 3: A(3,3)"} << 9 << "Fila 1 ← Fila 1 / 2" << "Fila 2 ← Fila 2 − 4·Fila 1" << "Fila 2 ← Fila 2 − 0·Fila 3";
        QTest::newRow("negative factor") << Table{{"2", "1", "3"}, {"-4", "1", "0"}} << false << QStringList{"Pivote 1: A(1,1)", "Pivote 2: A(2,2)"} << 4 << "Fila 1 ← Fila 1 / 2" << "Fila 2 ← Fila 2 − (−4)·Fila 1" << "Fila 1 ← Fila 1 − 0,5·Fila 2";
        // clang-format on
    }

    void tree()
    {
        QFETCH(Table, rows);
        QFETCH(bool, choleski);
        QFETCH(QStringList, stages);
        QFETCH(int, leafCount);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, last);
        WindowFixture v;
        v.solve(rows, choleski);
        withSteps(v, [&](QDialog& d) {
            const StepsDialog p(d);
            QCOMPARE(d.windowTitle(), choleski ? QStringLiteral("Paso a paso — Método de Choleski")
                                               : QStringLiteral("Paso a paso — Método de Gauss - Jordan"));
            QCOMPARE(p.stages(), stages);
            QCOMPARE(p.leafCount(), leafCount);
            QCOMPARE(p.leaf(0, 0), first);
            // A negative number as a factor: the sign "−", between parentheses.
            QCOMPARE(p.leaf(0, 1), second);
            QCOMPARE(p.lastLeaf(), last);
            // A screen reader meets each step by its sentence.
            QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(p.tree);
            QVERIFY(tree);
            bool named = false;
            for (int i = 0; i < tree->childCount() && !named; ++i)
                named = tree->child(i)->text(QAccessible::Name) == first;
            QVERIFY2(named, "no step is named by its sentence");
        });
    }

    void finalMatrices_data()
    {
        // clang-format off
        addColumns<Table, bool>("rows", "choleski");
        QTest::newRow("Choleski") << kSample << true;
        QTest::newRow("Choleski after an exchange") << kExchange << true;
        QTest::newRow("Gauss - Jordan") << kSample << false;
        QTest::newRow("Gauss - Jordan after a rotation") << kExchange << false;
        // clang-format on
    }

    // The matrices the dialog arrives at are those the window shows after the solve.
    void finalMatrices()
    {
        QFETCH(Table, rows);
        QFETCH(bool, choleski);
        WindowFixture v;
        v.solve(rows, choleski);
        const int n = int(rows.size());
        const QStringList solution = v.solution();
        QList<QStringList> factors;
        for (const GridControl* g : v.p.F_Rint)
            for (int c = 0; c < n; ++c)
                factors << WindowFixture::column(*g, c);
        withSteps(v, [&](QDialog& d) {
            const StepsDialog p(d);
            p.press("B_Fin");
            if (!choleski) {
                QStringList fiveDecimals;
                for (const QString& t : p.column(n + 1))
                    fiveDecimals << QLocale().toString(QLocale().toFloat(t), 'f', 5);
                QCOMPARE(fiveDecimals, solution);
                return;
            }
            QCOMPARE(p.column(2 * n + 2), solution);
            // B and C are shown as the last factorization left them.
            int last = -1;
            for (int s = 0; s < p.m->rowCount(); ++s)
                if (p.m->index(s, 0).data().toString().startsWith(QStringLiteral("Factorización")))
                    last = s;
            const QModelIndex etapa = p.m->index(last, 0);
            p.tree->setCurrentIndex(p.m->index(p.m->rowCount(etapa) - 1, 0, etapa));
            QList<QStringList> seen;
            for (int c = 1; c <= n; ++c)
                seen << p.column(c);
            for (int c = n + 2; c <= 2 * n + 1; ++c)
                seen << p.column(c);
            QCOMPARE(seen, factors);
        });
    }

    void unreachedSolution_data()
    {
        // clang-format off
        addColumns<bool, QString, QString>("choleski", "last", "reason");
        QTest::newRow("Choleski") << true << "el cálculo se detiene con el error 9" << "El cálculo se detiene con el error 9 (Subíndice fuera del intervalo). El sistema tiene solución " "(determinante −1): el método de Choleski sin intercambio de pivote no la encuentra; tampoco el " "método de Gauss - Jordan: ninguno de los dos métodos del programa la encuentra.";
        QTest::newRow("Gauss - Jordan") << false << "el método avisa de que el sistema no es soluble por este método" << "El método de Gauss - Jordan se detiene sin solución tras 1 reintento y muestra su mensaje. El sistema " "tiene solución (determinante −1): el método de Gauss - Jordan sin intercambio de pivote no la " "encuentra; tampoco el método de Choleski: ninguno de los dos métodos del programa la encuentra.";
        // clang-format on
    }

    void unreachedSolution()
    {
        QFETCH(bool, choleski);
        QFETCH(QString, last);
        QFETCH(QString, reason);
        WindowFixture v;
        v.solve(kUnreached, choleski);
        QVERIFY(v.action("mnuPasos")->isEnabled());
        withSteps(
            v,
            [&](QDialog& d) {
                const StepsDialog p(d);
                QVERIFY2(p.lastLeaf().endsWith(last), qPrintable(p.lastLeaf()));
                QCOMPARE(child<QLabel>(d, "Et_Motivo")->text(), reason);
            },
            true);
    }

    void navigation_data()
    {
        // clang-format off
        addColumns<QStringList, QString>("actions", "step");
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
        // clang-format on
    }

    void navigation()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, step);
        WindowFixture v;
        v.solve(kSample, true);
        withSteps(v, [&](QDialog& d) {
            const StepsDialog p(d);
            for (const QString& a : actions) {
                if (a.startsWith(QLatin1String("B_")))
                    p.press(qPrintable(a));
                else if (a == QLatin1String("Down"))
                    QTest::keyClick(p.tree, Qt::Key_Down);
                else
                    QTest::keySequence(&d, QKeySequence::fromString(a));
            }
            QVERIFY2(p.step->text().startsWith(step + QStringLiteral(": ")), qPrintable(p.step->text()));
            // The announced step is the one selected in the tree.
            QVERIFY(p.step->text().endsWith(p.tree->currentIndex().data().toString()));
            QGuiApplication::clipboard()->clear();
            p.press("B_Copiar");
            const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
            QCOMPARE(copied.value(0), p.step->text());
            QCOMPARE(copied.value(1), QStringLiteral("\tB1\tB2\tB3\ty\tC1\tC2\tC3\tx"));
            QCOMPARE(copied.value(2).split(QLatin1Char('\t')).mid(1, 3),
                     QStringList({p.matrix->TextMatrix(1, 1), p.matrix->TextMatrix(1, 2), p.matrix->TextMatrix(1, 3)}));
        });
    }

    void cellValues()
    {
        WindowFixture v;
        v.solve(kSample, false);
        withSteps(v, [&](QDialog& d) {
            const StepsDialog p(d);
            p.matrix->setRow(1);
            p.matrix->setCol(1);
            // After the first step, row 1 is divided by 2: exact in both precisions.
            QCOMPARE(child<QLabel>(d, "Et_Celda")->text(),
                     QStringLiteral("A(1,1): precisión simple 1; precisión doble 1; diferencia 0 unidades en la "
                                    "última cifra (ninguna cifra perdida)."));
            QVERIFY(!child<QWidget>(d, "Et_Escala")->isVisibleTo(&d));
            child<QAbstractButton>(d, "Ch_Cifras")->click();
            QVERIFY(child<QWidget>(d, "Et_Escala")->isVisibleTo(&d));
        });
    }

    void enabledAfterASolve_data()
    {
        // clang-format off
        QTest::addColumn<bool>("choleski");
        QTest::newRow("Choleski") << true;
        QTest::newRow("Gauss - Jordan") << false;
        // clang-format on
    }

    void enabledAfterASolve()
    {
        QFETCH(bool, choleski);
        WindowFixture w;
        w.solve(kExample, choleski);
        checkReportEntries(w, true);
        // The "0" the solve wrote into the empty cell did not count as a change.
        QCOMPARE(w.p.Cuadric->TextMatrix(2, 3), QStringLiteral("0"));
        QVERIFY(w.action("mnuVerificar")->isEnabled());
        QVERIFY(w.action("mnuPasos")->isEnabled());
        // Not in the window's menus, which stay as they are.
        for (QAction* title : w.p.menuBar->actions())
            for (QAction* a : {w.action("mnuVerificar"), w.action("mnuPasos")})
                QVERIFY(!title->menu() || !title->menu()->actions().contains(a));
    }

    void afterAnAction_data()
    {
        addColumns<Change, bool>("change", "enabled");
        QTest::addColumn<bool>("steps"); // "Ver paso a paso…"

        QTest::newRow("typed edit") << Change([](WindowFixture& w) {
            w.atCell(1, 1);
            QTest::keyClick(w.p.Cuadric, Qt::Key_7);
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }) << false << false;
        QTest::newRow("paste") << Change([](WindowFixture& w) { w.paste(QStringLiteral("8\t9")); }) << false << false;
        QTest::newRow("F3") << Change([](WindowFixture& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); }) << false << false;
        QTest::newRow("new n") << Change([](WindowFixture& w) { w.accept(QStringLiteral("3")); }) << false << false;
        QTest::newRow("Nuevo Cálculo") << Change([](WindowFixture& w) { w.p.mnuNuevo->trigger(); }) << false << false;
        QTest::newRow("failed solve") << Change([](WindowFixture& w) { solveWithMessage(w, 1, QStringLiteral(" ")); }) << false << false;
        QTest::newRow("insoluble by Gauss - Jordan") << Change([](WindowFixture& w) {
            w.p.Op_Gauss->setChecked(true);
            solveWithMessage(w, 2, QStringLiteral("2"));
        }) << false << true;
        // B(2,2) = 0: the forward substitution traps, after the methods were reached.
        QTest::newRow("Choleski stopped") << Change([](WindowFixture& w) { solveWithMessage(w, 2, QStringLiteral("2")); }) << false << true;
        // The worksheet and the solution stay as they were.
        QTest::newRow("same n again") << Change([](WindowFixture& w) { w.accept(QStringLiteral("2")); }) << true << true;
        QTest::newRow("fitting the columns") << Change([](WindowFixture& w) { w.p.Command1->click(); }) << true << true;
        QTest::newRow("moving about") << Change([](WindowFixture& w) {
            w.p.Cuadric->setRow(2);
            w.p.Cuadric->setCol(2);
        }) << true << true;
        QTest::newRow("matrices and back") << Change([](WindowFixture& w) {
            w.p.B_Mostrar->click();
            w.p.B_Mostrar->click();
        }) << true << true;
        QTest::newRow("the same paste") << Change([](WindowFixture& w) { w.paste(QStringLiteral("2\t1")); }) << true << true;
        QTest::newRow("Supr") << Change([](WindowFixture& w) {
            w.atCell(1, 2);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Delete);
        }) << false << false;
        QTest::newRow("F3 and an undo") << Change([](WindowFixture& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Z, Qt::ControlModifier);
        }) << false << false;
        QTest::newRow("F3 and a solve") << Change([](WindowFixture& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.p.B_Calcular->click();
        }) << true << true;
    }

    void afterAnAction()
    {
        QFETCH(Change, change);
        QFETCH(bool, enabled);
        QFETCH(bool, steps);
        WindowFixture w;
        w.solve(kExample, true);
        QVERIFY(w.action("mnuVerificar")->isEnabled());
        change(w);
        QCOMPARE(w.action("mnuVerificar")->isEnabled(), enabled);
        checkReportEntries(w, enabled);
        // At the same moments the results still shown are marked as old, and say why.
        const bool solution = !w.solution().join(QString()).isEmpty();
        QCOMPARE(w.p.F_Resp->isMuted(), solution && !enabled);
        for (const GridControl* g : {w.p.F_Resp, w.p.F_Rint[0], w.p.F_Rint[1]}) {
            // A solve that reached the methods wrote B and C afresh, even when it stopped later.
            QCOMPARE(g->isMuted(), g == w.p.F_Resp ? solution && !enabled : g->Rows() > 0 && !steps);
            const QString reason = !g->isMuted()     ? QString()
                                   : g == w.p.F_Resp ? QStringLiteral("Solución de una hoja anterior: pulse Calcular para actualizarla")
                                                     : QStringLiteral("Factores de una hoja anterior: pulse Calcular para actualizarlos");
            QCOMPARE(g->toolTip(), reason);
            QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<GridControl*>(g))->text(QAccessible::Description), reason);
        }
        QCOMPARE(w.action("mnuPasos")->isEnabled(), steps);
    }

    void dialogShowsCopiesAndCloses_data()
    {
        // clang-format off
        QTest::addColumn<QString>("target"); // empty: the dialog itself
        QTest::addColumn<int>("key");        // 0: a click on "Cerrar"
        QTest::newRow("Enter") << QString() << int(Qt::Key_Return);
        QTest::newRow("Enter in a table") << "T_Solucion" << int(Qt::Key_Enter);
        QTest::newRow("Enter on Copiar") << "B_Copiar" << int(Qt::Key_Return);
        QTest::newRow("Escape") << QString() << int(Qt::Key_Escape);
        QTest::newRow("Escape in a table") << "T_Residuos" << int(Qt::Key_Escape);
        QTest::newRow("Cerrar") << QString() << 0;
        // clang-format on
    }

    void dialogShowsCopiesAndCloses()
    {
        QFETCH(QString, target);
        QFETCH(int, key);
        WindowFixture w;
        w.solve(kExample, true);
        QGuiApplication::clipboard()->clear();
        QStringList seen;
        bool resisted = false;
        ModalCloser closer;
        closer.onShown = [&](QWidget& d) {
            seen << d.windowTitle();
            auto* residuals = child<QTableWidget>(d, "T_Residuos");
            auto* solution = child<QTableWidget>(d, "T_Solucion");
            for (int r = 0; r < residuals->rowCount(); ++r)
                seen << residuals->verticalHeaderItem(r)->text() + '=' + residuals->item(r, 0)->text();
            for (int r = 0; r < solution->rowCount(); ++r)
                seen << solution->item(r, 0)->text() + '/' + solution->item(r, 1)->text();
            child<QAbstractButton>(d, "B_Copiar")->click();
        };
        closer.closeWith = [&](QWidget& d) {
            QWidget* focus = target.isEmpty() ? &d : child<QWidget>(d, qPrintable(target));
            focus->setFocus();
            if (key)
                QTest::keyClick(focus, Qt::Key(key));
            else
                child<QAbstractButton>(d, "B_Cerrar")->click();
        };
        // A key that fails to close the dialog leaves it to the closer, and fails here.
        closer.onResisting = [&](QWidget&) { resisted = true; };
        w.action("mnuVerificar")->trigger();
        QCOMPARE(closer.shown(), QStringList{"frmVerificacion"});
        QVERIFY(!resisted);
        QCOMPARE(seen, QStringList({"Verificación de la solución", "EQ1=0", "EQ2=0", "2,5/2,5", "-2/-2"}));
        QVERIFY(!QApplication::activeModalWidget());
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.contains(QStringLiteral("X1\t2,5\t2,5\t0\n")));
        QVERIFY(copied.contains(QStringLiteral("Cifras correctas esperadas, cota por κ∞\t6 de 7")));
    }

    // The typed texts reach the report as its second reference: the textbook system fits the
    // singles exactly, a tenth does not. The dialog fits its screen, its buttons in view.
    void typedSystems_data()
    {
        // clang-format off
        addColumns<Table, bool, QStringList>("rows", "choleski", "openings");
        QTest::addColumn<int>("columns"); // of the solution table
        Table textbook{{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}};
        QTest::newRow("textbook, Gauss - Jordan") << textbook << false << QStringList{"El sistema está bien condicionado (κ∞ = 60)", "Los datos escritos caben exactos", "El método de Gauss - Jordan no añade error"} << 3;
        textbook[0][3] = "8,1";
        QTest::newRow("a tenth, Choleski") << textbook << true << QStringList{"El sistema está bien condicionado", "Guardar los datos escritos en precisión simple ya cuesta", "El método de Choleski"} << 4;
        // clang-format on
    }

    void typedSystems()
    {
        QFETCH(Table, rows);
        QFETCH(bool, choleski);
        QFETCH(QStringList, openings);
        QFETCH(int, columns);
        WindowFixture w;
        w.solve(rows, choleski);
        ModalCloser closer;
        closer.onShown = [&](QWidget& d) {
            for (int k = 0; k < openings.size(); ++k) {
                const QString phrase = child<QLabel>(d, qPrintable(QStringLiteral("Et_Frase%1").arg(k + 1)))->text();
                QVERIFY2(phrase.startsWith(openings[k]), qPrintable(phrase));
            }
            QCOMPARE(child<QTableWidget>(d, "T_Solucion")->columnCount(), columns);
            QVERIFY2(d.screen()->availableGeometry().contains(d.frameGeometry()),
                     qPrintable(QStringLiteral("%1x%2").arg(d.width()).arg(d.height())));
            for (const char* button : {"B_Copiar", "B_Cerrar"}) {
                auto* b = child<QWidget>(d, button);
                QVERIFY(b->isVisible() && d.rect().contains(QRect(b->mapTo(&d, QPoint()), b->size())));
            }
        };
        w.action("mnuVerificar")->trigger();
        QCOMPARE(closer.shown(), QStringList{"frmVerificacion"});
    }

    void pdfReport_data()
    {
        // clang-format off
        addColumns<int, bool>("n", "choleski");
        QTest::addColumn<QString>("phrases"); // besides the solution, every text in turn, apart by |
        // The order of the rows: one exchange for Choleski; for Gauss - Jordan row 1 takes the
        // last equation with a first coefficient, each such row the one before it.
        QTest::newRow("3, Choleski") << 3 << true << "Sistema de ecuaciones|Ecuación X1 X2 X3 T.I|EQ1 0 1 1 2|FilaCambio = 1|Fila 1 EQ2|Fila 2 EQ1|" "Matriz B|Matriz C|Solución|X1 1|Cifras correctas esperadas";
        QTest::newRow("3, Gauss - Jordan") << 3 << false << "Sistema de ecuaciones|EQ3 1 1 0 2|FilaCambio = 0|primer coeficiente|Fila 1 EQ3|Fila 2 EQ1|" "Fila 3 EQ2|Solución|X1 1,00000|Cifras correctas esperadas";
        QTest::newRow("100, Choleski") << 100 << true << "Solución|Cifras correctas esperadas|Sistema de ecuaciones|Columnas X1 a|T.I|Matriz B|Matriz C";
        QTest::newRow("100, Gauss - Jordan") << 100 << false << "Solución|Número de condición|Sistema de ecuaciones|EQ100";
        // clang-format on
    }

    void pdfReport()
    {
        QFETCH(int, n);
        QFETCH(bool, choleski);
        QFETCH(QString, phrases);
        const SolvedWindow w(n, choleski);
        QCOMPARE(w.exportReport(QStringLiteral("informe.pdf"), QStringLiteral("PDF (*.pdf)")), QStringList{"dlgInforme"});
        QString text = pdfToText(w.dir.filePath(QStringLiteral("informe.pdf")));
        QVERIFY2(text.contains(QLocale().toString(QDate::currentDate(), QLocale::LongFormat)), "sin la fecha");
        QCOMPARE(text.contains(QLatin1String("Matriz B")), choleski);
        // Words apart by any spacing, in the order given.
        qsizetype from = 0;
        for (const QString& phrase : phrases.split(u'|')) {
            const QRegularExpression r(QRegularExpression::escape(phrase).replace(QLatin1String("\\ "), QLatin1String("\\s+")));
            const auto m = r.match(text, from);
            QVERIFY2(m.hasMatch(), qPrintable(phrase));
            from = m.capturedEnd();
        }
        // The solution as its grid shows it, each unknown beside its value.
        for (int i = 0; i < n; ++i) {
            const QString row =
                QStringLiteral("(^|\\s)X%1\\s+%2(\\s|$)").arg(i + 1).arg(QRegularExpression::escape(w.p.F_Resp->TextMatrix(i, 1)));
            QVERIFY2(text.contains(QRegularExpression(row, QRegularExpression::MultilineOption)), qPrintable(row));
        }
    }

    void latexReport_data()
    {
        // clang-format off
        addColumns<int, bool>("n", "choleski");
        QTest::newRow("3, Choleski") << 3 << true;
        QTest::newRow("3, Gauss - Jordan") << 3 << false;
        QTest::newRow("100, Choleski") << 100 << true;
        // clang-format on
    }

    void latexReport()
    {
        QFETCH(int, n);
        QFETCH(bool, choleski);
        const SolvedWindow w(n, choleski);
        QCOMPARE(w.exportReport(QStringLiteral("informe.tex"), QStringLiteral("LaTeX (*.tex)")), QStringList{"dlgInforme"});
        QFile f(w.dir.filePath(QStringLiteral("informe.tex")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString tex = QString::fromUtf8(f.readAll());
        bool balanced = false;
        const QStringList seen = environments(tex, balanced);
        QVERIFY(balanced);
        QCOMPARE(seen.count(QStringLiteral("document")), 1);
        QCOMPARE(seen.count(QStringLiteral("array")), 1);
        QCOMPARE(seen.count(QStringLiteral("pmatrix")), choleski ? 3 : 1);
        QCOMPARE(tex.count(QStringLiteral("\\[")), tex.count(QStringLiteral("\\]")));
        QVERIFY(tex.contains(QStringLiteral("\\usepackage{amsmath}")));

        // The system (n + 1 columns), B and C (n), the solution (1): n rows each, as typed.
        const QList<Table> m = matrices(tex);
        QCOMPARE(m.size(), choleski ? 4 : 2);
        Table sheet, solution;
        for (int i = 1; i <= n; ++i) {
            sheet << w.body().mid((i - 1) * (n + 1), n + 1);
            solution << QStringList{w.p.F_Resp->TextMatrix(i - 1, 1)};
        }
        for (QStringList& row : sheet)
            for (QString& c : row)
                c = c.trimmed();
        // Their order is the report's: the solution first for large systems.
        QVERIFY(m.contains(sheet));
        QVERIFY(m.contains(solution));
        for (int k = 0; choleski && k < 2; ++k) {
            Table factor;
            for (int i = 0; i < n; ++i)
                factor << WindowFixture::cells(*w.p.F_Rint[k]).mid(i * n, n);
            QVERIFY(m.contains(factor));
        }
    }

    void printPreview_data()
    {
        // clang-format off
        addColumns<int, int>("n", "orientation");
        QTest::newRow("3") << 3 << int(QPageLayout::Portrait);
        QTest::newRow("100") << 100 << int(QPageLayout::Landscape);
        // clang-format on
    }

    void printPreview()
    {
        QFETCH(int, n);
        QFETCH(int, orientation);
        const SolvedWindow w(n, true);
        int pages = 0;
        int view = -1;
        ModalCloser closer;
        closer.onShown = [&](QWidget& d) {
            auto* preview = child<QPrintPreviewWidget>(d, "");
            if (preview->pageCount() == 0)
                preview->updatePreview();
            pages = preview->pageCount();
            view = int(preview->orientation());
        };
        QTest::keyClick(w.v.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(closer.shown(), QStringList{"dlgVistaPrevia"});
        QCOMPARE(view, orientation);
        QVERIFY2(n < 100 ? pages == 1 : pages > 10, qPrintable(QString::number(pages)));
    }

    void unwritableFile()
    {
        const SolvedWindow w(3, true);
        const QStringList seen = w.exportReport(QStringLiteral("no/existe/informe.pdf"), QStringLiteral("PDF (*.pdf)"));
        QCOMPARE(seen.size(), 2);
        QVERIFY2(seen[1].startsWith(QStringLiteral("No se pudo guardar el informe en «")), qPrintable(seen[1]));
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestAfterSolve)
#include "tst_aftersolve.moc"
