#include "Watcher.h"

#include "EquationCountOracle.h"
#include "Printable.h"
#include "WindowFixture.h"
#include "WorksheetGrid.h"

#include "ui/FrmP.h"
#include "worksheet/WorksheetHistory.h"

#include "ProgramTexts.h"

#include "solver/RuntimeError.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <utility>

using texts::calculationError;
using texts::kInsoluble;
using texts::kLimit;
using texts::kTipEditing;
using texts::kTipEntry;
using texts::kTipStart;
using texts::worksheetStatus;

Watcher::Watcher(quint64 seed) : random_(seed)
{
    modalCloser_.onShown = [this](QWidget&) { note(); };
    modalCloser_.closeWith = [this](QWidget& modal) { closeModal(modal); };
    modalCloser_.onResisting = [this](QWidget&) { failures_ << QStringLiteral("la ventana modal no se cerró con %1").arg(closedBy_); };
}

void Watcher::watch(FrmP& window, const WindowControls& controls)
{
    v_ = &window;
    p_ = &controls;
    m_ = Model{};
    m_.status = QStringLiteral("Listo");
    m_.tip = kTipStart;
    quit_ = false;
    editorMoved_ = false;
    ++windows_;
    recentChange_ = false;
    stepsInAction_ = 0;
    appliedInAction_ = false;
    solveInAction_ = false;
    previous_ = currentSheet();

    // Connected after the window's own handlers: each of these runs once its command is over.
    const auto on = [this](Command c, const QObject* source = nullptr) { return [this, c, source] { onCommand(c, source); }; };
    const WindowControls& p = controls;
    QObject::connect(p.B_Incog, &QAbstractButton::clicked, &window, on(Command::Accept));
    QObject::connect(p.T_Incog, &QLineEdit::returnPressed, &window, on(Command::Accept));
    QObject::connect(p.B_Nuevo, &QAbstractButton::clicked, &window, on(Command::New));
    QObject::connect(p.mnuNuevo, &QAction::triggered, &window, on(Command::New));
    QObject::connect(p.B_Calcular, &QAbstractButton::clicked, &window, on(Command::Solve));
    QObject::connect(p.MnuCalcular, &QAction::triggered, &window, on(Command::Solve));
    QObject::connect(p.B_Mostrar, &QAbstractButton::clicked, &window, on(Command::Matrices));
    QObject::connect(p.B_Salir, &QAbstractButton::clicked, &window, on(Command::Quit));
    QObject::connect(p.mnuSalir, &QAction::triggered, &window, on(Command::Quit));
    QObject::connect(p.Command2, &QAbstractButton::clicked, &window, on(Command::About, p.Command2));
    QObject::connect(p.mnuHelpAbout, &QAction::triggered, &window, on(Command::About));
    QObject::connect(p.MnuGenera, &QAction::triggered, &window, on(Command::Generate));
    QObject::connect(p.mnuOp, &QAction::triggered, &window, on(Command::Fit));
    QObject::connect(child<QAction>(window, "mnuVerificar"), &QAction::triggered, &window, on(Command::Verify));
    QObject::connect(child<QAction>(window, "mnuPasos"), &QAction::triggered, &window, on(Command::Steps));
    QObject::connect(p.Command1, &QAbstractButton::clicked, &window, on(Command::Fit, p.Command1));
    auto* history = window.findChild<WorksheetHistory*>();
    require(history != nullptr, QStringLiteral("la ventana no tiene historial"));
    if (history) {
        QObject::connect(history, &WorksheetHistory::recorded, &window, [this] { onRecorded(); });
        QObject::connect(history, &WorksheetHistory::applied, &window, [this](bool undone, bool layout) { onApplied(undone, layout); });
    }
    // Moving the bar writes its value, after a blank, into the number box.
    QObject::connect(p.B_Num, &QScrollBar::valueChanged, &window, [this](int value) {
        require(p_->T_Incog->text() == QLatin1Char(' ') + QString::number(value),
                filled(QStringLiteral("la barra en %1 y el número %2"), value, printable(p_->T_Incog->text())));
    });
}

void Watcher::noteClosed()
{
    quit_ = true;
    count(QStringLiteral("cierre de ventana"));
}

void Watcher::require(bool holds, const QString& what)
{
    if (!holds)
        failures_ << what;
}

QStringList Watcher::takeFailures()
{
    return std::exchange(failures_, {});
}

QString Watcher::summary() const
{
    QStringList parts;
    for (const auto& [what, times] : counts_)
        parts << filled(QStringLiteral("%1=%2"), what, times);
    return filled(QStringLiteral("ventanas=%1 n máximo=%2 %3"), windows_, maxN_, parts.join(QLatin1Char(' ')));
}

const char* Watcher::name(Command c)
{
    static const char* const names[] = {"Ingresar", "Nuevo",   "Calcular", "Matrices",  "Salir",
                                        "Acerca",   "Generar", "Ajustar",  "Verificar", "Pasos"};
    return names[int(c)];
}

// ---- commands ----

// The modal windows met since the previous command belong to this one.
void Watcher::onCommand(Command c, const QObject* source)
{
    const QList<Modal> seen = modals_.mid(handled_);
    handled_ = modals_.size();
    const QString command = QLatin1String(name(c));
    count(command);
    const auto noModals = [&] { require(seen.isEmpty(), command + QStringLiteral(" abrió %1 ventanas modales").arg(seen.size())); };
    const auto oneDialog = [&](const char* dialog) {
        require(seen.size() == 1 && seen[0].kind == QLatin1String(dialog),
                filled(QStringLiteral("%1 no mostró %2 una vez (%3 modales)"), command, dialog, seen.size()));
    };

    switch (c) {
    case Command::Accept:
        onAccept(seen);
        break;
    case Command::New:
        noModals();
        sheetCleared();
        break;
    case Command::Solve:
        solveInAction_ = true;
        onSolve(seen);
        break;
    case Command::Matrices:
        noModals();
        m_.matrices = !m_.matrices;
        m_.trio = !m_.matrices;
        require(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras Matrices B-C"));
        break;
    case Command::Quit:
        noModals();
        quit_ = true;
        break;
    case Command::About:
        oneDialog("frmAbout");
        // The button hands the focus to the solution grid once the dialog has closed.
        if (source == p_->Command2)
            require(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras Información"));
        break;
    case Command::Generate:
        noModals();
        checkRandomValues();
        break;
    case Command::Verify:
        oneDialog("frmVerificacion");
        break;
    case Command::Steps:
        oneDialog("frmPasos");
        break;
    case Command::Fit:
        noModals();
        // Fitting moves the columns under an open editor, which stays where it was.
        if (!p_->Text1->isHidden())
            editorMoved_ = true;
        onFit(source == p_->Command1);
        break;
    }
}

// Every column at least the margin wide and left-aligned; the button centres the
// worksheet's header column again and hands the focus to the solution grid.
void Watcher::onFit(bool button)
{
    for (const GridControl* g : {p_->Cuadric, p_->F_Rint[0], p_->F_Rint[1]}) {
        for (int c = 0; c < g->Cols(); ++c) {
            const int alignment = button && g == p_->Cuadric && c == 0 ? GridControl::AlignCenterCenter : GridControl::AlignLeftCenter;
            require(g->ColWidth(c) >= 240 && g->ColAlignment(c) == alignment,
                    filled(QStringLiteral("columna %1 de %2 ajustada a %3 twips, alineación %4"), c, g->objectName(), g->ColWidth(c),
                           g->ColAlignment(c)));
        }
    }
    if (button)
        require(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras Ajustar Columnas"));
}

void Watcher::onAccept(const QList<Modal>& seen)
{
    const QString text = p_->T_Incog->text();
    const int n = EquationCountOracle::accepted(text.toStdString());
    if (n == 0) {
        count(QStringLiteral("n rechazado"));
        require(seen.size() == 1 && seen[0].text == kLimit, QStringLiteral("%1 rechazado sin el aviso del límite").arg(printable(text)));
        return;
    }
    require(seen.isEmpty(), filled(QStringLiteral("n = %1 aceptado con %2 ventanas modales"), n, seen.size()));
    sheetLaidOut(text);
}

// The worksheet laid out for the number in the box, by accepting it or by the history.
void Watcher::sheetLaidOut(const QString& text)
{
    const int n = EquationCountOracle::accepted(text.toStdString());
    require(n > 0, QStringLiteral("hoja dispuesta para %1").arg(printable(text)));
    m_.n = n;
    maxN_ = std::max(maxN_, n);
    m_.solutionRows = n;
    m_.sheetReady = true;
    m_.sheetEnabled = true;
    // The window's choice: accepting n while the matrices are shown brings the worksheet
    // back, so that it can take the focus.
    m_.matrices = false;
    m_.status = worksheetStatus(text);
    m_.tip = kTipEntry;
    require(v_->focusWidget() == p_->Cuadric, QStringLiteral("el foco no está en la hoja después de aceptar n"));
    const GridControl& g = *p_->Cuadric;
    require(g.Row() == 1 && g.Col() == 1 && g.ColWidth(0) == 500 && g.ColAlignment(0) == GridControl::AlignCenterCenter,
            filled(QStringLiteral("hoja dispuesta con la celda (%1, %2), columna 0 de %3 twips, "
                                  "alineación %4"),
                   g.Row(), g.Col(), g.ColWidth(0), g.ColAlignment(0)));
}

// The new-calculation command's stage, by the command or by the history.
void Watcher::sheetCleared()
{
    m_.sheetReady = false;
    m_.sheetEnabled = false;
    m_.n = 0;
    m_.solutionRows = 0;
    m_.status = QStringLiteral("Listo");
    m_.tip = kTipStart;
    require(p_->F_Rint[0]->Rows() == 0 && p_->F_Rint[1]->Rows() == 0,
            QStringLiteral("las matrices B y C conservan filas tras Nuevo Cálculo"));
    // The number box takes the focus, unless the matrices view has it disabled.
    if (p_->T_Incog->isEnabled())
        require(v_->focusWidget() == p_->T_Incog, QStringLiteral("el foco no está en el número tras Nuevo Cálculo"));
}

// ---- the history ----

QStringList Watcher::currentSheet() const
{
    const GridControl& g = *p_->Cuadric;
    QStringList h = WindowFixture::cells(g).mid(1);
    h << QString::number(g.Rows()) << QString::number(g.Cols()) << QString::number(g.isEnabled());
    return h;
}

void Watcher::onRecorded()
{
    ++stepsInAction_;
}

// An undo right after a change that was one step gives back the worksheet before it; a
// layout taken back or done again leads the window to the stage of that layout.
void Watcher::onApplied(bool undone, bool layout)
{
    count(undone ? QStringLiteral("deshacer") : QStringLiteral("rehacer"));
    if (undone && recentChange_ && stepsInAction_ == 0 && !appliedInAction_) {
        require(currentSheet() == beforeChange_, QStringLiteral("Ctrl+Z no devolvió la hoja de antes del último cambio"));
        count(QStringLiteral("deshacer comprobado"));
    }
    appliedInAction_ = true;
    if (!layout)
        return;
    count(QStringLiteral("disposición restaurada"));
    if (p_->Cuadric->Cols() > 0) {
        sheetLaidOut(p_->T_Incog->text());
    } else {
        // The empty worksheet comes back as it was: enabled before the first layout,
        // disabled after a new calculation (the comparison above holds the flag).
        const bool enabled = p_->Cuadric->isEnabled();
        sheetCleared();
        m_.sheetEnabled = enabled;
    }
}

void Watcher::onSolve(const QList<Modal>& seen)
{
    const bool choleski = p_->Op_Ch->isChecked();
    count(choleski ? QStringLiteral("Calcular Choleski") : QStringLiteral("Calcular Gauss-Jordan"));
    require(m_.sheetReady, QStringLiteral("un cálculo sin hoja dispuesta"));
    require(seen.size() <= 1, QStringLiteral("el cálculo mostró %1 ventanas modales").arg(seen.size()));
    bool error = false;
    bool insoluble = false;
    for (const Modal& m : seen) {
        if (m.text == kInsoluble) {
            insoluble = true;
            require(!choleski, QStringLiteral("el aviso de Gauss-Jordan tras Choleski"));
        } else if (m.text.startsWith(QStringLiteral("Se ha presentado un error, ("))) {
            error = true;
        } else {
            failures_ << QStringLiteral("el cálculo mostró %1").arg(printable(m.text));
        }
    }
    count(error       ? QStringLiteral("cálculo con error")
          : insoluble ? QStringLiteral("cálculo insoluble")
                      : QStringLiteral("cálculo resuelto"));
    m_.trio = true;
    m_.sheetReady = true;
    if (!error)
        m_.tip = kTipEditing;
    // The steps can be seen after every solve that reached the methods, and never after one
    // that could not read the worksheet.
    const bool steps = child<QAction>(*v_, "mnuPasos")->isEnabled();
    if (!error)
        require(steps, QStringLiteral("Ver paso a paso deshabilitado tras un cálculo sin error"));
    if (!seen.isEmpty() && seen[0].text == calculationError(solver::RuntimeError::TypeMismatch))
        require(!steps, QStringLiteral("Ver paso a paso habilitado sin datos leídos"));
    // An open edit is committed before the worksheet is read.
    require(p_->Text1->isHidden(), QStringLiteral("el editor sigue abierto tras calcular"));

    const QStringList solution = WindowFixture::column(*p_->F_Resp, 1);
    if (!choleski)
        require(p_->F_Rint[0]->Rows() == 0 && p_->F_Rint[1]->Rows() == 0,
                QStringLiteral("las matrices B y C no se vaciaron con Gauss-Jordan"));
    if (error || insoluble) {
        for (const QString& s : solution)
            require(s.isEmpty(), QStringLiteral("solución %1 tras un fallo").arg(printable(s)));
        return;
    }
    require(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras calcular"));
    if (choleski) {
        for (const GridControl* g : p_->F_Rint)
            require(g->Rows() == m_.n && g->Cols() == m_.n,
                    filled(QStringLiteral("matriz de %1 x %2 para n = %3"), g->Rows(), g->Cols(), m_.n));
    }
    // No silent wrong result: every value shown, finite, in its text form.
    const QRegularExpression fiveDecimals(QStringLiteral("^-?[0-9]+") + QRegularExpression::escape(QLocale().decimalPoint()) +
                                          QStringLiteral("[0-9]{5}$"));
    for (const QString& s : solution) {
        if (choleski)
            require(!s.isEmpty() && !s.contains(QStringLiteral("inf"), Qt::CaseInsensitive) &&
                        !s.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                    QStringLiteral("valor de Choleski %1").arg(printable(s)));
        else
            require(fiveDecimals.match(s).hasMatch(), QStringLiteral("valor de Gauss-Jordan %1").arg(printable(s)));
    }
}

void Watcher::checkRandomValues()
{
    const QString offending = nonRandomCell(*p_->Cuadric, m_.n);
    require(offending.isEmpty(), QStringLiteral("valor aleatorio %1").arg(offending));
}

// ---- modal windows ----

void Watcher::note()
{
    Modal seen{modalCloser_.seen.last(), {}, false};
    if (p_ && !quit_) {
        for (const auto& [n, w] : p_->enablingSet())
            if (!w->isEnabled())
                seen.disabled << QLatin1String(n);
        seen.busy = busy();
        seen.undoEnabled = child<QAction>(*v_, "mnuDeshacer")->isEnabled() || child<QAction>(*v_, "mnuRehacer")->isEnabled();
    }
    checkModal(seen);
    modals_.append(seen);
}

void Watcher::closeModal(QWidget& modal)
{
    if (modal.objectName() == QLatin1String("frmPasos"))
        walkSteps(modal);
    // Enter and Escape go where the keyboard is: the focused control of the box.
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != &modal)
        focus = &modal;
    switch (std::uniform_int_distribution<int>(0, 3)(random_)) {
    case 0:
        closedBy_ = QStringLiteral("Escape");
        QTest::keyClick(focus, Qt::Key_Escape);
        break;
    case 1:
        closedBy_ = QStringLiteral("Enter");
        QTest::keyClick(focus, Qt::Key_Return);
        break;
    case 2: {
        closedBy_ = QStringLiteral("un clic en su botón");
        QAbstractButton* button = nullptr;
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            button = box->button(QMessageBox::Ok);
        else
            button = modal.findChild<QAbstractButton*>(modal.objectName() == QLatin1String("frmAbout") ? QStringLiteral("Command1")
                                                                                                       : QStringLiteral("B_Cerrar"));
        if (button)
            QTest::mouseClick(button, Qt::LeftButton);
        else
            failures_ << QStringLiteral("ventana modal %1 sin botón Aceptar").arg(modal.objectName());
        break;
    }
    default:
        closedBy_ = QStringLiteral("el cuadro de cierre");
        modal.close();
        break;
    }
}

// A few steps walked by buttons and keys: the step announced is the one selected, and the
// last step's solution is the one the window shows.
void Watcher::walkSteps(QWidget& dialog)
{
    auto* tree = dialog.findChild<QAbstractItemView*>(QStringLiteral("LstPasos"));
    auto* step = dialog.findChild<QLabel*>(QStringLiteral("Et_Paso"));
    auto* matrix = dialog.findChild<GridControl*>(QStringLiteral("F_Paso"));
    if (!tree || !step || !matrix) {
        failures_ << QStringLiteral("paso a paso sin sus controles");
        return;
    }
    static const char* const buttons[] = {"B_Inicio", "B_Anterior", "B_Siguiente", "B_Fin"};
    static const Qt::Key keys[] = {Qt::Key_Home, Qt::Key_Left, Qt::Key_Right, Qt::Key_End};
    const int times = std::uniform_int_distribution<int>(0, 6)(random_);
    for (int k = 0; k < times; ++k) {
        const int which = std::uniform_int_distribution<int>(0, 4)(random_);
        if (which == 4)
            QTest::keyClick(tree, Qt::Key_Down);
        else if (std::uniform_int_distribution<int>(0, 1)(random_))
            QTest::keyClick(&dialog, keys[which], Qt::AltModifier);
        else if (auto* b = dialog.findChild<QAbstractButton*>(QLatin1String(buttons[which])))
            b->click();
        const QString current = tree->currentIndex().data().toString();
        require(step->text().endsWith(current) || step->text().startsWith(current),
                QStringLiteral("paso anunciado %1 con %2 seleccionado").arg(printable(step->text()), printable(current)));
    }
    count(QStringLiteral("pasos recorridos"));
    const int n = matrix->Rows() - 1;
    const QStringList solution = WindowFixture::column(*p_->F_Resp, 1);
    if (n != p_->F_Resp->Rows() || solution.contains(QString()))
        return;
    dialog.findChild<QAbstractButton*>(QStringLiteral("B_Fin"))->click();
    const bool choleski = dialog.windowTitle().endsWith(QStringLiteral("Choleski"));
    for (int i = 0; i < n; ++i) {
        const QString seen = matrix->TextMatrix(i + 1, choleski ? 2 * n + 2 : n + 1);
        // The solution grid rounds the Gauss-Jordan values to five decimals, the step's
        // matrix to seven significant digits.
        const double x = QLocale().toDouble(seen);
        const bool same = choleski ? seen == solution[i] : std::abs(x - QLocale().toDouble(solution[i])) <= 0.6e-5 + 1e-6 * std::abs(x);
        require(same, filled(QStringLiteral("X%1 del último paso %2, en la solución %3"), i + 1, printable(seen), printable(solution[i])));
    }
}

// What every box that the user meets must be: the program's own words, nothing else.
void Watcher::checkModal(const Modal& m)
{
    if (m.kind == QLatin1String("frmVerificacion")) {
        require(m.title == QStringLiteral("Verificación de la solución"),
                QStringLiteral("verificación con título %1").arg(printable(m.title)));
        return;
    }
    if (m.kind == QLatin1String("frmPasos")) {
        require(m.title == QStringLiteral("Paso a paso — Método de Choleski") ||
                    m.title == QStringLiteral("Paso a paso — Método de Gauss - Jordan"),
                QStringLiteral("paso a paso con título %1").arg(printable(m.title)));
        return;
    }
    if (m.kind == QLatin1String("frmAbout")) {
        require(m.title == QStringLiteral("Información"), QStringLiteral("diálogo Acerca de con título %1").arg(printable(m.title)));
        return;
    }
    if (m.kind != QLatin1String("QMessageBox")) {
        failures_ << QStringLiteral("ventana modal desconocida %1").arg(m.kind);
        return;
    }
    require(m.title == QStringLiteral("Sorvani") && m.buttons == QMessageBox::Ok && m.icon == QMessageBox::Warning,
            filled(QStringLiteral("mensaje con título %1, botones %2, icono %3"), printable(m.title), int(m.buttons), int(m.icon)));
    using solver::RuntimeError;
    const bool solveError =
        m.text == calculationError(RuntimeError::Overflow) || m.text == calculationError(RuntimeError::SubscriptOutOfRange) ||
        m.text == calculationError(RuntimeError::DivisionByZero) || m.text == calculationError(RuntimeError::TypeMismatch);
    if (solveError) {
        // The solve command enables its controls and restores the pointer first.
        require(m.disabled.isEmpty() && !m.busy,
                QStringLiteral("error de cálculo mostrado con %1 deshabilitados%2")
                    .arg(m.disabled.join(QLatin1Char(',')), m.busy ? QStringLiteral(" y el puntero ocupado") : QString()));
    } else if (m.text == kInsoluble) {
        // Gauss-Jordan reports from inside the calculation.
        require(m.disabled.size() == 11, QStringLiteral("aviso de Gauss-Jordan con el conjunto habilitado en parte"));
        require(!m.undoEnabled, QStringLiteral("deshacer o rehacer habilitado durante un cálculo"));
    } else {
        require(m.text == kLimit, QStringLiteral("mensaje ajeno %1").arg(printable(m.text)));
    }
}

// ---- between two actions ----

void Watcher::afterAction()
{
    require(modals_.size() == handled_,
            QStringLiteral("ventana modal fuera de un comando: %1 %2")
                .arg(modals_.isEmpty() ? QString() : modals_.last().kind, modals_.isEmpty() ? QString() : printable(modals_.last().text)));
    handled_ = modals_.size();
    if (quit_) {
        require(!v_->isVisible(), QStringLiteral("la ventana sigue abierta después de Salir"));
        return;
    }
    verify();
    recentChange_ = stepsInAction_ == 1 && !appliedInAction_ && !solveInAction_;
    if (recentChange_)
        beforeChange_ = previous_;
    previous_ = currentSheet();
    stepsInAction_ = 0;
    appliedInAction_ = false;
    solveInAction_ = false;
}

bool Watcher::busy() const
{
    return (v_->testAttribute(Qt::WA_SetCursor) && v_->cursor().shape() == Qt::WaitCursor) || QGuiApplication::overrideCursor() != nullptr;
}

void Watcher::verify()
{
    const WindowControls& p = *p_;
    require(!QApplication::activeModalWidget(), QStringLiteral("queda una ventana modal"));
    require(!QApplication::activePopupWidget(), QStringLiteral("queda un menú abierto"));
    require(!v_->findChild<QDialog*>(), QStringLiteral("queda un diálogo sin destruir"));
    require(!busy(), QStringLiteral("el puntero sigue ocupado"));

    QStringList expectedOff;
    QStringList actualOff;
    for (const auto& [n, w] : p.enablingSet()) {
        const QLatin1String s(n);
        const bool trio = s == QLatin1String("B_Nuevo") || s == QLatin1String("B_Incog") || s == QLatin1String("T_Incog");
        const bool expected = s == QLatin1String("B_Calcular") ? m_.sheetReady : trio ? m_.trio : true;
        if (!expected)
            expectedOff << s;
        if (!w->isEnabled())
            actualOff << s;
    }
    require(actualOff == expectedOff,
            QStringLiteral("deshabilitados %1, se esperaba %2").arg(actualOff.join(QLatin1Char(',')), expectedOff.join(QLatin1Char(','))));
    require(p.MnuCalcular->isEnabled() == p.B_Calcular->isEnabled() && p.MnuGenera->isEnabled() == p.B_Calcular->isEnabled(),
            filled(QStringLiteral("MnuCalcular %1, MnuGenera %2, B_Calcular %3"), p.MnuCalcular->isEnabled(), p.MnuGenera->isEnabled(),
                   p.B_Calcular->isEnabled()));
    for (const QAction* a : {p.mnuNuevo, p.mnuSalir, p.mnuOp, p.mnuHelpAbout})
        require(a->isEnabled(), QStringLiteral("%1 deshabilitado").arg(a->objectName()));
    require(p.Cuadric->isEnabled() == m_.sheetEnabled, QStringLiteral("hoja habilitada %1").arg(p.Cuadric->isEnabled()));
    require(p.Cuadric->isVisible() != p.Fr_Mat->isVisible(),
            filled(QStringLiteral("hoja visible %1 y matrices visibles %2"), p.Cuadric->isVisible(), p.Fr_Mat->isVisible()));
    require(p.Fr_Mat->isVisible() == m_.matrices,
            filled(QStringLiteral("vista de matrices %1, se esperaba %2"), p.Fr_Mat->isVisible(), m_.matrices));
    require(p.Op_Ch->isChecked() != p.Op_Gauss->isChecked(), QStringLiteral("las dos opciones de método iguales"));
    require(p.Et_st->text() == m_.status,
            QStringLiteral("estado %1, se esperaba %2").arg(printable(p.Et_st->text()), printable(m_.status)));
    require(p.Et_tip->text() == m_.tip, QStringLiteral("consejo %1, se esperaba %2").arg(printable(p.Et_tip->text()), printable(m_.tip)));
    verifySheet();
    verifyEditor();
}

void Watcher::verifySheet()
{
    const GridControl& g = *p_->Cuadric;
    const GridControl& resp = *p_->F_Resp;
    const int n = m_.n;
    // Fixed at start-up and never fitted.
    require(resp.ColWidth(0) == 380 && resp.ColWidth(1) == 1470,
            filled(QStringLiteral("columnas de la solución de %1 y %2 twips"), resp.ColWidth(0), resp.ColWidth(1)));
    require(resp.Rows() == m_.solutionRows,
            filled(QStringLiteral("la solución tiene %1 filas, se esperaban %2"), resp.Rows(), m_.solutionRows));
    if (n == 0) {
        require(g.Rows() == 2 && g.Cols() == 0, filled(QStringLiteral("hoja sin disponer de %1 x %2"), g.Rows(), g.Cols()));
    } else {
        if (g.Rows() != n + 1 || g.Cols() != n + 2 || g.FixedRows() != 1 || g.FixedCols() != 1) {
            failures_ << filled(QStringLiteral("hoja de %1 x %2 (fijas %3, %4) para n = %5"), g.Rows(), g.Cols(), g.FixedRows(),
                                g.FixedCols(), n);
            return;
        }
        for (int j = 1; j <= n; ++j)
            require(g.TextMatrix(0, j) == QStringLiteral("X%1").arg(j),
                    filled(QStringLiteral("encabezado %1 en la columna %2"), printable(g.TextMatrix(0, j)), j));
        require(g.TextMatrix(0, n + 1) == QStringLiteral("T.I"),
                QStringLiteral("encabezado del término independiente %1").arg(printable(g.TextMatrix(0, n + 1))));
        for (int i = 1; i <= n; ++i)
            require(g.TextMatrix(i, 0) == QStringLiteral("EQ%1").arg(i),
                    filled(QStringLiteral("encabezado %1 en la fila %2"), printable(g.TextMatrix(i, 0)), i));
        for (int i = 0; i < resp.Rows(); ++i)
            require(resp.TextMatrix(i, 0) == QStringLiteral("X%1").arg(i + 1),
                    filled(QStringLiteral("rótulo %1 en la fila %2 de la solución"), printable(resp.TextMatrix(i, 0)), i));
    }
    if (g.Cols() == 0) {
        require(!g.hasCurrentCell(), QStringLiteral("celda actual en una hoja sin columnas"));
        return;
    }
    const bool body =
        g.hasCurrentCell() && g.Row() >= g.FixedRows() && g.Row() < g.Rows() && g.Col() >= g.FixedCols() && g.Col() < g.Cols();
    require(body, filled(QStringLiteral("celda actual (%1, %2) fuera del cuerpo"), g.Row(), g.Col()));
    require(g.TextMatrix(0, 0) == filled(QStringLiteral("%1,%2"), g.Row(), g.Col()),
            filled(QStringLiteral("indicador %1 con la celda (%2, %3)"), printable(g.TextMatrix(0, 0)), g.Row(), g.Col()));
}

QRect Watcher::currentCellInWindow() const
{
    const GridControl& g = *p_->Cuadric;
    const QRect r = g.visualRect(g.model()->index(g.Row(), g.Col()));
    return {g.viewport()->mapTo(g.parentWidget(), r.topLeft()), r.size()};
}

void Watcher::verifyEditor()
{
    const QLineEdit& editor = *p_->Text1;
    if (editor.isHidden()) {
        editorMoved_ = false;
        return;
    }
    count(m_.matrices ? QStringLiteral("editor abierto sobre las matrices") : QStringLiteral("editor abierto"));
    const GridControl& g = *p_->Cuadric;
    if (!g.hasCurrentCell() || g.Row() < 1 || g.Col() < 1) {
        failures_ << QStringLiteral("editor abierto sin celda del cuerpo debajo");
        return;
    }
    const QRect cell = currentCellInWindow();
    if (!editorMoved_)
        require(editor.geometry() == cell,
                filled(QStringLiteral("editor en (%1,%2 %3x%4), la celda (%5, %6) en (%7,%8 %9x%10)"), editor.x(), editor.y(),
                       editor.width(), editor.height(), g.Row(), g.Col(), cell.x(), cell.y(), cell.width(), cell.height()));
}
