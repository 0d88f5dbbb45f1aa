#pragma once

#include "grid/GridControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>

#include <array>
#include <utility>
#include <vector>

template <typename T> inline T* buscar(QWidget& v, const char* nombre)
{
    auto* h = v.findChild<T*>(QLatin1String(nombre));
    if (!h)
        qFatal("no control %s", nombre);
    return h;
}

// The main window's controls, found by their names.
struct Piezas
{
    explicit Piezas(QWidget& v)
        : Cuadric(buscar<GridControl>(v, "Cuadric")),
          F_Resp(buscar<GridControl>(v, "F_Resp")), F_Rint{buscar<GridControl>(v, "F_Rint_0"),
                                                           buscar<GridControl>(v, "F_Rint_1")},
          T_Incog(buscar<QLineEdit>(v, "T_Incog")), Text1(buscar<QLineEdit>(v, "Text1")),
          B_Num(buscar<QScrollBar>(v, "B_Num")), B_Nuevo(buscar<QAbstractButton>(v, "B_Nuevo")),
          B_Mostrar(buscar<QAbstractButton>(v, "B_Mostrar")),
          B_Calcular(buscar<QAbstractButton>(v, "B_Calcular")),
          Command1(buscar<QAbstractButton>(v, "Command1")),
          Command2(buscar<QAbstractButton>(v, "Command2")),
          B_Salir(buscar<QAbstractButton>(v, "B_Salir")),
          B_Incog(buscar<QAbstractButton>(v, "B_Incog")), Op_Ch(buscar<QRadioButton>(v, "Op_Ch")),
          Op_Gauss(buscar<QRadioButton>(v, "Op_Gauss")), Fr_Mat(buscar<QWidget>(v, "Fr_Mat")),
          Et_st(buscar<QLabel>(v, "Et_st")), Et_tip(buscar<QLabel>(v, "Et_tip")),
          mnuNuevo(buscar<QAction>(v, "mnuNuevo")), MnuCalcular(buscar<QAction>(v, "MnuCalcular")),
          MnuGenera(buscar<QAction>(v, "MnuGenera")), mnuSalir(buscar<QAction>(v, "mnuSalir")),
          mnuOp(buscar<QAction>(v, "mnuOp")), mnuHelpAbout(buscar<QAction>(v, "mnuHelpAbout")),
          barra(v.findChild<QMenuBar*>())
    {}

    GridControl* Cuadric;
    GridControl* F_Resp;
    std::array<GridControl*, 2> F_Rint;
    QLineEdit* T_Incog;
    QLineEdit* Text1;
    QScrollBar* B_Num;
    QAbstractButton* B_Nuevo;
    QAbstractButton* B_Mostrar;
    QAbstractButton* B_Calcular;
    QAbstractButton* Command1;
    QAbstractButton* Command2;
    QAbstractButton* B_Salir;
    QAbstractButton* B_Incog;
    QRadioButton* Op_Ch;
    QRadioButton* Op_Gauss;
    QWidget* Fr_Mat;
    QLabel* Et_st;
    QLabel* Et_tip;
    QAction* mnuNuevo;
    QAction* MnuCalcular;
    QAction* MnuGenera;
    QAction* mnuSalir;
    QAction* mnuOp;
    QAction* mnuHelpAbout;
    QMenuBar* barra;

    // The enabling set, in its order.
    std::vector<std::pair<const char*, QWidget*>> conjunto() const
    {
        return {{"B_Nuevo", B_Nuevo},   {"B_Mostrar", B_Mostrar}, {"B_Calcular", B_Calcular},
                {"Command1", Command1}, {"Command2", Command2},   {"B_Salir", B_Salir},
                {"T_Incog", T_Incog},   {"B_Incog", B_Incog},     {"B_Num", B_Num},
                {"Op_Ch", Op_Ch},       {"Op_Gauss", Op_Gauss}};
    }
};
