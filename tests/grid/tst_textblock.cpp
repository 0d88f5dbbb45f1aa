#include "grid/GridControl.h"
#include "grid/TextBlock.h"

#include <QTest>

namespace {

using Block = QList<QStringList>;

std::u16string u16(const QString& text)
{
    return text.toStdU16String();
}

TextBlock toTextBlock(const Block& block)
{
    TextBlock result;
    for (const QStringList& row : block) {
        TextRow& cells = result.emplace_back();
        for (const QString& cell : row)
            cells.push_back(u16(cell));
    }
    return result;
}

} // namespace

class TestTextBlock : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void format_data();
    void format();
};

void TestTextBlock::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Block>("block");

    // clang-format off
    QTest::newRow("empty") << "" << Block{};
    QTest::newRow("tabs, final newline dropped") << "1\t2\n3\t4\n" << Block{{"1", "2"}, {"3", "4"}};
    QTest::newRow("crlf") << "1\t2\r\n3\r\n" << Block{{"1", "2"}, {"3"}};
    QTest::newRow("cr") << "1\r2" << Block{{"1"}, {"2"}};
    QTest::newRow("cr then crlf") << "1\r\r\n2" << Block{{"1"}, {}, {"2"}};
    QTest::newRow("one line break") << "\n" << Block{{}};
    QTest::newRow("empty tab fields kept") << "\t5\t" << Block{{"", "5", ""}};
    QTest::newRow("tab lines keep their spaces") << " 1 \t2 3" << Block{{" 1 ", "2 3"}};
    QTest::newRow("runs of blanks") << "  1   -2,5\n3 4  " << Block{{"1", "-2,5"}, {"3", "4"}};
    QTest::newRow("blanks only") << "   " << Block{{}};
    QTest::newRow("each line by itself") << "1 2\n3\t4 5" << Block{{"1", "2"}, {"3", "4 5"}};
    QTest::newRow("empty lines inside kept") << "1\n\n2\n\n" << Block{{"1"}, {}, {"2"}, {}};
    QTest::newRow("commas do not separate") << "1,5;2,5" << Block{{"1,5;2,5"}};
    QTest::newRow("other white space is text") << "1\u00a02\f3" << Block{{"1\u00a02\f3"}};
    // clang-format on
}

void TestTextBlock::parse()
{
    QFETCH(QString, text);
    QFETCH(Block, block);
    QCOMPARE(parseTextBlock(u16(text)), toTextBlock(block));
}

void TestTextBlock::format_data()
{
    QTest::addColumn<Block>("block");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("survives");

    // clang-format off
    QTest::newRow("nothing") << Block{} << "" << true;
    QTest::newRow("rows and columns") << Block{{"1", "2"}, {"3", "4"}} << "1\t2\n3\t4" << true;
    QTest::newRow("empty cells and spaces in a row of two") << Block{{"", "a b"}} << "\ta b" << true;
    QTest::newRow("an empty row inside") << Block{{"1"}, {}, {"2"}} << "1\n\n2" << true;
    QTest::newRow("an empty row last") << Block{{"1"}, {}} << "1\n" << false;
    QTest::newRow("one empty row") << Block{{}} << "" << false;
    QTest::newRow("one cell with a blank") << Block{{"1 2"}} << "1 2" << false;
    QTest::newRow("one empty cell") << Block{{"1", "2"}, {""}} << "1\t2\n" << false;
    QTest::newRow("a tab inside a cell") << Block{{"1\t2", "3"}} << "1\t2\t3" << false;
    QTest::newRow("a line break inside a cell") << Block{{"1\r", "3"}} << "1\r\t3" << false;
    // clang-format on
}

void TestTextBlock::format()
{
    QFETCH(Block, block);
    QFETCH(QString, text);
    QFETCH(bool, survives);
    const TextBlock cells = toTextBlock(block);
    const std::u16string formatted = formatTextBlock(cells);
    QCOMPARE(QString::fromStdU16String(formatted), text);
    QCOMPARE(survivesRoundTrip(cells), survives);
    QCOMPARE(parseTextBlock(formatted) == cells, survives);
}

QTEST_GUILESS_MAIN(TestTextBlock)
#include "tst_textblock.moc"
