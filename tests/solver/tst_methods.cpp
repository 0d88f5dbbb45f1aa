#include "DataColumns.h"
#include "MemorySheet.h"
#include "RuntimeErrorSeen.h"
#include "SameBits.h"

#include "solver/Solver.h"

#include <QTest>

#include <cmath>
#include <tuple>

// The worksheet reading, the row exchange and both methods, each on small systems whose
// every step is known.

using solver::Solver;
using Outcome = solver::Solver::GaussJordanOutcome;
using Rows = std::vector<std::vector<float>>;
using Floats = std::vector<float>;
using Values = std::vector<double>;
// Elements expected after the factorization: A, B or C, row, column, value.
using Elements = std::vector<std::tuple<char, int, int, float>>;
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(Floats)
Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Elements)
Q_DECLARE_METATYPE(Outcome)

class TestMethods : public QObject
{
    Q_OBJECT

private slots:
    void dimensionsFollowN()
    {
        Solver s = dimensioned(2);
        for (const auto* m : {&s.A, &s.B, &s.C}) {
            QCOMPARE(m->rows(), 2);
            QCOMPARE(m->cols(), 3);
        }
        QCOMPARE(s.A.at(1, 2), 0.f);
    }

    void emptyCellsBecomeZero()
    {
        MemorySheet sheet;
        Solver s = dimensioned(3);
        s.A.set(1, 1, 7.f);
        s.LeerDatos(sheet, ",");
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c)
                QCOMPARE(sheet.TextMatrix(r, c), std::string("0"));
        QCOMPARE(s.A, solver::SingleMatrix(3, 4));
    }

    void cellMapping()
    {
        MemorySheet sheet;
        // Headers hold text that is not a number: they must never be read.
        sheet.cells = {{{0, 0}, "1,1"}, {{0, 1}, "X1"}, {{0, 3}, "T.I"}, {{1, 0}, "EQ1"},   {{1, 1}, "2,5"},
                       {{1, 2}, "-1"},  {{1, 3}, "7"},  {{2, 1}, "1e1"}, {{2, 2}, "  4  "}, {{2, 3}, "0,25"}};
        Solver s = dimensioned(2);
        s.LeerDatos(sheet, ",");
        QCOMPARE(s.A.at(0, 0), 2.5f);
        QCOMPARE(s.A.at(0, 1), -1.f);
        QCOMPARE(s.A.at(0, 2), 7.f); // independent term in column n
        QCOMPARE(s.A.at(1, 0), 10.f);
        QCOMPARE(s.A.at(1, 1), 4.f);
        QCOMPARE(s.A.at(1, 2), 0.25f);
        QCOMPARE(sheet.TextMatrix(2, 2), std::string("  4  ")); // never rewritten
    }

    void badCellStopsTheReading_data()
    {
        addColumns<QString, int>("text", "error");
        QTest::newRow("blanks only") << "   " << 13;
        QTest::newRow("letters") << "x" << 13;
        QTest::newRow("beyond single") << "1e40" << 6;
    }

    void badCellStopsTheReading()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        MemorySheet sheet;
        sheet.cells = {{{1, 1}, "5"}, {{2, 2}, text.toStdString()}};
        Solver s = dimensioned(2);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 3; ++j)
                s.A.set(i, j, 9.f);
        QCOMPARE(errorOf([&] { s.LeerDatos(sheet, ","); }), error);
        // Cells before the bad one were read (empty ones now show "0"); cells after it
        // were not touched, in the worksheet or in A.
        QCOMPARE(sheet.TextMatrix(1, 2), std::string("0"));
        QCOMPARE(sheet.TextMatrix(2, 1), std::string("0"));
        QCOMPARE(sheet.TextMatrix(2, 3), std::string());
        QCOMPARE(s.A.at(0, 0), 5.f);
        QCOMPARE(s.A.at(1, 0), 0.f);
        QCOMPARE(s.A.at(1, 1), 9.f);
        QCOMPARE(s.A.at(1, 2), 9.f);
    }

    void exchangesAccumulate()
    {
        MemorySheet sheet = MemorySheet::fromRows({{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}});
        Solver s = solverFor(sheet, 3);
        s.IntercambiarFilas();
        s.IntercambiarFilas();
        QCOMPARE(s.FilaCambio, std::int16_t(2));
        // Row 0 holds the equation from row 2; rows 1 and 2 the ones from rows 0 and 1.
        QCOMPARE(s.A.at(0, 0), 3.f);
        QCOMPARE(s.A.at(1, 0), 1.f);
        QCOMPARE(s.A.at(2, 0), 2.f);
    }

    void noRowLeftRaisesNine()
    {
        MemorySheet sheet = MemorySheet::fromRows({{1, 2, 3}, {4, 5, 6}});
        Solver s = solverFor(sheet, 2);
        s.FilaCambio = 1;
        const auto before = s.A;
        QCOMPARE(errorOf([&] { s.IntercambiarFilas(); }), 9);
        QCOMPARE(s.A, before);
        QCOMPARE(s.FilaCambio, std::int16_t(2));
    }

    void readingBeyondTheMatrices()
    {
        // After a failed worksheet set-up n can exceed the matrices' bounds: the reading
        // then stops with `RuntimeError::SubscriptOutOfRange` at the first element outside
        // them.
        MemorySheet sheet = MemorySheet::fromRows({{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}});
        Solver s = dimensioned(2);
        s.n = 3;
        QCOMPARE(errorOf([&] { s.LeerDatos(sheet, "."); }), 9);
        QCOMPARE(s.A.at(0, 2), 0.f);
        QCOMPARE(s.A.at(0, 0), 1.f);
    }

    void choleski_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<int>("factorError");  // what CholeSki lets through
        QTest::addColumn<int>("exchanges");    // FilaCambio after it
        QTest::addColumn<Elements>("factors"); // elements after it
        QTest::addColumn<int>("forwardError"); // of SustAdelante; −1: not run
        QTest::addColumn<Floats>("y");         // B(·, n) after SustAdelante, when given
        QTest::addColumn<Floats>("x");         // C(·, n) after SustAtras, when given
        // 2 X1 + 1 X2 = 3 ; 4 X1 + 5 X2 = 6
        QTest::newRow("worked example") << Rows{{2, 1, 3}, {4, 5, 6}} << 0 << 0
                                        << Elements{{'B', 0, 0, 2}, {'B', 0, 1, 0},    {'B', 1, 0, 4}, {'B', 1, 1, 3},
                                                    {'C', 0, 0, 1}, {'C', 0, 1, 0.5f}, {'C', 1, 0, 0}, {'C', 1, 1, 1}}
                                        << 0 << Floats{1.5f, 0} << Floats{1.5f, 0};
        // 0 X1 + 1 X2 = 2 ; 1 X1 + 1 X2 = 3: rows exchanged in A, X = (1, 2).
        QTest::newRow("zero first pivot exchanges rows")
            << Rows{{0, 1, 2}, {1, 1, 3}} << 0 << 1 << Elements{{'A', 0, 0, 1}} << 0 << Floats{} << Floats{1, 2};
        // Singular: the second equation is twice the first, so B(1, 1) is exactly zero.
        QTest::newRow("last pivot zero reaches the forward substitution")
            << Rows{{1, 2, 3}, {2, 4, 6}} << 0 << 0 << Elements{{'B', 1, 1, 0}, {'C', 0, 1, 2}} << 6 << Floats{} << Floats{};
        // C(0, 1) is zero divided by zero: overflow, which the factorization discards.
        QTest::newRow("zero first row discarded, then traps")
            << Rows{{0, 0, 1}, {1, 2, 3}} << 0 << 0 << Elements{} << 6 << Floats{} << Floats{};
        // C(0, 1) = 3e30 / 1e-30 does not fit a single: the factorization stopped there.
        QTest::newRow("overflow in a factor is discarded") << Rows{{1e-30f, 3e30f, 1}, {3e30f, 1, 1}} << 0 << 0
                                                           << Elements{{'C', 0, 1, 0}, {'B', 1, 0, 3e30f}} << -1 << Floats{} << Floats{};
        // The first column is zero everywhere, so every restart divides a non-zero element of
        // row 0 by a zero B(0, 0): n − 1 exchanges, then the failed one.
        for (const int n : {2, 3, 6}) {
            Rows rows;
            for (int i = 0; i < n; ++i) {
                rows.emplace_back(std::size_t(n) + 1, float(i + 1));
                rows.back()[0] = 0.f;
            }
            QTest::addRow("exchanges exhausted, n = %d", n) << rows << 9 << n << Elements{} << -1 << Floats{} << Floats{};
        }
    }

    void choleski()
    {
        QFETCH(Rows, rows);
        QFETCH(int, factorError);
        QFETCH(int, exchanges);
        QFETCH(Elements, factors);
        QFETCH(int, forwardError);
        QFETCH(Floats, y);
        QFETCH(Floats, x);
        const int n = int(rows.size());
        MemorySheet sheet = MemorySheet::fromRows(rows);
        Solver s = solverFor(sheet, n);
        QCOMPARE(errorOf([&] { s.CholeSki(); }), factorError);
        QCOMPARE(int(s.FilaCambio), exchanges);
        for (const auto& [matrix, row, col, value] : factors)
            QCOMPARE((matrix == 'A' ? s.A : matrix == 'B' ? s.B : s.C).at(row, col), value);
        if (forwardError < 0)
            return;
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), forwardError);
        if (!y.empty())
            QCOMPARE(columnN(s.B, n), y);
        if (!x.empty()) {
            s.SustAtras();
            QCOMPARE(columnN(s.C, n), x);
        }
    }

    void secondSolveIsIdentical()
    {
        MemorySheet sheet = MemorySheet::fromRows({{0, 3, -1, 2, 7}, {4, 1, 2, -3, 1}, {2, -5, 3, 1, 0}, {-1, 2, 6, 5, -4}});
        Solver s = dimensioned(4);
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
        Solver s = dimensioned(2);
        s.B.set(0, 0, 1e-30f);
        s.B.set(1, 0, 1.f);
        s.B.set(1, 1, 1.f);
        s.A.set(0, 2, 1e10f);
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), 6);
        QCOMPARE(s.B.at(0, 0), 1.f);
        QCOMPARE(s.B.at(0, 1), 0.f);
        QCOMPARE(s.B.at(0, 2), 1e10f);
    }

    void factorizingBeyondTheMatrices()
    {
        MemorySheet sheet = MemorySheet::fromRows({{2, 1, 3}, {4, 5, 6}});
        Solver s = solverFor(sheet, 2);
        s.n = 3;
        // Out-of-bounds indexing inside the factorization is discarded like any
        // non-division error; the substitution then reports it.
        QCOMPARE(errorOf([&] { s.CholeSki(); }), 0);
        QCOMPARE(errorOf([&] { s.SustAdelante(); }), 9);
    }

    void gaussJordan_data()
    {
        addColumns<Rows, Outcome>("rows", "outcome");
        QTest::addColumn<int>("retries");     // FilaCambio at the end
        QTest::addColumn<Values>("solution"); // A(·, n) when solved, within 1e-5
        const auto solved = Outcome::Solved;
        const auto insoluble = Outcome::Insoluble;
        // A(0, 0) = 0: the rows with a non-zero first coefficient rotate through
        // row 0 before the reduction, without counting as retries. X = (1, 2, 3) in
        // every case, X4 = 0.
        QTest::newRow("rotation, row 1 only") << Rows{{0, 1, 1, 5}, {2, 1, 0, 4}, {0, 0, 1, 3}} << solved << 0 << Values{1, 2, 3};
        QTest::newRow("rotation, rows 1 and 2") << Rows{{0, 1, 1, 5}, {1, 1, 1, 6}, {2, 0, 1, 5}} << solved << 0 << Values{1, 2, 3};
        QTest::newRow("rotation, rows 2 and 3")
            << Rows{{0, 2, 1, 0, 7}, {0, 1, 0, 1, 2}, {1, 0, 0, 0, 1}, {3, 1, 1, 0, 8}} << solved << 0 << Values{1, 2, 3, 0};
        // The first coefficient zero in every equation: every retry, then the
        // message.
        for (const int n : {2, 3, 5}) {
            Rows rows;
            for (int i = 0; i < n; ++i) {
                rows.emplace_back(std::size_t(n) + 1, 1.f);
                rows.back()[0] = 0.f;
                rows.back()[std::size_t(i) + 1] += 1.f;
            }
            QTest::addRow("first column zero, n = %d", n) << rows << insoluble << n - 2 << Values{};
        }
        QTest::newRow("identical equations, no retry for n = 2") << Rows{{1, 2, 3}, {1, 2, 3}} << insoluble << 0 << Values{};
        // Rows 0 and 1 agree in their first two coefficients, so the second pivot
        // is exactly zero whichever of them comes first; putting row 2 first
        // succeeds. X = (1, 1, 1, 1).
        QTest::newRow("retry with another first equation")
            << Rows{{1, 1, 1, 1, 4}, {2, 2, 1, 3, 8}, {1, 3, 1, 1, 6}, {1, 1, 2, 5, 9}} << solved << 2 << Values{1, 1, 1, 1};
    }

    void gaussJordan()
    {
        QFETCH(Rows, rows);
        QFETCH(Outcome, outcome);
        QFETCH(int, retries);
        QFETCH(Values, solution);
        MemorySheet sheet = MemorySheet::fromRows(rows);
        Solver s = solverFor(sheet, int(rows.size()));
        QCOMPARE(s.GaussJordan(sheet, "."), outcome);
        QCOMPARE(int(s.FilaCambio), retries);
        for (std::size_t i = 0; i < solution.size(); ++i)
            QVERIFY2(std::abs(s.A.at(int(i), s.n) - solution[i]) <= 1e-5,
                     qPrintable(QStringLiteral("X%1 = %2").arg(i + 1).arg(s.A.at(int(i), s.n))));
    }

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

    void tinyPivotIsUsedUnchanged()
    {
        // 0.3333333 and the single nearest to 1/3 differ in their last bit: the
        // second pivot is tiny but not zero, and the method goes on without a
        // message.
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

QTEST_GUILESS_MAIN(TestMethods)
#include "tst_methods.moc"
