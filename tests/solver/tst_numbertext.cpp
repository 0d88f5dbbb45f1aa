#include "DataColumns.h"
#include "RuntimeErrorSeen.h"

#include "solver/NumberText.h"

#include <QTest>

#include <cfloat>
#include <limits>

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void textToSingle_data()
    {
        // clang-format off
        addColumns<QString, QString, float, int>("text", "separator", "expected", "error");

        QTest::newRow("comma decimal") << "1,5" << "," << 1.5f << 0;
        QTest::newRow("dot refused in a comma locale") << "1.5" << "," << 0.f << 13;
        QTest::newRow("grouping is not accepted") << "1.500" << "," << 0.f << 13;
        QTest::newRow("dot decimal") << "1.5" << "." << 1.5f << 0;
        QTest::newRow("comma refused in a dot locale") << "1,5" << "." << 0.f << 13;
        QTest::newRow("blanks, sign, exponent") << " \t-2,25e1  " << "," << -22.5f << 0;
        QTest::newRow("plus sign") << "+3" << "," << 3.f << 0;
        QTest::newRow("leading separator") << ",5" << "," << 0.5f << 0;
        QTest::newRow("trailing separator") << "5," << "," << 5.f << 0;
        QTest::newRow("negative exponent") << "25E-1" << "." << 2.5f << 0;
        QTest::newRow("rounded once to single") << "0.1" << "." << 0.1f << 0;
        QTest::newRow("largest single") << "3.4028235e38" << "." << FLT_MAX << 0;
        QTest::newRow("underflow is zero") << "1e-50" << "." << 0.f << 0;
        QTest::newRow("beyond the range") << "3.5e38" << "." << 0.f << 6;
        QTest::newRow("negative beyond") << "-1e39" << "." << 0.f << 6;
        QTest::newRow("huge exponent") << "1e99999999999999" << "." << 0.f << 6;
        QTest::newRow("blanks only") << "   " << "," << 0.f << 13;
        QTest::newRow("empty") << "" << "," << 0.f << 13;
        QTest::newRow("letters") << "abc" << "," << 0.f << 13;
        QTest::newRow("infinity word") << "inf" << "." << 0.f << 13;
        QTest::newRow("nan word") << "nan" << "." << 0.f << 13;
        QTest::newRow("exponent without digits") << "1e" << "." << 0.f << 13;
        QTest::newRow("hexadecimal") << "0x10" << "." << 0.f << 13;
        QTest::newRow("inner blank") << "1 2" << "." << 0.f << 13;
        QTest::newRow("two separators") << "1,2,3" << "," << 0.f << 13;
        QTest::newRow("sign alone") << "-" << "," << 0.f << 13;
        // clang-format on
    }

    void textToSingle()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(float, expected);
        QFETCH(int, error);
        float value = 0.f;
        QCOMPARE(errorOf([&] { value = solver::textToSingle(text.toStdString(), separator.toStdString()); }), error);
        if (error == 0)
            QCOMPARE(value, expected);
    }

    void generalText_data()
    {
        // clang-format off
        addColumns<float, QString, QString>("value", "comma", "dot");

        QTest::newRow("zero") << 0.f << "0" << "0";
        QTest::newRow("negative zero") << -0.f << "0" << "0";
        QTest::newRow("one") << 1.f << "1" << "1";
        QTest::newRow("half") << 0.5f << "0,5" << "0.5";
        QTest::newRow("negative") << -2.5f << "-2,5" << "-2.5";
        QTest::newRow("third") << 1.f / 3.f << "0,3333333" << "0.3333333";
        QTest::newRow("seven digits") << 1234567.f << "1234567" << "1234567";
        QTest::newRow("eight digits") << 12345678.f << "1,234568E+07" << "1.234568E+07";
        QTest::newRow("small fixed") << 0.0001f << "0,0001" << "0.0001";
        QTest::newRow("small exponent") << 0.00001f << "1E-05" << "1E-05";
        QTest::newRow("small with digits") << 1.5e-6f << "1,5E-06" << "1.5E-06";
        QTest::newRow("largest") << FLT_MAX << "3,402823E+38" << "3.402823E+38";
        // clang-format on
    }

    void generalText()
    {
        QFETCH(float, value);
        QFETCH(QString, comma);
        QFETCH(QString, dot);
        QCOMPARE(QString::fromStdString(solver::generalText(value, ",")), comma);
        QCOMPARE(QString::fromStdString(solver::generalText(value, ".")), dot);
    }

    void generalTextRoundTrips()
    {
        // What the grids show reads back as the same single.
        const float values[] = {0.1f, 1.f / 3.f, 2.f / 3.f, 1e-30f, 123456.7f, -9.999999e37f};
        for (const float v : values)
            QCOMPARE(solver::textToSingle(solver::generalText(v, ","), ","), v);
    }

    void fixedFiveText_data()
    {
        // clang-format off
        addColumns<float, QString, QString>("value", "comma", "dot");

        QTest::newRow("two and a half") << 2.5f << "2,50000" << "2.50000";
        QTest::newRow("four integer digits") << 1234.5f << "1234,50000" << "1234.50000";
        QTest::newRow("below one") << 0.125f << "0,12500" << "0.12500";
        QTest::newRow("negative") << -0.5f << "-0,50000" << "-0.50000";
        QTest::newRow("negative zero") << -0.f << "0,00000" << "0.00000";
        QTest::newRow("rounds at the fifth") << 0.333333f << "0,33333" << "0.33333";
        QTest::newRow("million") << 1e6f << "1000000,00000" << "1000000.00000";
        // clang-format on
    }

    void fixedFiveText()
    {
        QFETCH(float, value);
        QFETCH(QString, comma);
        QFETCH(QString, dot);
        QCOMPARE(QString::fromStdString(solver::fixedFiveText(value, ",")), comma);
        QCOMPARE(QString::fromStdString(solver::fixedFiveText(value, ".")), dot);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
