#include "LiteralSolver.h"
#include "MemorySheet.h"
#include "RandomRows.h"
#include "RuntimeErrorSeen.h"
#include "SameBits.h"

#include "solver/Solver.h"

#include <QTest>

#include <cstdint>

using solver::Solver;

class TestSolverBits : public QObject
{
    Q_OBJECT

private slots:
    void sameBitsAsTheLiteralSteps_data();
    void sameBitsAsTheLiteralSteps();
};

void TestSolverBits::sameBitsAsTheLiteralSteps_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("solves");
    QTest::newRow("whole numbers, n=100") << Kind::WholeNumbers << 100 << 1;
    QTest::newRow("whole numbers, n=37, twice") << Kind::WholeNumbers << 37 << 2;
    QTest::newRow("negative pivots, n=100, twice") << Kind::NegativePivots << 100 << 2;
    QTest::newRow("negative pivots, n=9, three times") << Kind::NegativePivots << 9 << 3;
    QTest::newRow("sparse signed zeros, n=64, twice") << Kind::Sparse << 64 << 2;
    QTest::newRow("sparse signed zeros, n=5, three times") << Kind::Sparse << 5 << 3;
    QTest::newRow("huge, n=40") << Kind::Huge << 40 << 2;
    QTest::newRow("tiny, n=100, twice") << Kind::Tiny << 100 << 2;
    QTest::newRow("zero first pivot, n=100") << Kind::ZeroFirstPivot << 100 << 1;
}

// Several solves in a row on one solver, each of another system: what one solve leaves
// in B and C (zeros of either sign in the triangles) is where the next one starts.
void TestSolverBits::sameBitsAsTheLiteralSteps()
{
    QFETCH(Kind, kind);
    QFETCH(int, n);
    QFETCH(int, solves);
    Solver fast;
    fast.n = std::int16_t(n);
    fast.Redimensionar();
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

QTEST_GUILESS_MAIN(TestSolverBits)
#include "tst_solverbits.moc"
