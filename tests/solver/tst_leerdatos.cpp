#include "MemorySheet.h"
#include "RuntimeErrorSeen.h"

#include "solver/Solver.h"

#include <QTest>

using solver::Solver;

class TestLeerDatos : public QObject
{
    Q_OBJECT

private slots:
    void dimensionsFollowN()
    {
        Solver s;
        s.n = 2;
        s.Redimensionar();
        for (const auto* m : {&s.A, &s.B, &s.C}) {
            QCOMPARE(m->rows(), 2);
            QCOMPARE(m->cols(), 3);
        }
        QCOMPARE(s.A.at(1, 2), 0.f);
    }

    void emptyCellsBecomeZero()
    {
        MemorySheet sheet;
        Solver s;
        s.n = 3;
        s.Redimensionar();
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
        sheet.cells[{0, 0}] = "1,1";
        sheet.cells[{0, 1}] = "X1";
        sheet.cells[{0, 3}] = "T.I";
        sheet.cells[{1, 0}] = "EQ1";
        sheet.cells[{1, 1}] = "2,5";
        sheet.cells[{1, 2}] = "-1";
        sheet.cells[{1, 3}] = "7";
        sheet.cells[{2, 1}] = "1e1";
        sheet.cells[{2, 2}] = "  4  ";
        sheet.cells[{2, 3}] = "0,25";
        Solver s;
        s.n = 2;
        s.Redimensionar();
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
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");
        QTest::newRow("blanks only") << "   " << 13;
        QTest::newRow("letters") << "x" << 13;
        QTest::newRow("beyond single") << "1e40" << 6;
    }

    void badCellStopsTheReading()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        MemorySheet sheet;
        sheet.cells[{1, 1}] = "5";
        sheet.cells[{2, 2}] = text.toStdString();
        Solver s;
        s.n = 2;
        s.Redimensionar();
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

    void matricesSmallerThanN()
    {
        // After a failed worksheet set-up n can exceed the matrices' bounds: the reading
        // then stops with `RuntimeError::SubscriptOutOfRange` at the first element outside
        // them.
        MemorySheet sheet = MemorySheet::fromRows({{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}});
        Solver s;
        s.n = 2;
        s.Redimensionar();
        s.n = 3;
        QCOMPARE(errorOf([&] { s.LeerDatos(sheet, "."); }), 9);
        QCOMPARE(s.A.at(0, 2), 0.f);
        QCOMPARE(s.A.at(0, 0), 1.f);
    }
};

QTEST_GUILESS_MAIN(TestLeerDatos)
#include "tst_leerdatos.moc"
