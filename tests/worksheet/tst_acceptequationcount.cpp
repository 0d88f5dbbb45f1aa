#include "DataColumns.h"
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
struct Controls
{
    QWidget root;
    GridControl* Cuadric = new GridControl(&root);
    GridControl* F_Resp = new GridControl(&root);
    QWidget* Fr_Mat = new QWidget(&root);
    QLineEdit* T_Incog = new QLineEdit(QStringLiteral("4"), &root);
    QToolButton* B_Calcular = new QToolButton(&root);
    QAction* MnuGenera = new QAction(&root);
    QAction* MnuCalcular = new QAction(&root);
    QLabel* Et_st = new QLabel(QStringLiteral("Listo"), &root);
    QLabel* Et_tip = new QLabel(&root);
    solver::Solver data;

    Controls()
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

    WorksheetControls worksheet() { return {*Cuadric, *F_Resp, *Fr_Mat, *T_Incog, *B_Calcular, *MnuGenera, *MnuCalcular, *Et_st, *Et_tip}; }

    void accept(const QString& text)
    {
        T_Incog->setText(text);
        acceptEquationCount(worksheet(), data);
    }

    // Undoes what an acceptance sets, so that the next one on this worksheet has to set it
    // again: view, enabled commands, tip, current cell, column 0 and every header text.
    void scramble()
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

class TestAcceptEquationCount : public QObject
{
    Q_OBJECT

private slots:
    // One worksheet for the whole table, holding a value that no acceptance may clear.
    void initTestCase()
    {
        shared_ = std::make_unique<Controls>();
        shared_->accept(QStringLiteral("3"));
        shared_->Cuadric->setTextMatrix(1, 1, QStringLiteral("7"));
    }
    void cleanupTestCase() { shared_.reset(); }

    // The rule for the number of equations, one example a row: the value that the text reads
    // as (for the test's own reading too, which the random user and the fuzzer rely on) and
    // the n it gives, 0 when it is refused. Every row is accepted on the same worksheet,
    // which each acceptance must bring to its layout and each refusal must leave alone.
    void numberOfEquations_data()
    {
        // clang-format off
        addColumns<QString, double, int>("text", "value", "n");
        const double inf = std::numeric_limits<double>::infinity();
        const auto row = [](const char* name, const QString& text, double value, int n) { QTest::newRow(name) << text << value << n; };
        row("2", "2", 2, 2);
        row("4", "4", 4, 4);
        row("100", "100", 100, 100);
        row("1", "1", 1, 0);
        row("0", "0", 0, 0);
        row("101", "101", 101, 0);
        row("negative", "-5", -5, 0);
        row("1.9", "1.9", 1.9, 0);
        row("2.0", "2.0", 2, 2);
        row("100.4", "100.4", 100.4, 0);
        row("2.4 down", "2.4", 2.4, 2);
        row("2.6 up", "2.6", 2.6, 3);
        row("2.5 to even", "2.5", 2.5, 2);
        row("3.5 to even", "3.5", 3.5, 4);
        row("99.5 to even", "99.5", 99.5, 100);
        row("comma ends", "2,5", 2, 2);
        row("letters end", "12abc", 12, 12);
        row("second point ends", "2.5.6", 2.5, 2);
        row("scroll bar's blank", EquationCount::scrollBarText(7), 7, 7);
        row("blanks between digits", " 1 2 ", 12, 12);
        row("tab between digits", "1 0\t0", 100, 100);
        row("line feeds", "\n5\n", 5, 5);
        row("exponent E", "1e1", 10, 10);
        row("exponent D", "1D2", 100, 100);
        row("negative exponent", "4d-1", 0.4, 0);
        row("exponent without digits", "5e", 5, 5);
        row("leading point", ".5e1", 5, 5);
        row("plus sign", "+4", 4, 4);
        row("hexadecimal", "&H1F", 31, 31);
        row("octal", "&o17", 15, 15);
        row("prefix alone", "&H", 0, 0);
        row("letters", "abc", 0, 0);
        row("empty", "", 0, 0);
        row("point alone", ".", 0, 0);
        row("no-break space", "\u00a05", 0, 0);
        row("tiny", "1e-400", 0, 0);
        row("beyond double", "1e400", inf, 0);
        row("far beyond double", "99999e99999", inf, 0);
        // clang-format on
    }

    void numberOfEquations()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, n);
        QCOMPARE(EquationCountOracle::reading(text.toStdString()).value, value);
        QCOMPARE(EquationCountOracle::accepted(text.toStdString()), n);
        QCOMPARE(EquationCount::leer(text), value);

        Controls& v = *shared_;
        v.scramble();
        const int nBefore = v.data.n;
        const int colsBefore = v.Cuadric->Cols();
        const QString statusBefore = v.Et_st->text();
        ModalCloser boxes;
        v.accept(text);

        GridControl& g = *v.Cuadric;
        // Body cells are never cleared, whatever happens to the layout.
        QCOMPARE(g.TextMatrix(1, 1), QStringLiteral("7"));
        if (n == 0) {
            QCOMPARE(boxes.shown(), QStringList{kLimit});
            QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
            QCOMPARE(boxes.seen[0].title, QStringLiteral("Sorvani"));
            QCOMPARE(boxes.seen[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(v.data.n, nBefore);
            QCOMPARE(v.data.A.rows(), nBefore);
            QCOMPARE(g.Cols(), colsBefore);
            QCOMPARE(v.Et_st->text(), statusBefore);
            return;
        }
        QVERIFY(boxes.seen.isEmpty());
        QCOMPARE(v.data.n, n);
        QCOMPARE(v.data.A.rows(), n);
        QCOMPARE(v.data.C.cols(), n + 1);
        QVERIFY(v.B_Calcular->isEnabled() && v.MnuGenera->isEnabled() && v.MnuCalcular->isEnabled());
        // The worksheet shown again if the matrices view hid it.
        QVERIFY(!g.isHidden());
        QVERIFY(v.Fr_Mat->isHidden());
        // The status repeats the text as typed, not the number.
        QCOMPARE(v.Et_st->text(), texts::worksheetStatus(text));
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

    void scrollBarTextStartsWithABlank() { QCOMPARE(EquationCount::scrollBarText(7), QStringLiteral(" 7")); }

    // Shrinking keeps the block inside the new size: the old X4 column stands under "T.I".
    void shrinkingKeepsTheBlock()
    {
        Controls v;
        v.accept(QStringLiteral("4"));
        for (int i = 1; i <= 4; ++i)
            for (int j = 1; j <= 5; ++j)
                v.Cuadric->setTextMatrix(i, j, QStringLiteral("%1.%2").arg(i).arg(j));
        v.accept(QStringLiteral("3"));

        QCOMPARE(v.Cuadric->Rows(), 4);
        QCOMPARE(v.Cuadric->Cols(), 5);
        QCOMPARE(v.Cuadric->TextMatrix(0, 4), QStringLiteral("T.I"));
        for (int i = 1; i <= 3; ++i)
            for (int j = 1; j <= 4; ++j)
                QCOMPARE(v.Cuadric->TextMatrix(i, j), QStringLiteral("%1.%2").arg(i).arg(j));
        v.accept(QStringLiteral("4"));
        QCOMPARE(v.Cuadric->TextMatrix(4, 1), QString());
        QCOMPARE(v.Cuadric->TextMatrix(1, 5), QString());
    }

    // A number that passed no range test (the routine reads the box again) cannot be held
    // by n: the failure is reported and what was done stays done.
    void setUpFailure()
    {
        Controls v;
        v.Cuadric->setEnabled(false);
        v.T_Incog->setText(QStringLiteral("40000"));
        std::int16_t n = 3;
        ModalCloser boxes;
        QVERIFY(!Generales::PrepararCuadricula(v.worksheet(), n));
        QCOMPARE(boxes.shown(), QStringList{QStringLiteral("Ha ocurrido un error (Desbordamiento)\nPosiblemente no "
                                                           "hay memoria suficiente para\nel número de incognitas "
                                                           "ingresado")});
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        QVERIFY(v.Cuadric->isEnabled());
        QVERIFY(!v.B_Calcular->isEnabled());
        QCOMPARE(v.Et_st->text(), QStringLiteral("Listo"));
    }

    void cellsOutsideTheGrid_data()
    {
        addColumns<int, int>("row", "col");
        QTest::newRow("row -1") << -1 << 0;
        QTest::newRow("row 3") << 3 << 1;
        QTest::newRow("column 4") << 1 << 4;
    }

    void cellsOutsideTheGrid()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        Controls v;
        v.accept(QStringLiteral("2"));
        GridCells cells(*v.Cuadric);
        QCOMPARE(errorOf([&] { (void)cells.TextMatrix(row, col); }), solver::RuntimeError::SubscriptOutOfRange);
        QCOMPARE(errorOf([&] { cells.setTextMatrix(row, col, "1"); }), solver::RuntimeError::SubscriptOutOfRange);
    }

    void cellsInUtf8()
    {
        Controls v;
        v.accept(QStringLiteral("2"));
        GridCells cells(*v.Cuadric);
        cells.setTextMatrix(1, 3, "−1,5é");
        QCOMPARE(v.Cuadric->TextMatrix(1, 3), QStringLiteral("−1,5é"));
        QCOMPARE(cells.TextMatrix(0, 3), std::string("T.I"));
    }

private:
    std::unique_ptr<Controls> shared_;
};

QTEST_MAIN(TestAcceptEquationCount)
#include "tst_acceptequationcount.moc"
