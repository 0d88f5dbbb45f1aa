#include "DataColumns.h"
#include "ShapedGrid.h"

#include "grid/CellTextFit.h"
#include "grid/GridModel.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <functional>
#include <tuple>
#include <vector>

namespace {

// The largest worksheet, every body cell written.
struct Sheet
{
    Sheet()
    {
        layOutLargestWorksheet(grid);
        const GridControl::BulkUpdate bulk(grid);
        for (int r = 1; r < 101; ++r)
            for (int c = 1; c < 102; ++c)
                grid.setTextMatrix(r, c, QString::number((r * 37 + c * 11) % 7100));
    }

    // The viewport's pixels on the screen once every pending paint has run: read back
    // from the window, not painted afresh as grab() would.
    QImage shown()
    {
        QCoreApplication::processEvents();
        const QWidget& top = *grid.window();
        const QPoint at = grid.viewport()->mapTo(&top, QPoint(0, 0));
        return top.screen()->grabWindow(top.winId(), at.x(), at.y(), grid.viewport()->width(), grid.viewport()->height()).toImage();
    }

    bool showAndWait()
    {
        grid.show();
        return QTest::qWaitForWindowExposed(&grid);
    }

    // The image with one cell painted by hand: its inside filled, then the text drawn by
    // QPainter::drawText in the given face, colour and area.
    static QImage withCell(QImage image, const QRect& inner, const QBrush& fill, const QFont& font, const QColor& colour, const QRect& area,
                           int flags, const QString& text)
    {
        QPainter painter(&image);
        painter.fillRect(inner, fill);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(area, flags, text);
        return image;
    }

    GridControl grid;
};

} // namespace

using Action = std::function<void(GridControl&)>;
Q_DECLARE_METATYPE(Action)

class TestGridPixels : public QObject
{
    Q_OBJECT

private slots:
    // Scrolling moves the pixels it has and paints what comes into view; any other change
    // repaints what it touches. Each row scrolls with the focus in the grid.
    void changesMatchARepaint_data()
    {
        addColumns<bool, Action>("focused", "change");
        // The scroll bars' actions, each so many times, after what comes first.
        using Step = std::tuple<Qt::Orientation, QAbstractSlider::SliderAction, int>;
        const auto scroll = [](const std::vector<Step>& steps, const Action& first = {}) {
            return Action([=](GridControl& g) {
                if (first)
                    first(g);
                for (const auto& [orientation, action, times] : steps) {
                    for (int i = 0; i < times; ++i) {
                        (orientation == Qt::Vertical ? g.verticalScrollBar() : g.horizontalScrollBar())->triggerAction(action);
                        QCoreApplication::processEvents();
                    }
                }
            });
        };
        const auto v = Qt::Vertical;
        const auto h = Qt::Horizontal;
        const auto add = QAbstractSlider::SliderSingleStepAdd;
        const auto sub = QAbstractSlider::SliderSingleStepSub;
        // The row cut by the bottom edge has its text centred in the part shown: a scroll that
        // brings it whole into view, or cuts another one, paints that row again.
        const auto cutLastRowInHalf = [](GridControl& g) {
            const int height = g.viewport()->height();
            const QRect last = g.visualRect(g.indexAt(QPoint(1, height - 1)));
            g.resize(g.width(), g.height() + last.height() / 2 - (height - last.top()));
            QCoreApplication::processEvents();
        };
        // clang-format off
        QTest::newRow("one row down") << true << scroll({{v, add, 1}});
        QTest::newRow("five rows down, two up") << true << scroll({{v, add, 5}, {v, sub, 2}});
        QTest::newRow("a page down") << true << scroll({{v, QAbstractSlider::SliderPageStepAdd, 1}});
        QTest::newRow("one row down, the last row cut in half") << true << scroll({{v, add, 1}}, cutLastRowInHalf);
        QTest::newRow("two rows down, one up, the last row cut in half") << true << scroll({{v, add, 2}, {v, sub, 1}}, cutLastRowInHalf);
        QTest::newRow("one column right") << true << scroll({{h, add, 1}});
        QTest::newRow("three right, one left") << true << scroll({{h, add, 3}, {h, sub, 1}});
        QTest::newRow("to the last column") << true << scroll({{h, QAbstractSlider::SliderToMaximum, 1}});
        // clang-format on
        QTest::newRow("moving the current cell down past the view") << true << Action([](GridControl& g) {
            for (int r = 1; r <= 30; ++r) {
                g.setRow(r);
                QCoreApplication::processEvents();
            }
        });
        QTest::newRow("a wider column, then right") << true << scroll({{h, add, 2}}, [](GridControl& g) {
            g.setColWidth(2, 3000);
            QCoreApplication::processEvents();
        });
        QTest::newRow("a block of body cells") << false << Action([](GridControl& g) {
            const GridControl::BulkUpdate bulk(g);
            for (int r = 3; r <= 8; ++r)
                for (int c = 2; c <= 5; ++c)
                    g.setTextMatrix(r, c, QStringLiteral("-%1.5").arg(r * c));
        });
        QTest::newRow("the header row") << false << Action([](GridControl& g) {
            const GridControl::BulkUpdate bulk(g);
            for (int c = 0; c < g.Cols(); ++c)
                g.setTextMatrix(0, c, QStringLiteral("Y%1").arg(c));
        });
        QTest::newRow("a block partly scrolled out") << false << Action([](GridControl& g) {
            g.verticalScrollBar()->setValue(10);
            g.horizontalScrollBar()->setValue(3);
            QCoreApplication::processEvents();
            const GridControl::BulkUpdate bulk(g);
            for (int r = 0; r <= 15; ++r)
                for (int c = 0; c <= 6; ++c)
                    g.setTextMatrix(r, c, QStringLiteral("z%1").arg(r + c));
        });
        QTest::newRow("a column's alignment") << false << Action([](GridControl& g) { g.setColAlignment(3, AlignCenterCenter); });
        QTest::newRow("two fixed rows") << false << Action([](GridControl& g) { g.setFixedRows(2); });
        QTest::newRow("a text replaced by one as long")
            << false << Action([](GridControl& g) { g.setTextMatrix(2, 2, QStringLiteral("ab")); });
        QTest::newRow("a column too narrow for its text") << false << Action([](GridControl& g) {
            g.setTextMatrix(2, 3, QStringLiteral("1234567.25"));
            QCoreApplication::processEvents();
            g.setColWidth(3, 400);
        });
        QTest::newRow("a larger font") << false << Action([](GridControl& g) {
            QFont font = g.font();
            font.setPixelSize(font.pixelSize() > 0 ? font.pixelSize() + 3 : 15);
            g.setFont(font);
        });
        QTest::newRow("disabled") << false << Action([](GridControl& g) { g.setEnabled(false); });
        QTest::newRow("muted") << false << Action([](GridControl& g) { g.setMuted(true); });
        QTest::newRow("a cell marked") << false << Action([](GridControl& g) {
            g.gridModel()->setNoteSource([](int r, int c) { return GridModel::CellNote{QStringLiteral("mal"), r == 2 && c == 3}; });
        });
    }

    // A marked cell shows its red corner and dashes, whatever its text; a muted grid subdues
    // its body's texts and leaves its headers and its empty cells as they were.
    void markedAndMuted()
    {
        Sheet sheet;
        QVERIFY(sheet.showAndWait());
        const QImage plain = sheet.shown();
        const QRect cell = sheet.grid.visualRect(sheet.grid.model()->index(2, 3)).adjusted(0, 0, -1, -1);
        sheet.grid.gridModel()->setNoteSource([](int r, int c) { return GridModel::CellNote{{}, r == 2 && c == 3}; });
        const QImage marked = sheet.shown();
        QCOMPARE(marked.pixelColor(cell.topLeft() + QPoint(1, 1)), QColor(204, 0, 0));
        QCOMPARE(marked.pixelColor(cell.left() + 1, cell.bottom() - 1), QColor(204, 0, 0));
        QCOMPARE(marked.copy(cell.right() + 2, 0, 40, 40), plain.copy(cell.right() + 2, 0, 40, 40));
        sheet.grid.gridModel()->setNoteSource({});
        sheet.grid.setMuted(true);
        const QImage muted = sheet.shown();
        const QRect header = sheet.grid.visualRect(sheet.grid.model()->index(0, 3));
        QCOMPARE(muted.copy(header), plain.copy(header));
        QVERIFY(muted.copy(cell) != plain.copy(cell));
    }

    // Whatever changes while the grid is shown appears exactly as a full repaint draws it.
    void changesMatchARepaint()
    {
        QFETCH(bool, focused);
        QFETCH(Action, change);
        Sheet sheet;
        QVERIFY(sheet.showAndWait());
        if (focused)
            sheet.grid.setFocus();
        sheet.shown();
        change(sheet.grid);
        const QImage afterChange = sheet.shown();
        sheet.grid.viewport()->repaint();
        QCOMPARE(afterChange, sheet.shown());
    }

    void textSitsWhereDrawTextPutsIt_data()
    {
        // row: 1, a body cell of a small grid, or 0, a header; alignment: the column's code;
        // width: twips; flags: where Qt's drawText puts it
        addColumns<QString, int, int, int, int>("text", "row", "alignment", "width", "flags");
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int centre = Qt::AlignCenter;
        // clang-format off
        QTest::newRow("number, general") << QStringLiteral("12") << 1 << 9 << 960 << right;
        QTest::newRow("decimal, general") << QStringLiteral("-0.1234567") << 1 << 9 << 960 << right;
        QTest::newRow("exponent, general") << QStringLiteral("1.234568E+07") << 1 << 9 << 1400 << right;
        QTest::newRow("text, general") << QStringLiteral("T.I hola") << 1 << 9 << 960 << left;
        QTest::newRow("number too wide, general") << QStringLiteral("-0.1234567") << 1 << 9 << 400 << right;
        QTest::newRow("text too wide, general") << QStringLiteral("Ave Wavy Tj") << 1 << 9 << 400 << left;
        QTest::newRow("centred") << QStringLiteral("EQ100") << 1 << 4 << 960 << centre;
        QTest::newRow("left, top") << QStringLiteral("17") << 1 << 0 << 960 << int(Qt::AlignLeft | Qt::AlignTop);
        QTest::newRow("right, bottom") << QStringLiteral("Tj") << 1 << 8 << 960 << int(Qt::AlignRight | Qt::AlignBottom);
        QTest::newRow("left, centred, too wide") << QString(300, QLatin1Char('W')) << 1 << 1 << 960 << left;
        QTest::newRow("a long line of digits") << QString(200000, QLatin1Char('7')) << 1 << 9 << 960 << left;
        QTest::newRow("header, roomy") << QStringLiteral("X1") << 0 << 9 << 960 << centre;
        QTest::newRow("header, condensed face, no margins") << QStringLiteral("EQ100") << 0 << 9 << 560 << centre;
        QTest::newRow("header, condensed face, squeezed") << QStringLiteral("EQ100") << 0 << 9 << 520 << centre;
        QTest::newRow("header, condensed face, squeezed less") << QStringLiteral("100,101") << 0 << 9 << 680 << centre;
        // clang-format on
    }

    // A cell's text compared with the same cell painted with QPainter::drawText: a body text
    // in the rectangle the grid aligns it in, elided; a header shown whole in the face and
    // the area its fitting chose, from its laid-out text.
    void textSitsWhereDrawTextPutsIt()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, alignment);
        QFETCH(int, width);
        QFETCH(int, flags);
        Sheet sheet;
        GridControl& g = sheet.grid;
        if (row > 0)
            g.resize(300, 120);
        g.setColWidth(1, width);
        g.setColAlignment(1, alignment);
        g.setTextMatrix(row, 1, text);
        QVERIFY(sheet.showAndWait());
        g.clearFocus();
        const QImage image = sheet.shown();

        const QRect inner = g.visualRect(g.model()->index(row, 1)).adjusted(0, 0, -1, -1);
        const QPalette& p = g.palette();
        if (row == 0) {
            QCOMPARE(int(g.gridModel()->cellAlignment(0, 1)), flags);
            const CellTextFit::Layout layout = CellTextFit().layout(g.font(), text, inner, g.viewport()->rect());
            QVERIFY(layout.whole);
            QCOMPARE(image, Sheet::withCell(image, inner, p.brush(QPalette::Button), layout.font, p.color(QPalette::ButtonText),
                                            layout.area, flags, text));
            return;
        }
        const QRect area = inner.adjusted(2, 0, -2, 0).intersected(g.viewport()->rect());
        const QString elided = QFontMetrics(g.font()).elidedText(text, Qt::ElideRight, area.width());
        QCOMPARE(image, Sheet::withCell(image, inner, p.brush(QPalette::Base), g.font(), p.color(QPalette::Text), area, flags, elided));
    }

    // A line of megabytes shows what its first thousand characters show.
    void aLongLineShowsItsBeginning()
    {
        Sheet sheet;
        QVERIFY(sheet.showAndWait());
        QString line(5 * 1024 * 1024, QLatin1Char('x'));
        line.replace(0, 5, QStringLiteral("Hola "));
        sheet.grid.setTextMatrix(1, 1, line);
        const QImage whole = sheet.shown();
        sheet.grid.setTextMatrix(1, 1, line.left(1000));
        QCOMPARE(sheet.shown(), whole);
    }
};

QTEST_MAIN(TestGridPixels)
#include "tst_gridpixels.moc"
