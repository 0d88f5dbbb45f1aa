#include "ui/InstallControlAccessibility.h"
#include "ui/LinkLabel.h"
#include "ui/StatusLine.h"

#include "DataColumns.h"
#include "ProgramTexts.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList childNames(QAccessibleInterface* iface)
{
    QStringList names;
    for (int i = 0; i < iface->childCount(); ++i)
        names << iface->child(i)->text(QAccessible::Name);
    return names;
}

} // namespace

class TestControlAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { locale_.restore(); }

    void statusLineReadsItsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("listo") << "Listo";
        QTest::newRow("hoja") << texts::worksheetStatus(QStringLiteral("3"));
        QTest::newRow("vacía") << "";
    }

    void statusLineReadsItsText()
    {
        QFETCH(QString, text);
        StatusLine line(QStringLiteral("Listo"));
        line.setAccessibleDescription(QStringLiteral("Estado"));
        line.setText(text);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&line);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::StatusBar);
        QCOMPARE(iface->text(QAccessible::Name), text);
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Estado"));
        // Qt announces a label's new text only while its name is the text itself.
        QVERIFY(line.accessibleName().isEmpty());
    }

    void linkPressedByScreenReader()
    {
        LinkLabel link(QStringLiteral("sorvani@example.org"));
        link.setToolTip(QStringLiteral("Escribir mensaje de correo"));
        QSignalSpy pressed(&link, &LinkLabel::activated);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&link);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Link);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("sorvani@example.org"));
        QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Escribir mensaje de correo"));
        QVERIFY(iface->state().linked);
        QAccessibleActionInterface* actionsIface = iface->actionInterface();
        QVERIFY(actionsIface);
        QVERIFY(actionsIface->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actionsIface->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(pressed.size(), 1);
        // The mouse works as before: a press taken outside the label is no click.
        QTest::mouseClick(&link, Qt::LeftButton);
        QCOMPARE(pressed.size(), 2);
        QTest::mousePress(&link, Qt::LeftButton);
        QTest::mouseRelease(&link, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(pressed.size(), 2);
    }

    void decorationOutOfTheTree_data()
    {
        addColumns<QList<bool>, QStringList>("decorative", "readNames");

        QTest::newRow("ninguno") << QList<bool>{false, false, false} << QStringList{"a", "b", "c"};
        QTest::newRow("en medio") << QList<bool>{false, true, false} << QStringList{"a", "c"};
        QTest::newRow("los cuatro bordes al final") << QList<bool>{false, true, true, true, true} << QStringList{"a"};
        QTest::newRow("todos") << QList<bool>{true, true} << QStringList();
    }

    void decorationOutOfTheTree()
    {
        QFETCH(QList<bool>, decorative);
        installControlAccessibility();
        QWidget area;
        QList<QFrame*> frames;
        for (qsizetype i = 0; i < decorative.size(); ++i) {
            auto* frame = new QFrame(&area);
            frame->setAccessibleName(QString(QChar(char16_t(u'a' + i))));
            if (decorative[i])
                markDecoration(*frame);
            frames << frame;
        }
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&area);
        QTEST(childNames(iface), "readNames");
        int seen = 0;
        for (qsizetype i = 0; i < frames.size(); ++i) {
            QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(frames[i]);
            QCOMPARE(iface->indexOfChild(frame), decorative[i] ? -1 : seen);
            seen += decorative[i] ? 0 : 1;
        }
        QCOMPARE(iface->child(iface->childCount()), nullptr);
    }

    void windowForScreenReader()
    {
        WindowFixture v;
        QAccessibleInterface* status = QAccessible::queryAccessibleInterface(v.p.Et_st);
        QCOMPARE(status->role(), QAccessible::StatusBar);
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Listo"));
        QCOMPARE(status->text(QAccessible::Description), QStringLiteral("Estado"));
        v.accept(QStringLiteral("3"));
        QCOMPARE(status->text(QAccessible::Name), v.status());
        QAccessibleInterface* tip = QAccessible::queryAccessibleInterface(v.p.Et_tip);
        QCOMPARE(tip->text(QAccessible::Name), v.tip());
        QCOMPARE(tip->text(QAccessible::Description), QStringLiteral("Sugerencia"));
        QVERIFY(v.p.Et_st->accessibleName().isEmpty() && v.p.Et_tip->accessibleName().isEmpty());

        // The status line's border lines are drawn but never read; the line itself is.
        QAccessibleInterface* area = QAccessible::queryAccessibleInterface(v.p.Et_st->parentWidget());
        QVERIFY(area->indexOfChild(status) >= 0);
        for (const char* name : {"Line1", "Line2", "Line3", "Line4"})
            QCOMPARE(area->indexOfChild(QAccessible::queryAccessibleInterface(v.w(name))), -1);
        for (int i = 0; i < area->childCount(); ++i)
            QVERIFY(!area->child(i)->text(QAccessible::Name).startsWith(QStringLiteral("Borde")));

        const std::pair<GridControl*, const char*> grids[] = {
            {v.p.Cuadric, "Hoja de datos"}, {v.p.F_Resp, "Solución"}, {v.p.F_Rint[0], "Matriz B"}, {v.p.F_Rint[1], "Matriz C"}};
        for (const auto& [grid, name] : grids) {
            QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
            QCOMPARE(table->role(), QAccessible::Table);
            QCOMPARE(table->text(QAccessible::Name), QString::fromUtf8(name));
        }
    }

    void solutionReadInOrder_data()
    {
        addColumns<bool, QStringList>("gauss", "asRead");
        QTest::newRow("Choleski") << false << QStringList{"X1 2", "X2 3", "X3 -1"};
        QTest::newRow("Gauss - Jordan") << true << QStringList{"X1 2.00000", "X2 3.00000", "X3 -1.00000"};
    }

    // After a solve the focus is on the solution, whose cells read as unknown and value, top down.
    void solutionReadInOrder()
    {
        QFETCH(bool, gauss);
        locale_.set(QLocale::c());
        WindowFixture v;
        v.solve({{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}}, !gauss);
        QVERIFY(v.p.F_Resp->hasFocus());
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(v.p.F_Resp);
        QCOMPARE(table->tableInterface()->rowCount(), 3);
        QCOMPARE(table->tableInterface()->columnCount(), 1);
        QStringList asRead;
        for (int row = 0; row < 3; ++row) {
            QAccessibleInterface* cell = table->focusChild();
            QVERIFY(cell->state().focused);
            const QList<QAccessibleInterface*> headers = cell->tableCellInterface()->rowHeaderCells();
            QCOMPARE(headers.size(), 1);
            asRead << headers.first()->text(QAccessible::Name) + QLatin1Char(' ') + cell->text(QAccessible::Name);
            QTest::keyClick(v.p.F_Resp, Qt::Key_Down);
        }
        QTEST(asRead, "asRead");
    }

    // Every control that Tab reaches shows that it holds the keyboard focus: its picture with
    // the focus differs from its picture without it.
    void everyStopShowsTheFocus_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("al arrancar, cuadrículas vacías") << 0;
        QTest::newRow("hoja de 3 ecuaciones") << 3;
    }

    void everyStopShowsTheFocus()
    {
        QFETCH(int, n);
        const WindowFixture window;
        if (n > 0)
            window.accept(QString::number(n));

        // Once round the tab order, each stop pictured with the focus and again as soon
        // as Tab has taken it away.
        QWidget* const first = QApplication::focusWidget();
        QWidget* current = first;
        int stops = 0;
        do {
            QVERIFY(current);
            const QImage withFocus = current->grab().toImage();
            QTest::keyClick(current, Qt::Key_Tab);
            QVERIFY2(withFocus != current->grab().toImage(), qPrintable(current->objectName() + QStringLiteral(" no muestra el foco")));
            current = QApplication::focusWidget();
        } while (current != first && ++stops < 40);
        QVERIFY(stops > 5);
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestControlAccessibility)
#include "tst_controlaccessibility.moc"
