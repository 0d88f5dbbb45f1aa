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
std::vector<double> solution(const WindowControls& p)
{
    std::vector<double> values;
    for (const QString& t : WindowFixture::column(*p.F_Resp, 1)) {
        bool ok = false;
        values.push_back(QLocale().toDouble(t, &ok));
        if (!ok)
            values.back() = std::nan("");
    }
    return values;
}

// The largest residual of the worksheet's equations, each relative to the size of its
// terms: a backward error, small for any solution that single precision can give.
double relativeResidual(const GridControl& sheet, const std::vector<double>& x)
{
    const int n = int(x.size());
    double worst = 0;
    for (int i = 1; i <= n; ++i) {
        double sum = 0;
        double scale = 0;
        for (int j = 1; j <= n; ++j) {
            const double a = sheet.TextMatrix(i, j).toDouble();
            sum += a * x[std::size_t(j - 1)];
            scale += std::abs(a * x[std::size_t(j - 1)]);
        }
        const double b = sheet.TextMatrix(i, n + 1).toDouble();
        worst = std::max(worst, std::abs(sum - b) / (scale + std::abs(b)));
    }
    return worst;
}

} // namespace

class TestWholeSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { locale_.set(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanupTestCase() { locale_.restore(); }

    void wholeSession()
    {
        ModalCloser modals;
        auto f = std::make_unique<WindowFixture>();
        const WindowControls& p = f->p;
        FrmP* v = f->v.get();

        // n = 100, typed over the selected "4".
        keyboard::typeText(QStringLiteral("100"));
        keyboard::press(Qt::Key_Return);
        GridControl& sheet = *p.Cuadric;
        QCOMPARE(sheet.Rows(), 101);
        QCOMPARE(sheet.Cols(), 102);

        keyboard::press(Qt::Key_F3);
        QCOMPARE(nonRandomCell(sheet, 100), QString());
        QCOMPARE(sheet.TextMatrix(0, 101), QStringLiteral("T.I"));

        // Choleski, then a look at B and C and back.
        QVERIFY(p.Op_Ch->isChecked());
        QTest::mouseClick(p.B_Calcular, Qt::LeftButton);
        QCOMPARE(modals.shown(), QStringList());
        const std::vector<double> choleski = solution(p);
        QCOMPARE(int(choleski.size()), 100);
        QVERIFY2(relativeResidual(sheet, choleski) < 1e-4, qPrintable(QString::number(relativeResidual(sheet, choleski))));
        QCOMPARE(p.F_Rint[0]->Rows(), 100);
        QCOMPARE(p.F_Rint[1]->Cols(), 100);

        QTest::mouseClick(p.B_Mostrar, Qt::LeftButton);
        QVERIFY(p.Fr_Mat->isVisible() && !sheet.isVisible());
        QVERIFY(!p.T_Incog->isEnabled());
        QTest::mouseClick(p.B_Mostrar, Qt::LeftButton);
        QVERIFY(sheet.isVisible() && !p.Fr_Mat->isVisible());

        // Gauss-Jordan on the same worksheet agrees.
        QTest::mouseClick(p.Op_Gauss, Qt::LeftButton);
        QTest::keyClick(v, Qt::Key_F4);
        QCOMPARE(modals.shown(), QStringList());
        const std::vector<double> gauss = solution(p);
        QVERIFY2(relativeResidual(sheet, gauss) < 1e-4, qPrintable(QString::number(relativeResidual(sheet, gauss))));
        QCOMPARE(p.F_Rint[0]->Rows(), 0);
        QCOMPARE(p.F_Rint[0]->ScrollBars(), int(GridControl::ScrollNone));

        // Fitting by the menu's key: every column left-aligned, the matrices' scroll bars
        // back though they have no columns. The button then centres the header column again
        // and hands the focus to the solution, whose widths never change.
        QTest::keyClick(v, Qt::Key_F5);
        const int headerWidth = sheet.ColWidth(0);
        QVERIFY(headerWidth > 240);
        QVERIFY(sheet.ColWidth(101) >= 240);
        for (int c = 0; c < sheet.Cols(); ++c)
            QCOMPARE(sheet.ColAlignment(c), int(GridControl::AlignLeftCenter));
        QCOMPARE(p.F_Rint[0]->ScrollBars(), int(GridControl::ScrollBoth));
        QTest::mouseClick(p.Command1, Qt::LeftButton);
        QCOMPARE(sheet.ColAlignment(0), int(GridControl::AlignCenterCenter));
        QCOMPARE(sheet.ColAlignment(1), int(GridControl::AlignLeftCenter));
        QCOMPARE(sheet.ColWidth(0), headerWidth);
        QCOMPARE(QApplication::focusWidget(), p.F_Resp);
        QCOMPARE(p.F_Resp->ColWidth(0), 380);
        QCOMPARE(p.F_Resp->ColWidth(1), 1470);

        // The about dialog by the key and by the button, which hands the focus (the window's
        // focus child, until the window is active again) to the solution.
        p.Cuadric->setFocus();
        QTest::keyClick(v, Qt::Key_F1);
        QTest::mouseClick(p.Command2, Qt::LeftButton);
        QCOMPARE(modals.shown(), QStringList({"frmAbout", "frmAbout"}));
        QVERIFY(!v->findChild<QDialog*>());
        QCOMPARE(v->focusWidget(), p.F_Resp);

        // The offscreen platform gives the activation back to nobody when a dialog closes.
        QApplication::setActiveWindow(v);
        QTest::keyClick(v, Qt::Key_F2);
        QCOMPARE(sheet.Cols(), 0);
        QCOMPARE(p.F_Resp->Rows(), 0);

        QTest::mouseClick(p.B_Salir, Qt::LeftButton);
        QVERIFY(!v->isVisible());
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestWholeSession)
#include "tst_wholesession.moc"
