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

using Table = QList<QStringList>;

// A control by its name; a missing one ends the run, since every test after it would fail.
template <typename T> inline T* child(const QWidget& v, const char* name)
{
    auto* h = v.findChild<T*>(QLatin1String(name));
    if (!h)
        qFatal("no control %s", name);
    return h;
}

// The main window's controls, found by their names.
struct WindowControls
{
    explicit WindowControls(const QWidget& v);

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
    QMenuBar* menuBar;

    // The eleven controls that a calculation switches off and on, in their order.
    std::vector<std::pair<const char*, QWidget*>> enablingSet() const;
};

// The program's main window as a test starts it: shown and active, its controls at hand.
class WindowFixture
{
public:
    WindowFixture() : WindowFixture(std::make_unique<FrmP>()) {}
    // A window of the test's own making, such as one whose calculation fails part way.
    explicit WindowFixture(std::unique_ptr<FrmP> window);

    template <typename T = QWidget> T* w(const char* name) const { return child<T>(*v, name); }
    QAction* action(const char* name) const { return w<QAction>(name); }

    // The number typed into its box, then "Ingresar".
    void accept(const QString& n) const;
    // The worksheet's body, from its first cell on.
    void fill(const Table& rows) const;
    // The system typed into a worksheet laid out for it and solved by the method through
    // "Calcular"; what the boxes shown meanwhile said, each one closed.
    QStringList solve(const Table& rows, bool choleski) const;
    // The worksheet's body cells, row by row.
    QStringList body() const { return cellTexts(*p.Cuadric, 1, 1); }
    // The worksheet focused, its current cell at (row, col).
    void atCell(int row, int col) const;
    // The block through the clipboard, pasted with Ctrl+V at (row, col).
    void paste(const QString& block, int row = 1, int col = 1) const;
    // The solution grid's values, top down.
    QStringList solution() const { return column(*p.F_Resp, 1); }
    QString tip() const { return p.Et_tip->text(); }
    QString status() const { return p.Et_st->text(); }
    // The disabled members of the enabling set, then of the three menu items that follow
    // the worksheet.
    QStringList disabled() const;

    static QStringList column(const GridControl& g, int col);
    // Every cell, row by row.
    static QStringList cells(const GridControl& g) { return cellTexts(g); }

    std::unique_ptr<FrmP> v;
    const WindowControls p{*v};
};
