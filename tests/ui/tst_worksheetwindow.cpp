#include "DataColumns.h"
#include "Keyboard.h"
#include "ModalCloser.h"
#include "ProgramTexts.h"
#include "TestLocale.h"
#include "WindowFixture.h"

#include "grid/GridModel.h"
#include "solver/NumberText.h"
#include "solver/RuntimeError.h"
#include "ui/NoteHiddenDigits.h"
#include "worksheet/RefusedCells.h"
#include "worksheet/WorksheetHistory.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

#include <unistd.h>

// The worksheet as the window holds it: typed from the keyboard alone, opened from and saved
// to files, pasted into, its history of changes, and what it and the solution say of
// themselves beyond their texts (a cell a calculation would refuse is marked where it is, a
// value whose five decimals hide its digits gives them, and a block pasted into the cell
// editor lands in the cells).

using keyboard::press;
using keyboard::typeText;

namespace {

struct TypedSheet : WindowFixture
{
    // A worksheet of 2 equations holding 1 … 6, typed in, the first cell current.
    TypedSheet()
    {
        accept(QStringLiteral("2"));
        fill({{"1", "2", "3"}, {"4", "5", "6"}});
        atCell(1, 1);
    }
    void press(Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) const { QTest::keyClick(p.Cuadric, k, m); }
    // What undo brings back: every cell but the corner that follows the current cell, the
    // worksheet's shape and state, the status line and the commands disabled.
    QStringList sheet() const
    {
        QStringList h = cells(*p.Cuadric).mid(1);
        h << QString::number(p.Cuadric->Rows()) << QString::number(p.Cuadric->Cols()) << QString::number(p.Cuadric->isEnabled()) << status()
          << disabled().join(QLatin1Char(','));
        return h;
    }
    // The entries of a grid's context menu, "-" before a disabled one.
    static QStringList menu(GridControl& g)
    {
        const std::unique_ptr<QMenu> m(g.createContextMenu());
        QStringList t;
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                t << (a->isEnabled() ? QString() : QStringLiteral("-")) + a->text().remove(QLatin1Char('&'));
        return t;
    }
};

using Step = std::function<void(TypedSheet&)>;

const QString kSheetStatus = QStringLiteral("Ingrese todos los datos para el sistema de %1 ecuaciones, luego pulse Calcular.");

QLocale localeNamed(const QString& name)
{
    return name == QLatin1String("es") ? QLocale(QLocale::Spanish, QLocale::Spain) : QLocale(QLocale::English, QLocale::UnitedStates);
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window as a test sees it between two commands: what a refused file must not touch.
QStringList state(const WindowFixture& f)
{
    return QStringList{f.status(), f.tip(), f.p.T_Incog->text(), QString::number(f.p.Cuadric->Rows()),
                       QString::number(f.p.Cuadric->Cols())} +
           f.body() + WindowFixture::column(*f.p.F_Resp, 0);
}

} // namespace

Q_DECLARE_METATYPE(Step)

class TestWorksheetWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        locale_.set(QLocale(QLocale::Spanish, QLocale::Spain));
        dir_.emplace();
    }
    void cleanup()
    {
        locale_.restore();
        dir_.reset();
    }

    void systemTypedWithTheKeyboardAlone()
    {
        WindowFixture t;
        // The number box has the focus with its "4" selected: typing replaces it.
        typeText("3");
        press(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), t.p.Cuadric);

        // 2 X1 + X2 - X3 = 8 ; -3 X1 - X2 + 2 X3 = -11 ; -2 X1 + X2 + 2 X3 = -3
        const QStringList values = {"2", "1", "-1", "8", "-3", "-1", "2", "-11", "-2", "1", "2", "-3"};
        for (const QString& v : values) {
            typeText(v);
            press(Qt::Key_Return);
        }
        QCOMPARE(t.p.Cuadric->TextMatrix(3, 4), QString("-3"));
        QCOMPARE(t.p.Cuadric->TextMatrix(0, 0), QString("3,4"));

        press(Qt::Key_F4);
        QCOMPARE(t.solution(), (QStringList{"2", "3", "-1"}));
        QCOMPARE(t.p.F_Rint[0]->TextMatrix(1, 0), QString("-3"));
        QCOMPARE(t.p.F_Rint[1]->TextMatrix(0, 1), QString("0,5"));

        t.p.Op_Gauss->setChecked(true);
        press(Qt::Key_F4);
        QCOMPARE(t.solution(), (QStringList{"2,00000", "3,00000", "-1,00000"}));
    }

    void calculateUsesTheValueStillInTheEditor()
    {
        WindowFixture t;
        typeText("2");
        press(Qt::Key_Return);
        // X1 + X2 = 5 ; X2 = 7
        for (const char* v : {"1", "1", "5", "0", "1"}) {
            typeText(QLatin1String(v));
            press(Qt::Key_Return);
        }
        typeText("7"); // the last independent term, left open in the editor
        QVERIFY(t.p.Text1->isVisible());
        t.p.B_Calcular->click();
        QCOMPARE(t.p.Cuadric->TextMatrix(2, 3), QString("7"));
        QCOMPARE(t.solution(), (QStringList{"-2", "7"}));
        QVERIFY(!t.p.Text1->isVisible());
    }

    void matricesViewTakesAnOpenEditIntoItsCell()
    {
        WindowFixture t;
        typeText("2");
        press(Qt::Key_Return);
        typeText("6");
        t.p.B_Mostrar->click();
        QVERIFY(t.p.Text1->isHidden());
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QString("6"));
        t.p.B_Mostrar->click();
        QVERIFY(t.p.Text1->isHidden());
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QString("6"));
    }

    void pasteCommitsAnOpenEditFirst()
    {
        WindowFixture t;
        typeText("2");
        press(Qt::Key_Return);
        typeText("9");
        QGuiApplication::clipboard()->setText(QStringLiteral("1,5\t0\t3\n4\t1\t9\t6"));
        // The edit lands in its cell first; the block, pasted at the same cell, then
        // replaces it. The fourth value of the second line falls outside the body.
        t.p.Cuadric->pasteFromClipboard();
        QVERIFY(!t.p.Text1->isVisible());
        QCOMPARE(t.p.Cuadric->TextMatrix(1, 1), QString("1,5"));
        QCOMPARE(t.p.Cuadric->TextMatrix(2, 3), QString("9"));
        QCOMPARE(t.p.Cuadric->TextMatrix(2, 0), QString("EQ2"));
        press(Qt::Key_F4);
        // 1.5 X1 = 3 ; 4 X1 + X2 = 9
        QCOMPARE(t.solution(), (QStringList{"2", "1"}));
    }

    // Shift+F10 and the Menu key open the focused grid's menu, or the open editor's text
    // menu; once, also where the platform sends its own request before the Menu key.
    void contextMenuKeys_data()
    {
        // clang-format off
        addColumns<QString, QKeyCombination, bool>("target", "keys", "requestFirst");
        for (const char* g : {"Cuadric", "F_Resp", "F_Rint_0", "F_Rint_1", "Text1"}) {
            QTest::addRow("%s, Shift+F10", g) << g << QKeyCombination(Qt::ShiftModifier, Qt::Key_F10) << false;
            QTest::addRow("%s, Menu", g) << g << QKeyCombination(Qt::Key_Menu) << false;
            QTest::addRow("%s, Menu after a request", g) << g << QKeyCombination(Qt::Key_Menu) << true;
        }
        QTest::newRow("Cuadric, F10") << "Cuadric" << QKeyCombination(Qt::Key_F10) << false;
        // clang-format on
    }

    void contextMenuKeys()
    {
        QFETCH(QString, target);
        QFETCH(QKeyCombination, keys);
        QFETCH(bool, requestFirst);
        WindowFixture t;
        t.accept(QStringLiteral("2"));
        if (target.startsWith(QLatin1String("F_Rint")))
            t.p.B_Mostrar->click();
        t.w(target == QLatin1String("Text1") ? "Cuadric" : qPrintable(target))->setFocus();
        if (target == QLatin1String("Text1"))
            typeText("7");
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus->objectName(), target);
        // A grid's menu runs its own loop; the editor's pops up and returns.
        QStringList menus;
        const auto closeMenu = [&menus] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                menus << menu->parentWidget()->objectName();
                menu->close();
            }
        };
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, &timer, closeMenu);
        timer.start(0);
        QContextMenuEvent request(QContextMenuEvent::Keyboard, {}, focus->mapToGlobal(QPoint()));
        if (requestFirst)
            QCoreApplication::sendEvent(focus, &request);
        QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
        closeMenu();
        QCOMPARE(menus, keys.key() == Qt::Key_F10 && !keys.keyboardModifiers() ? QStringList() : QStringList{target});
        QCOMPARE(t.p.Text1->isVisible(), target == QLatin1String("Text1"));
    }

    void undoAndRedo_data()
    {
        addColumns<Step, Step, QStringList>("prepare", "change", "after");
        const auto nothing = Step([](TypedSheet&) {});
        const auto f3 = Step([](TypedSheet& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); });
        QTest::newRow("typed edit") << nothing << Step([](TypedSheet& w) {
            QTest::keyClicks(w.p.Cuadric, QStringLiteral("9"));
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }) << QStringList{"9", "2", "3", "4", "5", "6"};
        QTest::newRow("paste") << nothing << Step([](TypedSheet& w) { w.paste(QStringLiteral("7\t8\n9\t10\n"), 1, 2); })
                               << QStringList{"1", "7", "8", "4", "9", "10"};
        QTest::newRow("random fill") << nothing << f3 << QStringList();
        QTest::newRow("random fill behind B and C") << nothing << Step([](TypedSheet& w) {
            w.p.B_Mostrar->click();
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.p.B_Mostrar->click();
            w.atCell(1, 1);
        }) << QStringList();
        QTest::newRow("Supr on a block") << nothing << Step([](TypedSheet& w) {
            w.atCell(1, 2);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Down, Qt::ShiftModifier);
            QTest::keyClick(w.p.Cuadric, Qt::Key_Delete);
        }) << QStringList{"1", "", "3", "4", "", "6"};
        QTest::newRow("block pasted from the editor") << nothing << Step([](TypedSheet& w) {
            w.atCell(2, 2);
            QTest::keyClicks(w.p.Cuadric, QStringLiteral("5"));
            QGuiApplication::clipboard()->setText(QStringLiteral("7\t8\n"));
            QTest::keyClick(w.p.Text1, Qt::Key_V, Qt::ControlModifier);
        }) << QStringList{"1", "2", "3", "4", "7", "8"};
        QTest::newRow("new n") << nothing << Step([](TypedSheet& w) { w.accept(QStringLiteral("3")); })
                               << QStringList{"1", "2", "3", "", "4", "5", "6", "", "", "", "", ""};
        QTest::newRow("F2") << nothing << Step([](TypedSheet& w) { QTest::keyClick(w.v.get(), Qt::Key_F2); }) << QStringList();
        QTest::newRow("Nuevo Cálculo") << f3 << Step([](TypedSheet& w) { w.p.B_Nuevo->click(); }) << QStringList();
        QTest::newRow("a new n after mnuNuevo")
            << Step([](TypedSheet& w) { w.p.mnuNuevo->trigger(); }) << Step([](TypedSheet& w) { w.accept(QStringLiteral("2")); })
            << QStringList{"", "", "", "", "", ""};
        QTest::newRow("100 to 3") << Step([](TypedSheet& w) {
            w.accept(QStringLiteral("100"));
            QTest::keyClick(w.v.get(), Qt::Key_F3);
        }) << Step([](TypedSheet& w) { w.accept(QStringLiteral("3")); })
                                  << QStringList();
    }

    // One step each, back with Ctrl+Z to the same worksheet, n and stage, again with Ctrl+Y
    // and Ctrl+Shift+Z; from the number box where the change leaves the worksheet disabled.
    void undoAndRedo()
    {
        QFETCH(Step, prepare);
        QFETCH(Step, change);
        QFETCH(QStringList, after);
        TypedSheet w;
        prepare(w);
        const QStringList before = w.sheet();
        const QStringList bodyBefore = w.body();
        change(w);
        const QStringList done = w.sheet();
        QVERIFY(w.w<QAction>("mnuDeshacer")->isEnabled());
        if (!after.isEmpty())
            QCOMPARE(w.body(), after);
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.sheet(), before);
        QCOMPARE(w.body(), bodyBefore);
        QVERIFY(!w.p.Text1->isVisible());
        press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.sheet(), done);
        press(Qt::Key_Z, Qt::ControlModifier);
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.sheet(), done);
        QVERIFY(!w.p.Text1->isVisible());
    }

    // The first layout is a step too; undone, it gives back the window as it started (an
    // empty worksheet, still enabled) and leaves the number box in the focus, where the keys
    // reach the history once the box has no typing of its own to take back.
    void layoutStepsAndTheNumberBox()
    {
        TypedSheet w;
        w.press(Qt::Key_Z);
        QCOMPARE(w.p.Cuadric->Cols(), 0);
        QVERIFY(w.p.Cuadric->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.p.T_Incog);
        QVERIFY(!w.w<QAction>("mnuDeshacer")->isEnabled());
        press(Qt::Key_Y, Qt::ControlModifier);
        // As laid out: the rows were filled by the test, outside the history.
        QCOMPARE(w.body(), QStringList(6));
        QCOMPARE(QApplication::focusWidget(), w.p.Cuadric);
        w.p.B_Nuevo->click();
        QTest::keyClicks(w.p.T_Incog, QStringLiteral("7"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.p.T_Incog->text(), QStringLiteral("2"));
        QCOMPARE(w.p.Cuadric->Cols(), 0);
        QVERIFY(!w.p.Cuadric->isEnabled());
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.p.Cuadric->Cols(), 4);
        QCOMPARE(w.status(), QStringLiteral("Ingrese todos los datos para el sistema de 2 ecuaciones, luego pulse Calcular."));
    }

    // A random fill of 100 equations a hundred times over: the history keeps its budget.
    void boundedMemory()
    {
        TypedSheet w;
        w.accept(QStringLiteral("100"));
        auto* history = w.v->findChild<WorksheetHistory*>();
        QVERIFY(history);
        for (int i = 0; i < 100; ++i)
            QTest::keyClick(w.v.get(), Qt::Key_F3);
        qInfo("n = 100, 100 random fills: %d steps, %zu bytes", history->stepCount(), history->byteSize());
        QCOMPARE(history->stepCount(), WorksheetHistory::kSteps);
        QVERIFY(history->byteSize() <= WorksheetHistory::kBudget);
    }

    // An insoluble system stops the calculation with its message; meanwhile nothing undoes.
    void noUndoDuringACalculation()
    {
        TypedSheet w;
        w.p.Cuadric->setTextMatrix(2, 1, QStringLiteral("2"));
        w.p.Cuadric->setTextMatrix(2, 2, QStringLiteral("4"));
        QTest::keyClick(w.v.get(), Qt::Key_F3);
        w.p.Cuadric->setTextMatrix(1, 1, QStringLiteral("1"));
        w.p.Cuadric->setTextMatrix(1, 2, QStringLiteral("2"));
        w.p.Cuadric->setTextMatrix(2, 1, QStringLiteral("2"));
        w.p.Cuadric->setTextMatrix(2, 2, QStringLiteral("4"));
        const QStringList before = w.body();
        w.p.Op_Gauss->setChecked(true);
        ModalCloser messages;
        bool enabled = true;
        messages.onShown = [&](QWidget&) {
            enabled = w.w<QAction>("mnuDeshacer")->isEnabled();
            w.press(Qt::Key_Z);
            w.w<QAction>("mnuDeshacer")->trigger();
        };
        w.p.B_Calcular->click();
        QCOMPARE(messages.seen.size(), 1);
        QVERIFY(!enabled);
        QCOMPARE(w.body(), before);
        QVERIFY(w.w<QAction>("mnuDeshacer")->isEnabled());
    }

    void contextMenus_data()
    {
        addColumns<Step, QString, QStringList>("step", "grid", "entries");
        const auto nothing = Step([](TypedSheet&) {});
        QTest::newRow("worksheet, fresh") << nothing << "Cuadric"
                                          << QStringList{"Deshacer", "-Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet, empty clipboard") << Step([](TypedSheet&) { QGuiApplication::clipboard()->clear(); }) << "Cuadric"
                                                    << QStringList{"Deshacer", "-Rehacer", "Copiar", "-Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet after F3") << Step([](TypedSheet& w) { QTest::keyClick(w.v.get(), Qt::Key_F3); }) << "Cuadric"
                                            << QStringList{"Deshacer", "-Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("worksheet after an undo") << Step([](TypedSheet& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.press(Qt::Key_Z);
        }) << "Cuadric" << QStringList{"Deshacer", "Rehacer", "Copiar", "Pegar", "Seleccionar todo"};
        QTest::newRow("solution before a solve")
            << nothing << "F_Resp" << QStringList{"Copiar", "Seleccionar todo", "-Verificar solución…", "-Ver paso a paso…"};
        QTest::newRow("solution after a solve") << Step([](TypedSheet& w) { w.p.B_Calcular->click(); }) << "F_Resp"
                                                << QStringList{"Copiar", "Seleccionar todo", "Verificar solución…", "Ver paso a paso…"};
        QTest::newRow("solution after an undo") << Step([](TypedSheet& w) {
            QTest::keyClick(w.v.get(), Qt::Key_F3);
            w.p.B_Calcular->click();
            w.press(Qt::Key_Z);
        }) << "F_Resp" << QStringList{"Copiar", "Seleccionar todo", "-Verificar solución…", "-Ver paso a paso…"};
        QTest::newRow("matrix B") << Step([](TypedSheet& w) { w.p.B_Calcular->click(); }) << "F_Rint_0"
                                  << QStringList{"Copiar", "Seleccionar todo", "Ver paso a paso…"};
        QTest::newRow("matrix C") << Step([](TypedSheet& w) { w.p.B_Calcular->click(); }) << "F_Rint_1"
                                  << QStringList{"Copiar", "Seleccionar todo", "Ver paso a paso…"};
    }

    void contextMenus()
    {
        QFETCH(Step, step);
        QFETCH(QString, grid);
        QFETCH(QStringList, entries);
        TypedSheet w;
        QGuiApplication::clipboard()->setText(QStringLiteral("1"));
        step(w);
        QCOMPARE(TypedSheet::menu(*w.w<GridControl>(qPrintable(grid))), entries);
    }

    // The reason in the user's words, given exactly where the solve's conversion refuses.
    void refusal_data()
    {
        // clang-format off
        addColumns<QString, QString, QString>("sep", "text", "reason");
        const QString nan = QStringLiteral(" no es un número: escriba cifras, con coma decimal si tiene decimales (12, -3,5, 1,5E+3)");
        QTest::newRow("a number, blanks around") << "," << "  -2,5E+3 " << "";
        QTest::newRow("underflow reads as zero") << "," << "1E-50" << "";
        QTest::newRow("a point") << "," << "1.5" << "«1.5» no es un número con coma decimal: escriba 1,5";
        QTest::newRow("a point before three digits") << "," << "1.234" << "«1.234» no es un número con coma decimal: escriba 1,234, o 1234 si es un número entero";
        QTest::newRow("two points") << "," << "1.234.567" << "«1.234.567»" + nan;
        QTest::newRow("blanks only") << "," << "   " << "La celda solo tiene espacios: escriba un número o vacíela con Supr";
        QTest::newRow("a comma and an exponent") << "." << "2,5e3" << "«2,5e3» no es un número con punto decimal: escriba 2.5e3";
        QTest::newRow("beyond single") << "." << "-1e39" << "«-1e39» se sale del intervalo de los números de precisión simple: escriba un valor entre " "-3.402823E+38 y 3.402823E+38";
        // clang-format on
    }

    void refusal()
    {
        QFETCH(QString, sep);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        QCOMPARE(refusalOf(text, sep), reason);
        bool reads = true;
        try {
            solver::textToSingle(text.toStdString(), sep.toStdString());
        } catch (const solver::RuntimeError&) {
            reads = false;
        }
        QCOMPARE(reads, reason.isEmpty());
    }

    // Marked from the moment it is committed or pasted; the solve it stops makes it the
    // current cell, and leaves the focus where it was.
    void refusedCell_data()
    {
        // clang-format off
        addColumns<bool, QString, bool, int>("choleski", "text", "pasted", "error");
        QTest::newRow("typed point, Choleski") << true << "2.5" << false << 13;
        QTest::newRow("pasted letters, Gauss - Jordan") << false << "x" << true << 13;
        QTest::newRow("typed overflow, Gauss - Jordan") << false << "1E+39" << false << 6;
        QTest::newRow("pasted overflow, Choleski") << true << "-4E+38" << true << 6;
        // clang-format on
    }

    void refusedCell()
    {
        QFETCH(bool, choleski);
        QFETCH(QString, text);
        QFETCH(bool, pasted);
        QFETCH(int, error);
        WindowFixture w;
        w.accept(QStringLiteral("3"));
        w.fill({{"1", "2", "3", "4"}, {"5", "", "7", "8"}, {"9", "1", "2", "3"}});
        if (pasted) {
            w.paste(text, 2, 3);
        } else {
            w.atCell(2, 3);
            keyboard::typeText(text);
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
        }
        const QModelIndex cell = w.p.Cuadric->model()->index(2, 3);
        QVERIFY(cell.data(GridModel::MarkRole).toBool());
        QVERIFY(cell.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("«") + text + QStringLiteral("»")));
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.p.Cuadric);
        QCOMPARE(table->child(2 * w.p.Cuadric->Cols() + 3)->text(QAccessible::Description), cell.data(Qt::ToolTipRole).toString());
        QVERIFY(!w.p.Cuadric->model()->index(2, 2).data(GridModel::MarkRole).toBool());

        (choleski ? w.p.Op_Ch : w.p.Op_Gauss)->setChecked(true);
        w.atCell(3, 1);
        ModalCloser messages;
        w.p.B_Calcular->click();
        QCOMPARE(messages.shown(), QStringList{texts::calculationError(error)});
        QCOMPARE(w.p.Cuadric->Row(), 2);
        QCOMPARE(w.p.Cuadric->Col(), 3);
        QCOMPARE(w.v->focusWidget(), w.p.Cuadric);
        // The empty cell before it was read as "0", which carries no mark.
        QCOMPARE(w.p.Cuadric->TextMatrix(2, 2), QStringLiteral("0"));

        w.atCell(2, 3);
        QTest::keyClick(w.p.Cuadric, Qt::Key_Delete);
        QVERIFY(!cell.data(GridModel::MarkRole).toBool());
        QVERIFY(cell.data(Qt::ToolTipRole).isNull());
    }

    // Ctrl+V in the open editor: a block ends the edit and is pasted from its cell on, a
    // single value goes into the editor's text; no cell holds a tab or a line break.
    void editorPaste_data()
    {
        // clang-format off
        addColumns<QLocale, QString>("locale", "clipboardText");
        QTest::addColumn<QString>("editor"); // empty: the editor closed
        addColumns<QStringList, QList<int>>("body", "marked");
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        const QStringList typed{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("es_ES, a block") << es << "1,5\t2\r\n3\t4.5\r\n" << "" << QStringList{"1", "2", "3", "4", "1,5", "2"} << QList<int>{};
        QTest::newRow("en_US, a block") << en << "1,5\t2\n3\t4.5\n" << "" << QStringList{"1", "2", "3", "4", "1,5", "2"} << QList<int>{4};
        QTest::newRow("es_ES, one cell with its line break") << es << "7,5\n" << "97,5" << typed << QList<int>{};
        QTest::newRow("en_US, a tab alone") << en << "\t" << "" << QStringList{"1", "2", "3", "4", "", ""} << QList<int>{};
        QTest::newRow("en_US, blanks are text") << en << "1 2" << "91 2" << typed << QList<int>{};
        // clang-format on
    }

    void editorPaste()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, clipboardText);
        QFETCH(QString, editor);
        QFETCH(QStringList, body);
        QFETCH(QList<int>, marked);
        locale_.set(locale);
        WindowFixture w;
        w.accept(QStringLiteral("2"));
        w.fill({{"1", "2", "3"}, {"4", "5", "6"}});
        w.atCell(2, 2);
        QTest::keyClicks(w.p.Cuadric, QStringLiteral("9"));
        QGuiApplication::clipboard()->setText(clipboardText);
        QTest::keyClick(w.p.Text1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.p.Text1->isVisible() ? w.p.Text1->text() : QString(), editor);
        QCOMPARE(w.body(), body);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(w.p.Cuadric->model()->index(1 + i / 3, 1 + i % 3).data(GridModel::MarkRole).toBool(), marked.contains(i));
        if (!editor.isEmpty()) {
            // Whatever else reaches the editor, by its own menu or a program, no cell holds a
            // tab or a line break.
            w.p.Text1->insert(QStringLiteral("\t4\n\u2028"));
            QTest::keyClick(w.p.Text1, Qt::Key_Return);
            const QString cell = w.p.Cuadric->TextMatrix(2, 2);
            QVERIFY(cell.startsWith(editor) && !cell.contains(u'\t') && !cell.contains(u'\n') && !cell.contains(QChar::LineSeparator));
        }
    }

    void hiddenDigits_data()
    {
        // clang-format off
        addColumns<float, QString>("value", "note");
        QTest::newRow("shown in full") << 0.5f << "";
        QTest::newRow("seven digits") << -12.5f << "";
        QTest::newRow("zero") << 0.0f << "";
        QTest::newRow("shows as zero") << 1e-7f << "Con siete cifras significativas: 1E-07";
        QTest::newRow("shows as minus zero") << -0.000004f << "Con siete cifras significativas: -4E-06";
        QTest::newRow("eight digits") << 123.456f << "Con siete cifras significativas: 123,456";
        QTest::newRow("large") << 12345678.0f << "Con siete cifras significativas: 1,234568E+07";
        // clang-format on
    }

    void hiddenDigits()
    {
        QFETCH(float, value);
        QFETCH(QString, note);
        QCOMPARE(hiddenDigitsNote(value, ","), note);
    }

    // In the window, a Gauss-Jordan solution's cells give their hidden digits; a Choleski
    // solution, in the general form, none.
    void hiddenDigitsInTheSolution()
    {
        WindowFixture w;
        w.accept(QStringLiteral("3"));
        w.fill({{"1", "0", "0", "0,0000001"}, {"0", "1", "0", "0,5"}, {"0", "0", "2", "500"}});
        for (const bool choleski : {false, true}) {
            (choleski ? w.p.Op_Ch : w.p.Op_Gauss)->setChecked(true);
            w.p.B_Calcular->click();
            const QStringList notes{choleski ? "" : "Con siete cifras significativas: 1E-07", "",
                                    choleski ? "" : "Con siete cifras significativas: 250"};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(w.p.F_Resp->model()->index(i, 1).data(Qt::ToolTipRole).toString(), notes[i]);
                QCOMPARE(QAccessible::queryAccessibleInterface(w.p.F_Resp)->child(i * 2 + 1)->text(QAccessible::Description), notes[i]);
            }
        }
    }

    // Opening lays the worksheet out as "Ingresar" does for the file's n, then fills it.
    void openLaysOut_data()
    {
        addColumns<QString, QString, QByteArray, QStringList, bool>("locale", "name", "bytes", "body", "notice");

        // clang-format off
        QTest::newRow("Spanish CSV") << "es" << "a.csv" << QByteArray(";X1;X2;T.I\r\nEQ1;1,5;2;3\r\nEQ2;4;-1;0,5\r\n") << QStringList{"1,5", "2", "3", "4", "-1", "0,5"} << false;
        QTest::newRow("English CSV in Spanish") << "es" << "b.csv" << QByteArray(",X1,X2,T.I\nEQ1,1.5,2,3\nEQ2,4,-1,0.5\n") << QStringList{"1,5", "2", "3", "4", "-1", "0,5"} << true;
        QTest::newRow("tabs") << "en" << "c.txt" << QByteArray("1.5\t2\t3\n4\t-1\t0.5") << QStringList{"1.5", "2", "3", "4", "-1", "0.5"} << false;
        QTest::newRow("Matrix Market, any name") << "es" << "d.dat" << QByteArray("%%MatrixMarket matrix array real general\n2 3\n1.5\n4\n2\n-1\n3\n0.5\n") << QStringList{"1,5", "2", "3", "4", "-1", "0,5"} << false;
        // clang-format on
    }

    void openLaysOut()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, body);
        QFETCH(bool, notice);
        locale_.set(localeNamed(locale));
        const QString path = dir_->filePath(name);
        write(path, bytes);

        WindowFixture f;
        ModalCloser closer;
        f.v->AbrirSistema(path);
        QCOMPARE(closer.seen.size(), 0);
        QCOMPARE(f.body(), body);
        QCOMPARE(f.status(), kSheetStatus.arg(2));
        QCOMPARE(f.p.T_Incog->text(), QStringLiteral("2"));
        QCOMPARE(f.disabled(), QStringList());
        QCOMPARE(WindowFixture::column(*f.p.F_Resp, 0), (QStringList{"X1", "X2"}));
        QCOMPARE(f.p.Cuadric->TextMatrix(0, 3), QStringLiteral("T.I"));
        const QLabel* noticeLabel = f.w<QLabel>("Aviso");
        QCOMPARE(noticeLabel->isVisible(), notice);
        // The solve reads what the user sees.
        f.p.B_Calcular->click();
        QCOMPARE(f.solution().size(), 2);
        QVERIFY(!f.solution().contains(QString()));
    }

    // A file dropped on the window opens once the drop has ended; other drops are refused.
    void dropOpens()
    {
        locale_.set(localeNamed(QStringLiteral("es")));
        const QString path = dir_->filePath(QStringLiteral("soltado.txt"));
        write(path, "1\t2\t3\n4\t5\t6\n");
        WindowFixture f;
        const auto drop = [&](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.v.get(), &enter);
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            if (enter.isAccepted())
                QApplication::sendEvent(f.v.get(), &dropped);
            return enter.isAccepted();
        };
        QVERIFY(!drop({QUrl(QStringLiteral("https://example.org/s.csv"))}));
        QVERIFY(!drop({QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
        QVERIFY(drop({QUrl::fromLocalFile(path)}));
        QTRY_COMPARE(f.body(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    }

    // Saved and opened again, in either locale and any format, every text comes back exactly.
    void saveThenOpen_data()
    {
        // clang-format off
        addColumns<QString, QString, QByteArray>("locale", "name", "start");

        for (const char* locale : {"es", "en"}) {
            const bool es = QByteArray(locale) == "es";
            QTest::addRow("%s CSV", locale) << locale << "s.csv" << QByteArray(es ? ";X1;X2;X3;T.I\r\n" : ",X1,X2,X3,T.I\r\n");
            QTest::addRow("%s text", locale) << locale << "s.txt" << QByteArray();
            QTest::addRow("%s Matrix Market", locale) << locale << "s.mtx" << QByteArray("%%MatrixMarket matrix array real general\n");
        }
        // clang-format on
    }

    void saveThenOpen()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        locale_.set(localeNamed(locale));
        const QString mark = QLocale().decimalPoint();
        const bool numbersOnly = name.endsWith(QLatin1String(".mtx"));
        const QString path = dir_->filePath(name);

        WindowFixture f;
        ModalCloser closer;
        f.accept(QStringLiteral("3"));
        Table rows{{"1" + mark + "5", "-2", "3E+2", "0" + mark + "125"}, {"7", "8", "9", "10"}, {"1", "0", "0", "-1"}};
        if (!numbersOnly)
            rows[1] = QStringList{" 8 ", "a;b,\"c\"", "EQ1", "l\nm"};
        f.fill(rows);
        f.v->GuardarSistema(path);
        QCOMPARE(closer.shown(), QStringList());
        QVERIFY(read(path).startsWith(start));
        const QStringList saved = f.body();

        f.p.B_Nuevo->click();
        f.v->AbrirSistema(path);
        QCOMPARE(closer.shown(), QStringList());
        QCOMPARE(f.body(), saved);
        QVERIFY(!f.w<QLabel>("Aviso")->isVisible());
    }

    // A file that holds no system, or that cannot be read or written, is refused in one
    // warning that names it and its line; the window stays exactly as it was.
    void refusals_data()
    {
        addColumns<bool, QString, QByteArray, QString>("saving", "name", "bytes", "message");

        // clang-format off
        QTest::newRow("empty") << false << "e.csv" << QByteArray() << "No se puede abrir «e.csv»:\nEl archivo está vacío.";
        QTest::newRow("unequal rows") << false << "u.csv" << QByteArray("1;2;3\n4;5;6\n7;8\n") << "No se puede abrir «u.csv», línea 3:\nLas filas no tienen todas el mismo número de valores: esta tiene 2 y la primera, 3.";
        QTest::newRow("not a system") << false << "n.txt" << QByteArray("1\t2\t3\t4\n") << "No se puede abrir «n.txt»:\nTiene 1 fila de 4 valores; un sistema de n ecuaciones tiene n filas de n + 1 valores, con n de 2 a 100.";
        QTest::newRow("not text") << false << "p.csv" << QByteArray("1;2;3\n\x00\x01", 8) << "No se puede abrir «p.csv», línea 2:\nNo es un archivo de texto.";
        QTest::newRow("too large") << false << "g.csv" << QByteArray(5 << 20, '1') << "No se puede abrir «g.csv»:\nEs más grande que cualquier sistema de ecuaciones (más de 4 MB).";
        QTest::newRow("missing") << false << "" << QByteArray() << "No se puede abrir «nada.csv»:\nEl archivo no existe.";
        QTest::newRow("a folder") << false << "carpeta" << QByteArray() << "No se puede abrir «carpeta»:\nEs una carpeta, no un archivo.";
        QTest::newRow("save into a folder") << true << "carpeta" << QByteArray() << "No se puede guardar «carpeta»:\nEs una carpeta, no un archivo.";
        QTest::newRow("save where there is no folder") << true << "" << QByteArray() << "No se puede guardar «nada.csv»:\nNo se puede escribir";
        QTest::newRow("save text as Matrix Market") << true << "t.mtx" << QByteArray() << "No se puede guardar «t.mtx»:\nEl valor de la ecuación 1, columna 2, «x», no es un número.";
        QTest::newRow("save over a read-only file") << true << "r.csv" << QByteArray("antes") << "No se puede guardar «r.csv»:\nNo se puede escribir";
        // clang-format on
    }

    void refusals()
    {
        QFETCH(bool, saving);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        locale_.set(localeNamed(QStringLiteral("es")));
        QString path = name.isEmpty() ? dir_->filePath(QStringLiteral("no/nada.csv")) : dir_->filePath(name);
        if (name == QLatin1String("carpeta"))
            QVERIFY(QDir(dir_->path()).mkdir(name));
        else if (!name.isEmpty())
            write(path, bytes);
        if (name.startsWith(QLatin1String("r."))) {
            if (geteuid() == 0)
                QSKIP("root writes into read-only folders");
            QFile(path).setPermissions(QFileDevice::ReadOwner);
            QFile(dir_->path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }

        WindowFixture f;
        ModalCloser closer;
        f.accept(QStringLiteral("2"));
        f.fill({{"1", "x", "3"}, {"4", "5", "6"}});
        const QStringList before = state(f);
        if (saving)
            f.v->GuardarSistema(path);
        else
            f.v->AbrirSistema(path);
        QFile(dir_->path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QCOMPARE(closer.seen.size(), 1);
        QCOMPARE(closer.seen[0].title, QStringLiteral("Sorvani"));
        QCOMPARE(closer.seen[0].icon, QMessageBox::Warning);
        QVERIFY2(closer.seen[0].text.startsWith(message), qPrintable(closer.seen[0].text));
        QCOMPARE(state(f), before);
        if (saving && !bytes.isEmpty())
            QCOMPARE(read(path), bytes);
    }

    // Typed values are replaced only when the user says so; an empty worksheet is not asked about.
    void replaceQuestion_data()
    {
        // clang-format off
        addColumns<bool, bool, QStringList>("typed", "yes", "body");

        const QStringList file{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("yes") << true << true << file;
        QTest::newRow("no") << true << false << QStringList{"9", "", "", "", "", "", "", "", "", "", "", ""};
        QTest::newRow("nothing typed") << false << false << file;
        // clang-format on
    }

    void replaceQuestion()
    {
        QFETCH(bool, typed);
        QFETCH(bool, yes);
        QFETCH(QStringList, body);
        locale_.set(localeNamed(QStringLiteral("es")));
        const QString path = dir_->filePath(QStringLiteral("q.csv"));
        write(path, "1;2;3\n4;5;6\n");

        WindowFixture f;
        f.accept(QStringLiteral("3"));
        if (typed) {
            // Still in the editor: an open edit is a typed value.
            f.atCell(1, 1);
            QTest::keyClicks(f.p.Cuadric, QStringLiteral("9"));
        }
        ModalCloser closer;
        closer.closeWith = [yes](QWidget& w) { static_cast<QMessageBox&>(w).button(yes ? QMessageBox::Yes : QMessageBox::No)->click(); };
        f.v->AbrirSistema(path);
        if (typed) {
            QCOMPARE(closer.seen.size(), 1);
            QCOMPARE(closer.seen[0].title, QStringLiteral("Sorvani"));
            QCOMPARE(closer.seen[0].text,
                     QStringLiteral("La hoja tiene valores escritos. ¿Desea reemplazarlos por el sistema de «q.csv»?"));
            QCOMPARE(closer.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
        } else {
            QCOMPARE(closer.seen.size(), 0);
        }
        QCOMPARE(f.body(), body);
    }

    // A block from a spreadsheet lands cell by cell in the locale's decimal mark; a change of
    // mark or a cut says so in a notice over the grid, and the two lines keep their texts.
    void pasteDialects_data()
    {
        addColumns<QString, int, QStringList, QString, bool>("block", "col", "row1", "notice", "fades");

        const QString converted =
            QStringLiteral("El bloque escribía los decimales con «.»; se pegaron con «,», como los escribe su configuración regional.");
        const QString cut = QStringLiteral("El bloque no cabía en la hoja: solo se pegó lo que cabe.");
        // clang-format off
        QTest::newRow("Spanish spreadsheet") << "4;1;0;5,5" << 1 << QStringList{"4", "1", "0", "5,5"} << "" << false;
        QTest::newRow("English CSV") << "4,1,0,5.5\r\n" << 1 << QStringList{"4", "1", "0", "5,5"} << converted << false;
        QTest::newRow("tabs, points, cut") << "4\t1.5\t0\t5.5\t9" << 1 << QStringList{"4", "1,5", "0", "5,5"} << converted + " " + cut << false;
        QTest::newRow("cut") << "1;2" << 4 << QStringList{"", "", "", "1"} << cut << true;
        // clang-format on
    }

    void pasteDialects()
    {
        QFETCH(QString, block);
        QFETCH(int, col);
        QFETCH(QStringList, row1);
        QFETCH(QString, notice);
        QFETCH(bool, fades);
        locale_.set(localeNamed(QStringLiteral("es")));

        WindowFixture f;
        f.accept(QStringLiteral("3"));
        const QString status = f.status();
        const QString tip = f.tip();
        f.paste(block, 1, col);
        QCOMPARE(f.body().mid(0, 4), row1);
        const QLabel* noticeLabel = f.w<QLabel>("Aviso");
        QCOMPARE(noticeLabel->isVisible(), !notice.isEmpty());
        if (!notice.isEmpty()) {
            QCOMPARE(noticeLabel->text(), notice);
            QCOMPARE(noticeLabel->accessibleName(), notice);
            QVERIFY(QRect(f.p.Cuadric->mapTo(f.v.get(), QPoint()), f.p.Cuadric->size()).contains(noticeLabel->pos()));
            if (fades)
                QTRY_VERIFY_WITH_TIMEOUT(!noticeLabel->isVisible(), 10000);
        }
        QCOMPARE(f.status(), status);
        QCOMPARE(f.tip(), tip);
    }

private:
    TestLocale locale_;
    std::optional<QTemporaryDir> dir_; // for the files a test writes
};

QTEST_MAIN(TestWorksheetWindow)
#include "tst_worksheetwindow.moc"
