#include "grid/GridControl.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

// Runs where a screen reader could listen (an accessibility bus, see
// tests/e2e/bajo_lector.sh): Qt sends no accessibility event while none listens.
namespace {

struct Heard
{
    QAccessible::Event type;
    int child;
    QString name;
    QRect block; // rows and columns of a table change, at the table's coordinates
};

QList<Heard> heard;
const QObject* listenedTo = nullptr;

// Events about the grid, or about one of its cells by the cell's own interface.
void listen(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    const QAccessibleInterface* parent = iface ? iface->parent() : nullptr;
    const bool cellOfGrid = !event->object() && parent && parent->object() == listenedTo;
    if (event->object() != listenedTo && !cellOfGrid)
        return;
    Heard h{event->type(), event->child(), {}, {}};
    if (iface)
        h.name = iface->text(QAccessible::Name);
    if (event->type() == QAccessible::TableModelChanged) {
        const auto* change = static_cast<QAccessibleTableModelChangeEvent*>(event);
        h.block = QRect(QPoint(change->firstColumn(), change->firstRow()), QPoint(change->lastColumn(), change->lastRow()));
    }
    heard << h;
}

QList<Heard> heardOf(QAccessible::Event type)
{
    QList<Heard> found;
    for (const Heard& h : std::as_const(heard))
        if (h.type == type)
            found << h;
    return found;
}

// A worksheet of three equations beside a line edit that can take the focus from it.
struct Window
{
    QWidget top;
    QLineEdit* other = new QLineEdit(&top);
    GridControl* grid = new GridControl(&top);

    Window()
    {
        auto* layout = new QVBoxLayout(&top);
        layout->addWidget(other);
        layout->addWidget(grid);
        grid->setFixedRows(1);
        grid->setFixedCols(1);
        grid->setRows(4);
        grid->setCols(5);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 5; ++c)
                grid->setTextMatrix(r, c, QStringLiteral("%1:%2").arg(r).arg(c));
        top.resize(500, 300);
        top.show();
        QApplication::setActiveWindow(&top);
        listenedTo = grid;
    }
};

enum class Move
{
    KeyDown,
    KeyRight,
    KeyControlEnd,
    Click,
    SetRow,
    SetCol,
    Shrink,
};

} // namespace

class TestGridAccessibleEvents : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void focusFollowsEveryMove_data();
    void focusFollowsEveryMove();
    void enteringTheGridEndsOnTheCell_data();
    void enteringTheGridEndsOnTheCell();
    void noFocusWhileAnotherWidgetHasIt();
    void writes_data();
    void writes();
};

void TestGridAccessibleEvents::initTestCase()
{
    // Qt turns accessibility on once it has reached the bus.
    QWidget probe;
    probe.show();
    if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000))
        QSKIP("No accessibility bus: run through tests/e2e/bajo_lector.sh");
    QAccessible::installUpdateHandler(&listen);
}

void TestGridAccessibleEvents::init()
{
    heard.clear();
}

void TestGridAccessibleEvents::focusFollowsEveryMove_data()
{
    QTest::addColumn<Move>("move");
    QTest::addColumn<QPoint>("reached"); // (column, row) of the grid

    QTest::newRow("down arrow") << Move::KeyDown << QPoint(1, 2);
    QTest::newRow("right arrow") << Move::KeyRight << QPoint(2, 1);
    QTest::newRow("ctrl+end") << Move::KeyControlEnd << QPoint(4, 3);
    QTest::newRow("click") << Move::Click << QPoint(3, 2);
    QTest::newRow("setRow") << Move::SetRow << QPoint(1, 3);
    QTest::newRow("setCol") << Move::SetCol << QPoint(4, 1);
    QTest::newRow("rows taken away") << Move::Shrink << QPoint(1, 1);
}

void TestGridAccessibleEvents::focusFollowsEveryMove()
{
    QFETCH(Move, move);
    QFETCH(QPoint, reached);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.top));
    if (move == Move::Shrink)
        w.grid->setRow(3);
    w.grid->setFocus();
    QVERIFY(w.grid->hasFocus());
    QCoreApplication::processEvents();
    heard.clear();

    switch (move) {
    case Move::KeyDown:
        QTest::keyClick(w.grid, Qt::Key_Down);
        break;
    case Move::KeyRight:
        QTest::keyClick(w.grid, Qt::Key_Right);
        break;
    case Move::KeyControlEnd:
        QTest::keyClick(w.grid, Qt::Key_End, Qt::ControlModifier);
        break;
    case Move::Click: {
        const QRect cell = w.grid->visualRect(w.grid->model()->index(2, 3));
        QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, cell.center());
        break;
    }
    case Move::SetRow:
        w.grid->setRow(3);
        break;
    case Move::SetCol:
        w.grid->setCol(4);
        break;
    case Move::Shrink:
        w.grid->setRows(2);
        break;
    }

    QCOMPARE(QPoint(w.grid->Col(), w.grid->Row()), reached);
    const QList<Heard> focus = heardOf(QAccessible::Focus);
    QCOMPARE(focus.size(), 1);
    QCOMPARE(focus.last().child, reached.y() * 5 + reached.x());
    QCOMPARE(focus.last().name, QStringLiteral("%1:%2").arg(reached.y()).arg(reached.x()));
}

void TestGridAccessibleEvents::enteringTheGridEndsOnTheCell_data()
{
    QTest::addColumn<bool>("byTab");
    QTest::newRow("setFocus") << false;
    QTest::newRow("tab") << true;
}

// The widget announces itself on taking the focus; the cell must come after it, or the
// screen reader would say only the grid's name.
void TestGridAccessibleEvents::enteringTheGridEndsOnTheCell()
{
    QFETCH(bool, byTab);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.top));
    w.grid->setRow(2);
    w.grid->setCol(3);
    w.other->setFocus();
    QCoreApplication::processEvents();
    heard.clear();

    if (byTab)
        QTest::keyClick(w.other, Qt::Key_Tab);
    else
        w.grid->setFocus();
    QVERIFY(w.grid->hasFocus());
    QTRY_VERIFY(!heardOf(QAccessible::Focus).isEmpty() && heardOf(QAccessible::Focus).last().child >= 0);
    QCOMPARE(heardOf(QAccessible::Focus).last().child, 2 * 5 + 3);
    QCOMPARE(heardOf(QAccessible::Focus).last().name, QStringLiteral("2:3"));
}

void TestGridAccessibleEvents::noFocusWhileAnotherWidgetHasIt()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.top));
    w.other->setFocus();
    QCoreApplication::processEvents();
    heard.clear();
    w.grid->setRow(3);
    w.grid->setCol(2);
    QCoreApplication::processEvents();
    QVERIFY(heardOf(QAccessible::Focus).isEmpty());
}

void TestGridAccessibleEvents::writes_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("block");
    QTest::addColumn<QList<QPoint>>("seen"); // cells read before the write, (column, row)
    QTest::addColumn<int>("tableEvents");
    QTest::addColumn<QRect>("changed");
    QTest::addColumn<int>("nameEvents");

    QTest::newRow("worksheet of 100 in one block, unread") << 100 << true << QList<QPoint>() << 1 << QRect(0, 0, 101, 100) << 0;
    QTest::newRow("worksheet of 100 in one block, three cells read")
        << 100 << true << QList<QPoint>{{1, 1}, {50, 70}, {101, 100}} << 1 << QRect(0, 0, 101, 100) << 3;
    QTest::newRow("block, a header read") << 3 << true << QList<QPoint>{{3, 0}, {2, 2}} << 1 << QRect(0, 0, 4, 3) << 1;
    QTest::newRow("one cell, read") << 3 << false << QList<QPoint>{{3, 2}} << 0 << QRect() << 1;
    QTest::newRow("one cell, unread") << 3 << false << QList<QPoint>{{2, 2}} << 0 << QRect() << 0;
}

void TestGridAccessibleEvents::writes()
{
    QFETCH(int, n);
    QFETCH(bool, block);
    QFETCH(QList<QPoint>, seen);
    Window w;
    QVERIFY(QTest::qWaitForWindowActive(&w.top));
    w.grid->setRows(n + 1);
    w.grid->setCols(n + 2);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.grid);
    for (const QPoint& cell : seen)
        QVERIFY(table->child(cell.y() * w.grid->Cols() + cell.x()));
    w.other->setFocus();
    QCoreApplication::processEvents();
    heard.clear();

    if (block) {
        GridControl::BulkUpdate bulk(*w.grid);
        for (int r = 1; r <= n; ++r)
            for (int c = 1; c <= n + 1; ++c)
                w.grid->setTextMatrix(r, c, QStringLiteral("7"));
    } else {
        w.grid->setTextMatrix(2, 3, QStringLiteral("7"));
    }

    const QList<Heard> tables = heardOf(QAccessible::TableModelChanged);
    QTEST(int(tables.size()), "tableEvents");
    if (!tables.isEmpty())
        QTEST(tables.first().block, "changed");
    const QList<Heard> names = heardOf(QAccessible::NameChanged);
    QTEST(int(names.size()), "nameEvents");
    for (const Heard& h : names)
        QCOMPARE(h.name, QStringLiteral("7"));
    QCOMPARE(heard.size(), tables.size() + names.size());
}

QTEST_MAIN(TestGridAccessibleEvents)
#include "tst_gridaccessibleevents.moc"
