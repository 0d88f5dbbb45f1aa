#pragma once

#include <array>

class NumberBox;
class GridControl;
class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QWidget;

// Every control and menu item of the main window. The window owns the widgets through
// Qt's parent chain; this only points at them.
struct Controls
{
    QGroupBox* Frame2;
    QToolButton* B_Nuevo;
    QToolButton* B_Mostrar;
    QToolButton* B_Calcular;
    QToolButton* Command1;
    QToolButton* Command2;
    QToolButton* B_Salir;

    GridControl* Cuadric;
    QLineEdit* Text1;
    QFrame* Fr_Mat;
    QLabel* Label2;
    QLabel* Label1;
    std::array<GridControl*, 2> F_Rint;

    QLabel* Et1;
    GridControl* F_Resp;

    QGroupBox* F_Inc;
    std::array<QGroupBox*, 2> Frame1;
    NumberBox* T_Incog;
    QScrollBar* B_Num;
    QPushButton* B_Incog;
    QLabel* Image1;
    QLabel* Et_tip;
    QRadioButton* Op_Ch;
    QRadioButton* Op_Gauss;

    QLabel* Et_st;
    std::array<QFrame*, 4> Line; // Line1 .. Line4

    QMenu* mnuArchivo;
    QAction* mnuNuevo;
    QAction* MnuCalcular;
    QAction* MnuGenera;
    QAction* mnuAbrir;
    QAction* mnuGuardar;
    QAction* mnuSalir;
    QMenu* mnuOpciones;
    QAction* mnuOp;
    QMenu* mnuHelp;
    QAction* mnuHelpAbout;

    // Builds the controls and the menu bar on the window, with their first places, texts,
    // states and tab order.
    static Controls construir(QMainWindow& ventana);

private:
    void crearBotones(QWidget* area);
    void crearHoja(QWidget* area);
    void crearMatrices(QWidget* area);
    void crearSolucion(QWidget* area);
    void crearMarcosInferiores(QWidget* area);
    void crearEntradaDelNumero();
    void crearSugerencia();
    void crearMetodos();
    void crearLineaDeEstado(QWidget* area);
    void crearMenus(QMainWindow& ventana);
    void ordenarTabulacion();
};
