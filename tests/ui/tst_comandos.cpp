#include "grid/GridControl.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

struct Window
{
    Window()
    {
        v->show();
        QApplication::setActiveWindow(v.get());
    }
    template <typename T = QWidget> T* w(const char* name) const
    {
        return v->findChild<T*>(QLatin1String(name));
    }
    GridControl* grid(const char* name) const { return w<GridControl>(name); }
    void accept(int n)
    {
        w<QLineEdit>("T_Incog")->setText(QString::number(n));
        w<QAbstractButton>("B_Incog")->click();
    }
    QStringList body() const
    {
        QStringList cells;
        for (int r = 1; r < grid("Cuadric")->Rows(); ++r)
            for (int c = 1; c < grid("Cuadric")->Cols(); ++c)
                cells << grid("Cuadric")->TextMatrix(r, c);
        return cells;
    }

    std::unique_ptr<FrmP> v = std::make_unique<FrmP>();
};

} // namespace

class TestComandos : public QObject
{
    Q_OBJECT

private slots:
    void randomFillRangesAndRepeatability_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("2") << 2;
        QTest::newRow("100") << 100;
    }

    void randomFillRangesAndRepeatability()
    {
        QFETCH(int, n);
        Window first;
        first.accept(n);
        first.w<QAction>("MnuGenera")->trigger();
        const QStringList generated = first.body();
        QCOMPARE(generated.size(), n * (n + 1));
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n + 1; ++c) {
                bool ok = false;
                const int v = first.grid("Cuadric")->TextMatrix(r, c).toInt(&ok);
                QVERIFY(ok);
                QVERIFY(v >= 0 && v <= (c == n + 1 ? 7099 : 99));
            }
        QCOMPARE(first.grid("Cuadric")->TextMatrix(0, n + 1), QString("T.I"));

        first.w<QAction>("MnuGenera")->trigger();
        QVERIFY(first.body() != generated);

        // A fresh start draws the same first worksheet.
        Window again;
        again.accept(n);
        again.w<QAction>("MnuGenera")->trigger();
        QCOMPARE(again.body(), generated);
    }

    void fittingByMenuAndByButton()
    {
        Window t;
        t.accept(100);
        t.w<QAction>("MnuGenera")->trigger();
        t.grid("Cuadric")->setTextMatrix(0, 0, "100,101");
        t.w<QAction>("mnuOp")->trigger();
        const int header = t.grid("Cuadric")->ColWidth(0);
        QVERIFY(header > 240);
        for (int c = 0; c < t.grid("Cuadric")->Cols(); ++c)
            QCOMPARE(t.grid("Cuadric")->ColAlignment(c), int(GridControl::AlignLeftCenter));
        // The matrix grids have no columns before a Choleski solve.
        QCOMPARE(t.grid("F_Rint_0")->ScrollBars(), int(GridControl::ScrollBoth));

        t.w<QAbstractButton>("Command1")->click();
        QCOMPARE(t.grid("Cuadric")->ColAlignment(0), int(GridControl::AlignCenterCenter));
        QCOMPARE(t.grid("Cuadric")->ColAlignment(1), int(GridControl::AlignLeftCenter));
        QCOMPARE(t.grid("Cuadric")->ColWidth(0), header);
        QCOMPARE(QApplication::focusWidget(), t.grid("F_Resp"));
        QCOMPARE(t.grid("F_Resp")->ColWidth(0), 380);
        QCOMPARE(t.grid("F_Resp")->ColWidth(1), 1470);
    }

    void aboutFromTheMenuAndTheButton()
    {
        Window t;
        QVERIFY(QTest::qWaitForWindowActive(t.v.get()));
        QString seen;
        QTimer::singleShot(0, [&seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->objectName();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        QTest::keyClick(t.v.get(), Qt::Key_F1);
        QCOMPARE(seen, QString("frmAbout"));
        QVERIFY(!QApplication::activeModalWidget());

        seen.clear();
        QTimer::singleShot(0, [&seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->objectName();
                QTest::keyClick(modal, Qt::Key_Return);
            }
        });
        t.w<QAbstractButton>("Command2")->click();
        QCOMPARE(seen, QString("frmAbout"));
        // The window's focus child: it holds the focus once the window is active again.
        QCOMPARE(t.v->focusWidget(), t.grid("F_Resp"));
    }
};

QTEST_MAIN(TestComandos)
#include "tst_comandos.moc"
