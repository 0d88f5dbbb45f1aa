#pragma once

#include "WorksheetGrid.h"

#include "grid/GridControl.h"
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>

#include <array>
#include <memory>
#include <utility>
#include <vector>

using Filas = QList<QStringList>;

// A control by its name; a missing one ends the run, since every test after it would fail.
template <typename T> inline T* buscar(const QWidget& v, const char* nombre)
{
    auto* h = v.findChild<T*>(QLatin1String(nombre));
    if (!h)
        qFatal("no control %s", nombre);
    return h;
}

// The main window's controls, found by their names.
struct Piezas
{
    explicit Piezas(const QWidget& v);

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

    // The eleven controls that a calculation switches off and on, in their order.
    std::vector<std::pair<const char*, QWidget*>> conjunto() const;
};

// The program's main window as a test starts it: shown and active, its controls at hand.
class WindowFixture
{
public:
    WindowFixture() : WindowFixture(std::make_unique<FrmP>()) {}
    // A window of the test's own making, such as one whose calculation fails part way.
    explicit WindowFixture(std::unique_ptr<FrmP> ventana);

    template <typename T = QWidget> T* w(const char* nombre) const { return buscar<T>(*v, nombre); }

    // The number typed into its box, then "Ingresar".
    void aceptar(const QString& n) const;
    // The worksheet's body, from its first cell on.
    void llenar(const Filas& filas) const;
    // The worksheet's body cells, row by row.
    QStringList cuerpo() const { return cellTexts(*p.Cuadric, 1, 1); }
    // The worksheet focused, its current cell at (fila, col).
    void enCelda(int fila, int col) const;
    // The block through the clipboard, pasted with Ctrl+V at (fila, col).
    void pegar(const QString& bloque, int fila = 1, int col = 1) const;
    QString tip() const { return p.Et_tip->text(); }
    QString estado() const { return p.Et_st->text(); }
    // The disabled members of the enabling set, then of the three menu items that follow
    // the worksheet.
    QStringList deshabilitados() const;

    static QStringList columna(const GridControl& g, int col);
    // Every cell, row by row.
    static QStringList celdas(const GridControl& g) { return cellTexts(g); }

    std::unique_ptr<FrmP> v;
    const Piezas p{*v};
};
