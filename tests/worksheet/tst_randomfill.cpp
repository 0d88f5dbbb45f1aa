#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "worksheet/FillRandom.h"
#include "worksheet/RandomGenerator.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

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

class TestRandomFill : public QObject
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
};

QTEST_MAIN(TestRandomFill)
#include "tst_randomfill.moc"
