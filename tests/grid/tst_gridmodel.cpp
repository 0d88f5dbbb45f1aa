#include "grid/GridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

QString label(int row, int col)
{
    return QStringLiteral("%1,%2").arg(row).arg(col);
}

void fill(GridModel& model)
{
    for (int r = 0; r < model.rows(); ++r)
        for (int c = 0; c < model.cols(); ++c)
            model.setText(r, c, label(r, c));
}

} // namespace

class TestGridModel : public QObject
{
    Q_OBJECT

private slots:
    void resizeKeepsCellsInside_data();
    void resizeKeepsCellsInside();
    void outOfRangeAccessIsHarmless();
    void modelTesterThroughChanges();
    void bulkWritesSignalOnce();
    void bulkAfterShrinkStaysInside();
    void alignmentRole_data();
    void alignmentRole();
};

void TestGridModel::resizeKeepsCellsInside_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("newRows");
    QTest::addColumn<int>("newCols");

    QTest::newRow("grow both") << 3 << 4 << 5 << 6;
    QTest::newRow("shrink both") << 5 << 6 << 4 << 5;
    QTest::newRow("more rows, fewer cols") << 3 << 6 << 6 << 2;
    QTest::newRow("fewer rows, more cols") << 6 << 3 << 2 << 7;
    QTest::newRow("to nothing") << 4 << 4 << 0 << 0;
    QTest::newRow("rows only to zero") << 4 << 4 << 0 << 4;
    QTest::newRow("cols only to zero") << 4 << 4 << 4 << 0;
    QTest::newRow("worksheet 4 to 3") << 5 << 6 << 4 << 5;
    QTest::newRow("worksheet 100") << 3 << 4 << 101 << 102;
}

// Cells inside the new size keep their text, cells outside are gone for good, new cells
// are empty: growing again after a shrink must not bring old texts back.
void TestGridModel::resizeKeepsCellsInside()
{
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(int, newRows);
    QFETCH(int, newCols);

    GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows(rows);
    model.setCols(cols);
    fill(model);

    model.setRows(newRows);
    model.setCols(newCols);
    QCOMPARE(model.rowCount(), newRows);
    QCOMPARE(model.columnCount(), newCols);

    model.setRows(std::max(rows, newRows));
    model.setCols(std::max(cols, newCols));
    for (int r = 0; r < model.rows(); ++r) {
        for (int c = 0; c < model.cols(); ++c) {
            const bool kept = r < std::min(rows, newRows) && c < std::min(cols, newCols);
            const QString expected = kept ? label(r, c) : QString();
            QCOMPARE(model.text(r, c), expected);
            QCOMPARE(model.index(r, c).data().toString(), expected);
        }
    }
}

void TestGridModel::outOfRangeAccessIsHarmless()
{
    GridModel model;
    model.setRows(2);
    model.setCols(2);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setText(2, 0, QStringLiteral("x"));
    model.setText(0, -1, QStringLiteral("x"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(model.text(-1, 0), QString());
    QCOMPARE(model.text(0, 2), QString());
    QVERIFY(!model.contains(2, 1));
    QVERIFY(model.contains(1, 1));
}

void TestGridModel::modelTesterThroughChanges()
{
    GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows(2);
    model.setCols(3);
    fill(model);
    model.setFixedCounts(1, 1);
    model.setColAlignment(0, 4);
    model.beginBulk();
    model.setRows(6);
    fill(model);
    model.setCols(1);
    model.endBulk();
    model.setCols(0);
    model.setRows(1);
    model.setCols(5);
    fill(model);
    QCOMPARE(model.text(0, 4), label(0, 4));
}

void TestGridModel::bulkWritesSignalOnce()
{
    GridModel model;
    model.setRows(101);
    model.setCols(102);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.beginBulk();
    for (int r = 1; r < 101; ++r)
        for (int c = 2; c < 101; ++c)
            model.setText(r, c, label(r, c));
    QCOMPARE(changed.count(), 0);
    model.endBulk();

    QCOMPARE(changed.count(), 1);
    const auto topLeft = changed.front().at(0).value<QModelIndex>();
    const auto bottomRight = changed.front().at(1).value<QModelIndex>();
    QCOMPARE(topLeft, model.index(1, 2));
    QCOMPARE(bottomRight, model.index(100, 100));

    // Outside a bulk every write signals, and a bulk without writes signals nothing.
    model.setText(0, 0, QStringLiteral("a"));
    model.beginBulk();
    model.endBulk();
    QCOMPARE(changed.count(), 2);

    // Nested bulks signal once, at the outer end; an unbalanced end is ignored.
    model.beginBulk();
    model.beginBulk();
    model.setText(0, 0, QStringLiteral("a"));
    model.endBulk();
    QCOMPARE(changed.count(), 2);
    model.setText(2, 1, QStringLiteral("b"));
    model.endBulk();
    QCOMPARE(changed.count(), 3);
    QCOMPARE(changed.last().at(1).value<QModelIndex>(), model.index(2, 1));
    model.endBulk();
    QCOMPARE(changed.count(), 3);
}

void TestGridModel::bulkAfterShrinkStaysInside()
{
    GridModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setRows(5);
    model.setCols(5);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.beginBulk();
    model.setText(1, 1, QStringLiteral("a"));
    model.setText(4, 4, QStringLiteral("b"));
    model.setRows(3);
    model.setCols(2);
    model.endBulk();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.front().at(1).value<QModelIndex>(), model.index(2, 1));

    model.beginBulk();
    model.setText(4, 4, QStringLiteral("c")); // outside: ignored
    model.setText(0, 0, QStringLiteral("d"));
    model.setRows(0);
    model.endBulk();
    QCOMPARE(changed.count(), 1);
}

void TestGridModel::alignmentRole_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("general text") << 9 << 1 << "abc" << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("general number") << 9 << 1 << "-12.5" << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("general exponent") << 9 << 1 << "1.5E-06" << int(Qt::AlignRight | Qt::AlignVCenter);
    QTest::newRow("general blank") << 9 << 1 << "  " << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("general fixed") << 9 << 0 << "123" << int(Qt::AlignCenter);
    QTest::newRow("left centre fixed") << 1 << 0 << "X1" << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("centre") << 4 << 1 << "7" << int(Qt::AlignCenter);
    QTest::newRow("left top") << 0 << 1 << "7" << int(Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("centre bottom") << 5 << 1 << "7" << int(Qt::AlignHCenter | Qt::AlignBottom);
    QTest::newRow("right top") << 6 << 1 << "a" << int(Qt::AlignRight | Qt::AlignTop);
    QTest::newRow("right bottom") << 8 << 1 << "a" << int(Qt::AlignRight | Qt::AlignBottom);
}

void TestGridModel::alignmentRole()
{
    QFETCH(int, code);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(int, expected);

    GridModel model;
    model.setRows(2);
    model.setCols(2);
    model.setFixedCounts(1, 0);
    QCOMPARE(model.colAlignment(1), 9);
    model.setColAlignment(1, code);
    model.setText(row, 1, text);
    QCOMPARE(model.index(row, 1).data(Qt::TextAlignmentRole).toInt(), expected);
}

QTEST_GUILESS_MAIN(TestGridModel)
#include "tst_gridmodel.moc"
