#include "TestLocale.h"
#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "solver/RuntimeError.h"
#include "worksheet/RefusedCells.h"

#include <QLocale>
#include <QTest>

// The mark of a cell that a calculation would refuse: the reason in the user's words,
// given exactly where the calculation's own conversion refuses the text.
class TestRefusedCells : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { locale_.restaurar(); }

    void reason_data()
    {
        QTest::addColumn<QString>("separador");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("motivo");
        const QString nan = QStringLiteral(" no es un número: escriba cifras, con ");
        QTest::newRow("comma, a number") << ","
                                         << "1,5"
                                         << "";
        QTest::newRow("comma, empty") << ","
                                      << ""
                                      << "";
        QTest::newRow("comma, blanks around") << ","
                                              << "  -2,5E+3 "
                                              << "";
        QTest::newRow("comma, underflow reads as zero") << ","
                                                        << "1E-50"
                                                        << "";
        QTest::newRow("comma, a point") << ","
                                        << "1.5"
                                        << "«1.5» no es un número con coma decimal: escriba 1,5";
        QTest::newRow("comma, a point before three digits")
            << ","
            << "1.234"
            << "«1.234» no es un número con coma decimal: escriba 1,234, o 1234 si es un número entero";
        QTest::newRow("comma, two points") << ","
                                           << "1.234.567"
                                           << "«1.234.567»" + nan + "coma decimal si tiene decimales (12, -3,5, 1,5E+3)";
        QTest::newRow("comma, beyond single")
            << ","
            << "3,5E+38"
            << "«3,5E+38» se sale del intervalo de los números de precisión simple: escriba un valor entre -3,402823E+38 y 3,402823E+38";
        QTest::newRow("comma, blanks only") << ","
                                            << "   "
                                            << "La celda solo tiene espacios: escriba un número o vacíela con Supr";
        QTest::newRow("comma, letters") << ","
                                        << "abc"
                                        << "«abc»" + nan + "coma decimal si tiene decimales (12, -3,5, 1,5E+3)";
        QTest::newRow("point, a number") << "."
                                         << "1.5"
                                         << "";
        QTest::newRow("point, a comma") << "."
                                        << "-1,5"
                                        << "«-1,5» no es un número con punto decimal: escriba -1.5";
        QTest::newRow("point, a comma and an exponent") << "."
                                                        << "2,5e3"
                                                        << "«2,5e3» no es un número con punto decimal: escriba 2.5e3";
        QTest::newRow("point, beyond single")
            << "."
            << "-1e39"
            << "«-1e39» se sale del intervalo de los números de precisión simple: escriba un valor entre -3.402823E+38 y 3.402823E+38";
        QTest::newRow("point, a comma that fixes nothing") << "."
                                                           << "1,x"
                                                           << "«1,x»" + nan + "punto decimal si tiene decimales (12, -3.5, 1.5E+3)";
    }

    // The reason, and the agreement with the calculation's conversion.
    void reason()
    {
        QFETCH(QString, separador);
        QFETCH(QString, texto);
        QFETCH(QString, motivo);
        QCOMPARE(refusalOf(texto, separador), motivo);
        bool lee = true;
        try {
            solver::textToSingle(texto.toStdString(), separador.toStdString());
        } catch (const solver::RuntimeError&) {
            lee = false;
        }
        QCOMPARE(lee || texto.isEmpty(), motivo.isEmpty());
    }

    // On the grid: body cells only, in the locale of the moment, as tooltip, description and mark.
    void marks_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<bool>>("marcadas");
        QTest::newRow("es_ES") << QLocale(QLocale::Spanish, QLocale::Spain) << QList<bool>{false, true, false, true, false};
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QList<bool>{false, false, true, true, false};
    }

    void marks()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<bool>, marcadas);
        locale_.fijar(locale);
        GridControl g;
        layOutWorksheet(g, 2);
        g.setTextMatrix(1, 0, QStringLiteral("abc"));
        markRefusedCells(g);
        const QStringList textos{"7", "1.5", "1,5", "x", ""};
        for (int i = 0; i < textos.size(); ++i)
            g.setTextMatrix(1 + i / 3, 1 + i % 3, textos[i]);
        for (int i = 0; i < textos.size(); ++i) {
            const QModelIndex celda = g.model()->index(1 + i / 3, 1 + i % 3);
            const QString motivo = refusalOf(textos[i], locale.decimalPoint());
            QCOMPARE(celda.data(GridModel::MarkRole).toBool(), marcadas[i]);
            QCOMPARE(celda.data(Qt::ToolTipRole).toString(), motivo);
            QCOMPARE(celda.data(Qt::AccessibleDescriptionRole).toString(), motivo);
        }
        QVERIFY(!g.model()->index(1, 0).data(GridModel::MarkRole).toBool());
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestRefusedCells)
#include "tst_refusedcells.moc"
