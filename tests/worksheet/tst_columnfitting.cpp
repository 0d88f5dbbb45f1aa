#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "solver/NumberText.h"
#include "worksheet/AjustarColumnas.h"
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
        QTest::newRow("empty") << QString() << 0.0;
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

    // Fitting again after a change of one text: the column follows it, wider or narrower,
    // and never narrower than its header.
    void refitsAfterAChange_data()
    {
        // clang-format off
        QTest::addColumn<int>("n");
        QTest::addColumn<QPoint>("cell"); // column, row
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<Column>("fittedBefore");
        QTest::addColumn<Column>("fittedAfter");
        QTest::addColumn<int>("change"); // 1 wider, -1 narrower, 0 no narrower
        QTest::newRow("indicator widens the header column") << 100 << QPoint(0, 0) << "1,1" << "100,101" << Column{"EQ100"} << Column{"100,101"} << 1;
        QTest::newRow("independent term and its header") << 3 << QPoint(4, 2) << "" << "7099" << Column{"T.I"} << Column{"T.I", "7099"} << 0;
        QTest::newRow("narrower text") << 2 << QPoint(1, 1) << "-1.234568E+07" << "5" << Column{"X1", "-1.234568E+07"} << Column{"X1", "5"} << -1;
        // clang-format on
    }
    void refitsAfterAChange()
    {
        QFETCH(int, n);
        QFETCH(QPoint, cell);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(Column, fittedBefore);
        QFETCH(Column, fittedAfter);
        QFETCH(int, change);
        GridControl g;
        layOutWorksheet(g, n);
        const TextWidthTable measure(g.font());
        g.setTextMatrix(cell.y(), cell.x(), before);
        AjustarColumnas(g, measure);
        const int first = g.ColWidth(cell.x());
        QCOMPARE(first, fittedWidth(measure, fittedBefore));
        g.setTextMatrix(cell.y(), cell.x(), after);
        AjustarColumnas(g, measure);
        QCOMPARE(g.ColWidth(cell.x()), fittedWidth(measure, fittedAfter));
        QVERIFY(change > 0 ? g.ColWidth(cell.x()) > first : change < 0 ? g.ColWidth(cell.x()) < first : g.ColWidth(cell.x()) >= first);
    }

    // Whatever the grid's shape, fitting leaves every column left-aligned and both scroll
    // bars on, and changes neither the texts nor the size nor the current cell; a column
    // of no rows gets the bare margin.
    void leavesTheRestAsItWas_data()
    {
        QTest::addColumn<int>("n"); // 0: no worksheet, a bare grid of these rows and columns
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("scrollBars");
        QTest::newRow("columns without rows") << 0 << 0 << 5 << int(GridControl::ScrollBoth);
        QTest::newRow("no columns") << 0 << 3 << 0 << int(GridControl::ScrollNone);
        QTest::newRow("worksheet of 3") << 3 << 4 << 5 << int(GridControl::ScrollVertical);
        QTest::newRow("worksheet of 4") << 4 << 5 << 6 << int(GridControl::ScrollNone);
    }
    void leavesTheRestAsItWas()
    {
        QFETCH(int, n);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(int, scrollBars);
        GridControl g;
        if (n > 0) {
            layOutWorksheet(g, n);
            g.setTextMatrix(2, 3, QStringLiteral("-0,5"));
            g.setRow(2);
            g.setCol(3);
        } else {
            g.setCols(cols);
            g.setRows(rows);
        }
        g.setScrollBars(scrollBars);
        for (int c = 0; c < g.Cols(); ++c)
            g.setColAlignment(c, c % 2 ? GridControl::AlignRightBottom : GridControl::AlignCenterCenter);
        const QStringList texts = cellTexts(g);
        const QPoint current(g.Col(), g.Row());

        AjustarColumnas(g, TextWidthTable(g.font()));
        QCOMPARE(g.Rows(), rows);
        QCOMPARE(g.Cols(), cols);
        for (int c = 0; c < cols; ++c) {
            QCOMPARE(g.ColAlignment(c), int(GridControl::AlignLeftCenter));
            if (rows == 0)
                QCOMPARE(g.ColWidth(c), 240);
        }
        QCOMPARE(g.ScrollBars(), int(GridControl::ScrollBoth));
        QCOMPARE(cellTexts(g), texts);
        QCOMPARE(QPoint(g.Col(), g.Row()), current);
    }
};

QTEST_MAIN(TestColumnFitting)
#include "tst_columnfitting.moc"
