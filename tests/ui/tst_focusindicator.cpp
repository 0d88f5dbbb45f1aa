#include "WindowFixture.h"

#include <QApplication>
#include <QImage>
#include <QTest>

// Every control that Tab reaches shows that it holds the keyboard focus: its picture with
// the focus differs from its picture without it.
class TestFocoVisible : public QObject
{
    Q_OBJECT

private slots:
    void cadaParadaMuestraElFoco_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("al arrancar, cuadrículas vacías") << 0;
        QTest::newRow("hoja de 3 ecuaciones") << 3;
    }

    void cadaParadaMuestraElFoco()
    {
        QFETCH(int, n);
        const WindowFixture ventana;
        if (n > 0)
            ventana.aceptar(QString::number(n));

        // Once round the tab order, each stop pictured with the focus and again as soon
        // as Tab has taken it away.
        QWidget* const primera = QApplication::focusWidget();
        QWidget* actual = primera;
        int paradas = 0;
        do {
            QVERIFY(actual);
            const QImage con = actual->grab().toImage();
            QTest::keyClick(actual, Qt::Key_Tab);
            QVERIFY2(con != actual->grab().toImage(), qPrintable(actual->objectName() + QStringLiteral(" no muestra el foco")));
            actual = QApplication::focusWidget();
        } while (actual != primera && ++paradas < 40);
        QVERIFY(paradas > 5);
    }
};

QTEST_MAIN(TestFocoVisible)
#include "tst_focusindicator.moc"
