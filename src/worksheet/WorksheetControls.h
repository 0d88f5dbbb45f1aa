#pragma once

class GridControl;
class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QWidget;

// The controls that accepting n and laying the worksheet out read and write. The main
// window owns them; the worksheet routines only borrow them.
struct WorksheetControls
{
    GridControl& Cuadric;
    GridControl& F_Resp;
    QWidget& Fr_Mat;
    QLineEdit& T_Incog;
    QAbstractButton& B_Calcular;
    QAction& MnuGenera;
    QAction& MnuCalcular;
    QLabel& Et_st;
    QLabel& Et_tip;
};
