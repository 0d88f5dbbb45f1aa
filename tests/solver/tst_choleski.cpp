#include "MemorySheet.h"
#include "RuntimeErrorSeen.h"
#include "SameBits.h"

#include "solver/Solver.h"

#include <QTest>

using solver::Solver;

class TestCholeski : public QObject
{
    Q_OBJECT

private slots:
    void workedExample()
    {
        // 2 X1 + 1 X2 = 3 ; 4 X1 + 5 X2 = 6
        MemorySheet sheet = MemorySheet::fromRows({{2, 1, 3}, {4, 5, 6}});
        Solver s = solverFor(sheet, 2);
        s.CholeSki();
        QCOMPARE(s.B.at(0, 0), 2.f);
        QCOMPARE(s.B.at(0, 1), 0.f);
        QCOMPARE(s.B.at(1, 0), 4.f);
        QCOMPARE(s.B.at(1, 1), 3.f);
        QCOMPARE(s.C.at(0, 0), 1.f);
        QCOMPARE(s.C.at(0, 1), 0.5f);
        QCOMPARE(s.C.at(1, 0), 0.f);
        QCOMPARE(s.C.at(1, 1), 1.f);
        s.SustAdelante();
        QCOMPARE(columnN(s.B, 2), (std::vector<float>{1.5f, 0.f}));
        s.SustAtras();
        QCOMPARE(columnN(s.C, 2), (std::vector<float>{1.5f, 0.f}));
        QCOMPARE(s.FilaCambio, std::int16_t(0));
    }

    void zeroFirstPivotExchangesRows()
    {
        // 0 X1 + 1 X2 = 2 ; 1 X1 + 1 X2 = 3  ->  X1 = 1, X2 = 2
        MemorySheet sheet = MemorySheet::fromRows({{0, 1, 2}, {1, 1, 3}});
        Solver s = solverFor(sheet, 2);
        s.CholeSki();
        QCOMPARE(s.FilaCambio, std::int16_t(1));
        QCOMPARE(s.A.at(0, 0), 1.f); // rows exchanged in A
        s.SustAdelante();
        s.SustAtras();
        QCOMPARE(columnN(s.C, 2), (std::vector<float>{1.f, 2.f}));
    }

    void exhaustedExchangesRaiseNine_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("n = 2") << 2;
        QTest::newRow("n = 3") << 3;
        QTest::newRow("n = 6") << 6;
    }

    void exhaustedExchangesRaiseNine()
    {
        // The first column is zero everywhere, so every restart divides a non-zero
        // element of row 0 by a zero B(0, 0).
        QFETCH(int, n);
        std::vector<std::vector<float>> rows;
        for (int i = 0; i < n; ++i) {
            std::vector<float> row(std::size_t(n) + 1, float(i + 1));
            row[0] = 0.f;
            rows.push_back(row);
        }
        MemorySheet sheet = MemorySheet::fromRows(rows);
        Solver s = solverFor(sheet, n);
        QCOMPARE(errorOf([&] { s.CholeSki(); }), 9);
        QCOMPARE(s.FilaCambio, std::int16_t(n)); // n - 1 exchanges, then the failed one
    }

    void lastPivotZeroReachesForwardSubstitution()
    {
        // Singular: the second equation is twice the first, so B(1, 1) is exactly zero.
        MemorySheet sheet = MemorySheet::fromRows({{1, 2, 3}, {2, 4, 6}});
        Solver s = solverFor(sheet, 2);
        QCOMPARE(errorOf([&] { s.CholeSki(); }), 0);
        QCOMPARE(s.B.at(1, 1), 0.f);
        QCOMPARE(s.C.at(0, 1), 2.f);
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), 6);
    }

    void zeroFirstRowIsDiscardedThenTraps()
    {
        // C(0, 1) is zero divided by zero: overflow, which the factorization discards.
        MemorySheet sheet = MemorySheet::fromRows({{0, 0, 1}, {1, 2, 3}});
        Solver s = solverFor(sheet, 2);
        QCOMPARE(errorOf([&] { s.CholeSki(); }), 0);
        QCOMPARE(s.FilaCambio, std::int16_t(0));
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), 6);
    }

    void overflowInFactorIsDiscarded()
    {
        MemorySheet sheet = MemorySheet::fromRows({{1e-30f, 3e30f, 1}, {3e30f, 1, 1}});
        Solver s = solverFor(sheet, 2);
        QCOMPARE(errorOf([&] { s.CholeSki(); }), 0);
        // C(0, 1) = 3e30 / 1e-30 does not fit a single: the factorization stopped there.
        QCOMPARE(s.C.at(0, 1), 0.f);
        QCOMPARE(s.B.at(1, 0), 3e30f);
    }

    void secondSolveIsIdentical()
    {
        MemorySheet sheet = MemorySheet::fromRows({{0, 3, -1, 2, 7}, {4, 1, 2, -3, 1}, {2, -5, 3, 1, 0}, {-1, 2, 6, 5, -4}});
        Solver s;
        s.n = 4;
        s.Redimensionar();
        auto solve = [&] {
            s.FilaCambio = 0;
            s.LeerDatos(sheet, ".");
            s.CholeSki();
            const auto factors = std::make_pair(s.B, s.C);
            s.SustAdelante();
            s.SustAtras();
            return factors;
        };
        const auto first = solve();
        const auto firstSolution = s.C;
        // The substitutions leave exact zeros in the triangles the factorization skips.
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                if (i != j) {
                    QCOMPARE(s.B.at(i, j), 0.f);
                    QCOMPARE(s.C.at(i, j), 0.f);
                }
        const auto second = solve();
        // The factors as shown (columns 0 to n - 1; column n is a work column that still
        // holds the previous y and x) and the whole solution are the same to the bit.
        QVERIFY(sameBits(first.first, second.first, 4));
        QVERIFY(sameBits(first.second, second.second, 4));
        QVERIFY(sameBits(firstSolution, s.C, 5));
        QCOMPARE(s.FilaCambio, std::int16_t(1));
    }

    void substitutionOverflowKeepsEarlierStores()
    {
        // Dividing row 0 by a tiny pivot overflows at its second element; the first
        // element was already stored and the rest keeps its value.
        Solver s;
        s.n = 2;
        s.Redimensionar();
        s.A.set(0, 2, 1.f);
        s.B.set(0, 0, 1e-30f);
        s.B.set(0, 1, 0.f);
        s.B.set(1, 0, 1.f);
        s.B.set(1, 1, 1.f);
        s.A.set(0, 2, 1e10f);
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), 6);
        QCOMPARE(s.B.at(0, 0), 1.f);
        QCOMPARE(s.B.at(0, 1), 0.f);
        QCOMPARE(s.B.at(0, 2), 1e10f);
    }

    void matricesSmallerThanN()
    {
        MemorySheet sheet = MemorySheet::fromRows({{2, 1, 3}, {4, 5, 6}});
        Solver s = solverFor(sheet, 2);
        s.n = 3;
        // Out-of-bounds indexing inside the factorization is discarded like any
        // non-division error; the substitution then reports it.
        QCOMPARE(errorOf([&] { s.CholeSki(); }), 0);
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), 9);
    }
};

QTEST_GUILESS_MAIN(TestCholeski)
#include "tst_choleski.moc"
