#include "solver/ColumnSet.h"

#include <QTest>

#include <vector>

using solver::ColumnSet;

namespace {

std::vector<int> columnsOf(const ColumnSet& set)
{
    std::vector<int> columns;
    set.forEach([&](int m) { columns.push_back(m); });
    return columns;
}

} // namespace

class TestColumnSet : public QObject
{
    Q_OBJECT

private slots:
    void whereGathersEveryColumn_data();
    void whereGathersEveryColumn();
    void below();
};

// Columns across both words and every position in a byte, so that a wrong bit order or a
// carry in the gathering shows.
void TestColumnSet::whereGathersEveryColumn_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<std::vector<int>>("columns");
    QTest::newRow("none") << 101 << std::vector<int>{};
    QTest::newRow("first and last of a byte") << 101 << std::vector<int>{0, 7, 8, 15};
    QTest::newRow("every column of a byte") << 101 << std::vector<int>{16, 17, 18, 19, 20, 21, 22, 23};
    QTest::newRow("across the words") << 101 << std::vector<int>{62, 63, 64, 65, 100};
    QTest::newRow("the widest row") << 128 << std::vector<int>{0, 63, 64, 127};
    QTest::newRow("every column of a short row") << 3 << std::vector<int>{0, 1, 2};
}

void TestColumnSet::whereGathersEveryColumn()
{
    QFETCH(int, count);
    QFETCH(std::vector<int>, columns);
    std::vector<bool> holds(std::size_t(solver::kMaxRow), false);
    for (const int m : columns)
        holds[std::size_t(m)] = true;
    // A column at or past `count` is never asked about.
    const ColumnSet set = ColumnSet::where(count, [&](int m) {
        if (m >= count)
            qFatal("asked about column %d of %d", m, count);
        return bool(holds[std::size_t(m)]);
    });
    QCOMPARE(columnsOf(set), columns);
    QCOMPARE(set.size(), int(columns.size()));
    QCOMPARE(set.empty(), columns.empty());
    QCOMPARE(set.first(), columns.empty() ? solver::kMaxRow : columns.front());
    QCOMPARE(columnsOf(~set & ColumnSet::below(count)).size(), std::size_t(count) - columns.size());
}

void TestColumnSet::below()
{
    for (const int end : {0, 1, 63, 64, 65, 101, 128}) {
        const std::vector<int> columns = columnsOf(ColumnSet::below(end));
        QCOMPARE(int(columns.size()), end);
        if (end > 0)
            QCOMPARE(columns.back(), end - 1);
    }
}

QTEST_APPLESS_MAIN(TestColumnSet)
#include "tst_columnset.moc"
