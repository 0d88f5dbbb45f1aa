#include "EquationCountOracle.h"
#include "ModalCloser.h"
#include "ProgramTexts.h"
#include "RuntimeErrorSeen.h"

#include "grid/GridControl.h"
#include "worksheet/AcceptEquationCount.h"
#include "worksheet/EquationCount.h"
#include "worksheet/GridCells.h"
#include "worksheet/PrepararCuadricula.h"
#include "worksheet/WorksheetControls.h"

#include "solver/Solver.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <limits>
#include <memory>

namespace {

using texts::kLimit;

// The controls as the window has them before the first acceptance.
struct Ventana
{
    QWidget raiz;
    GridControl* Cuadric = new GridControl(&raiz);
    GridControl* F_Resp = new GridControl(&raiz);
    QWidget* Fr_Mat = new QWidget(&raiz);
    QLineEdit* T_Incog = new QLineEdit(QStringLiteral("4"), &raiz);
    QToolButton* B_Calcular = new QToolButton(&raiz);
    QAction* MnuGenera = new QAction(&raiz);
    QAction* MnuCalcular = new QAction(&raiz);
    QLabel* Et_st = new QLabel(QStringLiteral("Listo"), &raiz);
    QLabel* Et_tip = new QLabel(&raiz);
    solver::Solver datos;

    Ventana()
    {
        Cuadric->setFixedRows(1);
        Cuadric->setRows(2);
        Cuadric->setCols(0);
        F_Resp->setFixedCols(1);
        F_Resp->setCols(2);
        Fr_Mat->hide();
        for (QObject* o : std::initializer_list<QObject*>{B_Calcular, MnuGenera, MnuCalcular})
            o->setProperty("enabled", false);
    }

    WorksheetControls hoja() { return {*Cuadric, *F_Resp, *Fr_Mat, *T_Incog, *B_Calcular, *MnuGenera, *MnuCalcular, *Et_st, *Et_tip}; }

    void aceptar(const QString& texto)
    {
        T_Incog->setText(texto);
        acceptEquationCount(hoja(), datos);
    }

    // Undoes what an acceptance sets, so that the next one on this worksheet has to set it
    // again: view, enabled commands, tip, current cell, column 0 and every header text.
    void desordenar()
    {
        Cuadric->hide();
        Fr_Mat->show();
        Cuadric->setEnabled(false);
        for (QObject* o : std::initializer_list<QObject*>{B_Calcular, MnuGenera, MnuCalcular})
            o->setProperty("enabled", false);
        Et_tip->clear();
        Cuadric->setRow(2);
        Cuadric->setCol(2);
        Cuadric->setColWidth(0, 1000);
        Cuadric->setColAlignment(0, GridControl::AlignLeftCenter);
        for (int j = 0; j < Cuadric->Cols(); ++j)
            Cuadric->setTextMatrix(0, j, {});
        for (int i = 1; i < Cuadric->Rows(); ++i)
            Cuadric->setTextMatrix(i, 0, {});
        for (int i = 0; i < F_Resp->Rows(); ++i)
            F_Resp->setTextMatrix(i, 0, {});
    }
};

} // namespace

class TestAceptarEcuaciones : public QObject
{
    Q_OBJECT

private slots:
    // One worksheet for the whole table, holding a value that no acceptance may clear.
    void initTestCase()
    {
        compartida_ = std::make_unique<Ventana>();
        compartida_->aceptar(QStringLiteral("3"));
        compartida_->Cuadric->setTextMatrix(1, 1, QStringLiteral("7"));
    }
    void cleanupTestCase() { compartida_.reset(); }

    // The rule for the number of equations, one example a row: the value that the text reads
    // as (for the test's own reading too, which the random user and the fuzzer rely on) and
    // the n it gives, 0 when it is refused. Every row is accepted on the same worksheet,
    // which each acceptance must bring to its layout and each refusal must leave alone.
    void numeroDeEcuaciones_data()
    {
        // clang-format off
        QTest::addColumn<QString>("texto");
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("n");
        const double inf = std::numeric_limits<double>::infinity();
        const auto fila = [](const char* nombre, const QString& texto, double valor, int n) { QTest::newRow(nombre) << texto << valor << n; };
        fila("2", "2", 2, 2);
        fila("4", "4", 4, 4);
        fila("100", "100", 100, 100);
        fila("1", "1", 1, 0);
        fila("0", "0", 0, 0);
        fila("101", "101", 101, 0);
        fila("negative", "-5", -5, 0);
        fila("1.9", "1.9", 1.9, 0);
        fila("2.0", "2.0", 2, 2);
        fila("100.4", "100.4", 100.4, 0);
        fila("2.4 down", "2.4", 2.4, 2);
        fila("2.6 up", "2.6", 2.6, 3);
        fila("2.5 to even", "2.5", 2.5, 2);
        fila("3.5 to even", "3.5", 3.5, 4);
        fila("99.5 to even", "99.5", 99.5, 100);
        fila("comma ends", "2,5", 2, 2);
        fila("letters end", "12abc", 12, 12);
        fila("second point ends", "2.5.6", 2.5, 2);
        fila("scroll bar's blank", EquationCount::scrollBarText(7), 7, 7);
        fila("blanks between digits", " 1 2 ", 12, 12);
        fila("tab between digits", "1 0\t0", 100, 100);
        fila("line feeds", "\n5\n", 5, 5);
        fila("exponent E", "1e1", 10, 10);
        fila("exponent D", "1D2", 100, 100);
        fila("negative exponent", "4d-1", 0.4, 0);
        fila("exponent without digits", "5e", 5, 5);
        fila("leading point", ".5e1", 5, 5);
        fila("plus sign", "+4", 4, 4);
        fila("hexadecimal", "&H1F", 31, 31);
        fila("octal", "&o17", 15, 15);
        fila("prefix alone", "&H", 0, 0);
        fila("letters", "abc", 0, 0);
        fila("empty", "", 0, 0);
        fila("point alone", ".", 0, 0);
        fila("no-break space", "\u00a05", 0, 0);
        fila("tiny", "1e-400", 0, 0);
        fila("beyond double", "1e400", inf, 0);
        fila("far beyond double", "99999e99999", inf, 0);
        // clang-format on
    }

    void numeroDeEcuaciones()
    {
        QFETCH(QString, texto);
        QFETCH(double, valor);
        QFETCH(int, n);
        QCOMPARE(EquationCountOracle::reading(texto.toStdString()).value, valor);
        QCOMPARE(EquationCountOracle::accepted(texto.toStdString()), n);
        QCOMPARE(EquationCount::leer(texto), valor);

        Ventana& v = *compartida_;
        v.desordenar();
        const int nAntes = v.datos.n;
        const int columnasAntes = v.Cuadric->Cols();
        const QString estadoAntes = v.Et_st->text();
        ModalCloser mensajes;
        v.aceptar(texto);

        GridControl& g = *v.Cuadric;
        // Body cells are never cleared, whatever happens to the layout.
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("7"));
        if (n == 0) {
            QCOMPARE(mensajes.shown(), QStringList{kLimit});
            QCOMPARE(mensajes.seen[0].icon, QMessageBox::Warning);
            QCOMPARE(mensajes.seen[0].title, QStringLiteral("Sorvani"));
            QCOMPARE(mensajes.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(v.datos.n, nAntes);
            QCOMPARE(v.datos.A.rows(), nAntes);
            QCOMPARE(g.Cols(), columnasAntes);
            QCOMPARE(v.Et_st->text(), estadoAntes);
            return;
        }
        QVERIFY(mensajes.seen.isEmpty());
        QCOMPARE(v.datos.n, n);
        QCOMPARE(v.datos.A.rows(), n);
        QCOMPARE(v.datos.C.cols(), n + 1);
        QVERIFY(v.B_Calcular->isEnabled() && v.MnuGenera->isEnabled() && v.MnuCalcular->isEnabled());
        // The worksheet shown again if the matrices view hid it.
        QVERIFY(!g.isHidden());
        QVERIFY(v.Fr_Mat->isHidden());
        // The status repeats the text as typed, not the number.
        QCOMPARE(v.Et_st->text(), texts::worksheetStatus(texto));
        QCOMPARE(v.Et_tip->text(), texts::kTipEntry);
        QCOMPARE(g.Rows(), n + 1);
        QCOMPARE(g.Cols(), n + 2);
        QCOMPARE(g.FixedRows(), 1);
        QCOMPARE(g.FixedCols(), 1);
        QCOMPARE(g.ColWidth(0), 500);
        QCOMPARE(g.ColAlignment(0), int(GridControl::AlignCenterCenter));
        QCOMPARE(g.Row(), 1);
        QCOMPARE(g.Col(), 1);
        QVERIFY(g.isEnabled());
        QCOMPARE(g.TextMatrix(0, 0), QStringLiteral("1,1"));
        QCOMPARE(g.TextMatrix(0, n + 1), QStringLiteral("T.I"));
        QCOMPARE(v.F_Resp->Rows(), n);
        for (int k = 1; k <= n; ++k) {
            QCOMPARE(g.TextMatrix(0, k), QStringLiteral("X%1").arg(k));
            QCOMPARE(g.TextMatrix(k, 0), QStringLiteral("EQ%1").arg(k));
            QCOMPARE(v.F_Resp->TextMatrix(k - 1, 0), QStringLiteral("X%1").arg(k));
            if (k > 1)
                QCOMPARE(g.TextMatrix(k, 1), QString());
        }
    }

    void barraConBlanco() { QCOMPARE(EquationCount::scrollBarText(7), QStringLiteral(" 7")); }

    // Shrinking keeps the block inside the new size: the old X4 column stands under "T.I".
    void reducirConservaElBloque()
    {
        Ventana v;
        v.aceptar(QStringLiteral("4"));
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 5; ++j)
                v.Cuadric->setTextMatrix(i, j, QStringLiteral("%1.%2").arg(i).arg(j));
        v.aceptar(QStringLiteral("3"));

        QCOMPARE(v.Cuadric->Rows(), 4);
        QCOMPARE(v.Cuadric->Cols(), 5);
        QCOMPARE(v.Cuadric->TextMatrix(0, 4), QStringLiteral("T.I"));
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(v.Cuadric->TextMatrix(i, j), QStringLiteral("%1.%2").arg(i).arg(j));
        v.aceptar(QStringLiteral("4"));
        QCOMPARE(v.Cuadric->TextMatrix(4, 1), QString());
        QCOMPARE(v.Cuadric->TextMatrix(1, 5), QString());
    }

    // A number that passed no range test (the routine reads the box again) cannot be held
    // by n: the failure is reported and what was done stays done.
    void falloDePreparacion()
    {
        Ventana v;
        v.Cuadric->setEnabled(false);
        v.T_Incog->setText(QStringLiteral("40000"));
        std::int16_t n = 3;
        ModalCloser mensajes;

        QVERIFY(!Generales::PrepararCuadricula(v.hoja(), n));
        QCOMPARE(mensajes.shown(), QStringList{QStringLiteral("Ha ocurrido un error (Desbordamiento)\nPosiblemente no "
                                                              "hay memoria suficiente para\nel número de incognitas "
                                                              "ingresado")});
        QCOMPARE(mensajes.seen[0].icon, QMessageBox::Critical);
        QVERIFY(v.Cuadric->isEnabled());
        QVERIFY(!v.B_Calcular->isEnabled());
        QCOMPARE(v.Et_st->text(), QStringLiteral("Listo"));
    }

    void celdasFueraDeLaCuadricula_data()
    {
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::newRow("fila -1") << -1 << 0;
        QTest::newRow("fila 3") << 3 << 1;
        QTest::newRow("columna 4") << 1 << 4;
    }

    void celdasFueraDeLaCuadricula()
    {
        QFETCH(int, fila);
        QFETCH(int, columna);
        Ventana v;
        v.aceptar(QStringLiteral("2"));
        GridCells celdas(*v.Cuadric);
        QCOMPARE(errorOf([&] { (void)celdas.TextMatrix(fila, columna); }), solver::RuntimeError::SubscriptOutOfRange);
        QCOMPARE(errorOf([&] { celdas.setTextMatrix(fila, columna, "1"); }), solver::RuntimeError::SubscriptOutOfRange);
    }

    void celdasEnUtf8()
    {
        Ventana v;
        v.aceptar(QStringLiteral("2"));
        GridCells celdas(*v.Cuadric);
        celdas.setTextMatrix(1, 3, "−1,5é");
        QCOMPARE(v.Cuadric->TextMatrix(1, 3), QStringLiteral("−1,5é"));
        QCOMPARE(celdas.TextMatrix(0, 3), std::string("T.I"));
    }

private:
    std::unique_ptr<Ventana> compartida_;
};

QTEST_MAIN(TestAceptarEcuaciones)
#include "tst_acceptequationcount.moc"
