#include "DataColumns.h"
#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "worksheet/AjustarColumnas.h"
#include "worksheet/FillRandom.h"
#include "worksheet/RandomGenerator.h"
#include "worksheet/TextWidthTable.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using Column = QStringList;

int fittedWidth(const TextWidthTable& measure, const Column& texts)
{
    double widest = 0.0;
    for (const QString& text : texts)
        widest = std::max(widest, measure.TextWidth(text));
    return static_cast<int>(std::nearbyint(widest + 240.0));
}

QStringList headerTexts(const GridControl& g, int n)
{
    QStringList texts;
    for (int c = 0; c <= n + 1; ++c)
        texts << g.TextMatrix(0, c);
    for (int r = 1; r <= n; ++r)
        texts << g.TextMatrix(r, 0);
    return texts;
}

} // namespace

// The worksheet's two commands over its cells: random values (F3) and columns fitted to
// their texts (F5).
class TestFillAndFit : public QObject
{
    Q_OBJECT

private slots:
    void generation_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("two equations") << 2;
        QTest::newRow("seven equations") << 7;
        QTest::newRow("a hundred equations") << 100;
    }

    // Over typed values, each cell holds the floor of its own draw, taken row by row and
    // left to right, times 100 (coefficients) or 7100 (the independent term), written as
    // plain digits; one draw per cell. A second generation differs from the first; a fresh
    // generator, as in a new run of the program, repeats it.
    void generation()
    {
        QFETCH(int, n);
        GridControl g;
        layOutWorksheet(g, n);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n + 1; ++c)
                g.setTextMatrix(r, c, QStringLiteral("-12,5e3x"));
        RandomGenerator rng;
        fillRandom(g, n, rng);

        QCOMPARE(nonRandomCell(g, n), QString());
        RandomGenerator replay;
        for (int r = 1; r <= n; ++r) {
            for (int c = 1; c <= n + 1; ++c) {
                const double factor = c == n + 1 ? 7100.0 : 100.0;
                const int expected = static_cast<int>(std::floor(replay.next() * factor));
                QCOMPARE(g.TextMatrix(r, c), QString::number(expected));
            }
        }
        if (n == 100) {
            // Ten thousand coefficients reach both ends of their range.
            int coefficientMin = 100;
            int coefficientMax = -1;
            for (int r = 1; r <= n; ++r) {
                for (int c = 1; c <= n; ++c) {
                    coefficientMin = std::min(coefficientMin, g.TextMatrix(r, c).toInt());
                    coefficientMax = std::max(coefficientMax, g.TextMatrix(r, c).toInt());
                }
            }
            QCOMPARE(coefficientMin, 0);
            QCOMPARE(coefficientMax, 99);
        }

        GridControl again;
        layOutWorksheet(again, n);
        RandomGenerator run2;
        fillRandom(again, n, run2);
        QCOMPARE(cellTexts(again, 1, 1), cellTexts(g, 1, 1));

        // The next draw is the one after the n·(n + 1) of the cells.
        QCOMPARE(run2.next(), replay.next());
        const QStringList first = cellTexts(g, 1, 1);
        fillRandom(g, n, rng);
        QVERIFY(cellTexts(g, 1, 1) != first);
    }

    void headersAndLayoutUntouched()
    {
        const int n = 7;
        GridControl g;
        layOutWorksheet(g, n);
        g.setColWidth(0, 500);
        g.setColAlignment(0, GridControl::AlignCenterCenter);
        g.setColWidth(3, 1234);
        g.setColAlignment(3, GridControl::AlignRightCenter);
        g.setRow(4);
        g.setCol(5);
        const QStringList headers = headerTexts(g, n);

        RandomGenerator rng;
        fillRandom(g, n, rng);

        QCOMPARE(headerTexts(g, n), headers);
        QCOMPARE(g.ColWidth(0), 500);
        QCOMPARE(g.ColAlignment(0), int(GridControl::AlignCenterCenter));
        QCOMPARE(g.ColWidth(3), 1234);
        QCOMPARE(g.ColAlignment(3), int(GridControl::AlignRightCenter));
        QCOMPARE(g.ColWidth(1), int(GridControl::kDefaultColWidth));
        QCOMPARE(g.Row(), 4);
        QCOMPARE(g.Col(), 5);
        QCOMPARE(g.Rows(), n + 1);
        QCOMPARE(g.Cols(), n + 2);
    }

    // Values are multiples of 2^-24 below 1, so that a product with 100 or 7100 never
    // reaches the factor; they spread evenly over [0, 1).
    void generatorValues()
    {
        RandomGenerator rng;
        constexpr int kDraws = 1'000'000;
        constexpr int kBuckets = 20;
        std::vector<int> buckets(kBuckets, 0);
        float largest = 0.0f;
        for (int k = 0; k < kDraws; ++k) {
            const float u = rng.next();
            QVERIFY(u >= 0.0f);
            QVERIFY(u < 1.0f);
            const double scaled = static_cast<double>(u) * 16777216.0;
            QCOMPARE(scaled, std::floor(scaled));
            QVERIFY(std::floor(static_cast<double>(u) * 7100.0f) <= 7099.0);
            largest = std::max(largest, u);
            ++buckets[static_cast<std::size_t>(u * kBuckets)];
        }
        QVERIFY(largest > 0.9999f);
        for (const int count : buckets)
            QVERIFY2(std::abs(count - kDraws / kBuckets) < kDraws / kBuckets / 20, qPrintable(QString::number(count)));
    }

    void generatorsStartAlike()
    {
        RandomGenerator a;
        RandomGenerator b;
        std::vector<float> first;
        for (int k = 0; k < 1000; ++k) {
            const float u = a.next();
            QCOMPARE(b.next(), u);
            first.push_back(u);
        }
        // No value follows itself, as a stuck state would make it.
        QVERIFY(std::adjacent_find(first.begin(), first.end()) == first.end());
    }

    // Numbers and headers measure as the font lays them out, kerning included; other
    // Latin-1 texts within a pixel (their pairs are not kerned); anything else exactly.
    void tableMatchesTheFont_data()
    {
        addColumns<QString, double>("text", "tolerance");
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
        // cell: column, row; change: 1 wider, -1 narrower, 0 no narrower
        addColumns<int, QPoint, QString, QString, Column, Column, int>("n", "cell", "before", "after", "fittedBefore", "fittedAfter", "change");
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
        // n: 0: no worksheet, a bare grid of these rows and columns
        addColumns<int, int, int, int>("n", "rows", "cols", "scrollBars");
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

QTEST_MAIN(TestFillAndFit)
#include "tst_fillandfit.moc"
