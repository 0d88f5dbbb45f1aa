#include "ui/Controls.h"

#include "grid/GridControl.h"
#include "grid/Twips.h"
#include "ui/FocusIndicator.h"
#include "ui/InstallControlAccessibility.h"
#include "ui/NumberBox.h"
#include "ui/NumberScrollBar.h"
#include "ui/StatusLine.h"
#include "worksheet/EquationCount.h"

#include <QAction>
#include <QCursor>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>

#include <iterator>
#include <utility>

namespace {

QRect enTwips(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// A one-pixel line between two points given in twips, both ends included.
QRect lineaEntre(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(twipsToPixels(x1), twipsToPixels(y1)),
                 QPoint(twipsToPixels(x2), twipsToPixels(y2)))
        .normalized();
}

template <typename W, typename... Args>
W* crear(QWidget* padre, const char* nombre, const QString& accesible, const QRect& sitio,
         Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., padre);
    w->setObjectName(QLatin1String(nombre));
    w->setAccessibleName(accesible);
    w->setGeometry(sitio);
    return w;
}

QIcon icono(const QString& normal, const QString& gris = {})
{
    QIcon i(normal);
    if (!gris.isEmpty())
        i.addFile(gris, QSize(), QIcon::Disabled);
    return i;
}

// Picture above the caption, as on the classic graphical buttons; unlike a tool button
// by default, it takes the focus when clicked.
QToolButton* botonGrafico(QWidget* padre, const char* nombre, const QString& texto,
                          const QRect& sitio, const QIcon& imagen)
{
    auto* b = crear<QToolButton>(padre, nombre, texto, sitio);
    b->setText(texto);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setIcon(imagen);
    b->setIconSize(QSize(24, 24));
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLabel* rotulo(QWidget* padre, const char* nombre, const QString& texto, const QRect& sitio)
{
    auto* l = crear<QLabel>(padre, nombre, texto, sitio, texto);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}

GridControl* cuadricula(QWidget* padre, const char* nombre, const QString& accesible,
                        const QRect& sitio, int filas, int columnas, int filasFijas,
                        int columnasFijas)
{
    auto* g = crear<GridControl>(padre, nombre, accesible, sitio);
    g->setFixedRows(filasFijas);
    g->setFixedCols(columnasFijas);
    g->setRows(filas);
    g->setCols(columnas);
    // A grid shows its focus on its current cell; without one, the frame shows it.
    auto* foco = new FocusIndicator(*g, [g] { return g->hasCurrentCell(); });
    QObject::connect(g, &GridControl::RowColChange, foco, qOverload<>(&QWidget::update));
    return g;
}

QFrame* linea(QWidget* padre, const char* nombre, const QRect& sitio, QPalette::ColorRole color)
{
    auto* l = crear<QFrame>(padre, nombre, QStringLiteral("Borde de la línea de estado"), sitio);
    markDecoration(*l);
    l->setFrameShape(QFrame::NoFrame);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(color);
    return l;
}

QAction* accion(QMenu* menu, const char* nombre, const QString& texto, int atajo = 0)
{
    QAction* a = menu->addAction(texto);
    a->setObjectName(QLatin1String(nombre));
    if (atajo != 0)
        a->setShortcut(QKeySequence(atajo));
    return a;
}

QMenu* menu(QMainWindow& ventana, const char* nombre, const QString& texto)
{
    QMenu* m = ventana.menuBar()->addMenu(texto);
    m->setObjectName(QLatin1String(nombre));
    m->menuAction()->setObjectName(QLatin1String(nombre));
    return m;
}

} // namespace

Controls Controls::construir(QMainWindow& ventana)
{
    Controls c{};
    auto* area = new QWidget(&ventana);
    area->setFixedSize(enTwips(0, 0, 9300, 6135).size());
    ventana.setCentralWidget(area);

    // Creation order is stacking order among siblings: the editor over the worksheet.
    c.crearBotones(area);
    c.crearHoja(area);
    c.crearMatrices(area);
    c.crearSolucion(area);
    c.crearMarcosInferiores(area);
    c.crearEntradaDelNumero();
    c.crearSugerencia();
    c.crearMetodos();
    c.crearLineaDeEstado(area);
    c.crearMenus(ventana);
    c.ordenarTabulacion();
    return c;
}

// Top band: only its lower border shows under the menu bar.
void Controls::crearBotones(QWidget* area)
{
    Frame2 =
        crear<QGroupBox>(area, "Frame2", QStringLiteral("Botones"), enTwips(-45, -90, 9465, 870));
    B_Nuevo = botonGrafico(
        Frame2, "B_Nuevo", QStringLiteral("Nuevo Cálculo"), enTwips(165, 180, 1365, 600),
        icono(QStringLiteral(":/nuevo.png"), QStringLiteral(":/nuevo_gris.png")));
    B_Mostrar = botonGrafico(Frame2, "B_Mostrar", QStringLiteral("Matrices B-C"),
                             enTwips(1530, 180, 1365, 600), icono(QStringLiteral(":/mostrar.png")));
    B_Calcular =
        botonGrafico(Frame2, "B_Calcular", QStringLiteral("Calcular"),
                     enTwips(3105, 180, 1410, 600), icono(QStringLiteral(":/calcular.png")));
    B_Calcular->setEnabled(false);
    Command1 = botonGrafico(
        Frame2, "Command1", QStringLiteral("Ajustar Columnas"), enTwips(4710, 180, 1500, 600),
        icono(QStringLiteral(":/ajustar.png"), QStringLiteral(":/ajustar_gris.png")));
    QIcon informacion;
    for (const char* tamano : {"16", "24", "32", "48"})
        informacion.addFile(QStringLiteral(":/informacion%1.png").arg(QLatin1String(tamano)));
    Command2 = botonGrafico(Frame2, "Command2", QStringLiteral("Información"),
                            enTwips(6210, 180, 1500, 600), informacion);
    B_Salir =
        botonGrafico(Frame2, "B_Salir", QStringLiteral("Salir"), enTwips(7710, 180, 1500, 600),
                     icono(QStringLiteral(":/salir.png"), QStringLiteral(":/salir_gris.png")));
}

// The worksheet and the matrices frame share one area, one shown at a time.
void Controls::crearHoja(QWidget* area)
{
    Cuadric = cuadricula(area, "Cuadric", QStringLiteral("Hoja de datos"),
                         enTwips(105, 885, 6990, 3735), 2, 0, 1, 0);
    // The plus sign's hot spot is its centre.
    Cuadric->setCursor(QCursor(QPixmap(QStringLiteral(":/cursor_mas.png")), 15, 15));
    Text1 = crear<QLineEdit>(area, "Text1", QStringLiteral("Editor de celda"),
                             enTwips(2760, 3990, 900, 195));
    Text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text1->setFocusPolicy(Qt::ClickFocus);
}

void Controls::crearMatrices(QWidget* area)
{
    Fr_Mat = crear<QFrame>(area, "Fr_Mat", QStringLiteral("Matrices B y C"),
                           enTwips(105, 870, 6990, 3765));
    Fr_Mat->setFrameShape(QFrame::NoFrame);
    Fr_Mat->hide();
    Label2 = rotulo(Fr_Mat, "Label2", QStringLiteral("Matriz B"), enTwips(15, 30, 3375, 285));
    Label1 = rotulo(Fr_Mat, "Label1", QStringLiteral("Matriz C"), enTwips(3600, 30, 3375, 285));
    F_Rint[0] = cuadricula(Fr_Mat, "F_Rint_0", QStringLiteral("Matriz B"),
                           enTwips(0, 405, 3390, 3345), 4, 0, 0, 0);
    F_Rint[1] = cuadricula(Fr_Mat, "F_Rint_1", QStringLiteral("Matriz C"),
                           enTwips(3600, 405, 3390, 3345), 4, 0, 0, 0);
}

void Controls::crearSolucion(QWidget* area)
{
    Et1 = rotulo(area, "Et1", QStringLiteral("Solución"), enTwips(7215, 885, 1950, 330));
    Et1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Et1->setAutoFillBackground(true);
    Et1->setBackgroundRole(QPalette::Dark);
    Et1->setForegroundRole(QPalette::HighlightedText);
    F_Resp = cuadricula(area, "F_Resp", QStringLiteral("Solución"), enTwips(7215, 1290, 1950, 3345),
                        0, 2, 0, 1);
}

// The lower row: the number of equations, the tip and the method.
void Controls::crearMarcosInferiores(QWidget* area)
{
    const QString numero = QStringLiteral("Número de Ecuaciones [ %1-%2 ]")
                               .arg(EquationCount::kMinimum)
                               .arg(EquationCount::kMaximum);
    F_Inc = crear<QGroupBox>(area, "F_Inc", numero, enTwips(105, 4710, 2850, 960), numero);
    Frame1[0] = crear<QGroupBox>(area, "Frame1_0", QStringLiteral("Sugerencia"),
                                 enTwips(3210, 4710, 2850, 960));
    Frame1[1] =
        crear<QGroupBox>(area, "Frame1_1", QStringLiteral("Método de Cálculo"),
                         enTwips(6315, 4710, 2850, 960), QStringLiteral("Método de Cálculo"));
}

void Controls::crearEntradaDelNumero()
{
    T_Incog = crear<NumberBox>(F_Inc, "T_Incog", QStringLiteral("Número de ecuaciones"),
                               enTwips(315, 360, 735, 330), QStringLiteral("4"));
    T_Incog->setAlignment(Qt::AlignCenter);
    B_Num = crear<NumberScrollBar>(F_Inc, "B_Num", QStringLiteral("Número de ecuaciones"),
                                   enTwips(1035, 360, 240, 330));
    B_Num->setRange(EquationCount::kMinimum, EquationCount::kMaximum);
    B_Num->setSingleStep(1);
    B_Num->setPageStep(1);
    B_Num->setValue(4);
    B_Num->setFocusPolicy(Qt::StrongFocus);
    new FocusIndicator(*B_Num);
    B_Incog = crear<QPushButton>(F_Inc, "B_Incog", QStringLiteral("Ingresar"),
                                 enTwips(1440, 360, 1185, 375), QStringLiteral("Ingresar"));
}

void Controls::crearSugerencia()
{
    Image1 =
        crear<QLabel>(Frame1[0], "Image1", QStringLiteral("Bombilla"), enTwips(45, 270, 480, 480));
    Image1->setPixmap(QPixmap(QStringLiteral(":/bombilla.png")));
    // Read by its text, which Qt announces at every change; what it is goes in the description.
    Et_tip = crear<QLabel>(Frame1[0], "Et_tip", QString(), enTwips(540, 180, 2220, 645));
    Et_tip->setAccessibleDescription(QStringLiteral("Sugerencia"));
    Et_tip->setWordWrap(true);
    Et_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Controls::crearMetodos()
{
    Op_Ch = crear<QRadioButton>(Frame1[1], "Op_Ch", QStringLiteral("Método de Choleski"),
                                enTwips(360, 225, 2355, 330), QStringLiteral("Método de Choleski"));
    Op_Ch->setChecked(true);
    Op_Gauss = crear<QRadioButton>(
        Frame1[1], "Op_Gauss", QStringLiteral("Método de Gauss - Jordan"),
        enTwips(360, 540, 2400, 330), QStringLiteral("Método de Gauss - Jordan"));
}

// The status line inside a sunken rectangle: dark above and left, light below and right.
void Controls::crearLineaDeEstado(QWidget* area)
{
    Et_st = crear<StatusLine>(area, "Et_st", QString(), enTwips(195, 5790, 7725, 195),
                              QStringLiteral("Listo"));
    Et_st->setAccessibleDescription(QStringLiteral("Estado"));
    Line[0] = linea(area, "Line1", lineaEntre(105, 5790, 9150, 5790), QPalette::Dark);
    Line[1] = linea(area, "Line2", lineaEntre(105, 6015, 105, 5790), QPalette::Dark);
    Line[2] = linea(area, "Line3", lineaEntre(9150, 6015, 105, 6015), QPalette::Light);
    Line[3] = linea(area, "Line4", lineaEntre(9150, 5790, 9150, 6015), QPalette::Light);
}

void Controls::crearMenus(QMainWindow& ventana)
{
    mnuArchivo = menu(ventana, "mnuArchivo", QStringLiteral("&Archivo"));
    mnuNuevo = accion(mnuArchivo, "mnuNuevo", QStringLiteral("&Nuevo Cálculo"), Qt::Key_F2);
    MnuCalcular = accion(mnuArchivo, "MnuCalcular", QStringLiteral("&Iniciar Cálculo"), Qt::Key_F4);
    MnuCalcular->setEnabled(false);
    mnuArchivo->addSeparator()->setObjectName(QStringLiteral("Sp"));
    MnuGenera =
        accion(mnuArchivo, "MnuGenera", QStringLiteral("&Generar valores aleatorios"), Qt::Key_F3);
    MnuGenera->setEnabled(false);
    mnuArchivo->addSeparator()->setObjectName(QStringLiteral("SpSistema"));
    mnuAbrir = accion(mnuArchivo, "mnuAbrir", QStringLiteral("A&brir sistema…"),
                      (Qt::CTRL | Qt::Key_O).toCombined());
    mnuGuardar = accion(mnuArchivo, "mnuGuardar", QStringLiteral("G&uardar sistema…"),
                        (Qt::CTRL | Qt::Key_S).toCombined());
    mnuArchivo->addSeparator()->setObjectName(QStringLiteral("S"));
    mnuSalir = accion(mnuArchivo, "mnuSalir", QStringLiteral("&Salir"));
    mnuOpciones = menu(ventana, "mnuOpciones", QStringLiteral("&Opciones"));
    mnuOp = accion(mnuOpciones, "mnuOp", QStringLiteral("Ajustar &Columnas"), Qt::Key_F5);
    mnuHelp = menu(ventana, "mnuHelp", QStringLiteral("&Información"));
    mnuHelpAbout = accion(mnuHelp, "mnuHelpAbout", QStringLiteral("&Acerca de..."), Qt::Key_F1);
}

// The keyboard order of the controls that take the focus; Text1 is not among them.
void Controls::ordenarTabulacion()
{
    QWidget* const orden[] = {T_Incog,    B_Incog,   Cuadric,   Op_Ch,    Op_Gauss,
                              B_Calcular, B_Mostrar, Command1,  Command2, B_Salir,
                              B_Nuevo,    F_Rint[0], F_Rint[1], F_Resp,   B_Num};
    for (std::size_t i = 1; i < std::size(orden); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);
}
