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
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using textos::kInsoluble;
using textos::kTipEdicion;
using textos::kTipIngreso;
using textos::kTipInicio;

namespace {

// The window whose calculation fails at the first cell it writes: 1 out of memory, 2 with
// another exception; 0 as the program is.
struct FailingWindow : FrmP
{
    int fallo = 0;
    std::function<void()> antes;

    std::unique_ptr<GridCells> calculationSheet(GridControl& cuadric) override
    {
        if (fallo == 0)
            return FrmP::calculationSheet(cuadric);
        return std::make_unique<FailingWorksheet>(cuadric, fallo == 1, antes);
    }
};

} // namespace

class TestFrmP : public QObject
{
    Q_OBJECT

private slots:
    void init() { locale_.fijar(QLocale(QLocale::Spanish, QLocale::Spain)); }
    void cleanup() { locale_.restaurar(); }

    void disposicion_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QRect>("twips");
        const auto fila = [](const char* n, int l, int t, int w, int h) {
            QTest::newRow(n) << QString::fromLatin1(n) << QRect(l, t, w, h);
        };
        fila("Frame2", -45, -90, 9465, 870);
        fila("B_Calcular", 3105, 180, 1410, 600);
        fila("B_Salir", 7710, 180, 1500, 600);
        fila("Cuadric", 105, 885, 6990, 3735);
        fila("Text1", 2760, 3990, 900, 195);
        fila("Fr_Mat", 105, 870, 6990, 3765);
        fila("F_Rint_1", 3600, 405, 3390, 3345);
        fila("Label1", 3600, 30, 3375, 285);
        fila("F_Resp", 7215, 1290, 1950, 3345);
        fila("Frame1_1", 6315, 4710, 2850, 960);
        fila("B_Num", 1035, 360, 240, 330);
        fila("Et_tip", 540, 180, 2220, 645);
        fila("Op_Gauss", 360, 540, 2400, 330);
        fila("Et_st", 195, 5790, 7725, 195);
        fila("Line4", 9150, 5790, 15, 240);
    }

    void disposicion()
    {
        QFETCH(QString, nombre);
        QFETCH(QRect, twips);
        WindowFixture f;
        const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(f.w(nombre.toLatin1())->geometry(), px);
    }

    void ventana()
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
        const QList<QSize> tamanos = f.v->windowIcon().availableSizes();
        for (const int lado : {16, 32, 48, 64, 128, 256})
            QVERIFY2(tamanos.contains(QSize(lado, lado)), qPrintable(QString::number(lado)));
    }

    // Three buttons carry a greyed copy of their picture for the disabled state.
    void imagenesGrises_data()
    {
        // clang-format off
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QString>("gris");
        QTest::newRow("B_Nuevo") << "B_Nuevo" << ":/nuevo_gris.png";
        QTest::newRow("Command1") << "Command1" << ":/ajustar_gris.png";
        QTest::newRow("B_Salir") << "B_Salir" << ":/salir_gris.png";
        // clang-format on
    }

    void imagenesGrises()
    {
        QFETCH(QString, boton);
        QFETCH(QString, gris);
        WindowFixture f;
        const QIcon icono = f.w<QToolButton>(boton.toLatin1())->icon();
        const QImage esperada = QImage(gris).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY(!esperada.isNull());
        QCOMPARE(icono.pixmap(24, QIcon::Disabled).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), esperada);
        QVERIFY(icono.pixmap(24, QIcon::Normal).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) != esperada);
    }

    void ordenDeTabulacion()
    {
        WindowFixture f;
        const QStringList esperado = {"T_Incog",  "B_Incog", "Cuadric", "Op_Ch",    "Op_Gauss", "B_Calcular", "B_Mostrar", "Command1",
                                      "Command2", "B_Salir", "B_Nuevo", "F_Rint_0", "F_Rint_1", "F_Resp",     "B_Num"};
        QStringList visto;
        QWidget* w = f.w("T_Incog");
        do {
            if (esperado.contains(w->objectName()) && !visto.contains(w->objectName()))
                visto << w->objectName();
            w = w->nextInFocusChain();
        } while (w != f.w("T_Incog"));
        QCOMPARE(visto, esperado);
    }

    void menus_data()
    {
        // clang-format off
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QKeySequence>("atajo");
        QTest::addColumn<bool>("habilitado");
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
        // clang-format on
    }

    void menus()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        QFETCH(QKeySequence, atajo);
        QFETCH(bool, habilitado);
        WindowFixture f;
        const QAction* a = f.w<QAction>(nombre.toLatin1());
        QCOMPARE(a->text(), texto);
        QCOMPARE(a->shortcut(), atajo);
        QCOMPARE(a->isEnabled(), habilitado);
    }

    // Start, worksheet ready, solved, matrices shown and back, entry of n.
    void etapas()
    {
        WindowFixture f;
        const QStringList sinHoja = {"B_Calcular", "MnuCalcular", "MnuGenera"};
        QCOMPARE(f.deshabilitados(), sinHoja);
        QCOMPARE(f.estado(), QStringLiteral("Listo"));
        QCOMPARE(f.tip(), kTipInicio);
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
        QCOMPARE(f.deshabilitados(), QStringList());
        QCOMPARE(f.estado(), textos::estadoHoja(QStringLiteral("2")));
        QCOMPARE(f.tip(), kTipIngreso);
        QCOMPARE(QApplication::focusWidget(), f.w("Cuadric"));

        f.llenar({{"2", "1", "3"}, {"4", "5", "6"}});
        QTest::keyClick(f.v.get(), Qt::Key_F4);
        QCOMPARE(f.columna(*f.p.F_Resp, 1), QStringList({"1,5", "0"}));
        QCOMPARE(f.deshabilitados(), QStringList());
        QCOMPARE(f.tip(), kTipEdicion);
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));

        f.w<QAbstractButton>("B_Mostrar")->click();
        QCOMPARE(f.deshabilitados(), QStringList({"B_Nuevo", "T_Incog", "B_Incog"}));
        QVERIFY(f.w("Cuadric")->isHidden() && !f.w("Fr_Mat")->isHidden());
        f.w<QAbstractButton>("B_Mostrar")->click();
        QCOMPARE(f.deshabilitados(), QStringList());
        QVERIFY(!f.w("Cuadric")->isHidden() && f.w("Fr_Mat")->isHidden());

        f.w<QRadioButton>("Op_Gauss")->setChecked(true);
        QTest::keyClick(f.v.get(), Qt::Key_F2);
        QCOMPARE(f.deshabilitados(), sinHoja);
        QCOMPARE(f.p.Cuadric->Cols(), 0);
        QCOMPARE(f.p.Cuadric->Rows(), 2);
        QVERIFY(!f.w("Cuadric")->isEnabled());
        QCOMPARE(f.p.F_Resp->Rows(), 0);
        QCOMPARE(f.p.F_Rint[0]->Rows(), 0);
        QCOMPARE(f.p.F_Rint[1]->Rows(), 0);
        QCOMPARE(f.estado(), QStringLiteral("Listo"));
        QCOMPARE(f.tip(), kTipInicio);
        QCOMPARE(f.p.F_Resp->ColWidth(1), 1470);
        QVERIFY(f.w<QRadioButton>("Op_Gauss")->isChecked());
        QCOMPARE(QApplication::focusWidget(), f.w("T_Incog"));
        QCOMPARE(f.w<QLineEdit>("T_Incog")->selectedText(), QStringLiteral("2"));

        f.aceptar(QStringLiteral("2"));
        QCOMPARE(f.celdas(*f.p.Cuadric).mid(5), QStringList({"", "", "", "EQ2", "", "", ""}));
    }

    // The upper arrow raises the number and the lower one lowers it, however it is worked;
    // each move writes the value after a blank, which "Ingresar" then reads.
    void barraDelNumero_data()
    {
        QTest::addColumn<int>("desde");
        QTest::addColumn<QString>("gesto"); // by what, then "+" up or "-" down
        QTest::addColumn<int>("valor");
        QTest::newRow("flecha superior") << 4 << "clic+" << 5;
        QTest::newRow("flecha inferior") << 4 << "clic-" << 3;
        QTest::newRow("flecha superior en 100") << 100 << "clic+" << 100;
        QTest::newRow("flecha inferior en 2") << 2 << "clic-" << 2;
        QTest::newRow("tecla Arriba") << 4 << "tecla+" << 5;
        QTest::newRow("tecla Abajo") << 4 << "tecla-" << 3;
        QTest::newRow("aumentar, lector de pantalla") << 4 << "accion+" << 5;
        QTest::newRow("disminuir, lector de pantalla") << 4 << "accion-" << 3;
        QTest::newRow("valor puesto") << 4 << "7" << 7;
    }

    void barraDelNumero()
    {
        QFETCH(int, desde);
        QFETCH(QString, gesto);
        QFETCH(int, valor);
        WindowFixture f;
        QScrollBar* barra = f.p.B_Num;
        barra->setValue(desde);
        QAccessibleInterface* accesible = QAccessible::queryAccessibleInterface(barra);
        const bool sube = gesto.endsWith('+');
        if (gesto.startsWith(QLatin1String("clic")))
            QTest::mouseClick(barra, Qt::LeftButton, {}, QPoint(barra->width() / 2, sube ? 2 : barra->height() - 3));
        else if (gesto.startsWith(QLatin1String("tecla")))
            QTest::keyClick(barra, sube ? Qt::Key_Up : Qt::Key_Down);
        else if (gesto.startsWith(QLatin1String("accion")))
            accesible->actionInterface()->doAction(sube ? QAccessibleActionInterface::increaseAction()
                                                        : QAccessibleActionInterface::decreaseAction());
        else
            accesible->valueInterface()->setCurrentValue(gesto.toInt());
        QCOMPARE(barra->value(), valor);
        QCOMPARE(accesible->valueInterface()->currentValue().toInt(), valor);
        QCOMPARE(f.p.T_Incog->text(), QLatin1Char(' ') + QString::number(valor));
        f.p.B_Incog->click();
        QCOMPARE(f.p.Cuadric->Cols(), valor + 2);
        QCOMPARE(f.estado(), textos::estadoHoja(QLatin1Char(' ') + QString::number(valor)));
    }

    void matricesAntesDeCalcular()
    {
        WindowFixture f;
        auto* boton = f.w<QToolButton>("B_Mostrar");
        boton->click();
        QVERIFY(f.w("Cuadric")->isHidden());
        QVERIFY(!f.w("Fr_Mat")->isHidden());
        QCOMPARE(f.deshabilitados(), QStringList({"B_Nuevo", "B_Calcular", "T_Incog", "B_Incog", "MnuCalcular", "MnuGenera"}));
        QCOMPARE(f.p.F_Rint[0]->Cols(), 0);
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));
        // Nothing computed: one line, centred over the two grids, says where B and C come from.
        auto* linea = f.w<QLabel>("Et_Factores");
        QVERIFY(linea->isVisible());
        QCOMPARE(linea->accessibleName(), QStringLiteral("B y C se obtienen con el método de Choleski"));
        const QRect rejillas = f.p.F_Rint[0]->QWidget::geometry().united(f.p.F_Rint[1]->QWidget::geometry());
        QVERIFY((linea->geometry().center() - rejillas.center()).manhattanLength() <= 1 && linea->width() >= linea->sizeHint().width());
        boton->click();
        QVERIFY(!f.w("Cuadric")->isHidden());
        QVERIFY(f.w("Fr_Mat")->isHidden());
        QCOMPARE(f.deshabilitados(), QStringList({"B_Calcular", "MnuCalcular", "MnuGenera"}));
        QCOMPARE(boton->text(), QStringLiteral("Matrices B-C"));
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));
    }

    // The two places where the matrices view meets commands meant for the worksheet.
    void vistaDeMatrices()
    {
        WindowFixture f;
        f.aceptar(QStringLiteral("2"));
        f.llenar({{"2", "1", "3"}, {"4", "5", "6"}});
        f.w<QAbstractButton>("B_Mostrar")->click();
        f.p.B_Calcular->click();
        QCOMPARE(f.deshabilitados(), QStringList());
        QVERIFY(!f.w("Fr_Mat")->isHidden());
        QCOMPARE(f.celdas(*f.p.F_Rint[0]), QStringList({"2", "0", "4", "3"}));
        QVERIFY(f.w("Et_Factores")->isHidden());

        // Accepting n brings the worksheet back into view.
        f.aceptar(QStringLiteral("3"));
        QVERIFY(!f.w("Cuadric")->isHidden());
        QVERIFY(f.w("Fr_Mat")->isHidden());
        QCOMPARE(QApplication::focusWidget(), f.w("Cuadric"));

        // The menu's new calculation runs while the number box is disabled, minus the focus.
        f.w<QAbstractButton>("B_Mostrar")->click();
        f.p.mnuNuevo->trigger();
        QVERIFY(f.w("Et_Factores")->isVisible());
        QCOMPARE(f.p.Cuadric->Cols(), 0);
        QCOMPARE(f.deshabilitados(), QStringList({"B_Nuevo", "B_Calcular", "T_Incog", "B_Incog", "MnuCalcular", "MnuGenera"}));
        QCOMPARE(QApplication::focusWidget(), f.w("F_Resp"));
    }

    void resolver_data()
    {
        // clang-format off
        QTest::addColumn<QLocale>("region");
        QTest::addColumn<bool>("choleski");
        QTest::addColumn<QStringList>("b");
        QTest::addColumn<QStringList>("c");
        QTest::addColumn<QStringList>("solucion");
        const QLocale es(QLocale::Spanish, QLocale::Spain);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Choleski, coma") << es << true << QStringList{"0,5", "0", "1", "-1"} << QStringList{"1", "2", "0", "1"} << QStringList{"1", "1,5"};
        QTest::newRow("Choleski, punto") << en << true << QStringList{"0.5", "0", "1", "-1"} << QStringList{"1", "2", "0", "1"} << QStringList{"1", "1.5"};
        QTest::newRow("Gauss-Jordan, coma") << es << false << QStringList() << QStringList() << QStringList{"1,00000", "1,50000"};
        QTest::newRow("Gauss-Jordan, punto") << en << false << QStringList() << QStringList() << QStringList{"1.00000", "1.50000"};
        // clang-format on
    }

    void resolver()
    {
        QFETCH(QLocale, region);
        QFETCH(bool, choleski);
        QFETCH(QStringList, b);
        QFETCH(QStringList, c);
        QFETCH(QStringList, solucion);
        QLocale::setDefault(region);
        WindowFixture f;
        const QString s = region.decimalPoint();
        f.aceptar(QStringLiteral("2"));
        f.llenar({{"0" + s + "5", "1", "2"}, {"1", "1", "2" + s + "5"}});
        f.w<QRadioButton>(choleski ? "Op_Ch" : "Op_Gauss")->setChecked(true);
        ModalCloser mensajes;
        f.p.B_Calcular->click();

        QCOMPARE(mensajes.textos(), QStringList());
        QCOMPARE(f.celdas(*f.p.F_Rint[0]), b);
        QCOMPARE(f.celdas(*f.p.F_Rint[1]), c);
        QCOMPARE(f.columna(*f.p.F_Resp, 1), solucion);
        QCOMPARE(f.p.F_Resp->ColAlignment(1) == GridControl::AlignLeftCenter, !choleski);
        QCOMPARE(f.p.F_Rint[0]->ScrollBars(), choleski ? GridControl::ScrollBoth : GridControl::ScrollNone);
        QCOMPARE(f.w("Et_Factores")->isHidden(), choleski);
    }

    // The menu item fills the body anew each time; a fresh window draws the same first one.
    void valoresAleatorios()
    {
        QStringList primera;
        {
            WindowFixture f;
            f.aceptar(QStringLiteral("2"));
            f.p.MnuGenera->trigger();
            QCOMPARE(nonRandomCell(*f.p.Cuadric, 2), QString());
            QCOMPARE(f.p.Cuadric->TextMatrix(0, 3), QStringLiteral("T.I"));
            primera = f.celdas(*f.p.Cuadric);
            f.p.MnuGenera->trigger();
            QVERIFY(f.celdas(*f.p.Cuadric) != primera);
        }
        WindowFixture otra;
        otra.aceptar(QStringLiteral("2"));
        otra.p.MnuGenera->trigger();
        QCOMPARE(otra.celdas(*otra.p.Cuadric), primera);
    }

    void celdaConBlancos()
    {
        WindowFixture f;
        f.aceptar(QStringLiteral("2"));
        f.llenar({{"", "  ", "3"}, {"4", "5", "6"}});
        ModalCloser mensajes;
        bool ocupado = true;
        mensajes.alAparecer = [&](QWidget&) { ocupado = f.v->cursor().shape() == Qt::WaitCursor; };
        f.p.B_Calcular->click();

        QCOMPARE(mensajes.textos(), QStringList{textos::errorDelCalculo(13)});
        QCOMPARE(mensajes.vistos[0].icono, QMessageBox::Warning);
        QCOMPARE(mensajes.vistos[0].titulo, QStringLiteral("Sorvani"));
        QVERIFY(!ocupado);
        QCOMPARE(f.p.Cuadric->TextMatrix(1, 1), QStringLiteral("0"));
        QCOMPARE(f.deshabilitados(), QStringList());
        QCOMPARE(f.tip(), kTipIngreso);

        // A failure after a solve leaves the solution column empty.
        f.llenar({{"2", "1"}});
        f.p.B_Calcular->click();
        QCOMPARE(f.columna(*f.p.F_Resp, 1), QStringList({"1,5", "0"}));
        f.p.Cuadric->setTextMatrix(1, 2, QStringLiteral(" "));
        f.p.B_Calcular->click();
        QCOMPARE(mensajes.vistos.size(), 2);
        QCOMPARE(f.columna(*f.p.F_Resp, 1), QStringList({"", ""}));
    }

    void calculoInterrumpido_data()
    {
        QTest::addColumn<Filas>("filas");
        QTest::addColumn<int>("fallo");           // 0 none, 1 memory, 2 another exception
        QTest::addColumn<int>("filasDeSolucion"); // -1: as laid out
        QTest::addColumn<QString>("mensaje");
        const Filas conUnaVacia{{"1", "", "3"}, {"4", "5", "6"}};
        // Insoluble by Gauss - Jordan: the message comes once, while the calculation still runs.
        QTest::newRow("ecuaciones iguales") << Filas{{"1", "1", "2"}, {"1", "1", "2"}} << 0 << -1 << kInsoluble;
        QTest::newRow("primera columna nula, con reintentos")
            << Filas{{"0", "1", "1", "2"}, {"0", "2", "1", "3"}, {"0", "1", "3", "4"}} << 0 << -1 << kInsoluble;
        // An exception that is not a calculation error, thrown in the middle of the work (when
        // the reading writes the "0" of an empty cell), ends in the command's message instead
        // of leaving the slot.
        QTest::newRow("memoria agotada") << conUnaVacia << 1 << -1 << textos::errorDelCalculo(QStringLiteral("Memoria insuficiente"));
        QTest::newRow("otra excepción") << conUnaVacia << 2 << -1 << textos::errorDelCalculo(QStringLiteral("Error interno"));
        // Fewer solution rows than equations, as a failed set-up leaves them: clearing the
        // solution column fails inside the command, which reports it.
        QTest::newRow("filas de solución que faltan") << Filas(4) << 0 << 2 << textos::errorDelCalculo(9);
    }

    // Every way a calculation ends early: one warning, then the window idle again.
    void calculoInterrumpido()
    {
        QFETCH(Filas, filas);
        QFETCH(int, fallo);
        QFETCH(int, filasDeSolucion);
        QFETCH(QString, mensaje);
        const bool insoluble = mensaje == kInsoluble;
        auto propia = std::make_unique<FailingWindow>();
        FailingWindow& ventana = *propia;
        const WindowFixture f(std::move(propia));
        f.aceptar(QString::number(filas.size()));
        f.llenar(filas);
        if (filasDeSolucion >= 0)
            f.p.F_Resp->setRows(filasDeSolucion);
        f.p.Op_Gauss->setChecked(insoluble);
        QStringList durante;
        bool ocupado = false;
        ventana.fallo = fallo;
        ventana.antes = [&] { durante = f.deshabilitados(); };
        ModalCloser mensajes;
        mensajes.alAparecer = [&](QWidget&) {
            if (insoluble) {
                durante = f.deshabilitados();
                ocupado = f.v->cursor().shape() == Qt::WaitCursor;
            }
        };
        f.p.B_Calcular->click();

        QCOMPARE(mensajes.textos(), QStringList{mensaje});
        QCOMPARE(mensajes.vistos[0].icono, QMessageBox::Warning);
        QCOMPARE(f.deshabilitados(), QStringList());
        QCOMPARE(f.v->cursor().shape(), Qt::ArrowCursor);
        if (filasDeSolucion < 0)
            QCOMPARE(durante.size(), 11);
        if (insoluble) {
            QVERIFY(ocupado);
            QCOMPARE(f.tip(), kTipEdicion);
            QVERIFY(f.columna(*f.p.F_Resp, 1).join(QString()).isEmpty());
        }
    }

    void salir()
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
