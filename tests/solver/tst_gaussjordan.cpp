#include "MemorySheet.h"

#include "solver/Solver.h"

#include <QTest>

#include <cmath>

using solver::Solver;
using Outcome = solver::Solver::GaussJordanOutcome;
using Rows = std::vector<std::vector<float>>;
using Values = std::vector<double>;
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(Values)

namespace {

void compareSolution(const Solver& s, const Values& expected, double tolerance)
{
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const double got = s.A.at(int(i), s.n);
        if (std::abs(got - expected[i]) > tolerance)
            QFAIL(qPrintable(QStringLiteral("X%1 = %2, expected %3").arg(i + 1).arg(got, 0, 'g', 9).arg(expected[i], 0, 'g', 9)));
    }
}

} // namespace

class TestGaussJordan : public QObject
{
    Q_OBJECT

private slots:
    void solvesAndLeavesIdentity()
    {
        MemorySheet sheet = MemorySheet::fromRows({{2, 1, 3}, {4, 5, 6}});
        Solver s = solverFor(sheet, 2);
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Solved);
        QCOMPARE(columnN(s.A, 2), (std::vector<float>{1.5f, 0.f}));
        QCOMPARE(s.A.at(0, 0), 1.f);
        QCOMPARE(s.A.at(1, 1), 1.f);
        QCOMPARE(s.A.at(0, 1), 0.f);
        QCOMPARE(s.A.at(1, 0), 0.f);
    }

    void initialRotation_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<Values>("solution");
        // X = (1, 2, 3) in every case.
        QTest::newRow("row 1 only") << Rows{{0, 1, 1, 5}, {2, 1, 0, 4}, {0, 0, 1, 3}} << Values{1, 2, 3};
        QTest::newRow("rows 1 and 2") << Rows{{0, 1, 1, 5}, {1, 1, 1, 6}, {2, 0, 1, 5}} << Values{1, 2, 3};
        QTest::newRow("rows 2 and 3") << Rows{{0, 2, 1, 7}, {0, 1, 0, 2}, {1, 0, 0, 1}, {3, 1, 1, 8}} << Values{1, 2, 3};
    }

    void initialRotation()
    {
        QFETCH(Rows, rows);
        QFETCH(Values, solution);
        if (rows.size() == 4) {
            // Four equations, three unknowns are not a square system: add a fourth
            // unknown X4 = 0 by giving it a unit column.
            for (auto& row : rows)
                row.insert(row.end() - 1, 0.f);
            rows[1][3] = 1.f;
            rows[1][4] += 0.f;
            solution.push_back(0);
        }
        MemorySheet sheet = MemorySheet::fromRows(rows);
        Solver s = solverFor(sheet, int(rows.size()));
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Solved);
        QCOMPARE(s.FilaCambio, std::int16_t(0));
        compareSolution(s, solution, 1e-5);
    }

    void firstColumnZeroUsesEveryRetry_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("n = 2, no retry") << 2;
        QTest::newRow("n = 3") << 3;
        QTest::newRow("n = 5") << 5;
    }

    void firstColumnZeroUsesEveryRetry()
    {
        QFETCH(int, n);
        Rows rows;
        for (int i = 0; i < n; ++i) {
            std::vector<float> row(std::size_t(n) + 1, 1.f);
            row[0] = 0.f;
            row[std::size_t(i) + 1] += 1.f;
            rows.push_back(row);
        }
        MemorySheet sheet = MemorySheet::fromRows(rows);
        Solver s = solverFor(sheet, n);
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Insoluble);
        QCOMPARE(int(s.FilaCambio), n - 2);
    }

    void identicalEquationsAreInsoluble()
    {
        MemorySheet sheet = MemorySheet::fromRows({{1, 2, 3}, {1, 2, 3}});
        Solver s = solverFor(sheet, 2);
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Insoluble);
        QCOMPARE(s.FilaCambio, std::int16_t(0));
    }

    void retryWithAnotherFirstEquation()
    {
        // Rows 0 and 1 agree in their first two coefficients, so the second pivot is
        // exactly zero whichever of them comes first; putting row 2 first succeeds.
        // X = (1, 1, 1, 1).
        MemorySheet sheet = MemorySheet::fromRows({{1, 1, 1, 1, 4}, {2, 2, 1, 3, 8}, {1, 3, 1, 1, 6}, {1, 1, 2, 5, 9}});
        Solver s = solverFor(sheet, 4);
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Solved);
        QCOMPARE(s.FilaCambio, std::int16_t(2));
        compareSolution(s, {1, 1, 1, 1}, 1e-5);
    }

    void tinyPivotIsUsedUnchanged()
    {
        // 0.3333333 and the single nearest to 1/3 differ in their last bit: the second
        // pivot is tiny but not zero, and the method goes on without a message.
        MemorySheet sheet;
        sheet.cells = {{{1, 1}, "3"}, {{1, 2}, "1"}, {{1, 3}, "4"}, {{2, 1}, "1"}, {{2, 2}, "0.3333333"}, {{2, 3}, "2"}};
        Solver s = solverFor(sheet, 2);
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Solved);
        QCOMPARE(s.FilaCambio, std::int16_t(0));
        QVERIFY(std::abs(s.A.at(0, 2)) > 1e6f);
        QVERIFY(std::isfinite(s.A.at(1, 2)));
    }

    void leavesBUntouched()
    {
        MemorySheet sheet = MemorySheet::fromRows({{2, 1, 3}, {4, 5, 6}});
        Solver s = solverFor(sheet, 2);
        s.CholeSki();
        const auto b = s.B;
        const auto c = s.C;
        s.LeerDatos(sheet, ".");
        QCOMPARE(s.GaussJordan(sheet, "."), Outcome::Solved);
        QCOMPARE(s.B, b);
        QCOMPARE(s.C, c);
    }
};

QTEST_GUILESS_MAIN(TestGaussJordan)
#include "tst_gaussjordan.moc"
