#include "WindowFixture.h"

#include "ModalCloser.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

WindowControls::WindowControls(const QWidget& v)
    : Cuadric(child<GridControl>(v, "Cuadric")),
      F_Resp(child<GridControl>(v, "F_Resp")), F_Rint{child<GridControl>(v, "F_Rint_0"), child<GridControl>(v, "F_Rint_1")},
      T_Incog(child<QLineEdit>(v, "T_Incog")), Text1(child<QLineEdit>(v, "Text1")), B_Num(child<QScrollBar>(v, "B_Num")),
      B_Nuevo(child<QAbstractButton>(v, "B_Nuevo")), B_Mostrar(child<QAbstractButton>(v, "B_Mostrar")),
      B_Calcular(child<QAbstractButton>(v, "B_Calcular")), Command1(child<QAbstractButton>(v, "Command1")),
      Command2(child<QAbstractButton>(v, "Command2")), B_Salir(child<QAbstractButton>(v, "B_Salir")),
      B_Incog(child<QAbstractButton>(v, "B_Incog")), Op_Ch(child<QRadioButton>(v, "Op_Ch")), Op_Gauss(child<QRadioButton>(v, "Op_Gauss")),
      Fr_Mat(child<QWidget>(v, "Fr_Mat")), Et_st(child<QLabel>(v, "Et_st")), Et_tip(child<QLabel>(v, "Et_tip")),
      mnuNuevo(child<QAction>(v, "mnuNuevo")), MnuCalcular(child<QAction>(v, "MnuCalcular")), MnuGenera(child<QAction>(v, "MnuGenera")),
      mnuSalir(child<QAction>(v, "mnuSalir")), mnuOp(child<QAction>(v, "mnuOp")), mnuHelpAbout(child<QAction>(v, "mnuHelpAbout")),
      menuBar(v.findChild<QMenuBar*>())
{}

std::vector<std::pair<const char*, QWidget*>> WindowControls::enablingSet() const
{
    return {{"B_Nuevo", B_Nuevo},   {"B_Mostrar", B_Mostrar}, {"B_Calcular", B_Calcular}, {"Command1", Command1},
            {"Command2", Command2}, {"B_Salir", B_Salir},     {"T_Incog", T_Incog},       {"B_Incog", B_Incog},
            {"B_Num", B_Num},       {"Op_Ch", Op_Ch},         {"Op_Gauss", Op_Gauss}};
}

WindowFixture::WindowFixture(std::unique_ptr<FrmP> window) : v(std::move(window))
{
    v->show();
    QApplication::setActiveWindow(v.get());
    QVERIFY2(QTest::qWaitForWindowActive(v.get()), "la ventana principal no se activa");
}

void WindowFixture::accept(const QString& n) const
{
    p.T_Incog->setText(n);
    p.B_Incog->click();
}

void WindowFixture::fill(const Table& rows) const
{
    for (int i = 0; i < rows.size(); ++i)
        for (int j = 0; j < rows[i].size(); ++j)
            p.Cuadric->setTextMatrix(i + 1, j + 1, rows[i][j]);
}

QStringList WindowFixture::solve(const Table& rows, bool choleski) const
{
    accept(QString::number(rows.size()));
    fill(rows);
    (choleski ? p.Op_Ch : p.Op_Gauss)->setChecked(true);
    const ModalCloser closer;
    p.B_Calcular->click();
    return closer.shown();
}

void WindowFixture::atCell(int row, int col) const
{
    p.Cuadric->setFocus();
    p.Cuadric->setRow(row);
    p.Cuadric->setCol(col);
}

void WindowFixture::paste(const QString& block, int row, int col) const
{
    QGuiApplication::clipboard()->setText(block);
    atCell(row, col);
    QTest::keyClick(p.Cuadric, Qt::Key_V, Qt::ControlModifier);
}

QStringList WindowFixture::disabled() const
{
    QStringList d;
    for (const auto& [name, control] : p.enablingSet())
        if (!control->isEnabled())
            d << QLatin1String(name);
    for (const QAction* a : {p.mnuNuevo, p.MnuCalcular, p.MnuGenera})
        if (!a->isEnabled())
            d << a->objectName();
    return d;
}

QStringList WindowFixture::column(const GridControl& g, int col)
{
    QStringList c;
    for (int i = 0; i < g.Rows(); ++i)
        c << g.TextMatrix(i, col);
    return c;
}
