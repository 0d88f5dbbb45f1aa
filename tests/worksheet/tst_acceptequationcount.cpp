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

namespace {

using textos::kLimite;

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
};

} // namespace

class TestAceptarEcuaciones : public QObject
{
    Q_OBJECT

private slots:
    void rechazos_data()
    {
        QTest::addColumn<QString>("texto");
        for (const char* t : {"1", "0", "101", "abc", "", "1.9", "100.4", "-5"})
            QTest::newRow(*t ? t : "vacío") << QString::fromLatin1(t);
    }

    void rechazos()
    {
        QFETCH(QString, texto);
        Ventana v;
        v.aceptar(QStringLiteral("3"));
        v.Cuadric->setTextMatrix(1, 1, QStringLiteral("7"));
        ModalCloser mensajes;
        v.aceptar(texto);

        QCOMPARE(mensajes.textos(), QStringList{kLimite});
        QCOMPARE(mensajes.vistos[0].icono, QMessageBox::Warning);
        QCOMPARE(mensajes.vistos[0].titulo, QStringLiteral("Sorvani"));
        QCOMPARE(mensajes.vistos[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(v.datos.n, 3);
        QCOMPARE(v.datos.A.rows(), 3);
        QCOMPARE(v.Cuadric->Cols(), 5);
        QCOMPARE(v.Cuadric->TextMatrix(1, 1), QStringLiteral("7"));
        QCOMPARE(v.Et_st->text(), textos::estadoHoja(QStringLiteral("3")));
    }

    void aceptaciones_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("n");
        QTest::newRow("2.0") << "2.0" << 2;
        QTest::newRow("2.5 a par") << "2.5" << 2;
        QTest::newRow("3.5 a par") << "3.5" << 4;
        QTest::newRow("99.5 a par") << "99.5" << 100;
        QTest::newRow("coma termina") << "2,5" << 2;
        QTest::newRow("12abc") << "12abc" << 12;
        QTest::newRow("blancos entre cifras") << " 1 2 " << 12;
        QTest::newRow("exponente") << "1e1" << 10;
        QTest::newRow("barra en 7") << EquationCount::scrollBarText(7) << 7;
    }

    // Laid out for n equations, the worksheet shown again if the matrices view hid it.
    void aceptaciones()
    {
        QFETCH(QString, texto);
        QFETCH(int, n);
        Ventana v;
        v.Cuadric->hide();
        v.Fr_Mat->show();
        ModalCloser mensajes;
        v.aceptar(texto);

        QVERIFY(mensajes.vistos.isEmpty());
        QCOMPARE(v.datos.n, n);
        QCOMPARE(v.datos.A.rows(), n);
        QCOMPARE(v.datos.C.cols(), n + 1);
        QVERIFY(v.B_Calcular->isEnabled() && v.MnuGenera->isEnabled() && v.MnuCalcular->isEnabled());
        QVERIFY(!v.Cuadric->isHidden());
        QVERIFY(v.Fr_Mat->isHidden());
        // The status repeats the text as typed, not the number.
        QCOMPARE(v.Et_st->text(), textos::estadoHoja(texto));
        QCOMPARE(v.Et_tip->text(), textos::kTipIngreso);

        GridControl& g = *v.Cuadric;
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
        QCOMPARE(mensajes.textos(), QStringList{QStringLiteral("Ha ocurrido un error (Desbordamiento)\nPosiblemente no "
                                                               "hay memoria suficiente para\nel número de incognitas "
                                                               "ingresado")});
        QCOMPARE(mensajes.vistos[0].icono, QMessageBox::Critical);
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
};

QTEST_MAIN(TestAceptarEcuaciones)
#include "tst_acceptequationcount.moc"
