#include "ui/Controles.h"

#include "grid/GridControl.h"
#include "grid/Twips.h"
#include "ui/CajaNumero.h"

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
    return g;
}

QFrame* linea(QWidget* padre, const char* nombre, const QRect& sitio, QPalette::ColorRole color)
{
    auto* l = crear<QFrame>(padre, nombre, QStringLiteral("Borde de la línea de estado"), sitio);
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

Controles Controles::construir(QMainWindow& ventana)
{
    Controles c{};
    auto* area = new QWidget(&ventana);
    area->setFixedSize(enTwips(0, 0, 9300, 6135).size());
    ventana.setCentralWidget(area);

    // Top band: only its lower border shows under the menu bar.
    c.Frame2 =
        crear<QGroupBox>(area, "Frame2", QStringLiteral("Botones"), enTwips(-45, -90, 9465, 870));
    c.B_Nuevo = botonGrafico(
        c.Frame2, "B_Nuevo", QStringLiteral("Nuevo Cálculo"), enTwips(165, 180, 1365, 600),
        icono(QStringLiteral(":/nuevo.png"), QStringLiteral(":/nuevo_gris.png")));
    c.B_Mostrar =
        botonGrafico(c.Frame2, "B_Mostrar", QStringLiteral("Matrices B-C"),
                     enTwips(1530, 180, 1365, 600), icono(QStringLiteral(":/mostrar.png")));
    c.B_Calcular =
        botonGrafico(c.Frame2, "B_Calcular", QStringLiteral("Calcular"),
                     enTwips(3105, 180, 1410, 600), icono(QStringLiteral(":/calcular.png")));
    c.B_Calcular->setEnabled(false);
    c.Command1 = botonGrafico(
        c.Frame2, "Command1", QStringLiteral("Ajustar Columnas"), enTwips(4710, 180, 1500, 600),
        icono(QStringLiteral(":/ajustar.png"), QStringLiteral(":/ajustar_gris.png")));
    QIcon informacion;
    for (const char* tamano : {"16", "24", "32", "48"})
        informacion.addFile(QStringLiteral(":/informacion%1.png").arg(QLatin1String(tamano)));
    c.Command2 = botonGrafico(c.Frame2, "Command2", QStringLiteral("Información"),
                              enTwips(6210, 180, 1500, 600), informacion);
    c.B_Salir =
        botonGrafico(c.Frame2, "B_Salir", QStringLiteral("Salir"), enTwips(7710, 180, 1500, 600),
                     icono(QStringLiteral(":/salir.png"), QStringLiteral(":/salir_gris.png")));

    // Worksheet area: the worksheet and the matrices frame share it, one shown at a time.
    c.Cuadric = cuadricula(area, "Cuadric", QStringLiteral("Hoja de datos"),
                           enTwips(105, 885, 6990, 3735), 2, 0, 1, 0);
    // The plus sign's hot spot is its centre.
    c.Cuadric->setCursor(QCursor(QPixmap(QStringLiteral(":/cursor_mas.png")), 15, 15));
    c.Text1 = crear<QLineEdit>(area, "Text1", QStringLiteral("Editor de celda"),
                               enTwips(2760, 3990, 900, 195));
    c.Text1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.Text1->setFocusPolicy(Qt::ClickFocus);

    c.Fr_Mat = crear<QFrame>(area, "Fr_Mat", QStringLiteral("Matrices B y C"),
                             enTwips(105, 870, 6990, 3765));
    c.Fr_Mat->setFrameShape(QFrame::NoFrame);
    c.Fr_Mat->hide();
    c.Label2 = rotulo(c.Fr_Mat, "Label2", QStringLiteral("Matriz B"), enTwips(15, 30, 3375, 285));
    c.Label1 = rotulo(c.Fr_Mat, "Label1", QStringLiteral("Matriz C"), enTwips(3600, 30, 3375, 285));
    c.F_Rint[0] = cuadricula(c.Fr_Mat, "F_Rint_0", QStringLiteral("Matriz B"),
                             enTwips(0, 405, 3390, 3345), 4, 0, 0, 0);
    c.F_Rint[1] = cuadricula(c.Fr_Mat, "F_Rint_1", QStringLiteral("Matriz C"),
                             enTwips(3600, 405, 3390, 3345), 4, 0, 0, 0);

    // Solution area.
    c.Et1 = rotulo(area, "Et1", QStringLiteral("Solución"), enTwips(7215, 885, 1950, 330));
    c.Et1->setFrameStyle(QFrame::Box | QFrame::Plain);
    c.Et1->setAutoFillBackground(true);
    c.Et1->setBackgroundRole(QPalette::Dark);
    c.Et1->setForegroundRole(QPalette::HighlightedText);
    c.F_Resp = cuadricula(area, "F_Resp", QStringLiteral("Solución"),
                          enTwips(7215, 1290, 1950, 3345), 0, 2, 0, 1);

    // Lower row of frames.
    c.F_Inc = crear<QGroupBox>(area, "F_Inc", QStringLiteral("Número de Ecuaciones [ 2-100 ]"),
                               enTwips(105, 4710, 2850, 960),
                               QStringLiteral("Número de Ecuaciones [ 2-100 ]"));
    c.Frame1[0] = crear<QGroupBox>(area, "Frame1_0", QStringLiteral("Sugerencia"),
                                   enTwips(3210, 4710, 2850, 960));
    c.Frame1[1] =
        crear<QGroupBox>(area, "Frame1_1", QStringLiteral("Método de Cálculo"),
                         enTwips(6315, 4710, 2850, 960), QStringLiteral("Método de Cálculo"));

    c.T_Incog = crear<CajaNumero>(c.F_Inc, "T_Incog", QStringLiteral("Número de ecuaciones"),
                                  enTwips(315, 360, 735, 330), QStringLiteral("4"));
    c.T_Incog->setAlignment(Qt::AlignCenter);
    c.B_Num = crear<QScrollBar>(c.F_Inc, "B_Num", QStringLiteral("Número de ecuaciones"),
                                enTwips(1035, 360, 240, 330), Qt::Vertical);
    c.B_Num->setRange(2, 100);
    c.B_Num->setSingleStep(1);
    c.B_Num->setPageStep(1);
    c.B_Num->setValue(4);
    c.B_Num->setFocusPolicy(Qt::StrongFocus);
    c.B_Incog = crear<QPushButton>(c.F_Inc, "B_Incog", QStringLiteral("Ingresar"),
                                   enTwips(1440, 360, 1185, 375), QStringLiteral("Ingresar"));

    c.Image1 = crear<QLabel>(c.Frame1[0], "Image1", QStringLiteral("Bombilla"),
                             enTwips(45, 270, 480, 480));
    c.Image1->setPixmap(QPixmap(QStringLiteral(":/bombilla.png")));
    c.Et_tip = crear<QLabel>(c.Frame1[0], "Et_tip", QStringLiteral("Sugerencia"),
                             enTwips(540, 180, 2220, 645));
    c.Et_tip->setWordWrap(true);
    c.Et_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    c.Op_Ch =
        crear<QRadioButton>(c.Frame1[1], "Op_Ch", QStringLiteral("Método de Choleski"),
                            enTwips(360, 225, 2355, 330), QStringLiteral("Método de Choleski"));
    c.Op_Ch->setChecked(true);
    c.Op_Gauss = crear<QRadioButton>(
        c.Frame1[1], "Op_Gauss", QStringLiteral("Método de Gauss - Jordan"),
        enTwips(360, 540, 2400, 330), QStringLiteral("Método de Gauss - Jordan"));

    // Status line inside a sunken rectangle: dark above and left, light below and right.
    c.Et_st = crear<QLabel>(area, "Et_st", QStringLiteral("Estado"), enTwips(195, 5790, 7725, 195),
                            QStringLiteral("Listo"));
    c.Line[0] = linea(area, "Line1", lineaEntre(105, 5790, 9150, 5790), QPalette::Dark);
    c.Line[1] = linea(area, "Line2", lineaEntre(105, 6015, 105, 5790), QPalette::Dark);
    c.Line[2] = linea(area, "Line3", lineaEntre(9150, 6015, 105, 6015), QPalette::Light);
    c.Line[3] = linea(area, "Line4", lineaEntre(9150, 5790, 9150, 6015), QPalette::Light);

    c.mnuArchivo = menu(ventana, "mnuArchivo", QStringLiteral("&Archivo"));
    c.mnuNuevo = accion(c.mnuArchivo, "mnuNuevo", QStringLiteral("&Nuevo Cálculo"), Qt::Key_F2);
    c.MnuCalcular =
        accion(c.mnuArchivo, "MnuCalcular", QStringLiteral("&Iniciar Cálculo"), Qt::Key_F4);
    c.MnuCalcular->setEnabled(false);
    c.mnuArchivo->addSeparator()->setObjectName(QStringLiteral("Sp"));
    c.MnuGenera = accion(c.mnuArchivo, "MnuGenera", QStringLiteral("&Generar valores aleatorios"),
                         Qt::Key_F3);
    c.MnuGenera->setEnabled(false);
    c.mnuArchivo->addSeparator()->setObjectName(QStringLiteral("S"));
    c.mnuSalir = accion(c.mnuArchivo, "mnuSalir", QStringLiteral("&Salir"));
    c.mnuOpciones = menu(ventana, "mnuOpciones", QStringLiteral("&Opciones"));
    c.mnuOp = accion(c.mnuOpciones, "mnuOp", QStringLiteral("Ajustar &Columnas"), Qt::Key_F5);
    c.mnuHelp = menu(ventana, "mnuHelp", QStringLiteral("&Información"));
    c.mnuHelpAbout = accion(c.mnuHelp, "mnuHelpAbout", QStringLiteral("&Acerca de..."), Qt::Key_F1);

    // The keyboard order of the controls that take the focus; Text1 is not among them.
    QWidget* const orden[] = {c.T_Incog,    c.B_Incog,   c.Cuadric,   c.Op_Ch,    c.Op_Gauss,
                              c.B_Calcular, c.B_Mostrar, c.Command1,  c.Command2, c.B_Salir,
                              c.B_Nuevo,    c.F_Rint[0], c.F_Rint[1], c.F_Resp,   c.B_Num};
    for (std::size_t i = 1; i < std::size(orden); ++i)
        QWidget::setTabOrder(orden[i - 1], orden[i]);
    return c;
}
