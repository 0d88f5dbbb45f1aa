#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "worksheet/ColumnFitting.h"
#include "worksheet/TextWidthTable.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <QTest>

#include <algorithm>

namespace {

using Column = QStringList;

int fittedWidth(const TextWidthTable& measure, const Column& texts)
{
    double widest = 0.0;
    for (const QString& text : texts)
        widest = std::max(widest, measure.TextWidth(text));
    return static_cast<int>(solver::roundHalfEven(widest + 240.0));
}

} // namespace

class TestColumnFitting : public QObject
{
    Q_OBJECT

private slots:
    // Numbers and headers measure as the font lays them out, kerning included; other
    // Latin-1 texts within a pixel (their pairs are not kerned); anything else exactly.
    void tableMatchesTheFont_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("digits") << "1234567890" << 0.01;
        QTest::newRow("negative decimal") << "-0,1234567" << 0.01;
        QTest::newRow("exponent") << "1.234568E+07" << 0.01;
        QTest::newRow("small exponent") << "-1.5e-06" << 0.01;
        QTest::newRow("kerned header") << "T.I" << 0.01;
        QTest::newRow("row header") << "EQ100" << 0.01;
        QTest::newRow("column header") << "X17" << 0.01;
        QTest::newRow("indicator") << "100,101" << 0.01;
        QTest::newRow("accented") << "Ingeniería Mecánica" << 15.0;
        QTest::newRow("outside Latin-1") << QString::fromUtf8("αβγ → ∞") << 0.01;
    }
    void tableMatchesTheFont()
    {
        QFETCH(QString, text);
        QFETCH(double, tolerance);
        const GridControl g;
        const TextWidthTable measure(g.font());
        const double expected = QFontMetricsF(g.font()).horizontalAdvance(text) * 15.0;
        QVERIFY2(std::abs(measure.TextWidth(text) - expected) <= tolerance,
                 qPrintable(QStringLiteral("%1 against %2").arg(measure.TextWidth(text)).arg(expected)));
    }

    void emptyTextHasNoWidth()
    {
        const TextWidthTable measure(QFont(QStringLiteral("Liberation Sans"), 8));
        QCOMPARE(measure.TextWidth(QString()), 0.0);
    }

    void widerTextsMeasureWider()
    {
        const TextWidthTable measure(QFont(QStringLiteral("Liberation Sans"), 8));
        QVERIFY(measure.TextWidth(QStringLiteral("10")) > measure.TextWidth(QStringLiteral("1")));
        QVERIFY(measure.TextWidth(QStringLiteral("EQ100")) > measure.TextWidth(QStringLiteral("EQ10")));
        QCOMPARE(measure.TextWidth(QStringLiteral("7777")), 4.0 * measure.TextWidth(QStringLiteral("7")));
    }

    // Columns given top to bottom; every column ends at its widest text plus 240 twips.
    void widths_data()
    {
        // clang-format off
        QTest::addColumn<QList<Column>>("columns");
        QTest::newRow("one cell") << QList<Column>{{"42"}};
        QTest::newRow("widest in the middle") << QList<Column>{{"1", "-0,1234567", "3"}, {"X2", "", "7"}};
        QTest::newRow("header wider than body") << QList<Column>{{"T.I", "1", "2"}};
        QTest::newRow("empty column among full ones") << QList<Column>{{"123", "4"}, {"", ""}, {"1.234568E+07", "5"}};
        QTest::newRow("accents and blanks") << QList<Column>{{"Método  de Choleski", "0"}};
        // clang-format on
    }
    void widths()
    {
        QFETCH(QList<Column>, columns);
        GridControl g;
        const qsizetype rows = columns.front().size();
        g.setRows(static_cast<int>(rows));
        g.setCols(static_cast<int>(columns.size()));
        for (qsizetype c = 0; c < columns.size(); ++c)
            for (qsizetype r = 0; r < rows; ++r)
                g.setTextMatrix(int(r), int(c), columns[c][r]);
        const TextWidthTable measure(g.font());
        AjustarColumnas(g, measure);
        for (qsizetype c = 0; c < columns.size(); ++c) {
            QCOMPARE(g.ColWidth(int(c)), fittedWidth(measure, columns[c]));
            QCOMPARE(g.ColAlignment(int(c)), int(GridControl::AlignLeftCenter));
        }
    }

    void emptyColumnGetsTheMargin()
    {
        GridControl g;
        g.setRows(4);
        g.setCols(3);
        g.setTextMatrix(2, 0, QStringLiteral("77"));
        AjustarColumnas(g, TextWidthTable(g.font()));
        QVERIFY(g.ColWidth(0) > 240);
        QCOMPARE(g.ColWidth(1), 240);
        QCOMPARE(g.ColWidth(2), 240);
    }

    void indicatorWidensTheHeaderColumn()
    {
        GridControl g;
        layOutWorksheet(g, 100);
        const TextWidthTable measure(g.font());
        AjustarColumnas(g, measure);
        const int withoutIndicator = g.ColWidth(0);
        QCOMPARE(withoutIndicator, fittedWidth(measure, {"EQ100"}));

        g.setTextMatrix(0, 0, QStringLiteral("100,101"));
        AjustarColumnas(g, measure);
        QVERIFY(g.ColWidth(0) > withoutIndicator);
        QCOMPARE(g.ColWidth(0), fittedWidth(measure, {"100,101"}));
    }

    void independentTermNeverNarrowerThanItsHeader()
    {
        GridControl g;
        layOutWorksheet(g, 3);
        const TextWidthTable measure(g.font());
        AjustarColumnas(g, measure);
        QCOMPARE(g.ColWidth(4), fittedWidth(measure, {"T.I"}));
        g.setTextMatrix(2, 4, QStringLiteral("7099"));
        AjustarColumnas(g, measure);
        QVERIFY(g.ColWidth(4) >= fittedWidth(measure, {"T.I"}));
    }

    // Fitting again after the texts narrow makes the columns narrower too.
    void refitsToNarrowerTexts()
    {
        GridControl g;
        layOutWorksheet(g, 2);
        const TextWidthTable measure(g.font());
        g.setTextMatrix(1, 1, QStringLiteral("-1.234568E+07"));
        AjustarColumnas(g, measure);
        const int wide = g.ColWidth(1);
        g.setTextMatrix(1, 1, QStringLiteral("5"));
        AjustarColumnas(g, measure);
        QVERIFY(g.ColWidth(1) < wide);
        QCOMPARE(g.ColWidth(1), fittedWidth(measure, {"X1", "5"}));
    }

    void columnsWithoutRows()
    {
        GridControl g;
        g.setCols(5);
        g.setRows(0);
        AjustarColumnas(g, TextWidthTable(g.font()));
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(g.ColWidth(c), 240);
            QCOMPARE(g.ColAlignment(c), int(GridControl::AlignLeftCenter));
        }
        QCOMPARE(g.ScrollBars(), int(GridControl::ScrollBoth));
    }

    void noColumnsOnlyRestoresTheScrollBars()
    {
        GridControl g;
        g.setRows(3);
        g.setCols(0);
        g.setScrollBars(GridControl::ScrollNone);
        AjustarColumnas(g, TextWidthTable(g.font()));
        QCOMPARE(g.ScrollBars(), int(GridControl::ScrollBoth));
        QCOMPARE(g.Cols(), 0);
        QCOMPARE(g.Rows(), 3);
    }

    void everyColumnLeftAligned()
    {
        GridControl g;
        layOutWorksheet(g, 4);
        g.setColAlignment(0, GridControl::AlignCenterCenter);
        g.setColAlignment(2, GridControl::AlignRightBottom);
        g.setScrollBars(GridControl::ScrollVertical);
        AjustarColumnas(g, TextWidthTable(g.font()));
        for (int c = 0; c < g.Cols(); ++c)
            QCOMPARE(g.ColAlignment(c), int(GridControl::AlignLeftCenter));
        QCOMPARE(g.ScrollBars(), int(GridControl::ScrollBoth));
    }

    void textsAreLeftAsTheyWere()
    {
        GridControl g;
        layOutWorksheet(g, 3);
        g.setTextMatrix(2, 3, QStringLiteral("-0,5"));
        g.setRow(2);
        g.setCol(3);
        AjustarColumnas(g, TextWidthTable(g.font()));
        QCOMPARE(g.TextMatrix(2, 3), QStringLiteral("-0,5"));
        QCOMPARE(g.TextMatrix(0, 4), QStringLiteral("T.I"));
        QCOMPARE(g.Row(), 2);
        QCOMPARE(g.Col(), 3);
    }
};

QTEST_MAIN(TestColumnFitting)
#include "tst_columnfitting.moc"
