#include "ui/FrmP.h"

#include "grid/GridControl.h"
#include "ui/ControlAccessibility.h"
#include "ui/Generales.h"
#include "ui/NumberBox.h"
#include "ui/Resources.h"
#include "ui/SolutionVerification.h"
#include "ui/SolveSteps.h"
#include "ui/frmAbout.h"
#include "worksheet/AcceptEquationCount.h"
#include "worksheet/AjustarColumnas.h"
#include "worksheet/CellEditor.h"
#include "worksheet/EquationCount.h"
#include "worksheet/FillRandom.h"
#include "worksheet/GridCells.h"
#include "worksheet/ShowMessage.h"
#include "worksheet/TextWidthTable.h"
#include "worksheet/WorksheetControls.h"
#include "worksheet/WorksheetHistory.h"

#include "solver/NumberText.h"
#include "solver/RuntimeError.h"

#include <QAction>
#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

#include <new>

namespace {

// Stands in for the classic dialog font, "MS Sans Serif" 8.25 pt: 11 pixels at 96 dpi.
// Liberation Sans has Arial's metrics, so the captions measure as on the classic desktop.
QFont fuenteDialogo()
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

QString aTexto(const std::string& s)
{
    return QString::fromStdString(s);
}

// The description of the exception being handled, for the message that names it.
QString descripcionDelFallo()
{
    using solver::RuntimeError;
    try {
        throw;
    } catch (const RuntimeError& e) {
        return aTexto(e.description());
    } catch (const std::bad_alloc&) {
        return aTexto(RuntimeError::descriptionOf(RuntimeError::OutOfMemory));
    } catch (...) {
        return aTexto(RuntimeError::descriptionOf(RuntimeError::InternalError));
    }
}

} // namespace

FrmP::FrmP(QWidget* parent) : QMainWindow(parent)
{
    loadResources();
    // Before the first control: the containers must meet the window's own interfaces.
    installControlAccessibility();
    setObjectName(QStringLiteral("FrmP"));
    setWindowTitle(QStringLiteral("Métodos Numéricos : Sorvani"));
    setAccessibleName(windowTitle());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    QIcon icono;
    for (const char* tamano : {"16", "32", "48", "64", "128", "256"})
        icono.addFile(QStringLiteral(":/sorvani%1.png").arg(QLatin1String(tamano)));
    setWindowIcon(icono);
    setFont(fuenteDialogo());

    c_ = Controls::construir(*this);
    editor_ = new CellEditor(*c_.Cuadric, *c_.Text1, this);
    verificacion_ = new SolutionVerification(*this, *c_.Cuadric, *c_.F_Resp);
    pasos_ = new SolveSteps(*this, *c_.Cuadric, *c_.F_Resp);

    // Pasting a block lands after an open edit, never under it.
    c_.Cuadric->setPasteEnabled(true);
    connect(c_.Cuadric, &GridControl::BeforePaste, editor_, &CellEditor::commit);
    // Made after that connection: the history reads the cells a paste overwrites once the
    // pending edit is in them, so the edit and the paste are two steps.
    historial_ = new WorksheetHistory(*c_.Cuadric, this);
    connect(editor_, &CellEditor::Committed, historial_, &WorksheetHistory::celdaEditada);
    connect(historial_, &WorksheetHistory::antesDeAplicar, editor_, &CellEditor::commit);
    c_.Cuadric->setContextActions({historial_->deshacer(), historial_->rehacer()}, {});
    c_.F_Resp->setContextActions({}, {verificacion_->accion(), pasos_->accion()});
    c_.F_Rint[0]->setContextActions({}, {pasos_->accion()});
    c_.F_Rint[1]->setContextActions({}, {pasos_->accion()});
    connect(c_.Cuadric, &GridControl::KeyPress, this, &FrmP::EditarCelda);
    connect(c_.Cuadric, &GridControl::DblClick, this,
            [this] { EditarCelda(CellEditor::DoubleClickCode); });
    connect(c_.B_Incog, &QPushButton::clicked, this, &FrmP::B_Incog_Click);
    connect(c_.T_Incog, &QLineEdit::returnPressed, this, &FrmP::B_Incog_Click);
    connect(c_.B_Num, &QScrollBar::valueChanged, this, &FrmP::B_Num_Change);
    connect(c_.B_Nuevo, &QToolButton::clicked, this, &FrmP::B_Nuevo_Click);
    connect(c_.mnuNuevo, &QAction::triggered, this, &FrmP::B_Nuevo_Click);
    connect(c_.B_Mostrar, &QToolButton::clicked, this, &FrmP::B_Mostrar_Click);
    connect(c_.B_Calcular, &QToolButton::clicked, this, &FrmP::B_Calcular_Click);
    connect(c_.MnuCalcular, &QAction::triggered, this, &FrmP::B_Calcular_Click);
    connect(c_.Command2, &QToolButton::clicked, this, &FrmP::Command2_Click);
    connect(c_.MnuGenera, &QAction::triggered, this, &FrmP::MnuGenera_Click);
    connect(c_.mnuOp, &QAction::triggered, this, &FrmP::mnuOp_Click);
    connect(c_.Command1, &QToolButton::clicked, this, &FrmP::Command1_Click);
    connect(c_.mnuHelpAbout, &QAction::triggered, this, &FrmP::mostrarAcercaDe);
    connect(c_.B_Salir, &QToolButton::clicked, this, &FrmP::salir);
    connect(c_.mnuSalir, &QAction::triggered, this, &FrmP::salir);

    Generales::Inicializar(*this, c_);
    c_.T_Incog->setFocus();

    adjustSize();
    setFixedSize(size());
    if (const QScreen* pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
}

FrmP::~FrmP() = default;

WorksheetControls FrmP::hoja() const
{
    return {*c_.Cuadric,   *c_.F_Resp,      *c_.Fr_Mat, *c_.T_Incog, *c_.B_Calcular,
            *c_.MnuGenera, *c_.MnuCalcular, *c_.Et_st,  *c_.Et_tip};
}

void FrmP::B_Incog_Click()
{
    if (acceptEquationCount(hoja(), datos_))
        historial_->olvidar();
}

void FrmP::B_Num_Change(int valor)
{
    c_.T_Incog->setText(EquationCount::scrollBarText(valor));
}

void FrmP::B_Nuevo_Click()
{
    Generales::NuevoCalculo(*this, c_);
    historial_->olvidar();
    // From the menu in the matrices view the box is disabled and cannot take the focus;
    // the rest of the command still runs.
    if (c_.T_Incog->isEnabled())
        c_.T_Incog->setFocus();
    c_.B_Calcular->setEnabled(false);
    c_.MnuGenera->setEnabled(false);
    c_.MnuCalcular->setEnabled(false);
}

void FrmP::B_Mostrar_Click()
{
    const bool hojaVisible = !c_.Cuadric->isHidden();
    // An edit still open would otherwise float over the matrices: it goes into its cell.
    if (hojaVisible)
        editor_->commit();
    c_.Fr_Mat->setVisible(hojaVisible);
    c_.Cuadric->setVisible(!hojaVisible);
    c_.B_Nuevo->setEnabled(!hojaVisible);
    c_.B_Incog->setEnabled(!hojaVisible);
    c_.T_Incog->setEnabled(!hojaVisible);
    c_.F_Resp->setFocus();
}

void FrmP::Command2_Click()
{
    mostrarAcercaDe();
    c_.F_Resp->setFocus();
}

void FrmP::mostrarAcercaDe()
{
    frmAbout::showAbout(this);
}

void FrmP::MnuGenera_Click()
{
    setCursor(Qt::WaitCursor);
    historial_->registrar(1, 1, datos_.n, datos_.n + 1,
                          [this] { fillRandom(*c_.Cuadric, datos_.n, aleatorio_); });
    unsetCursor();
}

void FrmP::AjustarColumnas(GridControl& grid)
{
    // Built at the first fitting rather than at start-up, which it would slow by a few
    // milliseconds; the window's font never changes after start-up.
    if (!medida_)
        medida_ = std::make_unique<TextWidthTable>(font());
    ::AjustarColumnas(grid, *medida_);
}

void FrmP::mnuOp_Click()
{
    setCursor(Qt::WaitCursor);
    AjustarColumnas(*c_.Cuadric);
    AjustarColumnas(*c_.F_Rint[0]);
    AjustarColumnas(*c_.F_Rint[1]);
    unsetCursor();
}

void FrmP::Command1_Click()
{
    mnuOp_Click();
    c_.F_Resp->setFocus();
    // The header column goes back to the centring the worksheet's layout gives it.
    c_.Cuadric->setColAlignment(0, GridControl::AlignCenterCenter);
}

void FrmP::salir()
{
    close();
    QCoreApplication::quit();
}

void FrmP::Habilitar(bool b)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             c_.B_Nuevo, c_.B_Mostrar, c_.B_Calcular, c_.Command1, c_.Command2, c_.B_Salir,
             c_.T_Incog, c_.B_Incog, c_.B_Num, c_.Op_Ch, c_.Op_Gauss})
        w->setEnabled(b);
    historial_->setActivo(b);
}

void FrmP::EditarCelda(int keyAscii)
{
    editor_->UbicarEditor(keyAscii);
}

void FrmP::B_Calcular_Click()
{
    try {
        // A value still open in the editor is what the user sees in the cell: it must be
        // the one the calculation reads.
        editor_->commit();
        pasos_->calculoIniciado(datos_);
        // However the command ends, and before any message about it.
        const auto restaurar = qScopeGuard([this] {
            Habilitar(true);
            unsetCursor();
            pasos_->calculoTerminado();
        });
        // Cleared within the handler's reach: after a failed set-up n can exceed the rows
        // of F_Resp, and that too must end in this command's message.
        GridCells solucion(*c_.F_Resp);
        for (int i = 0; i < datos_.n; ++i)
            solucion.setTextMatrix(i, 1, {});
        datos_.FilaCambio = 0;
        setCursor(Qt::WaitCursor);
        Habilitar(false);

        const std::string separador = QLocale().decimalPoint().toStdString();
        GridCells celdas(*c_.Cuadric);
        if (c_.Op_Ch->isChecked())
            resolverCholeski(celdas, separador);
        else
            resolverGaussJordan(celdas, separador);

        c_.Et_tip->setText(QStringLiteral(
            "Para editar los datos doble clic o seleccione la celda e ingrese el nuevo valor."));
        c_.F_Resp->setFocus();
    } catch (...) {
        // Memory exhausted or any other failure is reported like the calculation's own
        // errors: an exception must not leave a slot.
        showMessage(this, QMessageBox::Warning,
                    QStringLiteral("Se ha presentado un error, (") + descripcionDelFallo() +
                        QStringLiteral(")\nRevise los datos, o pruebe por el otro método."));
    }
}

void FrmP::resolverCholeski(solver::WorksheetSource& hoja, const std::string& separador)
{
    datos_.LeerDatos(hoja, separador);
    verificacion_->sistemaLeido(datos_.A);
    pasos_->sistemaLeido(solver::Method::Choleski);
    datos_.CholeSki();
    c_.F_Rint[0]->setScrollBars(GridControl::ScrollBoth);
    c_.F_Rint[1]->setScrollBars(GridControl::ScrollBoth);
    MostrarMatrices(separador);
    datos_.SustAdelante();
    datos_.SustAtras();
    MostrarSolucion(separador);
    verificacion_->solucionMostrada(verification::Method::Choleski, datos_);
}

void FrmP::resolverGaussJordan(solver::WorksheetSource& hoja, const std::string& separador)
{
    c_.F_Rint[0]->setRows(0);
    c_.F_Rint[1]->setRows(0);
    c_.F_Rint[0]->setScrollBars(GridControl::ScrollNone);
    c_.F_Rint[1]->setScrollBars(GridControl::ScrollNone);
    datos_.LeerDatos(hoja, separador);
    verificacion_->sistemaLeido(datos_.A);
    pasos_->sistemaLeido(solver::Method::GaussJordan);

    if (datos_.GaussJordan(hoja, separador) == solver::Solver::GaussJordanOutcome::Solved) {
        // The method answers any failure of its display with its own message too.
        try {
            {
                GridCells solucion(*c_.F_Resp);
                const GridControl::BulkUpdate agrupado(*c_.F_Resp);
                for (int g = 0; g < datos_.n; ++g)
                    solucion.setTextMatrix(
                        g, 1, solver::fixedFiveText(datos_.A.at(g, datos_.n), separador));
            }
            c_.F_Resp->setColAlignment(1, GridControl::AlignLeftCenter);
            // After the grouped writes have been announced, which would disable it again.
            verificacion_->solucionMostrada(verification::Method::GaussJordan, datos_);
            return;
        } catch (const solver::RuntimeError&) {
        }
    }
    showMessage(this, QMessageBox::Warning,
                QStringLiteral("El sistema no es soluble por este método, inténtelo\n"
                               "por el método de Choleski."));
}

void FrmP::MostrarMatrices(const std::string& separador)
{
    GridControl& b = *c_.F_Rint[0];
    GridControl& c = *c_.F_Rint[1];
    const GridControl::BulkUpdate agrupadoB(b);
    const GridControl::BulkUpdate agrupadoC(c);
    const int n = datos_.n;
    b.setCols(n);
    c.setCols(n);
    b.setRows(n);
    c.setRows(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            b.setTextMatrix(i, j, aTexto(solver::generalText(datos_.B.at(i, j), separador)));
            c.setTextMatrix(i, j, aTexto(solver::generalText(datos_.C.at(i, j), separador)));
        }
    }
}

void FrmP::MostrarSolucion(const std::string& separador)
{
    GridCells solucion(*c_.F_Resp);
    const GridControl::BulkUpdate agrupado(*c_.F_Resp);
    for (int i = 0; i < datos_.n; ++i)
        solucion.setTextMatrix(i, 1, solver::generalText(datos_.C.at(i, datos_.n), separador));
}
