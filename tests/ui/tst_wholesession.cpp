#include "Keyboard.h"
#include "ModalCloser.h"
#include "TestLocale.h"
#include "WindowFixture.h"
#include "WorksheetGrid.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <cmath>
#include <memory>
#include <vector>

// One whole session at the largest size, from start to exit, every command once: the path
// that a leak check runs under LeakSanitizer (scripts/leak-check.sh), and what the window
// does on each command at that size.

namespace {

// The solution's values, NaN for a text that is no number.
std::vector<double> solucion(const Piezas& p)
{
    std::vector<double> valores;
    for (const QString& t : WindowFixture::columna(*p.F_Resp, 1)) {
        bool ok = false;
        valores.push_back(QLocale().toDouble(t, &ok));
        if (!ok)
            valores.back() = std::nan("");
    }
    return valores;
}

// The largest residual of the worksheet's equations, each relative to the size of its
// terms: a backward error, small for any solution that single precision can give.
double residuoRelativo(const GridControl& hoja, const std::vector<double>& x)
{
    const int n = int(x.size());
    double peor = 0;
    for (int i = 1; i <= n; ++i) {
        double suma = 0;
        double escala = 0;
        for (int j = 1; j <= n; ++j) {
            const double a = hoja.TextMatrix(i, j).toDouble();
            suma += a * x[std::size_t(j - 1)];
            escala += std::abs(a * x[std::size_t(j - 1)]);
        }
        const double b = hoja.TextMatrix(i, n + 1).toDouble();
        peor = std::max(peor, std::abs(suma - b) / (escala + std::abs(b)));
    }
    return peor;
}

} // namespace

class TestSesionCompleta : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanupTestCase() { locale_.restaurar(); }

    void sesionCompleta()
    {
        ModalCloser modales;
        auto f = std::make_unique<WindowFixture>();
        const Piezas& p = f->p;
        FrmP* v = f->v.get();

        // n = 100, typed over the selected "4".
        teclado::escribir(QStringLiteral("100"));
        teclado::tecla(Qt::Key_Return);
        GridControl& hoja = *p.Cuadric;
        QCOMPARE(hoja.Rows(), 101);
        QCOMPARE(hoja.Cols(), 102);

        teclado::tecla(Qt::Key_F3);
        QCOMPARE(nonRandomCell(hoja, 100), QString());
        QCOMPARE(hoja.TextMatrix(0, 101), QStringLiteral("T.I"));

        // Choleski, then a look at B and C and back.
        QVERIFY(p.Op_Ch->isChecked());
        QTest::mouseClick(p.B_Calcular, Qt::LeftButton);
        QCOMPARE(modales.textos(), QStringList());
        const std::vector<double> choleski = solucion(p);
        QCOMPARE(int(choleski.size()), 100);
        QVERIFY2(residuoRelativo(hoja, choleski) < 1e-4, qPrintable(QString::number(residuoRelativo(hoja, choleski))));
        QCOMPARE(p.F_Rint[0]->Rows(), 100);
        QCOMPARE(p.F_Rint[1]->Cols(), 100);

        QTest::mouseClick(p.B_Mostrar, Qt::LeftButton);
        QVERIFY(p.Fr_Mat->isVisible() && !hoja.isVisible());
        QVERIFY(!p.T_Incog->isEnabled());
        QTest::mouseClick(p.B_Mostrar, Qt::LeftButton);
        QVERIFY(hoja.isVisible() && !p.Fr_Mat->isVisible());

        // Gauss-Jordan on the same worksheet agrees.
        QTest::mouseClick(p.Op_Gauss, Qt::LeftButton);
        QTest::keyClick(v, Qt::Key_F4);
        QCOMPARE(modales.textos(), QStringList());
        const std::vector<double> gauss = solucion(p);
        QVERIFY2(residuoRelativo(hoja, gauss) < 1e-4, qPrintable(QString::number(residuoRelativo(hoja, gauss))));
        QCOMPARE(p.F_Rint[0]->Rows(), 0);
        QCOMPARE(p.F_Rint[0]->ScrollBars(), int(GridControl::ScrollNone));

        // Fitting by the menu's key: every column left-aligned, the matrices' scroll bars
        // back though they have no columns. The button then centres the header column again
        // and hands the focus to the solution, whose widths never change.
        QTest::keyClick(v, Qt::Key_F5);
        const int encabezado = hoja.ColWidth(0);
        QVERIFY(encabezado > 240);
        QVERIFY(hoja.ColWidth(101) >= 240);
        for (int c = 0; c < hoja.Cols(); ++c)
            QCOMPARE(hoja.ColAlignment(c), int(GridControl::AlignLeftCenter));
        QCOMPARE(p.F_Rint[0]->ScrollBars(), int(GridControl::ScrollBoth));
        QTest::mouseClick(p.Command1, Qt::LeftButton);
        QCOMPARE(hoja.ColAlignment(0), int(GridControl::AlignCenterCenter));
        QCOMPARE(hoja.ColAlignment(1), int(GridControl::AlignLeftCenter));
        QCOMPARE(hoja.ColWidth(0), encabezado);
        QCOMPARE(QApplication::focusWidget(), p.F_Resp);
        QCOMPARE(p.F_Resp->ColWidth(0), 380);
        QCOMPARE(p.F_Resp->ColWidth(1), 1470);

        // The about dialog by the key and by the button, which hands the focus (the window's
        // focus child, until the window is active again) to the solution.
        p.Cuadric->setFocus();
        QTest::keyClick(v, Qt::Key_F1);
        QTest::mouseClick(p.Command2, Qt::LeftButton);
        QCOMPARE(modales.textos(), QStringList({"frmAbout", "frmAbout"}));
        QVERIFY(!v->findChild<QDialog*>());
        QCOMPARE(v->focusWidget(), p.F_Resp);

        // The offscreen platform gives the activation back to nobody when a dialog closes.
        QApplication::setActiveWindow(v);
        QTest::keyClick(v, Qt::Key_F2);
        QCOMPARE(hoja.Cols(), 0);
        QCOMPARE(p.F_Resp->Rows(), 0);

        QTest::mouseClick(p.B_Salir, Qt::LeftButton);
        QVERIFY(!v->isVisible());
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestSesionCompleta)
#include "tst_wholesession.moc"
