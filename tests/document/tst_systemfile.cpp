#include "DataColumns.h"
#include "document/SystemFile.h"
#include "document/TabularText.h"
#include "grid/TextBlock.h"

#include <QTest>

namespace {

using Rows = QList<QStringList>;

Rows toRows(const TextBlock& block)
{
    Rows rows;
    for (const TextRow& row : block) {
        QStringList& cells = rows.emplace_back();
        for (const std::u16string& cell : row)
            cells << QString::fromStdU16String(cell);
    }
    return rows;
}

TextBlock toBlock(const Rows& rows)
{
    TextBlock block;
    for (const QStringList& row : rows) {
        TextRow& cells = block.emplace_back();
        for (const QString& cell : row)
            cells.push_back(cell.toStdU16String());
    }
    return block;
}

char16_t markOf(const QString& mark)
{
    return mark.front().unicode();
}

// The system every dialect below writes, as a worksheet under a decimal comma holds it.
const Rows kSpanish{{"4", "1", "0", "5,5"}, {"-1", "2,25", "3", "0"}, {"0", "1E3", "1", "-0,5"}};

} // namespace

class TestSystemFile : public QObject
{
    Q_OBJECT

private slots:
    // The clipboard's own blocks: cells between tabs, or else between runs of blanks, a row a line.
    void textBlockParse_data()
    {
        addColumns<QString, Rows>("text", "block");
        // clang-format off
        QTest::newRow("empty") << "" << Rows{};
        QTest::newRow("tabs, final newline dropped") << "1\t2\n3\t4\n" << Rows{{"1", "2"}, {"3", "4"}};
        QTest::newRow("crlf") << "1\t2\r\n3\r\n" << Rows{{"1", "2"}, {"3"}};
        QTest::newRow("cr") << "1\r2" << Rows{{"1"}, {"2"}};
        QTest::newRow("cr then crlf") << "1\r\r\n2" << Rows{{"1"}, {}, {"2"}};
        QTest::newRow("one line break") << "\n" << Rows{{}};
        QTest::newRow("empty tab fields kept") << "\t5\t" << Rows{{"", "5", ""}};
        QTest::newRow("tab lines keep their spaces") << " 1 \t2 3" << Rows{{" 1 ", "2 3"}};
        QTest::newRow("runs of blanks") << "  1   -2,5\n3 4  " << Rows{{"1", "-2,5"}, {"3", "4"}};
        QTest::newRow("blanks only") << "   " << Rows{{}};
        QTest::newRow("each line by itself") << "1 2\n3\t4 5" << Rows{{"1", "2"}, {"3", "4 5"}};
        QTest::newRow("empty lines inside kept") << "1\n\n2\n\n" << Rows{{"1"}, {}, {"2"}, {}};
        QTest::newRow("commas do not separate") << "1,5;2,5" << Rows{{"1,5;2,5"}};
        QTest::newRow("other white space is text") << "1\u00a02\f3" << Rows{{"1\u00a02\f3"}};
        // clang-format on
    }

    void textBlockParse()
    {
        QFETCH(QString, text);
        QTEST(toRows(parseTextBlock(text.toStdU16String())), "block");
    }

    void textBlockFormat_data()
    {
        addColumns<Rows, QString, bool>("block", "text", "survives");
        // clang-format off
        QTest::newRow("nothing") << Rows{} << "" << true;
        QTest::newRow("rows and columns") << Rows{{"1", "2"}, {"3", "4"}} << "1\t2\n3\t4" << true;
        QTest::newRow("empty cells and spaces in a row of two") << Rows{{"", "a b"}} << "\ta b" << true;
        QTest::newRow("an empty row inside") << Rows{{"1"}, {}, {"2"}} << "1\n\n2" << true;
        QTest::newRow("an empty row last") << Rows{{"1"}, {}} << "1\n" << false;
        QTest::newRow("one empty row") << Rows{{}} << "" << false;
        QTest::newRow("one cell with a blank") << Rows{{"1 2"}} << "1 2" << false;
        QTest::newRow("one empty cell") << Rows{{"1", "2"}, {""}} << "1\t2\n" << false;
        QTest::newRow("a tab inside a cell") << Rows{{"1\t2", "3"}} << "1\t2\t3" << false;
        QTest::newRow("a line break inside a cell") << Rows{{"1\r", "3"}} << "1\r\t3" << false;
        // clang-format on
    }

    void textBlockFormat()
    {
        QFETCH(Rows, block);
        QFETCH(bool, survives);
        const TextBlock cells = toBlock(block);
        const std::u16string formatted = formatTextBlock(cells);
        QTEST(QString::fromStdU16String(formatted), "text");
        QCOMPARE(survivesRoundTrip(cells), survives);
        QCOMPARE(parseTextBlock(formatted) == cells, survives);
    }

    // Every way of writing one system reads to the same worksheet texts in the comma's locale.
    void dialects_data()
    {
        addColumns<QString, bool>("file", "converted");
        // clang-format off
        QTest::newRow("semicolons, decimal commas") << "4;1;0;5,5\n-1;2,25;3;0\n0;1E3;1;-0,5\n" << false;
        QTest::newRow("the program's CSV, comma locale") << ";X1;X2;X3;T.I\r\nEQ1;4;1;0;5,5\r\nEQ2;-1;2,25;3;0\r\nEQ3;0;1E3;1;-0,5\r\n" << false;
        QTest::newRow("the program's CSV, point locale") << ",X1,X2,X3,T.I\r\nEQ1,4,1,0,5.5\r\nEQ2,-1,2.25,3,0\r\nEQ3,0,1E3,1,-0.5\r\n" << true;
        QTest::newRow("commas, quoted fields") << "\"4\",1,0,5.5\n-1,\"2,25\",3,0\n0,1E3,1,-0.5" << true;
        QTest::newRow("tabs, points") << "4\t1\t0\t5.5\n-1\t2.25\t3\t0\n0\t1E3\t1\t-0.5" << true;
        QTest::newRow("tabs, commas, CR") << "4\t1\t0\t5,5\r-1\t2,25\t3\t0\r0\t1E3\t1\t-0,5\r" << false;
        QTest::newRow("blanks, points, byte-order mark") << "\ufeff 4  1 0  5.5\n-1 2.25 3 0\n0 1E3 1 -0.5\n\n" << true;
        QTest::newRow("blanks, commas") << "4 1 0 5,5\n-1 2,25 3 0\n0 1E3 1 -0,5" << false;
        QTest::newRow("header row alone") << "X1;X2;X3;T.I\n4;1;0;5,5\n-1;2,25;3;0\n0;1E3;1;-0,5" << false;
        QTest::newRow("header column alone, empty lines") << "EQ1\t4\t1\t0\t5.5\n\nEQ2\t-1\t2.25\t3\t0\nEQ3\t0\t1E3\t1\t-0.5\n\n" << true;
        QTest::newRow("Matrix Market array") << "%%MatrixMarket matrix array real general\n% por columnas\n3 4\n4\n-1\n0\n1\n2.25\n1E3\n0\n3\n1\n5.5\n0\n-0.5\n" << false;
        QTest::newRow("Matrix Market coordinate") << "%%MatrixMarket matrix coordinate integer general\n3 4 9\n1 1 4\n2 1 -1\n1 2 1\n2 2 2.25\n3 2 1E3\n2 3 3\n3 3 1\n1 4 5.5\n3 4 -0.5\n" << false;
        // clang-format on
    }

    void dialects()
    {
        QFETCH(QString, file);
        const auto read = readSystemFile(file.toStdString(), u',');
        const auto* system = std::get_if<SystemTexts>(&read);
        QVERIFY2(system, std::holds_alternative<Refusal>(read) ? std::get<Refusal>(read).message.c_str() : "");
        QCOMPARE(toRows(system->rows), kSpanish);
        QTEST(system->marksConverted, "converted");
    }

    // What a paste takes from a block: its separator, its decimal mark, and the headers left out.
    void pastedBlocks_data()
    {
        addColumns<QString, QString, Rows, QString, bool>("text", "mark", "cells", "separator", "converted");
        // clang-format off
        QTest::newRow("a Spanish spreadsheet's row") << "4;1;0;5,5" << "," << Rows{{"4", "1", "0", "5,5"}} << ";" << false;
        QTest::newRow("the same row in a point locale") << "4;1;0;5,5" << "." << Rows{{"4", "1", "0", "5.5"}} << ";" << true;
        QTest::newRow("semicolons with points only") << "1.5;2\n3;4.25" << "," << Rows{{"1,5", "2"}, {"3", "4,25"}} << ";" << true;
        QTest::newRow("semicolons with both marks") << "1.5;2,5" << "." << Rows{{"1.5", "2.5"}} << ";" << true;
        QTest::newRow("tabs with both marks keep them") << "1.5\t2,5" << "," << Rows{{"1.5", "2,5"}} << "\t" << false;
        QTest::newRow("quoted cells kept as written") << "\"1.5\";\"a;b\";\"say \"\"x\"\"\"\n\"2\n3\";4" << "," << Rows{{"1.5", "a;b", "say \"x\""}, {"2\n3", "4"}} << ";" << false;
        QTest::newRow("commas with blanks after them") << "1, 2.5, 3" << "," << Rows{{"1", " 2,5", " 3"}} << "," << true;
        QTest::newRow("commas inside blank columns") << "1,5 2,5\n3 4,5" << "." << Rows{{"1.5", "2.5"}, {"3", "4.5"}} << " " << true;
        QTest::newRow("words are not numbers") << "a.b\t1,5" << "," << Rows{{"a.b", "1,5"}} << "\t" << false;
        QTest::newRow("the worksheet's own copy") << "1,1\tX1\tX2\tT.I\nEQ1\t1\t2\t3\nEQ2\t4\t5\t6" << "," << Rows{{"1", "2", "3"}, {"4", "5", "6"}} << "\t" << false;
        QTest::newRow("names that do not count") << "X1\tX3\tT.I\nEQ2\t1\t2" << "," << Rows{{"X1", "X3", "T.I"}, {"EQ2", "1", "2"}} << "\t" << false;
        QTest::newRow("quoted names are cells") << "\"X1\";\"T.I\"\n\"EQ1\";2" << "," << Rows{{"X1", "T.I"}, {"EQ1", "2"}} << ";" << false;
        QTest::newRow("crlf, empty line inside") << "1;2\r\n\r\n3;4\r\n" << "," << Rows{{"1", "2"}, {}, {"3", "4"}} << ";" << false;
        // clang-format on
    }

    void pastedBlocks()
    {
        QFETCH(QString, text);
        QFETCH(QString, mark);
        const TabularRead read = readTabularText(text.toStdU16String(), markOf(mark));
        QTEST(toRows(read.cells), "cells");
        QTEST(QString(QChar(read.separator)), "separator");
        QTEST(read.marksConverted, "converted");
    }

    // Each refusal names its line where there is one.
    void refusals_data()
    {
        addColumns<QByteArray, QString, int>("bytes", "message", "line");
        const QByteArray large = QByteArray("1;2;3\n") + QByteArray(int(kLargestSystemFile), ' ');
        // clang-format off
        QTest::newRow("empty") << QByteArray() << "El archivo está vacío." << 0;
        QTest::newRow("blank lines") << QByteArray("\r\n  \n\t") << "El archivo está vacío." << 0;
        QTest::newRow("headers alone") << QByteArray(";X1;T.I\n") << "El archivo no tiene ningún valor." << 0;
        QTest::newRow("not UTF-8") << QByteArray("1;2;3\n4;5;\xff\n") << "No es un archivo de texto." << 2;
        QTest::newRow("binary") << QByteArray("1;2;3\n4;5;6\n\x00\x01", 14) << "No es un archivo de texto." << 3;
        QTest::newRow("unequal rows") << QByteArray("1;2;3\n\n4;5\n") << "Las filas no tienen todas el mismo número de valores: esta tiene 2 y la primera, 3." << 3;
        QTest::newRow("one equation") << QByteArray("1;2\n") << "Tiene 1 fila de 2 valores; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100." << 0;
        QTest::newRow("square") << QByteArray("1;2\n3;4\n") << "Tiene 2 filas de 2 valores; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100." << 0;
        QTest::newRow("101 equations") << QByteArray("1").repeated(1).append(QByteArray(";0").repeated(101)).append('\n').repeated(101) << "Tiene 101 filas de 102 valores; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100." << 101;
        QTest::newRow("larger than any system") << large << "Es más grande que cualquier sistema de ecuaciones (más de 4 MB)." << 0;
        QTest::newRow("Matrix Market, symmetric") << QByteArray("%%MatrixMarket matrix array real symmetric\n2 3\n") << "Solo se leen matrices Matrix Market «matrix array» o «matrix coordinate» de números «real» o «integer», «general»." << 1;
        QTest::newRow("Matrix Market, too large") << QByteArray("%%MatrixMarket matrix array real general\n%\n200 201\n") << "Tiene 200 filas de 201 valores; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100." << 3;
        QTest::newRow("Matrix Market, short") << QByteArray("%%MatrixMarket matrix array real general\n2 3\n1 2 3\n") << "Faltan valores: se leyeron 3 de 6." << 0;
        QTest::newRow("Matrix Market, a word") << QByteArray("%%MatrixMarket matrix array real general\n2 3\n1\n2\nx\n") << "«x» no es un número." << 5;
        QTest::newRow("Matrix Market, outside") << QByteArray("%%MatrixMarket matrix coordinate real general\n2 3 1\n3 1 1\n") << "La entrada (3, 1) está fuera de la matriz." << 3;
        QTest::newRow("Matrix Market, entries miscounted") << QByteArray("%%MatrixMarket matrix coordinate real general\n2 3 2\n1 1 1\n") << "Se anuncian 2 entradas y hay 1." << 2;
        // clang-format on
    }

    void refusals()
    {
        QFETCH(QByteArray, bytes);
        const auto read = readSystemFile(std::string_view(bytes.constData(), std::size_t(bytes.size())), u',');
        const auto* refusal = std::get_if<Refusal>(&read);
        QVERIFY(refusal);
        QTEST(QString::fromStdString(refusal->message), "message");
        QTEST(int(refusal->line), "line");
    }

    // Written and read again in the same locale, every text comes back exactly, however
    // awkward: marks of the other locale, separators, quotes, line breaks, header names.
    void roundTrip_data()
    {
        addColumns<int, QString>("format", "mark");
        for (const QString& mark : {QStringLiteral(","), QStringLiteral(".")}) {
            QTest::addRow("CSV, mark %s", qPrintable(mark)) << int(FileFormat::Csv) << mark;
            QTest::addRow("text, mark %s", qPrintable(mark)) << int(FileFormat::Text) << mark;
        }
    }

    void roundTrip()
    {
        QFETCH(int, format);
        QFETCH(QString, mark);
        const Rows awkward{{"1,5", "1.5", " 2 ", "", "a;b"},
                           {"\"q\"", "x\ty", "EQ1", "T.I", "X2"},
                           {"-3E+2", "l\r\nm", "1.234,5", "ñandú", "7"},
                           {"0", "0", "0", "0", "\ufeff1"}};
        const auto written = writeSystemFile(toBlock(awkward), FileFormat(format), markOf(mark));
        QVERIFY(std::holds_alternative<std::string>(written));
        const auto read = readSystemFile(std::get<std::string>(written), markOf(mark));
        const auto* system = std::get_if<SystemTexts>(&read);
        QVERIFY(system);
        QCOMPARE(toRows(system->rows), awkward);
        QVERIFY(!system->marksConverted);
    }

    // The array form lists the values column by column, points for decimal marks; a cell that
    // is not a number cannot be written in it.
    void matrixMarketWritten()
    {
        const Rows system{{"1,5", "-2", "3"}, {"4", "5E-1", " 6,25 "}};
        const auto written = writeSystemFile(toBlock(system), FileFormat::MatrixMarket, u',');
        QCOMPARE(QString::fromStdString(std::get<std::string>(written)),
                 QStringLiteral("%%MatrixMarket matrix array real general\n"
                                "% Sistema de ecuaciones: coeficientes y término independiente\n"
                                "2 3\n1.5\n4\n-2\n5E-1\n3\n6.25\n"));
        const auto read = readSystemFile(std::get<std::string>(written), u',');
        QCOMPARE(toRows(std::get<SystemTexts>(read).rows), (Rows{{"1,5", "-2", "3"}, {"4", "5E-1", "6,25"}}));

        const auto refused = writeSystemFile(toBlock({{"1", "", "3"}, {"4", "5", "6"}}), FileFormat::MatrixMarket, u',');
        QCOMPARE(QString::fromStdString(std::get<Refusal>(refused).message),
                 QStringLiteral("El valor de la ecuación 1, columna 2, «», no es un número."));
    }
};

QTEST_APPLESS_MAIN(TestSystemFile)
#include "tst_systemfile.moc"
