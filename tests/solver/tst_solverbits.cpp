#include "DataColumns.h"
#include "LiteralSolver.h"
#include "MemorySheet.h"
#include "RandomRows.h"
#include "ReferenceSolve.h"
#include "RuntimeErrorSeen.h"
#include "SameBits.h"

#include "solver/Solver.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>

using solver::Solver;

namespace {

// A random diagonally dominant system with whole-number coefficients: well conditioned,
// so single precision must come close to the double-precision answer.
std::vector<std::vector<float>> randomSystem(int n, std::mt19937& rng)
{
    std::uniform_int_distribution<int> coefficient(-50, 50);
    std::uniform_int_distribution<int> term(-5000, 5000);
    std::vector<std::vector<float>> rows(std::size_t(n), std::vector<float>(std::size_t(n) + 1));
    for (int i = 0; i < n; ++i) {
        float offDiagonal = 0.f;
        for (int j = 0; j < n; ++j) {
            rows[i][j] = float(coefficient(rng));
            if (j != i)
                offDiagonal += std::abs(rows[i][j]);
        }
        rows[i][i] = (coefficient(rng) < 0 ? -1.f : 1.f) * (offDiagonal + 1.f + float(i % 7));
        rows[i][n] = float(term(rng));
    }
    return rows;
}

double maxRelativeError(const std::vector<float>& got, const std::vector<double>& expected)
{
    double scale = 0.0;
    for (const double v : expected)
        scale = std::max(scale, std::abs(v));
    double worst = 0.0;
    for (std::size_t i = 0; i < got.size(); ++i)
        worst = std::max(worst, std::abs(double(got[i]) - expected[i]) / std::max(scale, 1e-30));
    return worst;
}

} // namespace

class TestSolverBits : public QObject
{
    Q_OBJECT

private slots:
    void sameBitsAsTheLiteralSteps_data()
    {
        addColumns<Kind, int, int>("kind", "n", "solves");
        QTest::newRow("whole numbers, n=100") << Kind::WholeNumbers << 100 << 1;
        QTest::newRow("whole numbers, n=37, twice") << Kind::WholeNumbers << 37 << 2;
        QTest::newRow("negative pivots, n=100, twice") << Kind::NegativePivots << 100 << 2;
        QTest::newRow("negative pivots, n=9, three times") << Kind::NegativePivots << 9 << 3;
        QTest::newRow("sparse signed zeros, n=64, twice") << Kind::Sparse << 64 << 2;
        QTest::newRow("sparse signed zeros, n=5, three times") << Kind::Sparse << 5 << 3;
        QTest::newRow("huge, n=40") << Kind::Huge << 40 << 2;
        QTest::newRow("huge, n=100") << Kind::Huge << 100 << 2;
        QTest::newRow("tiny, n=100, twice") << Kind::Tiny << 100 << 2;
        QTest::newRow("zero first pivot, n=100") << Kind::ZeroFirstPivot << 100 << 1;
    }

    // Several solves in a row on one solver, each of another system: what one solve leaves
    // in B and C (zeros of either sign in the triangles) is where the next one starts.
    void sameBitsAsTheLiteralSteps()
    {
        QFETCH(Kind, kind);
        QFETCH(int, n);
        QFETCH(int, solves);
        Solver fast = dimensioned(n);
        LiteralSolver literal(fast);
        for (int round = 0; round < solves; ++round) {
            MemorySheet sheet = MemorySheet::fromRows(makeRows(kind, n, std::uint32_t(round + 1)));
            MemorySheet literalSheet = sheet;
            fast.FilaCambio = literal.FilaCambio = 0;
            fast.LeerDatos(sheet, ".");
            literal.LeerDatos(literalSheet, ".");

            QCOMPARE(errorOf([&] { fast.CholeSki(); }), errorOf([&] { literal.CholeSki(); }));
            QCOMPARE(fast.FilaCambio, literal.FilaCambio);
            QVERIFY(sameBits(fast.B, literal.B));
            QVERIFY(sameBits(fast.C, literal.C));
            QCOMPARE(errorOf([&] { fast.SustAdelante(); }), errorOf([&] { literal.SustAdelante(); }));
            QVERIFY(sameBits(fast.B, literal.B));
            QCOMPARE(errorOf([&] { fast.SustAtras(); }), errorOf([&] { literal.SustAtras(); }));
            QVERIFY(sameBits(fast.C, literal.C));

            fast.FilaCambio = literal.FilaCambio = 0;
            fast.LeerDatos(sheet, ".");
            literal.LeerDatos(literalSheet, ".");
            QCOMPARE(fast.GaussJordan(sheet, "."), literal.GaussJordan(literalSheet, "."));
            QCOMPARE(fast.FilaCambio, literal.FilaCambio);
            QVERIFY(sameBits(fast.A, literal.A));
        }
    }

    void bothMethodsAgreeWithDouble()
    {
        std::mt19937 rng(20261207);
        int systems = 0;
        for (int n = 2; n <= 100; n += (n < 12 ? 1 : 11)) {
            for (int repeat = 0; repeat < 4; ++repeat, ++systems) {
                const auto rows = randomSystem(n, rng);
                const auto expected = referenceSolve(rows);
                // Forward error bound for a well-conditioned system in single precision.
                const double tolerance = 8.0 * n * FLT_EPSILON;

                MemorySheet sheet = MemorySheet::fromRows(rows);
                Solver s = solverFor(sheet, n);
                s.CholeSki();
                const auto B = s.B;
                const auto C = s.C;
                s.SustAdelante();
                s.SustAtras();
                const double choleskiError = maxRelativeError(columnN(s.C, n), expected);
                QVERIFY2(choleskiError < tolerance, qPrintable(QStringLiteral("Choleski n=%1: %2").arg(n).arg(choleskiError)));

                // B * C reproduces A within the rounding of the running sums.
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j) {
                        double product = 0.0;
                        double magnitude = 0.0;
                        for (int k = 0; k < n; ++k) {
                            product += double(B.at(i, k)) * C.at(k, j);
                            magnitude += std::abs(double(B.at(i, k)) * C.at(k, j));
                        }
                        const double residual = std::abs(product - rows[i][j]);
                        QVERIFY2(residual <= 2.0 * n * FLT_EPSILON * magnitude + 1e-30,
                                 qPrintable(QStringLiteral("B*C n=%1 (%2,%3)").arg(n).arg(i).arg(j)));
                    }

                s.LeerDatos(sheet, ".");
                QCOMPARE(s.GaussJordan(sheet, "."), Solver::GaussJordanOutcome::Solved);
                const double gaussError = maxRelativeError(columnN(s.A, n), expected);
                QVERIFY2(gaussError < tolerance, qPrintable(QStringLiteral("Gauss-Jordan n=%1: %2").arg(n).arg(gaussError)));
            }
        }
        QVERIFY(systems > 60);
    }
};

QTEST_GUILESS_MAIN(TestSolverBits)
#include "tst_solverbits.moc"
