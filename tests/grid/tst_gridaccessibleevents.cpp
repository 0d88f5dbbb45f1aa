#include "DataColumns.h"
#include "grid/GridControl.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

// Runs where a screen reader could listen (an accessibility bus, see
// tests/e2e/under_reader.sh): Qt sends no accessibility event while none listens.
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

using Action = std::function<void(Window&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestGridAccessibleEvents : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Qt turns accessibility on once it has reached the bus.
        QWidget probe;
        probe.show();
        if (!QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000))
            QSKIP("No accessibility bus: run through tests/e2e/under_reader.sh");
        QAccessible::installUpdateHandler(&listen);
    }

    void init() { heard.clear(); }

    void focusFollowsTheCurrentCell_data()
    {
        // start: (column, row) of the grid; fromOther: the line edit holds the focus at the
        // start; announced: a focus event for the cell reached
        addColumns<QPoint, bool, Action, QPoint, bool>("start", "fromOther", "move", "reached", "announced");
        const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = {}) {
            return Action([=](Window& w) { QTest::keyClick(w.grid, k, mods); });
        };
        const QPoint first(1, 1);
        QTest::newRow("down arrow") << first << false << key(Qt::Key_Down) << QPoint(1, 2) << true;
        QTest::newRow("right arrow") << first << false << key(Qt::Key_Right) << QPoint(2, 1) << true;
        QTest::newRow("ctrl+end") << first << false << key(Qt::Key_End, Qt::ControlModifier) << QPoint(4, 3) << true;
        QTest::newRow("click") << first << false << Action([](Window& w) {
            const QRect cell = w.grid->visualRect(w.grid->model()->index(2, 3));
            QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {}, cell.center());
        }) << QPoint(3, 2) << true;
        QTest::newRow("setRow") << first << false << Action([](Window& w) { w.grid->setRow(3); }) << QPoint(1, 3) << true;
        QTest::newRow("setCol") << first << false << Action([](Window& w) { w.grid->setCol(4); }) << QPoint(4, 1) << true;
        QTest::newRow("rows taken away") << QPoint(1, 3) << false << Action([](Window& w) { w.grid->setRows(2); }) << QPoint(1, 1) << true;
        // The widget announces itself on taking the focus; the cell must come after it, or the
        // screen reader would say only the grid's name.
        QTest::newRow("entering by setFocus") << QPoint(3, 2) << true << Action([](Window& w) { w.grid->setFocus(); }) << QPoint(3, 2)
                                              << true;
        QTest::newRow("entering by tab") << QPoint(3, 2) << true << Action([](Window& w) { QTest::keyClick(w.other, Qt::Key_Tab); })
                                         << QPoint(3, 2) << true;
        QTest::newRow("moves while another widget has the focus") << first << true << Action([](Window& w) {
            w.grid->setRow(3);
            w.grid->setCol(2);
            QCoreApplication::processEvents();
        }) << QPoint(2, 3) << false;
    }

    void focusFollowsTheCurrentCell()
    {
        QFETCH(QPoint, start);
        QFETCH(bool, fromOther);
        QFETCH(Action, move);
        QFETCH(QPoint, reached);
        QFETCH(bool, announced);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.top));
        w.grid->setRow(start.y());
        w.grid->setCol(start.x());
        QWidget* focused = fromOther ? static_cast<QWidget*>(w.other) : w.grid;
        focused->setFocus();
        QVERIFY(focused->hasFocus());
        QCoreApplication::processEvents();
        heard.clear();

        move(w);

        QCOMPARE(QPoint(w.grid->Col(), w.grid->Row()), reached);
        QCOMPARE(w.grid->hasFocus(), announced);
        if (!announced) {
            QVERIFY(heardOf(QAccessible::Focus).isEmpty());
            return;
        }
        if (fromOther)
            QTRY_VERIFY(!heardOf(QAccessible::Focus).isEmpty() && heardOf(QAccessible::Focus).last().child >= 0);
        else
            QCOMPARE(heardOf(QAccessible::Focus).size(), 1);
        const Heard last = heardOf(QAccessible::Focus).last();
        QCOMPARE(last.child, reached.y() * 5 + reached.x());
        QCOMPARE(last.name, QStringLiteral("%1:%2").arg(reached.y()).arg(reached.x()));
    }

    void writes_data()
    {
        // seen: cells read before the write, (column, row); written: the one cell written without a block
        addColumns<int, bool, QList<QPoint>, QPoint, int, QRect, int>("n", "block", "seen", "written", "tableEvents", "changed",
                                                                      "nameEvents");

        const QPoint none;
        QTest::newRow("worksheet of 100 in one block, unread") << 100 << true << QList<QPoint>() << none << 1 << QRect(0, 0, 101, 100) << 0;
        QTest::newRow("worksheet of 100 in one block, three cells read")
            << 100 << true << QList<QPoint>{{1, 1}, {50, 70}, {101, 100}} << none << 1 << QRect(0, 0, 101, 100) << 3;
        QTest::newRow("block, a header read") << 3 << true << QList<QPoint>{{3, 0}, {2, 2}} << none << 1 << QRect(0, 0, 4, 3) << 1;
        QTest::newRow("one cell, read") << 3 << false << QList<QPoint>{{3, 2}} << QPoint(3, 2) << 0 << QRect() << 1;
        QTest::newRow("one cell, unread") << 3 << false << QList<QPoint>{{2, 2}} << QPoint(3, 2) << 0 << QRect() << 0;
        QTest::newRow("one header, read") << 3 << false << QList<QPoint>{{3, 0}, {3, 1}} << QPoint(3, 0) << 0 << QRect() << 1;
    }

    void writes()
    {
        QFETCH(int, n);
        QFETCH(bool, block);
        QFETCH(QList<QPoint>, seen);
        QFETCH(QPoint, written);
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
            w.grid->setTextMatrix(written.y(), written.x(), QStringLiteral("7"));
        }

        const QList<Heard> tables = heardOf(QAccessible::TableModelChanged);
        QTEST(int(tables.size()), "tableEvents");
        if (!tables.isEmpty()) {
            QTEST(tables.first().block, "changed");
            QCOMPARE(heard.first().type, QAccessible::TableModelChanged); // before the cells
        }
        const QList<Heard> names = heardOf(QAccessible::NameChanged);
        QTEST(int(names.size()), "nameEvents");
        for (const Heard& h : names)
            QCOMPARE(h.name, QStringLiteral("7"));
        QCOMPARE(heard.size(), tables.size() + names.size());
    }
};

QTEST_MAIN(TestGridAccessibleEvents)
#include "tst_gridaccessibleevents.moc"
