#include "DataColumns.h"
#include "MemorySheet.h"
#include "RandomRows.h"

#include "solver/Methods.h"
#include "solver/Solver.h"
#include "steps/StepTrace.h"

#include <QStringList>
#include <QTest>

using solver::Method;
using solver::StepKind;
using solver::StepTrace;

namespace wide {

// A double-precision value for the methods' loops: no rounding to single and no overflow;
// only a zero divisor traps, as it does in the method. The step trace's shadow values must
// be exactly what these loops compute.
struct Wide
{
    double v = 0.0;

    friend Wide plusProduct(Wide s, Wide b, Wide c) { return {s.v + b.v * c.v}; }
    friend Wide minus(Wide a, Wide s) { return {a.v - s.v}; }
    friend Wide quotient(Wide a, Wide s, Wide p) { return {solver::divided(a.v - s.v, p.v)}; }
    friend Wide over(Wide x, Wide p) { return {solver::divided(x.v, p.v)}; }
    friend Wide minusProduct(Wide x, Wide f, Wide y) { return {x.v - f.v * y.v}; }
    friend bool isZero(Wide w) { return w.v == 0.0; }
};

} // namespace wide

template <> wide::Wide solver::exactly<wide::Wide>(float v)
{
    return {v};
}

namespace {

// How the solve ended, and its error.
using Outcome = std::pair<solver::Ending, int>;

// The solve as the window runs it.
Outcome solve(Method method, solver::Solver& s, MemorySheet& sheet)
{
    s.FilaCambio = 0;
    try {
        s.LeerDatos(sheet, ".");
        if (method == Method::GaussJordan)
            return {s.GaussJordan(sheet, ".") == solver::Solver::GaussJordanOutcome::Solved ? solver::Ending::Solved
                                                                                            : solver::Ending::NotSoluble,
                    0};
        s.CholeSki();
        s.SustAdelante();
        s.SustAtras();
    } catch (const solver::RuntimeError& e) {
        return {solver::Ending::Error, e.number()};
    }
    return {solver::Ending::Solved, 0};
}

// The same loops in double precision from the same data (the worksheet already read).
solver::SolverData<wide::Wide> wideRun(Method method, const solver::Solver& read, MemorySheet& sheet)
{
    solver::SolverData<wide::Wide> d{read.n, {}, {}, {}, 0};
    for (auto [from, to] : {std::pair{&read.A, &d.A}, {&read.B, &d.B}, {&read.C, &d.C}}) {
        *to = solver::Matrix<wide::Wide>(from->rows(), from->cols());
        for (int r = 0; r < from->rows(); ++r)
            for (int c = 0; c < from->cols(); ++c)
                to->set(r, c, {from->at(r, c)});
    }
    solver::NullObserver none;
    try {
        if (method == Method::GaussJordan) {
            solver::method::GaussJordan(d, sheet, ".", none);
        } else {
            solver::method::CholeSki(d, none);
            solver::method::SustAdelante(d, none);
            solver::method::SustAtras(d, none);
        }
    } catch (const solver::RuntimeError&) {
    }
    return d;
}

bool sameShadow(const solver::DoubleMatrix& shadow, const solver::Matrix<wide::Wide>& w)
{
    solver::DoubleMatrix values(w.rows(), w.cols());
    for (int r = 0; r < w.rows(); ++r)
        for (int c = 0; c < w.cols(); ++c)
            values.set(r, c, w.at(r, c).v);
    return sameBits(shadow, values);
}

bool sameState(const solver::TracedMatrices& a, const solver::TracedMatrices& b)
{
    return sameBits(a.A, b.A) && sameBits(a.B, b.B) && sameBits(a.C, b.C) && sameBits(a.shadowA, b.shadowA) &&
           sameBits(a.shadowB, b.shadowB) && sameBits(a.shadowC, b.shadowC);
}

// The stages and every step that is no leaf, with the number of leaves before it.
QString events(const StepTrace& t)
{
    static const char* stageNames[] = {"factorization", "forward", "back", "rotation", "pivot", "restart", "retry"};
    static const char* reasons[] = {"rotation", "zero-divisor", "retry"};
    static const char* thens[] = {"restart", "discard", "retry", "not-soluble", "stop"};
    static const char* endings[] = {"solved", "not soluble", "error"};
    QStringList out;
    int leaves = 0;
    for (const solver::Stage& stage : t.stages) {
        out << stageNames[int(stage.kind)];
        for (std::uint32_t k = stage.firstStep; k < stage.endStep; ++k) {
            const solver::Step& s = t.steps[k];
            if (s.isLeaf())
                ++leaves;
            else if (s.kind == StepKind::ExchangeRows)
                out << QStringLiteral("%1 exchange %2 %3").arg(leaves).arg(s.row).arg(reasons[int(s.reason)]);
            else
                out << QStringLiteral("%1 trap %2 %3(%4,%5) %6")
                           .arg(leaves)
                           .arg(s.error)
                           .arg(QChar(u'A' + int(s.matrix)))
                           .arg(s.row)
                           .arg(s.col)
                           .arg(thens[int(s.then)]);
        }
    }
    out << QStringLiteral("%1 %2").arg(endings[int(t.ending)]).arg(t.error);
    return out.join(QStringLiteral(" | "));
}

} // namespace

class TestStepTrace : public QObject
{
    Q_OBJECT

private slots:
    void recordEndsAsTheSolve_data()
    {
        addColumns<Method, Kind, int>("method", "kind", "n");
        QTest::addColumn<bool>("shadowComparable"); // no overflow: the double run goes the same way
        for (const Method m : {Method::Choleski, Method::GaussJordan}) {
            const char* name = m == Method::Choleski ? "Choleski" : "Gauss-Jordan";
            for (const int n : {2, 3, 10, 100}) {
                QTest::addRow("%s, whole numbers, n=%d", name, n) << m << Kind::WholeNumbers << n << true;
                QTest::addRow("%s, zero first pivot, n=%d", name, n) << m << Kind::ZeroFirstPivot << n << true;
            }
            QTest::addRow("%s, signed zeros, n=10", name) << m << Kind::Sparse << 10 << true;
            QTest::addRow("%s, tiny, n=10", name) << m << Kind::Tiny << 10 << true;
            for (const int n : {10, 100}) // overflows inside a row, the last one past 64 columns
                QTest::addRow("%s, huge, n=%d", name, n) << m << Kind::Huge << n << false;
        }
    }

    // The record's last state is the solve's, bit for bit; a system solved without an exchange
    // has exactly its method's steps; any step's state is the same however the cursor reaches it.
    void recordEndsAsTheSolve()
    {
        QFETCH(Method, method);
        QFETCH(Kind, kind);
        QFETCH(int, n);
        QFETCH(bool, shadowComparable);
        MemorySheet sheet = MemorySheet::fromRows(makeRows(kind, n, 3));
        solver::Solver before = dimensioned(n);
        MemorySheet traceSheet = sheet;
        const StepTrace trace = solver::traceSolve(method, before, traceSheet, ".");

        solver::Solver solved = before;
        const Outcome outcome = solve(method, solved, sheet);
        QCOMPARE(int(trace.ending), int(outcome.first));
        QCOMPARE(trace.error, outcome.second);
        QCOMPARE(trace.FilaCambio, solved.FilaCambio);
        QVERIFY(traceSheet.cells == sheet.cells);
        const solver::TracedMatrices last = trace.finalMatrices();
        QVERIFY(sameBits(last.A, solved.A));
        QVERIFY(sameBits(last.B, solved.B));
        QVERIFY(sameBits(last.C, solved.C));

        const auto exchanged = std::count_if(trace.steps.begin(), trace.steps.end(), [](const auto& s) { return !s.isLeaf(); });
        if (kind == Kind::WholeNumbers)
            QCOMPARE(exchanged, 0);
        if (exchanged == 0) {
            const auto square = std::size_t(n) * std::size_t(n);
            QCOMPARE(trace.leafCount(), method == Method::Choleski ? 3 * square : square);
        }

        solver::TraceCursor cursor(trace);
        cursor.seek(std::ptrdiff_t(trace.steps.size()) - 1);
        QVERIFY(sameState(cursor.matrices(), last));
        const auto middle = std::ptrdiff_t(trace.steps.size() * 2 / 3);
        cursor.seek(middle);
        solver::TraceCursor fresh(trace);
        for (std::ptrdiff_t k = 0; k <= middle; k += 1 + middle / 7)
            fresh.seek(k);
        fresh.seek(middle);
        QVERIFY(sameState(cursor.matrices(), fresh.matrices()));

        // Each element's running sums end at the sum it recorded.
        for (std::size_t k = 0; k < trace.steps.size(); k += 1 + trace.steps.size() / 50) {
            const solver::Step& s = trace.steps[k];
            const auto sums = cursor.runningSums(k);
            if (!sums.empty()) {
                QCOMPARE(sums.back().single, s.sum.single);
                QCOMPARE(sums.back().shadow, s.sum.shadow);
            }
        }

        if (shadowComparable) {
            solver::Solver read = before;
            MemorySheet wideSheet = MemorySheet::fromRows(makeRows(kind, n, 3));
            read.LeerDatos(wideSheet, ".");
            const auto w = wideRun(method, read, wideSheet);
            QCOMPARE(w.FilaCambio, trace.FilaCambio);
            QVERIFY(sameShadow(last.shadowA, w.A));
            QVERIFY(sameShadow(last.shadowB, w.B));
            QVERIFY(sameShadow(last.shadowC, w.C));
        }
    }

    void eventsWhereTheMethodMakesThem_data()
    {
        addColumns<Method, std::vector<std::vector<float>>, QString>("method", "rows", "expected");
        const auto ch = Method::Choleski;
        const auto gj = Method::GaussJordan;
        QTest::newRow("Choleski, A(0,0) = 0: exchange and restart")
            << ch << std::vector<std::vector<float>>{{0, 1, 1}, {1, 1, 2}}
            << "factorization | 2 trap 11 C(0,1) restart | restart | 2 exchange 1 zero-divisor | "
               "factorization | forward | back | solved 0";
        QTest::newRow("Choleski, first row zero: 0/0 discarded, forward stops")
            << ch << std::vector<std::vector<float>>{{0, 0, 1}, {1, 1, 2}}
            << "factorization | 2 trap 6 C(0,1) discard | forward | 2 trap 6 B(0,0) stop | error 6";
        QTest::newRow("Choleski, last B zero: forward stops at its last pivot")
            << ch << std::vector<std::vector<float>>{{1, 1, 2}, {1, 1, 2}} << "factorization | forward | 6 trap 6 B(1,0) stop | error 6";
        QTest::newRow("Choleski, x+y=2, x+y+z=3, y+z=2: out of rows")
            << ch << std::vector<std::vector<float>>{{1, 1, 0, 2}, {1, 1, 1, 3}, {0, 1, 1, 2}}
            << "factorization | 7 trap 11 C(1,2) restart | restart | 7 exchange 1 zero-divisor | "
               "factorization | 14 trap 11 C(1,2) restart | restart | 14 exchange 2 zero-divisor | "
               "factorization | 17 trap 11 C(0,1) restart | restart | 17 trap 9 A(3,0) stop | error 9";
        QTest::newRow("Gauss-Jordan, A(0,0) = 0: rows 0 and 1 exchanged first")
            << gj << std::vector<std::vector<float>>{{0, 1, 1}, {2, 1, 3}} << "rotation | 0 exchange 1 rotation | pivot | pivot | solved 0";
        QTest::newRow("Gauss-Jordan, rotation through every later row")
            << gj << std::vector<std::vector<float>>{{0, 1, 1, 2}, {1, 0, 1, 2}, {2, 1, 0, 3}}
            << "rotation | 0 exchange 1 rotation | 0 exchange 2 rotation | pivot | pivot | pivot | "
               "solved 0";
        QTest::newRow("Gauss-Jordan, two equal equations: no retry for n = 2")
            << gj << std::vector<std::vector<float>>{{1, 2, 3}, {1, 2, 3}} << "pivot | pivot | 2 trap 6 A(1,0) not-soluble | not soluble 0";
        QTest::newRow("Gauss-Jordan, x+y=2, x+y+z=3, y+z=2: one retry, then the message")
            << gj << std::vector<std::vector<float>>{{1, 1, 0, 2}, {1, 1, 1, 3}, {0, 1, 1, 2}}
            << "pivot | pivot | 3 trap 6 A(1,0) retry | retry | 3 exchange 1 retry | pivot | pivot | "
               "6 trap 6 A(1,0) not-soluble | not soluble 0";
    }

    // Exchanges, restarts, retries and the event that ends the method, each at its step.
    void eventsWhereTheMethodMakesThem()
    {
        QFETCH(Method, method);
        QFETCH(std::vector<std::vector<float>>, rows);
        QFETCH(QString, expected);
        MemorySheet sheet = MemorySheet::fromRows(rows);
        solver::Solver before = dimensioned(int(rows.size()));
        QCOMPARE(events(solver::traceSolve(method, before, sheet, ".")), expected);
    }

    void stepsOfTheWorkedExample_data()
    {
        addColumns<Method, QString>("method", "expected");
        QTest::newRow("Choleski") << Method::Choleski
                                  << "B(0,0)=2 s=0 | B(1,0)=4 s=0 | C(0,1)=0.5 s=0 | B(1,1)=3 s=2 | "
                                     "B0/2 | B1-4*B0 | B1/3 | B0-0*B1 | C0/1 | C1-0*C0 | C1/1 | "
                                     "C0-0.5*C1";
        QTest::newRow("Gauss-Jordan") << Method::GaussJordan << "A0/2 | A1-4*A0 | A1/3 | A0-0.5*A1";
    }

    // 2·X1 + X2 = 3, 4·X1 + 5·X2 = 6: every step in the order the method takes them.
    void stepsOfTheWorkedExample()
    {
        QFETCH(Method, method);
        QFETCH(QString, expected);
        MemorySheet sheet = MemorySheet::fromRows({{2, 1, 3}, {4, 5, 6}});
        solver::Solver before = dimensioned(2);
        const StepTrace trace = solver::traceSolve(method, before, sheet, ".");
        QStringList steps;
        for (const solver::Step& s : trace.steps) {
            const QChar m(u'A' + int(s.matrix));
            if (s.kind == StepKind::ElementB || s.kind == StepKind::ElementC)
                steps << QStringLiteral("%1(%2,%3)=%4 s=%5").arg(m).arg(s.row).arg(s.col).arg(s.value.single).arg(s.sum.single);
            else if (s.kind == StepKind::DivideRow)
                steps << QStringLiteral("%1%2/%3").arg(m).arg(s.row).arg(s.value.single);
            else
                steps << QStringLiteral("%1%2-%3*%1%4").arg(m).arg(s.row).arg(s.value.single).arg(s.pivotRow);
        }
        QCOMPARE(steps.join(QStringLiteral(" | ")), expected);
    }

    void ulps_data()
    {
        addColumns<float, double, double>("single", "shadow", "expected");
        QTest::newRow("equal") << 1.5f << 1.5 << 0.0;
        QTest::newRow("one ulp above 1") << 1.0f << 1.0 + 0x1p-23 << 1.0;
        QTest::newRow("half an ulp below -2") << -2.0f << -2.0 - 0x1p-23 << -0.5;
        QTest::newRow("zero against the smallest single") << 0.0f << 0x1p-149 << 1.0;
    }

    void ulps()
    {
        QFETCH(float, single);
        QFETCH(double, shadow);
        QFETCH(double, expected);
        QCOMPARE((solver::TracedValue{single, shadow}.ulps()), expected);
    }
};

QTEST_GUILESS_MAIN(TestStepTrace)
#include "tst_steptrace.moc"
