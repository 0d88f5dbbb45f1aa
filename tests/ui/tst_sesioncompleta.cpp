#include "grid/GridControl.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <memory>
#include <vector>

// One whole session at the largest size, from start to exit: the path that a leak check
// runs under LeakSanitizer (scripts/leak-check.sh), and an ordinary test as well.

namespace {

// Closes whatever modal window opens, by the keyboard, and remembers what it was.
class CierreDeModales
{
public:
    CierreDeModales()
    {
        reloj_.setInterval(0);
        QObject::connect(&reloj_, &QTimer::timeout, &reloj_, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            auto* caja = qobject_cast<QMessageBox*>(modal);
            vistos << (caja ? caja->text() : modal->objectName());
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        reloj_.start();
    }

    QStringList vistos;

private:
    QTimer reloj_;
};

std::vector<double> columna(const GridControl& g, int col)
{
    std::vector<double> valores;
    for (int i = 0; i < g.Rows(); ++i) {
        bool ok = false;
        valores.push_back(QLocale().toDouble(g.TextMatrix(i, col), &ok));
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
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void sesionCompleta()
    {
        CierreDeModales modales;
        auto v = std::make_unique<FrmP>();
        v->show();
        QApplication::setActiveWindow(v.get());
        QVERIFY(QTest::qWaitForWindowActive(v.get()));
        const auto w = [&v](const char* nombre) {
            return v->findChild<QWidget*>(QLatin1String(nombre));
        };
        const auto boton = [&v](const char* nombre) {
            return v->findChild<QAbstractButton*>(QLatin1String(nombre));
        };
        const auto grid = [&v](const char* nombre) {
            return v->findChild<GridControl*>(QLatin1String(nombre));
        };
        const auto teclaEnFoco = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };

        // n = 100, typed over the selected "4".
        QTest::keyClicks(w("T_Incog"), QStringLiteral("100"));
        teclaEnFoco(Qt::Key_Return);
        GridControl& hoja = *grid("Cuadric");
        QCOMPARE(hoja.Rows(), 101);
        QCOMPARE(hoja.Cols(), 102);

        teclaEnFoco(Qt::Key_F3);
        QVERIFY(!hoja.TextMatrix(100, 101).isEmpty());

        // Choleski, then a look at B and C and back.
        QVERIFY(qobject_cast<QRadioButton*>(w("Op_Ch"))->isChecked());
        QTest::mouseClick(boton("B_Calcular"), Qt::LeftButton);
        QCOMPARE(modales.vistos, QStringList());
        const std::vector<double> choleski = columna(*grid("F_Resp"), 1);
        QCOMPARE(int(choleski.size()), 100);
        QVERIFY2(residuoRelativo(hoja, choleski) < 1e-4,
                 qPrintable(QString::number(residuoRelativo(hoja, choleski))));
        QCOMPARE(grid("F_Rint_0")->Rows(), 100);
        QCOMPARE(grid("F_Rint_1")->Cols(), 100);

        QTest::mouseClick(boton("B_Mostrar"), Qt::LeftButton);
        QVERIFY(w("Fr_Mat")->isVisible() && !hoja.isVisible());
        QVERIFY(!w("T_Incog")->isEnabled());
        QTest::mouseClick(boton("B_Mostrar"), Qt::LeftButton);
        QVERIFY(hoja.isVisible() && !w("Fr_Mat")->isVisible());

        // Gauss-Jordan on the same worksheet agrees.
        QTest::mouseClick(boton("Op_Gauss"), Qt::LeftButton);
        QTest::keyClick(v.get(), Qt::Key_F4);
        QCOMPARE(modales.vistos, QStringList());
        const std::vector<double> gauss = columna(*grid("F_Resp"), 1);
        QVERIFY2(residuoRelativo(hoja, gauss) < 1e-4,
                 qPrintable(QString::number(residuoRelativo(hoja, gauss))));
        QCOMPARE(grid("F_Rint_0")->Rows(), 0);

        // Fitting by the menu's key and by the button; the about dialog both ways.
        QTest::keyClick(v.get(), Qt::Key_F5);
        QTest::mouseClick(boton("Command1"), Qt::LeftButton);
        QVERIFY(hoja.ColWidth(101) >= 240);
        QTest::keyClick(v.get(), Qt::Key_F1);
        QTest::mouseClick(boton("Command2"), Qt::LeftButton);
        QCOMPARE(modales.vistos, QStringList({"frmAbout", "frmAbout"}));
        QVERIFY(!v->findChild<QDialog*>());

        // The offscreen platform gives the activation back to nobody when a dialog closes.
        QApplication::setActiveWindow(v.get());
        QTest::keyClick(v.get(), Qt::Key_F2);
        QCOMPARE(hoja.Cols(), 0);
        QCOMPARE(grid("F_Resp")->Rows(), 0);

        QTest::mouseClick(boton("B_Salir"), Qt::LeftButton);
        QVERIFY(!v->isVisible());
        v.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(TestSesionCompleta)
#include "tst_sesioncompleta.moc"
