#include "DataColumns.h"
#include "FailingWorksheet.h"
#include "ModalCloser.h"
#include "ProgramTexts.h"
#include "TestLocale.h"
#include "WindowFixture.h"
#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "ui/FrmP.h"

#include <QAccessible>
#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using texts::kInsoluble;
using texts::kTipEditing;
using texts::kTipEntry;
using texts::kTipStart;

namespace {

// The window whose calculation fails at the first cell it writes: 1 out of memory, 2 with
// another exception; 0 as the program is.
struct FailingWindow : FrmP
{
    int failure = 0;
    std::function<void()> before;

    std::unique_ptr<GridCells> calculationSheet(GridControl& sheetGrid) override
    {
        if (failure == 0)
            return FrmP::calculationSheet(sheetGrid);
        return std::make_unique<FailingWorksheet>(sheetGrid, failure == 1, before);
    }
};

} // namespace

class TestFrmP : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.set(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restore(); }

    void layout_data()
    {
        addColumns<QString, QRect>("name", "twips");
        const auto row = [](const char* n, int l, int t, int w, int h) { QTest::newRow(n) << QString::fromLatin1(n) << QRect(l, t, w, h); };
        row("Frame2", -45, -90, 9465, 870);
        row("B_Calcular", 3105, 180, 1410, 600);
        row("B_Salir", 7710, 180, 1500, 600);
        row("Cuadric", 105, 885, 6990, 3735);
        row("Text1", 2760, 3990, 900, 195);
        row("Fr_Mat", 105, 870, 6990, 3765);
        row("F_Rint_1", 3600, 405, 3390, 3345);
        row("Label1", 3600, 30, 3375, 285);
        row("F_Resp", 7215, 1290, 1950, 3345);
        row("Frame1_1", 6315, 4710, 2850, 960);
        row("B_Num", 1035, 360, 240, 330);
        row("Et_tip", 540, 180, 2220, 645);
        row("Op_Gauss", 360, 540, 2400, 330);
        row("Et_st", 195, 5790, 7725, 195);
        row("Line4", 9150, 5790, 15, 240);
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        WindowFixture f;
        const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(f.w(name.toLatin1())->geometry(), px);
    }

    void window()
    {
        WindowFixture f;
        QCOMPARE(f.v->windowTitle(), QStringLiteral("Métodos Numéricos : Sorvani"));
        QCOMPARE(f.v->centralWidget()->size(), QSize(620, 409));
        QCOMPARE(f.v->minimumSize(), f.v->maximumSize());
        QVERIFY(!(f.v->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(f.v->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(f.w("Fr_Mat")->isHidden());
        QVERIFY(f.w("Text1")->isHidden());
        QVERIFY(f.w<QRadioButton>("Op_Ch")->isChecked());
        QCOMPARE(f.w<QScrollBar>("B_Num")->minimum(), 2);
        QCOMPARE(f.w<QScrollBar>("B_Num")->maximum(), 100);
        QCOMPARE(f.w<QScrollBar>("B_Num")->value(), 4);
        QVERIFY(!(f.w("Text1")->focusPolicy() & Qt::TabFocus));
        QCOMPARE(f.w("Cuadric")->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(f.w("Cuadric")->cursor().hotSpot(), QPoint(15, 15));
        // The icon set the desktop entry installs, so no size is scaled from another.
        const QList<QSize> sizes = f.v->windowIcon().availableSizes();
        for (const int side : {16, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
    }

    // Three buttons carry a greyed copy of their picture for the disabled state.
    void greyedImages_data()
    {
        // clang-format off
        addColumns<QString, QString>("button", "grey");
        QTest::newRow("B_Nuevo") << "B_Nuevo" << ":/nuevo_gris.png";
        QTest::newRow("Command1") << "Command1" << ":/ajustar_gris.png";
        QTest::newRow("B_Salir") << "B_Salir" << ":/salir_gris.png";
        // clang-format on
    }

    void greyedImages()
    {
        QFETCH(QString, button);
        QFETCH(QString, grey);
        WindowFixture f;
        const QIcon icon = f.w<QToolButton>(button.toLatin1())->icon();
        const QImage expectedImage = QImage(grey).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(!expectedImage.isNull());
        QCOMPARE(icon.pixmap(24, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expectedImage);
        QVERIFY(icon.pixmap(24, QIcon::Normal).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) != expectedImage);
    }

    void tabOrder()
    {
        WindowFixture f;
        const QStringList expected = {"T_Incog",  "B_Incog", "Cuadric", "Op_Ch",    "Op_Gauss", "B_Calcular", "B_Mostrar", "Command1",
                                      "Command2", "B_Salir", "B_Nuevo", "F_Rint_0", "F_Rint_1", "F_Resp",     "B_Num"};
        QStringList seen;
        QWidget* w = f.w("T_Incog");
        do {
            if (expected.contains(w->objectName()) && !seen.contains(w->objectName()))
                seen << w->objectName();
            w = w->nextInFocusChain();
        } while (w != f.w("T_Incog"));
        QCOMPARE(seen, expected);
    }

    void menus_data()
    {
        // clang-format off
        addColumns<QString, QString, QKeySequence, bool>("name", "text", "shortcut", "enabled");
        QTest::newRow("mnuNuevo") << "mnuNuevo" << "&Nuevo Cálculo" << QKeySequence(Qt::Key_F2) << true;
        QTest::newRow("MnuCalcular") << "MnuCalcular" << "&Iniciar Cálculo" << QKeySequence(Qt::Key_F4) << false;
        QTest::newRow("MnuGenera") << "MnuGenera" << "&Generar valores aleatorios" << QKeySequence(Qt::Key_F3) << false;
        QTest::newRow("mnuAbrir") << "mnuAbrir" << "A&brir sistema…" << QKeySequence(Qt::CTRL | Qt::Key_O) << true;
        QTest::newRow("mnuGuardar") << "mnuGuardar" << "G&uardar sistema…" << QKeySequence(Qt::CTRL | Qt::Key_S) << true;
        QTest::newRow("mnuSalir") << "mnuSalir" << "&Salir" << QKeySequence() << true;
        QTest::newRow("mnuOp") << "mnuOp" << "Ajustar &Columnas" << QKeySequence(Qt::Key_F5) << true;
        QTest::newRow("mnuHelpAbout") << "mnuHelpAbout" << "&Acerca de..." << QKeySequence(Qt::Key_F1) << true;
        QTest::newRow("mnuArchivo") << "mnuArchivo" << "&Archivo" << QKeySequence() << true;
        QTest::newRow("mnuHelp") << "mnuHelp" << "&Información" << QKeySequence() << true;
        // Enabled by a solve.
        QTest::newRow("mnuInforme") << "mnuInforme" << "&Exportar informe…" << QKeySequence() << false;
        QTest::newRow("mnuImprimir") << "mnuImprimir" << "Im&primir…" << QKeySequence(Qt::CTRL | Qt::Key_P) << false;
        QTest::newRow("mnuVerificar") << "mnuVerificar" << "Verificar solución…" << QKeySequence() << false;
        QTest::newRow("mnuPasos") << "mnuPasos" << "Ver paso a paso…" << QKeySequence(Qt::Key_F6) << false;
        // clang-format on
    }

    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QKeySequence, shortcut);
        QFETCH(bool, enabled);
        WindowFixture f;
        const QAction* a = f.w<QAction>(name.toLatin1());
        QCOMPARE(a->text(), text);
        QCOMPARE(a->shortcut(), shortcut);
        QCOMPARE(a->isEnabled(), enabled);
    }

    // The entries of "Archivo" in their order, separators marked "-"; every letter of the
    // menu opens one entry.
    void archivoMenu()
    {
        WindowFixture f;
        QStringList names;
        QString letters;
        for (const QAction* a : f.w<QMenu>("mnuArchivo")->actions()) {
            names << (a->isSeparator() ? QStringLiteral("-") : QString()) + a->objectName();
            const qsizetype amp = a->text().indexOf(QLatin1Char('&'));
            if (amp >= 0)
                letters += a->text().at(amp + 1).toLower();
        }
        QCOMPARE(names, (QStringList{"mnuNuevo", "MnuCalcular", "-Sp", "MnuGenera", "-SpSistema", "mnuAbrir", "mnuGuardar", "-S",
                                     "mnuInforme", "mnuImprimir", "-SpInforme", "mnuSalir"}));
        for (const QChar c : letters)
            QCOMPARE(letters.count(c), 1);
    }

    // Start, worksheet ready, solved, matrices shown and back, entry of n.
    void stages()
    {
        WindowFixture f;
        const QStringList noSheet = {"B_Calcular", "MnuCalcular", "MnuGenera"};
        QCOMPARE(f.disabled(), noSheet);
        QCOMPARE(f.status(), QStringLiteral("Listo"));
        QCOMPARE(f.tip(), kTipStart);
        QCOMPARE(f.p.Cuadric->Rows(), 2);
        QCOMPARE(f.p.Cuadric->Cols(), 0);
        QCOMPARE(f.p.F_Resp->ColWidth(0), 380);
        QCOMPARE(f.p.F_Resp->ColWidth(1), 1470);
        QCOMPARE(QApplication::focusWidget(), f.w("T_Incog"));
        QCOMPARE(f.w<QLineEdit>("T_Incog")->selectedText(), QStringLiteral("4"));

        // Typing replaces the selected "4"; Enter accepts and inserts nothing.
        QTest::keyClick(f.w("T_Incog"), Qt::Key_2);
        QTest::keyClick(f.w("T_Incog"), Qt::Key_Return);
        QCOMPARE(f.w<QLineEdit>("T_Incog")->text(), QStringLiteral("2"));
        QCOMPARE(f.disabled(), QStringList());
        QCOMPARE(f.status(), texts::worksheetStatus(QStringLiteral("2")));
        QCOMPARE(f.tip(), kTipEntry);
        QCOMPARE(QApplication::focusWidget(), f.w("Cuadric"));

        f.fill({{"2", "1", "3"}, {"4", "5", "6"}});
        QTest::keyClick(f.v.get(), Qt::Key_F4);
        QCOMPARE(f.solution(), QStringList({"1,5", "0"}));
        QCOMPARE(f.disabled(), QStringList());
        QCOMPARE(f.tip(), kTipEditing);
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));

        f.w<QAbstractButton>("B_Mostrar")->click();
        QCOMPARE(f.disabled(), QStringList({"B_Nuevo", "T_Incog", "B_Incog"}));
        QVERIFY(f.w("Cuadric")->isHidden() && !f.w("Fr_Mat")->isHidden());
        f.w<QAbstractButton>("B_Mostrar")->click();
        QCOMPARE(f.disabled(), QStringList());
        QVERIFY(!f.w("Cuadric")->isHidden() && f.w("Fr_Mat")->isHidden());

        f.w<QRadioButton>("Op_Gauss")->setChecked(true);
        QTest::keyClick(f.v.get(), Qt::Key_F2);
        QCOMPARE(f.disabled(), noSheet);
        QCOMPARE(f.p.Cuadric->Cols(), 0);
        QCOMPARE(f.p.Cuadric->Rows(), 2);
        QVERIFY(!f.w("Cuadric")->isEnabled());
        QCOMPARE(f.p.F_Resp->Rows(), 0);
        QCOMPARE(f.p.F_Rint[0]->Rows(), 0);
        QCOMPARE(f.p.F_Rint[1]->Rows(), 0);
        QCOMPARE(f.status(), QStringLiteral("Listo"));
        QCOMPARE(f.tip(), kTipStart);
        QCOMPARE(f.p.F_Resp->ColWidth(1), 1470);
        QVERIFY(f.w<QRadioButton>("Op_Gauss")->isChecked());
        QCOMPARE(QApplication::focusWidget(), f.w("T_Incog"));
        QCOMPARE(f.w<QLineEdit>("T_Incog")->selectedText(), QStringLiteral("2"));

        f.accept(QStringLiteral("2"));
        QCOMPARE(f.cells(*f.p.Cuadric).mid(5), QStringList({"", "", "", "EQ2", "", "", ""}));
    }

    // The upper arrow raises the number and the lower one lowers it, however it is worked;
    // each move writes the value after a blank, which "Ingresar" then reads.
    void numberScrollBar_data()
    {
        // clang-format off
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("gesture"); // by what, then "+" up or "-" down
        QTest::addColumn<int>("value");
        QTest::newRow("flecha superior") << 4 << "clic+" << 5;
        QTest::newRow("flecha inferior") << 4 << "clic-" << 3;
        QTest::newRow("flecha superior en 100") << 100 << "clic+" << 100;
        QTest::newRow("flecha inferior en 2") << 2 << "clic-" << 2;
        QTest::newRow("tecla Arriba") << 4 << "tecla+" << 5;
        QTest::newRow("tecla Abajo") << 4 << "tecla-" << 3;
        QTest::newRow("aumentar, lector de pantalla") << 4 << "accion+" << 5;
        QTest::newRow("disminuir, lector de pantalla") << 4 << "accion-" << 3;
        QTest::newRow("valor puesto") << 4 << "7" << 7;
        // clang-format on
    }

    void numberScrollBar()
    {
        QFETCH(int, from);
        QFETCH(QString, gesture);
        QFETCH(int, value);
        WindowFixture f;
        QScrollBar* bar = f.p.B_Num;
        bar->setValue(from);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(bar);
        const bool up = gesture.endsWith('+');
        if (gesture.startsWith(QLatin1String("clic")))
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, up ? 2 : bar->height() - 3));
        else if (gesture.startsWith(QLatin1String("tecla")))
            QTest::keyClick(bar, up ? Qt::Key_Up : Qt::Key_Down);
        else if (gesture.startsWith(QLatin1String("accion")))
            accessible->actionInterface()->doAction(up ? QAccessibleActionInterface::increaseAction()
                                                       : QAccessibleActionInterface::decreaseAction());
        else
            accessible->valueInterface()->setCurrentValue(gesture.toInt());
        QCOMPARE(bar->value(), value);
        QCOMPARE(accessible->valueInterface()->currentValue().toInt(), value);
        QCOMPARE(f.p.T_Incog->text(), QLatin1Char(' ') + QString::number(value));
        f.p.B_Incog->click();
        QCOMPARE(f.p.Cuadric->Cols(), value + 2);
        QCOMPARE(f.status(), texts::worksheetStatus(QLatin1Char(' ') + QString::number(value)));
    }

    void matricesBeforeSolving()
    {
        WindowFixture f;
        auto* button = f.w<QToolButton>("B_Mostrar");
        button->click();
        QVERIFY(f.w("Cuadric")->isHidden());
        QVERIFY(!f.w("Fr_Mat")->isHidden());
        QCOMPARE(f.disabled(), QStringList({"B_Nuevo", "B_Calcular", "T_Incog", "B_Incog", "MnuCalcular", "MnuGenera"}));
        QCOMPARE(f.p.F_Rint[0]->Cols(), 0);
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));
        // Nothing computed: one line, centred over the two grids, says where B and C come from.
        auto* line = f.w<QLabel>("Et_Factores");
        QVERIFY(line->isVisible());
        QCOMPARE(line->accessibleName(), QStringLiteral("B y C se obtienen con el método de Choleski"));
        const QRect grids = f.p.F_Rint[0]->QWidget::geometry().united(f.p.F_Rint[1]->QWidget::geometry());
        QVERIFY((line->geometry().center() - grids.center()).manhattanLength() <= 1 && line->width() >= line->sizeHint().width());
        button->click();
        QVERIFY(!f.w("Cuadric")->isHidden());
        QVERIFY(f.w("Fr_Mat")->isHidden());
        QCOMPARE(f.disabled(), QStringList({"B_Calcular", "MnuCalcular", "MnuGenera"}));
        QCOMPARE(button->text(), QStringLiteral("Matrices B-C"));
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));
    }

    // The two places where the matrices view meets commands meant for the worksheet.
    void matricesView()
    {
        WindowFixture f;
        f.accept(QStringLiteral("2"));
        f.fill({{"2", "1", "3"}, {"4", "5", "6"}});
        f.w<QAbstractButton>("B_Mostrar")->click();
        f.p.B_Calcular->click();
        QCOMPARE(f.disabled(), QStringList());
        QVERIFY(!f.w("Fr_Mat")->isHidden());
        QCOMPARE(f.cells(*f.p.F_Rint[0]), QStringList({"2", "0", "4", "3"}));
        QVERIFY(f.w("Et_Factores")->isHidden());

        // Accepting n brings the worksheet back into view.
        f.accept(QStringLiteral("3"));
        QVERIFY(!f.w("Cuadric")->isHidden());
        QVERIFY(f.w("Fr_Mat")->isHidden());
        QCOMPARE(QApplication::focusWidget(), f.w("Cuadric"));

        // The menu's new calculation runs while the number box is disabled, minus the focus.
        f.w<QAbstractButton>("B_Mostrar")->click();
        f.p.mnuNuevo->trigger();
        QVERIFY(f.w("Et_Factores")->isVisible());
        QCOMPARE(f.p.Cuadric->Cols(), 0);
        QCOMPARE(f.disabled(), QStringList({"B_Nuevo", "B_Calcular", "T_Incog", "B_Incog", "MnuCalcular", "MnuGenera"}));
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));
    }

    void solve_data()
    {
        // clang-format off
        addColumns<QLocale, bool, QStringList, QStringList, QStringList>("region", "choleski", "b", "c", "solution");
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Choleski, coma") << es << true << QStringList{"0,5", "0", "1", "-1"} << QStringList{"1", "2", "0", "1"} << QStringList{"1", "1,5"};
        QTest::newRow("Choleski, punto") << en << true << QStringList{"0.5", "0", "1", "-1"} << QStringList{"1", "2", "0", "1"} << QStringList{"1", "1.5"};
        QTest::newRow("Gauss-Jordan, coma") << es << false << QStringList() << QStringList() << QStringList{"1,00000", "1,50000"};
        QTest::newRow("Gauss-Jordan, punto") << en << false << QStringList() << QStringList() << QStringList{"1.00000", "1.50000"};
        // clang-format on
    }

    void solve()
    {
        QFETCH(QLocale, region);
        QFETCH(bool, choleski);
        QFETCH(QStringList, b);
        QFETCH(QStringList, c);
        QFETCH(QStringList, solution);
        QLocale::setDefault(region);
        WindowFixture f;
        const QString s = region.decimalPoint();
        QCOMPARE(f.solve({{"0" + s + "5", "1", "2"}, {"1", "1", "2" + s + "5"}}, choleski), QStringList());
        QCOMPARE(f.cells(*f.p.F_Rint[0]), b);
        QCOMPARE(f.cells(*f.p.F_Rint[1]), c);
        QCOMPARE(f.solution(), solution);
        QCOMPARE(f.p.F_Resp->ColAlignment(1) == GridControl::AlignLeftCenter, !choleski);
        QCOMPARE(f.p.F_Rint[0]->ScrollBars(), choleski ? GridControl::ScrollBoth : GridControl::ScrollNone);
        QCOMPARE(f.w("Et_Factores")->isHidden(), choleski);
    }

    // The menu item fills the body anew each time; a fresh window draws the same first one.
    void randomValues()
    {
        QStringList first;
        {
            WindowFixture f;
            f.accept(QStringLiteral("2"));
            f.p.MnuGenera->trigger();
            QCOMPARE(nonRandomCell(*f.p.Cuadric, 2), QString());
            QCOMPARE(f.p.Cuadric->TextMatrix(0, 3), QStringLiteral("T.I"));
            first = f.cells(*f.p.Cuadric);
            f.p.MnuGenera->trigger();
            QVERIFY(f.cells(*f.p.Cuadric) != first);
        }
        WindowFixture other;
        other.accept(QStringLiteral("2"));
        other.p.MnuGenera->trigger();
        QCOMPARE(other.cells(*other.p.Cuadric), first);
    }

    void blankCells()
    {
        WindowFixture f;
        f.accept(QStringLiteral("2"));
        f.fill({{"", "  ", "3"}, {"4", "5", "6"}});
        ModalCloser messages;
        bool busy = true;
        messages.onShown = [&](QWidget&) { busy = f.v->cursor().shape() == Qt::WaitCursor; };
        f.p.B_Calcular->click();

        QCOMPARE(messages.shown(), QStringList{texts::calculationError(13)});
        QCOMPARE(messages.seen[0].icon, QMessageBox::Warning);
        QCOMPARE(messages.seen[0].title, QStringLiteral("Sorvani"));
        QVERIFY(!busy);
        QCOMPARE(f.p.Cuadric->TextMatrix(1, 1), QStringLiteral("0"));
        QCOMPARE(f.disabled(), QStringList());
        QCOMPARE(f.tip(), kTipEntry);

        // A failure after a solve leaves the solution column empty.
        f.fill({{"2", "1"}});
        f.p.B_Calcular->click();
        QCOMPARE(f.solution(), QStringList({"1,5", "0"}));
        f.p.Cuadric->setTextMatrix(1, 2, QStringLiteral(" "));
        f.p.B_Calcular->click();
        QCOMPARE(messages.seen.size(), 2);
        QCOMPARE(f.solution(), QStringList({"", ""}));
    }

    void interruptedSolve_data()
    {
        // clang-format off
        QTest::addColumn<Table>("rows");
        QTest::addColumn<int>("failure");      // 0 none, 1 memory, 2 another exception
        QTest::addColumn<int>("solutionRows"); // -1: as laid out
        QTest::addColumn<QString>("message");
        const Table withAnEmptyCell{{"1", "", "3"}, {"4", "5", "6"}};
        // Insoluble by Gauss - Jordan: the message comes once, while the calculation still runs.
        QTest::newRow("ecuaciones iguales") << Table{{"1", "1", "2"}, {"1", "1", "2"}} << 0 << -1 << kInsoluble;
        QTest::newRow("primera columna nula, con reintentos") << Table{{"0", "1", "1", "2"}, {"0", "2", "1", "3"}, {"0", "1", "3", "4"}} << 0 << -1 << kInsoluble;
        // An exception that is not a calculation error, thrown in the middle of the work (when
        // the reading writes the "0" of an empty cell), ends in the command's message instead
        // of leaving the slot.
        QTest::newRow("memoria agotada") << withAnEmptyCell << 1 << -1 << texts::calculationError(QStringLiteral("Memoria insuficiente"));
        QTest::newRow("otra excepción") << withAnEmptyCell << 2 << -1 << texts::calculationError(QStringLiteral("Error interno"));
        // Fewer solution rows than equations, as a failed set-up leaves them: clearing the
        // solution column fails inside the command, which reports it.
        QTest::newRow("filas de solución que faltan") << Table(4) << 0 << 2 << texts::calculationError(9);
        // clang-format on
    }

    // Every way a calculation ends early: one warning, then the window idle again.
    void interruptedSolve()
    {
        QFETCH(Table, rows);
        QFETCH(int, failure);
        QFETCH(int, solutionRows);
        QFETCH(QString, message);
        const bool insoluble = message == kInsoluble;
        auto own = std::make_unique<FailingWindow>();
        FailingWindow& window = *own;
        const WindowFixture f(std::move(own));
        f.accept(QString::number(rows.size()));
        f.fill(rows);
        if (solutionRows >= 0)
            f.p.F_Resp->setRows(solutionRows);
        f.p.Op_Gauss->setChecked(insoluble);
        QStringList during;
        bool busy = false;
        window.failure = failure;
        window.before = [&] { during = f.disabled(); };
        ModalCloser messages;
        messages.onShown = [&](QWidget&) {
            if (insoluble) {
                during = f.disabled();
                busy = f.v->cursor().shape() == Qt::WaitCursor;
            }
        };
        f.p.B_Calcular->click();

        QCOMPARE(messages.shown(), QStringList{message});
        QCOMPARE(messages.seen[0].icon, QMessageBox::Warning);
        QCOMPARE(f.disabled(), QStringList());
        QCOMPARE(f.v->cursor().shape(), Qt::ArrowCursor);
        if (solutionRows < 0)
            QCOMPARE(during.size(), 11);
        if (insoluble) {
            QVERIFY(busy);
            QCOMPARE(f.tip(), kTipEditing);
            QVERIFY(f.solution().join(QString()).isEmpty());
        }
    }

    void quit()
    {
        WindowFixture f;
        f.w<QAbstractButton>("B_Salir")->click();
        QVERIFY(!f.v->isVisible());
    }

private:
    TestLocale locale_;
};

QTEST_MAIN(TestFrmP)
#include "tst_frmp.moc"
