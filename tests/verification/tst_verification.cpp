#include "DataColumns.h"
#include "solver/NumberText.h"
#include "solver/Solver.h"
#include "verification/ReportText.h"
#include "verification/StopExplanation.h"
#include "verification/SystemRank.h"
#include "verification/Verification.h"

#include <QTest>

#include <cmath>
#include <random>

using verification::Input;
using verification::Method;
using verification::Singularity;
using Rows = std::vector<std::vector<float>>;
using Singles = std::vector<float>;
using Doubles = std::vector<double>;

Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(std::vector<float>)
Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(std::vector<std::vector<std::string>>)

namespace {

solver::SingleMatrix matrixOf(const Rows& rows)
{
    solver::SingleMatrix m(int(rows.size()), int(rows.size()) + 1);
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.cols(); ++j)
            m.set(i, j, rows[std::size_t(i)][std::size_t(j)]);
    return m;
}

Rows hilbert(int n)
{
    Rows a(std::size_t(n), std::vector<float>(std::size_t(n) + 1, 1.f));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            a[std::size_t(i)][std::size_t(j)] = float(1.0 / (i + j + 1));
    return a;
}

// Whole numbers like the worksheet's random fill, with each diagonal element above the
// sum of its row.
Rows diagonallyDominant(int n)
{
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> value(-9, 9);
    Rows a(std::size_t(n), std::vector<float>(std::size_t(n) + 1));
    for (std::size_t i = 0; i < a.size(); ++i) {
        float sum = 0;
        for (std::size_t j = 0; j <= a.size(); ++j) {
            a[i][j] = float(value(rng));
            if (j < a.size())
                sum += std::abs(a[i][j]);
        }
        a[i][i] = 10 * sum + 1;
    }
    return a;
}

using Texts = std::vector<std::vector<std::string>>;

// Each coefficient as the program writes a single, up to seven digits, with a comma.
Texts asTexts(const Rows& rows)
{
    Texts texts;
    for (const auto& row : rows) {
        texts.emplace_back();
        for (const float v : row)
            texts.back().push_back(solver::generalText(v, ","));
    }
    return texts;
}

// The program's own single-precision Choleski solve of the system.
std::vector<float> choleskiSolution(const Rows& rows)
{
    solver::Solver s;
    s.n = std::int16_t(rows.size());
    s.Redimensionar();
    s.A = matrixOf(rows);
    s.CholeSki();
    s.SustAdelante();
    s.SustAtras();
    std::vector<float> x;
    for (int i = 0; i < s.n; ++i)
        x.push_back(s.C.at(i, s.n));
    return x;
}

} // namespace

class TestVerification : public QObject
{
    Q_OBJECT

private slots:
    // Residuals b − A·x̂, backward error ‖r‖∞ / (‖A‖∞·‖x̂‖∞ + ‖b‖∞), and forward errors
    // against the system's own solution x, the overall one ‖x̂ − x‖∞ / ‖x‖∞.
    void errorsOfAGivenSolution_data()
    {
        // perUnknown: -1: not defined
        addColumns<Rows, std::vector<float>, std::vector<double>, double, std::vector<double>, double>("a", "x", "residuals", "backward",
                                                                                                       "perUnknown", "overall");

        // x = (1.5, 0): no relative error for an unknown whose true value is 0, unless it is
        // met exactly.
        const Rows example{{2, 1, 3}, {4, 5, 6}};
        QTest::newRow("worked example") << example << Singles{1.5f, 0} << Doubles{0, 0} << 0.0 << Doubles{0, 0} << 0.0;
        // ‖A‖∞ = 9, ‖x‖∞ = 1.5, ‖b‖∞ = 6.
        QTest::newRow("worked example, wrong x")
            << example << Singles{1.5f, 0.25f} << Doubles{-0.25, -1.25} << 1.25 / 19.5 << Doubles{0, -1} << 0.25 / 1.5;
        QTest::newRow("zero reference") << example << Singles{1.5f, 0.5f} << Doubles{-0.5, -2.5} << 2.5 / 19.5 << Doubles{0, -1}
                                        << 0.5 / 1.5;
        QTest::newRow("3x3 exact") << Rows{{1, 1, 1, 6}, {0, 2, 5, -4}, {2, 5, -1, 27}} << Singles{5, 3, -2} << Doubles{0, 0, 0} << 0.0
                                   << Doubles{0, 0, 0} << 0.0;
        // 0.1 is not a single: the errors are the single's own representation error.
        const double single = double(0.1f);
        QTest::newRow("inexact single") << Rows{{10, 0, 1}, {0, 1, 0}} << Singles{0.1f, 0} << Doubles{1 - 10 * single, 0}
                                        << std::abs(1 - 10 * single) / (10 * single + 1) << Doubles{(single - 0.1) / 0.1, 0}
                                        << (single - 0.1) / 0.1;
        // x = (2, 1): |2.25 − 2| / 2 and |1.5 − 1| / 1; overall max(0.25, 0.5) / 2.
        const Rows twoByTwo{{1, 1, 3}, {1, -1, 1}};
        QTest::newRow("hand check") << twoByTwo << Singles{2.25f, 1.5f} << Doubles{-0.75, 0.25} << 0.75 / 7.5 << Doubles{0.125, 0.5}
                                    << 0.25;
        QTest::newRow("exact") << twoByTwo << Singles{2, 1} << Doubles{0, 0} << 0.0 << Doubles{0, 0} << 0.0;
    }

    void errorsOfAGivenSolution()
    {
        QFETCH(Rows, a);
        QFETCH(std::vector<float>, x);
        QFETCH(std::vector<double>, perUnknown);
        for (const Method method : {Method::Choleski, Method::GaussJordan}) {
            const auto r = verification::verify({matrixOf(a), x, method, 0});
            QCOMPARE(r.singularity, Singularity::None);
            QTEST(r.residuals, "residuals");
            QTEST(r.backwardError, "backward");
            QCOMPARE(r.forwardErrors.size(), perUnknown.size());
            for (std::size_t i = 0; i < perUnknown.size(); ++i) {
                QCOMPARE(r.forwardErrors[i].has_value(), perUnknown[i] >= 0);
                if (perUnknown[i] >= 0)
                    QCOMPARE(*r.forwardErrors[i], perUnknown[i]);
            }
            QTEST(r.forwardError.value(), "overall");
        }
    }

    void conditionAndDigits_data()
    {
        addColumns<Rows, double, double, int, double, double>("a", "conditionLow", "conditionHigh", "digits", "errorLow", "errorHigh");
        // κ∞ of the order 6 Hilbert matrix is 2.9E+07; the single solve misses every digit.
        QTest::newRow("hilbert 6") << hilbert(6) << 1e7 << 1e8 << 0 << 1e-2 << 10.0;
        QTest::newRow("diagonally dominant 60") << diagonallyDominant(60) << 1.0 << 3.0 << 7 << 0.0 << 1e-6;
        QTest::newRow("hilbert 3") << hilbert(3) << 500.0 << 1000.0 << 4 << 0.0 << 1e-3;
        // κ∞ = 4 / 1.2E-07 bounds the error; this right-hand side happens to meet none.
        QTest::newRow("nearly singular 2x2") << Rows{{1, 1, 2}, {1, 1 + 1e-7f, 2}} << 1e7 << 1e8 << 0 << 0.0 << 0.0;
    }

    void conditionAndDigits()
    {
        QFETCH(Rows, a);
        QFETCH(double, conditionLow);
        QFETCH(double, conditionHigh);
        QFETCH(double, errorLow);
        QFETCH(double, errorHigh);
        const auto r = verification::verify({matrixOf(a), choleskiSolution(a), Method::Choleski, 0});
        QCOMPARE(r.singularity, Singularity::None);
        QVERIFY2(r.condition >= conditionLow && r.condition <= conditionHigh, qPrintable(QString::number(r.condition)));
        QTEST(r.expectedDigits, "digits");
        QVERIFY2(*r.forwardError >= errorLow && *r.forwardError <= errorHigh, qPrintable(QString::number(*r.forwardError)));
        QVERIFY(r.backwardError < 1e-6);
    }

    // What the report says of a system: its condition with the bound it sets, what storing the
    // typed data as singles costs and what the method adds, each against its own reference.
    void sentences_data()
    {
        // starts: of the first three sentences
        addColumns<Texts, QStringList, int, int>("texts", "starts", "bound", "measured");
        const QString well = "El sistema está bien condicionado (κ∞ = ",
                      stored = "Guardar los datos escritos en precisión simple ya cuesta un ";
        const QString adds = "El método de Choleski, en precisión simple, añade un error relativo de";
        // 2x + y − z = 8, −3x − y + 2z = −11, −2x + y + 2z = −3: x = (2, 3, −1), κ∞ = 60.
        QTest::newRow("textbook 3x3") << Texts{{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}}
                                      << QStringList{well +
                                                         "60): en precisión simple la solución puede perder hasta unas 2 de sus 7 cifras.",
                                                     "Los datos escritos caben exactos", "El método de Choleski no añade error"}
                                      << 5 << 7;
        // Typed to seven digits, the singles are not the texts; the bound, no digit, is beaten.
        QTest::newRow("hilbert 6") << asTexts(hilbert(6)) << QStringList{"El sistema está muy mal condicionado (κ∞ = ", stored, adds + "l "}
                                   << 0 << 1;
        Texts tenths = asTexts(diagonallyDominant(60));
        for (auto& row : tenths)
            for (std::string& t : row)
                t += ",1";
        QTest::newRow("diagonally dominant 60, tenths") << tenths << QStringList{well + "1,", stored, adds + " "} << 7 << 6;
    }

    void sentences()
    {
        QFETCH(Texts, texts);
        QFETCH(QStringList, starts);
        // The singles the solve reads from the texts, and the texts read in double.
        Rows rows;
        std::vector<double> typed;
        for (const auto& line : texts) {
            rows.emplace_back();
            for (const std::string& t : line) {
                rows.back().push_back(solver::textToSingle(t, ","));
                typed.push_back(verification::typedValue(t, ",").value());
            }
        }
        const auto r = verification::verify({matrixOf(rows), choleskiSolution(rows), Method::Choleski, 0}, typed);
        QTEST(r.expectedDigits, "bound");
        QTEST(r.measuredDigits, "measured");
        const auto text = verification::describe(r, ",");
        QCOMPARE(text.statements.size(), std::size_t(4));
        for (int i = 0; i < starts.size(); ++i)
            QVERIFY2(QString::fromStdString(text.statements[std::size_t(i)]).startsWith(starts[i]),
                     text.statements[std::size_t(i)].c_str());
        // Two references only where they differ; no error below their own precision.
        QCOMPARE(text.solution.headers.size(), r.storedExactly ? std::size_t(4) : std::size_t(5));
        for (const auto& row : text.solution.rows)
            QVERIFY2(row.back().find("E-1") == std::string::npos, row.back().c_str());
        const std::string copied = verification::plainText(text);
        QVERIFY(copied.find("Cifras correctas medidas, frente a los datos escritos\t" + std::to_string(r.measuredDigits) + " de 7") !=
                std::string::npos);
        QVERIFY(r.storageError && r.methodError && r.forwardError);
        QVERIFY(*r.forwardError <= (*r.storageError + *r.methodError) * 1.01 + 2 * r.referencePrecision);
    }

    void singular_data()
    {
        addColumns<Rows, std::vector<float>>("a", "x");
        QTest::newRow("proportional rows") << Rows{{1, 2, 3}, {2, 4, 6}} << Singles{1, 1};
        QTest::newRow("rows in progression") << Rows{{1, 2, 3, 1}, {4, 5, 6, 1}, {7, 8, 9, 1}} << Singles{1, 1, 1};
        QTest::newRow("zero matrix") << Rows{{0, 0, 0}, {0, 0, 0}} << Singles{0, 0};
    }

    void singular()
    {
        QFETCH(Rows, a);
        QFETCH(std::vector<float>, x);
        const auto r = verification::verify({matrixOf(a), x, Method::Choleski, 0});
        QVERIFY(r.singularity != Singularity::None);
        const auto text = verification::describe(r, ",");
        // A determinant of rounding noise is not shown as a number.
        QVERIFY(text.figures.back().value == "0" || text.figures.back().value.starts_with("desp"));
        QVERIFY(text.statements.front().find("singular") != std::string::npos);
        QCOMPARE(text.solution.headers.size(), std::size_t(2));
        QVERIFY(verification::plainText(text).find("Cifras correctas") == std::string::npos);
    }

    void determinant_data()
    {
        addColumns<Rows, double, int, QString>("a", "mantissa", "exponent", "text");
        QTest::newRow("worked example") << Rows{{2, 1, 3}, {4, 5, 6}} << 6.0 << 0 << "6";
        QTest::newRow("odd exchange") << Rows{{0, 1, 1}, {1, 0, 1}} << -1.0 << 0 << "-1";
        Rows large(100, std::vector<float>(101, 0));
        for (std::size_t i = 0; i < 100; ++i)
            large[i][i] = 1e5f;
        QTest::newRow("beyond the double's range") << large << 1.0 << 500 << "1E+500";
    }

    void determinant()
    {
        QFETCH(Rows, a);
        QFETCH(double, mantissa);
        std::vector<float> x(a.size(), 0.f);
        const auto r = verification::verify({matrixOf(a), x, Method::GaussJordan, 0});
        QVERIFY(std::abs(r.determinant.mantissa - mantissa) < 1e-12);
        QTEST(r.determinant.exponent, "exponent");
        QTEST(QString::fromStdString(verification::describe(r, ",").figures.back().value), "text");
    }

    void whyTheSolveStopped_data()
    {
        addColumns<Rows, bool, bool, int, std::vector<int>, QString>("a", "choleski", "otherSolves", "rank", "dependent", "sentence");
        const Rows unitDiagonalMissing{{1, 1, 0, 2}, {1, 1, 1, 3}, {0, 1, 1, 2}};
        QTest::newRow("solvable, Choleski stops")
            << unitDiagonalMissing << true << true << 3 << std::vector<int>{}
            << "El sistema tiene solución (determinante −1): el método de Choleski sin intercambio de pivote no la "
               "encuentra; pruebe el método de Gauss - Jordan.";
        QTest::newRow("solvable, neither method")
            << Rows{{0, 1, 1}, {1, 0.5f, 2}} << false << false << 2 << std::vector<int>{}
            << "El sistema tiene solución (determinante −1): el método de Gauss - Jordan sin intercambio de pivote no "
               "la encuentra; tampoco el método de Choleski: ninguno de los dos métodos del programa la encuentra.";
        QTest::newRow("proportional, not adjacent")
            << Rows{{1, 2, 0, 1}, {0, 1, 1, 1}, {-2, -4, 0, 5}} << true << false << 2 << std::vector<int>{0, 2}
            << "Las ecuaciones 1 y 3 son dependientes: el sistema no tiene solución única.";
        QTest::newRow("three in progression") << Rows{{1, 2, 3, 1}, {4, 5, 6, 1}, {7, 8, 9, 1}} << false << false << 2
                                              << std::vector<int>{0, 1, 2}
                                              << "Las ecuaciones 1, 2 y 3 son dependientes: el sistema no tiene solución única.";
        QTest::newRow("a row of zeros") << Rows{{1, 2, 3}, {0, 0, 6}} << true << false << 1 << std::vector<int>{1}
                                        << "Todos los coeficientes de la ecuación 2 son cero: el sistema no tiene solución única.";
    }

    void whyTheSolveStopped()
    {
        QFETCH(Rows, a);
        QFETCH(bool, choleski);
        QFETCH(bool, otherSolves);
        const auto r = verification::systemRank(matrixOf(a));
        QTEST(r.rank, "rank");
        QTEST(r.dependent, "dependent");
        const auto text = verification::stopExplanation(choleski ? Method::Choleski : Method::GaussJordan, r, otherSolves, ",");
        QTEST(QString::fromStdString(text), "sentence");
    }

    void rowOrder_data()
    {
        addColumns<int, std::vector<int>>("exchanges", "order");
        QTest::newRow("none") << 0 << std::vector<int>{0, 1, 2, 3};
        QTest::newRow("one") << 1 << std::vector<int>{1, 0, 2, 3};
        QTest::newRow("two") << 2 << std::vector<int>{2, 0, 1, 3};
        QTest::newRow("three") << 3 << std::vector<int>{3, 0, 1, 2};
    }

    void rowOrder()
    {
        QFETCH(int, exchanges);
        QTEST(verification::rowOrderAfterExchanges(4, exchanges), "order");
    }

    void expectedDigits_data()
    {
        addColumns<double, int>("condition", "digits");
        QTest::newRow("identity") << 1.0 << 7;
        QTest::newRow("3, rounds up") << 3.0 << 7;
        QTest::newRow("4, rounds down") << 4.0 << 6;
        QTest::newRow("1E+04") << 1e4 << 3;
        QTest::newRow("hilbert 6") << 2.9e7 << 0;
        QTest::newRow("1E+12, never negative") << 1e12 << 0;
        QTest::newRow("infinite") << HUGE_VAL << 0;
    }

    void expectedDigits()
    {
        QFETCH(double, condition);
        QTEST(verification::expectedDigits(condition), "digits");
    }

    void numberText_data()
    {
        addColumns<double, int, QString, QString>("value", "digits", "separator", "text");
        // clang-format off
        QTest::newRow("small, comma") << 1.5e-7 << 3 << "," << "1,5E-07";
        QTest::newRow("rounded to 3") << 2.9071e7 << 3 << "," << "2,91E+07";
        QTest::newRow("dot") << 0.25 << 3 << "." << "0.25";
        QTest::newRow("negative") << -1.25 << 3 << "," << "-1,25";
        QTest::newRow("ten digits") << 12345.678 << 10 << "," << "12345,678";
        QTest::newRow("negative zero") << -0.0 << 3 << "," << "0";
        // clang-format on
    }

    void numberText()
    {
        QFETCH(double, value);
        QFETCH(int, digits);
        QFETCH(QString, separator);
        QTEST(QString::fromStdString(verification::numberText(value, digits, separator.toStdString())), "text");
    }

    void copiedText()
    {
        // The worked example solved by Choleski after one exchange: rows 1 and 2 swapped.
        // κ∞ = ‖A‖∞·‖A⁻¹‖∞ = 9 · 1: 7 − 0.95 rounds to 6 digits.
        const auto r = verification::verify({matrixOf({{2, 1, 3}, {4, 5, 6}}), {1.5f, 0}, Method::Choleski, 1});
        const QString text = QString::fromStdString(verification::plainText(verification::describe(r, ",")));
        for (const char* line : {"EQ1\t0\n", "EQ2\t0\n", "X1\t1,5\t1,5\t0\n", "X2\t0\t0\t0\n", "Fila 1\tEQ2\n", "Fila 2\tEQ1\n",
                                 "Cifras correctas esperadas, cota por κ∞\t6 de 7\n", "Determinante de A\t6\n"})
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        QVERIFY(text.contains(QStringLiteral("intercambió filas")));
    }
};

QTEST_GUILESS_MAIN(TestVerification)
#include "tst_verification.moc"
