#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

Piezas::Piezas(const QWidget& v)
    : Cuadric(buscar<GridControl>(v, "Cuadric")),
      F_Resp(buscar<GridControl>(v, "F_Resp")), F_Rint{buscar<GridControl>(v, "F_Rint_0"), buscar<GridControl>(v, "F_Rint_1")},
      T_Incog(buscar<QLineEdit>(v, "T_Incog")), Text1(buscar<QLineEdit>(v, "Text1")), B_Num(buscar<QScrollBar>(v, "B_Num")),
      B_Nuevo(buscar<QAbstractButton>(v, "B_Nuevo")), B_Mostrar(buscar<QAbstractButton>(v, "B_Mostrar")),
      B_Calcular(buscar<QAbstractButton>(v, "B_Calcular")), Command1(buscar<QAbstractButton>(v, "Command1")),
      Command2(buscar<QAbstractButton>(v, "Command2")), B_Salir(buscar<QAbstractButton>(v, "B_Salir")),
      B_Incog(buscar<QAbstractButton>(v, "B_Incog")), Op_Ch(buscar<QRadioButton>(v, "Op_Ch")),
      Op_Gauss(buscar<QRadioButton>(v, "Op_Gauss")), Fr_Mat(buscar<QWidget>(v, "Fr_Mat")), Et_st(buscar<QLabel>(v, "Et_st")),
      Et_tip(buscar<QLabel>(v, "Et_tip")), mnuNuevo(buscar<QAction>(v, "mnuNuevo")), MnuCalcular(buscar<QAction>(v, "MnuCalcular")),
      MnuGenera(buscar<QAction>(v, "MnuGenera")), mnuSalir(buscar<QAction>(v, "mnuSalir")), mnuOp(buscar<QAction>(v, "mnuOp")),
      mnuHelpAbout(buscar<QAction>(v, "mnuHelpAbout")), barra(v.findChild<QMenuBar*>())
{}

std::vector<std::pair<const char*, QWidget*>> Piezas::conjunto() const
{
    return {{"B_Nuevo", B_Nuevo},   {"B_Mostrar", B_Mostrar}, {"B_Calcular", B_Calcular}, {"Command1", Command1},
            {"Command2", Command2}, {"B_Salir", B_Salir},     {"T_Incog", T_Incog},       {"B_Incog", B_Incog},
            {"B_Num", B_Num},       {"Op_Ch", Op_Ch},         {"Op_Gauss", Op_Gauss}};
}

WindowFixture::WindowFixture(std::unique_ptr<FrmP> ventana) : v(std::move(ventana))
{
    v->show();
    QApplication::setActiveWindow(v.get());
    QVERIFY2(QTest::qWaitForWindowActive(v.get()), "la ventana principal no se activa");
}

void WindowFixture::aceptar(const QString& n) const
{
    p.T_Incog->setText(n);
    p.B_Incog->click();
}

void WindowFixture::llenar(const Filas& filas) const
{
    for (int i = 0; i < filas.size(); ++i)
        for (int j = 0; j < filas[i].size(); ++j)
            p.Cuadric->setTextMatrix(i + 1, j + 1, filas[i][j]);
}

void WindowFixture::enCelda(int fila, int col) const
{
    p.Cuadric->setFocus();
    p.Cuadric->setRow(fila);
    p.Cuadric->setCol(col);
}

void WindowFixture::pegar(const QString& bloque, int fila, int col) const
{
    QGuiApplication::clipboard()->setText(bloque);
    enCelda(fila, col);
    QTest::keyClick(p.Cuadric, Qt::Key_V, Qt::ControlModifier);
}

QStringList WindowFixture::deshabilitados() const
{
    QStringList d;
    for (const auto& [nombre, control] : p.conjunto())
        if (!control->isEnabled())
            d << QLatin1String(nombre);
    for (const QAction* a : {p.mnuNuevo, p.MnuCalcular, p.MnuGenera})
        if (!a->isEnabled())
            d << a->objectName();
    return d;
}

QStringList WindowFixture::columna(const GridControl& g, int col)
{
    QStringList c;
    for (int i = 0; i < g.Rows(); ++i)
        c << g.TextMatrix(i, col);
    return c;
}
