#include "ui/FrmP.h"

#include "grid/GridControl.h"
#include "ui/DialogFont.h"
#include "ui/FactorsHint.h"
#include "ui/Generales.h"
#include "ui/InstallControlAccessibility.h"
#include "ui/LoadResources.h"
#include "ui/NoteHiddenDigits.h"
#include "ui/NoticeBalloon.h"
#include "ui/NumberBox.h"
#include "ui/SolutionVerification.h"
#include "ui/SolveReportExport.h"
#include "ui/SolveSteps.h"
#include "ui/StaleResults.h"
#include "ui/SystemFiles.h"
#include "ui/frmAbout.h"
#include "worksheet/AcceptEquationCount.h"
#include "worksheet/AjustarColumnas.h"
#include "worksheet/CellEditor.h"
#include "worksheet/EquationCount.h"
#include "worksheet/FillRandom.h"
#include "worksheet/GridCells.h"
#include "worksheet/RefusedCells.h"
#include "worksheet/ShowMessage.h"
#include "worksheet/TabularPaste.h"
#include "worksheet/TextWidthTable.h"
#include "worksheet/WorksheetControls.h"
#include "worksheet/WorksheetHistory.h"
#include "worksheet/WorksheetTexts.h"

#include "solver/NumberText.h"
#include "solver/RuntimeError.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <new>
#include <utility>
#include <vector>

namespace {

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
    setFont(dialogFont());

    c_ = Controls::construir(*this);
    editor_ = new CellEditor(*c_.Cuadric, *c_.Text1, this);
    verification_ = new SolutionVerification(*this, *c_.Cuadric, *c_.F_Resp);
    new FactorsHint(*c_.Fr_Mat, *c_.F_Rint[0], *c_.F_Rint[1]);
    new SolveReportExport(*this, c_, *verification_);
    steps_ = new SolveSteps(*this, *c_.Cuadric, *c_.F_Resp);

    // Pasting a block lands after an open edit, never under it.
    c_.Cuadric->setPasteEnabled(true);
    connect(c_.Cuadric, &GridControl::BeforePaste, editor_, &CellEditor::commit);
    // Made after that connection: the history reads the cells a paste overwrites once the
    // pending edit is in them, so the edit and the paste are two steps.
    history_ = new WorksheetHistory(*c_.Cuadric, *c_.T_Incog,
                                    {[this](const QString& numero) {
                                         c_.T_Incog->setText(numero);
                                         acceptEquationCount(sheet(), data_);
                                     },
                                     [this] { newCalculation(); }},
                                    this);
    stale_ = new StaleResults(*c_.Cuadric, *c_.F_Resp, c_.F_Rint, this);
    markRefusedCells(*c_.Cuadric);
    connect(editor_, &CellEditor::Committed, history_, &WorksheetHistory::celdaEditada);
    connect(history_, &WorksheetHistory::antesDeAplicar, editor_, &CellEditor::commit);
    c_.Cuadric->setContextActions({history_->deshacer(), history_->rehacer()}, {});
    c_.F_Resp->setContextActions({}, {verification_->action(), steps_->action()});
    c_.F_Rint[0]->setContextActions({}, {steps_->action()});
    c_.F_Rint[1]->setContextActions({}, {steps_->action()});
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
    connect(c_.mnuHelpAbout, &QAction::triggered, this, &FrmP::showAbout);
    connect(c_.B_Salir, &QToolButton::clicked, this, &FrmP::quit);
    connect(c_.mnuSalir, &QAction::triggered, this, &FrmP::quit);

    notice_ = new NoticeBalloon(*this);
    files_ = std::make_unique<SystemFiles>(*this);
    connect(new TabularPaste(*c_.Cuadric, this), &TabularPaste::aviso, this,
            [this](const QString& texto) { notice_->showOver(*c_.Cuadric, texto); });
    connect(c_.mnuAbrir, &QAction::triggered, this, &FrmP::mnuAbrir_Click);
    connect(c_.mnuGuardar, &QAction::triggered, this, &FrmP::mnuGuardar_Click);
    setAcceptDrops(true);

    Generales::Inicializar(*this, c_);
    c_.T_Incog->setFocus();

    adjustSize();
    setFixedSize(size());
    if (const QScreen* pantalla = screen())
        move(pantalla->availableGeometry().center() - rect().center());
}

FrmP::~FrmP() = default;

WorksheetControls FrmP::sheet() const
{
    return {*c_.Cuadric,   *c_.F_Resp,      *c_.Fr_Mat, *c_.T_Incog, *c_.B_Calcular,
            *c_.MnuGenera, *c_.MnuCalcular, *c_.Et_st,  *c_.Et_tip};
}

void FrmP::B_Incog_Click()
{
    history_->recordLayoutChange([this] { acceptEquationCount(sheet(), data_); });
}

void FrmP::B_Num_Change(int value)
{
    c_.T_Incog->setText(EquationCount::scrollBarText(value));
}

void FrmP::B_Nuevo_Click()
{
    history_->recordLayoutChange([this] { newCalculation(); });
}

void FrmP::newCalculation()
{
    Generales::NuevoCalculo(*this, c_);
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
    showAbout();
    c_.F_Resp->setFocus();
}

void FrmP::showAbout()
{
    frmAbout::showAbout(this);
}

void FrmP::MnuGenera_Click()
{
    setCursor(Qt::WaitCursor);
    history_->registrar(1, 1, data_.n, data_.n + 1,
                        [this] { fillRandom(*c_.Cuadric, data_.n, random_); });
    unsetCursor();
}

void FrmP::AjustarColumnas(GridControl& grid)
{
    // Built at the first fitting rather than at start-up, which it would slow by a few
    // milliseconds; the window's font never changes after start-up.
    if (!widths_)
        widths_ = std::make_unique<TextWidthTable>(font());
    ::AjustarColumnas(grid, *widths_);
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

void FrmP::quit()
{
    close();
    QCoreApplication::quit();
}

void FrmP::mnuAbrir_Click()
{
    if (const QString ruta = files_->askOpen(); !ruta.isEmpty())
        AbrirSistema(ruta);
}

void FrmP::mnuGuardar_Click()
{
    if (const QString ruta = files_->askSave(); !ruta.isEmpty())
        GuardarSistema(ruta);
}

void FrmP::AbrirSistema(const QString& ruta)
{
    // An open edit is a typed value too.
    editor_->commit();
    const std::optional<SystemTexts> sistema = files_->read(ruta);
    if (!sistema || (WorksheetTexts::holdsValues(*c_.Cuadric) && !files_->confirmReplace(ruta)))
        return;
    // Back from the matrices view first, as its button does, so that n can be accepted.
    if (c_.Cuadric->isHidden())
        B_Mostrar_Click();
    const int n = int(sistema->rows.size());
    bool filled = false;
    // The new layout and the file's texts are one step of the history.
    history_->recordLayoutChange([&] {
        c_.T_Incog->setText(QString::number(n));
        acceptEquationCount(sheet(), data_);
        // A set-up that failed has said so; there is no worksheet to fill.
        filled = c_.Cuadric->Rows() == n + 1 && c_.Cuadric->Cols() == n + 2;
        if (filled)
            WorksheetTexts::fill(*c_.Cuadric, sistema->rows);
    });
    if (!filled)
        return;
    files_->remember(ruta);
    if (sistema->marksConverted) {
        notice_->showOver(*c_.Cuadric,
                          QStringLiteral("Los decimales del archivo se escribieron con «%1», como "
                                         "los escribe su configuración regional.")
                              .arg(QChar(WorksheetTexts::decimalMark())));
    }
}

void FrmP::GuardarSistema(const QString& ruta)
{
    editor_->commit();
    if (c_.Cuadric->Cols() < 2) {
        showMessage(this, QMessageBox::Warning,
                    QStringLiteral("No hay ningún sistema en la hoja: ingrese primero el número "
                                   "de ecuaciones."));
        return;
    }
    if (files_->save(ruta, WorksheetTexts::body(*c_.Cuadric)))
        files_->remember(ruta);
}

namespace {

// The one local file that a drop carries, or an empty text.
QString archivoSoltado(const QMimeData* datos)
{
    if (!datos || !datos->hasUrls() || datos->urls().size() != 1)
        return {};
    const QUrl url = datos->urls().front();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

void FrmP::dragEnterEvent(QDragEnterEvent* event)
{
    if (!archivoSoltado(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FrmP::dropEvent(QDropEvent* event)
{
    const QString ruta = archivoSoltado(event->mimeData());
    if (ruta.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has ended: the drag's source is not kept waiting by a question.
    QTimer::singleShot(0, this, [this, ruta] { AbrirSistema(ruta); });
}

void FrmP::Habilitar(bool b)
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             c_.B_Nuevo, c_.B_Mostrar, c_.B_Calcular, c_.Command1, c_.Command2, c_.B_Salir,
             c_.T_Incog, c_.B_Incog, c_.B_Num, c_.Op_Ch, c_.Op_Gauss})
        w->setEnabled(b);
    history_->setActivo(b);
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
        steps_->calculationStarted(data_);
        // However the command ends, and before any message about it.
        const auto restaurar = qScopeGuard([this] {
            Habilitar(true);
            unsetCursor();
            steps_->calculationFinished();
        });
        // Cleared within the handler's reach: after a failed set-up n can exceed the rows
        // of F_Resp, and that too must end in this command's message.
        GridCells solucion(*c_.F_Resp);
        for (int i = 0; i < data_.n; ++i)
            solucion.setTextMatrix(i, 1, {});
        const std::string separator = QLocale().decimalPoint().toStdString();
        stale_->refreshed(*c_.F_Resp);
        noteHiddenDigits(*c_.F_Resp, {}, separator);
        data_.FilaCambio = 0;
        setCursor(Qt::WaitCursor);
        Habilitar(false);

        const std::unique_ptr<GridCells> celdas = calculationSheet(*c_.Cuadric);
        if (c_.Op_Ch->isChecked())
            solveCholeski(*celdas, separator);
        else
            solveGaussJordan(*celdas, separator);

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

std::unique_ptr<GridCells> FrmP::calculationSheet(GridControl& cuadric)
{
    return std::make_unique<GridCells>(cuadric);
}

void FrmP::readWorksheet(GridCells& sheet, const std::string& separator)
{
    try {
        data_.LeerDatos(sheet, separator);
    } catch (const solver::RuntimeError& e) {
        using solver::RuntimeError;
        if (e.number() == RuntimeError::TypeMismatch || e.number() == RuntimeError::Overflow) {
            c_.Cuadric->setRow(sheet.lastRow());
            c_.Cuadric->setCol(sheet.lastCol());
        }
        throw;
    }
}

void FrmP::solveCholeski(GridCells& sheet, const std::string& separator)
{
    readWorksheet(sheet, separator);
    verification_->systemRead(data_.A);
    steps_->systemRead(solver::Method::Choleski);
    data_.CholeSki();
    c_.F_Rint[0]->setScrollBars(GridControl::ScrollBoth);
    c_.F_Rint[1]->setScrollBars(GridControl::ScrollBoth);
    MostrarMatrices(separator);
    stale_->refreshed(*c_.F_Rint[0]);
    stale_->refreshed(*c_.F_Rint[1]);
    data_.SustAdelante();
    data_.SustAtras();
    MostrarSolucion(separator);
    verification_->solutionShown(verification::Method::Choleski, data_);
}

void FrmP::solveGaussJordan(GridCells& sheet, const std::string& separator)
{
    c_.F_Rint[0]->setRows(0);
    c_.F_Rint[1]->setRows(0);
    c_.F_Rint[0]->setScrollBars(GridControl::ScrollNone);
    c_.F_Rint[1]->setScrollBars(GridControl::ScrollNone);
    readWorksheet(sheet, separator);
    verification_->systemRead(data_.A);
    steps_->systemRead(solver::Method::GaussJordan);

    if (data_.GaussJordan(sheet, separator) == solver::Solver::GaussJordanOutcome::Solved) {
        // The method answers any failure of its display with its own message too.
        try {
            {
                GridCells solucion(*c_.F_Resp);
                const GridControl::BulkUpdate agrupado(*c_.F_Resp);
                for (int g = 0; g < data_.n; ++g)
                    solucion.setTextMatrix(
                        g, 1, solver::fixedFiveText(data_.A.at(g, data_.n), separator));
            }
            c_.F_Resp->setColAlignment(1, GridControl::AlignLeftCenter);
            std::vector<float> valores;
            for (int g = 0; g < data_.n; ++g)
                valores.push_back(data_.A.at(g, data_.n));
            noteHiddenDigits(*c_.F_Resp, std::move(valores), separator);
            // After the grouped writes have been announced, which would disable it again.
            verification_->solutionShown(verification::Method::GaussJordan, data_);
            return;
        } catch (const solver::RuntimeError&) {
        }
    }
    showMessage(this, QMessageBox::Warning,
                QStringLiteral("El sistema no es soluble por este método, inténtelo\n"
                               "por el método de Choleski."));
}

void FrmP::MostrarMatrices(const std::string& separator)
{
    GridControl& b = *c_.F_Rint[0];
    GridControl& c = *c_.F_Rint[1];
    const GridControl::BulkUpdate agrupadoB(b);
    const GridControl::BulkUpdate agrupadoC(c);
    const int n = data_.n;
    b.setCols(n);
    c.setCols(n);
    b.setRows(n);
    c.setRows(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            b.setTextMatrix(i, j, aTexto(solver::generalText(data_.B.at(i, j), separator)));
            c.setTextMatrix(i, j, aTexto(solver::generalText(data_.C.at(i, j), separator)));
        }
    }
}

void FrmP::MostrarSolucion(const std::string& separator)
{
    GridCells solucion(*c_.F_Resp);
    const GridControl::BulkUpdate agrupado(*c_.F_Resp);
    for (int i = 0; i < data_.n; ++i)
        solucion.setTextMatrix(i, 1, solver::generalText(data_.C.at(i, data_.n), separator));
}
