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

using textos::errorDelCalculo;
using textos::estadoHoja;
using textos::kInsoluble;
using textos::kLimite;
using textos::kTipEdicion;
using textos::kTipIngreso;
using textos::kTipInicio;

Watcher::Watcher(quint64 semilla) : azar_(semilla)
{
    cierreDeModales_.alAparecer = [this](QWidget&) { anotar(); };
    cierreDeModales_.cerrar = [this](QWidget& modal) { cerrar(modal); };
    cierreDeModales_.alResistir = [this](QWidget&) { fallos_ << QStringLiteral("la ventana modal no se cerró con %1").arg(comoCierra_); };
}

void Watcher::observar(FrmP& ventana, const Piezas& piezas)
{
    v_ = &ventana;
    p_ = &piezas;
    m_ = Modelo{};
    m_.estado = QStringLiteral("Listo");
    m_.tip = kTipInicio;
    salio_ = false;
    editorDesplazado_ = false;
    ++ventanas_;
    cambioReciente_ = false;
    pasosEnAccion_ = 0;
    aplicadoEnAccion_ = false;
    calculoEnAccion_ = false;
    previo_ = hojaActual();

    // Connected after the window's own handlers: each of these runs once its command is over.
    const auto al = [this](Comando c, const QObject* origen = nullptr) { return [this, c, origen] { alComando(c, origen); }; };
    const Piezas& p = piezas;
    QObject::connect(p.B_Incog, &QAbstractButton::clicked, &ventana, al(Comando::Aceptar));
    QObject::connect(p.T_Incog, &QLineEdit::returnPressed, &ventana, al(Comando::Aceptar));
    QObject::connect(p.B_Nuevo, &QAbstractButton::clicked, &ventana, al(Comando::Nuevo));
    QObject::connect(p.mnuNuevo, &QAction::triggered, &ventana, al(Comando::Nuevo));
    QObject::connect(p.B_Calcular, &QAbstractButton::clicked, &ventana, al(Comando::Calcular));
    QObject::connect(p.MnuCalcular, &QAction::triggered, &ventana, al(Comando::Calcular));
    QObject::connect(p.B_Mostrar, &QAbstractButton::clicked, &ventana, al(Comando::Mostrar));
    QObject::connect(p.B_Salir, &QAbstractButton::clicked, &ventana, al(Comando::Salir));
    QObject::connect(p.mnuSalir, &QAction::triggered, &ventana, al(Comando::Salir));
    QObject::connect(p.Command2, &QAbstractButton::clicked, &ventana, al(Comando::Acerca, p.Command2));
    QObject::connect(p.mnuHelpAbout, &QAction::triggered, &ventana, al(Comando::Acerca));
    QObject::connect(p.MnuGenera, &QAction::triggered, &ventana, al(Comando::Generar));
    QObject::connect(p.mnuOp, &QAction::triggered, &ventana, al(Comando::Ajustar));
    QObject::connect(buscar<QAction>(ventana, "mnuVerificar"), &QAction::triggered, &ventana, al(Comando::Verificar));
    QObject::connect(buscar<QAction>(ventana, "mnuPasos"), &QAction::triggered, &ventana, al(Comando::Pasos));
    QObject::connect(p.Command1, &QAbstractButton::clicked, &ventana, al(Comando::Ajustar, p.Command1));
    auto* historial = ventana.findChild<WorksheetHistory*>();
    exigir(historial != nullptr, QStringLiteral("la ventana no tiene historial"));
    if (historial) {
        QObject::connect(historial, &WorksheetHistory::recorded, &ventana, [this] { alRegistrar(); });
        QObject::connect(historial, &WorksheetHistory::applied, &ventana,
                         [this](bool deshecho, bool disposicion) { alAplicar(deshecho, disposicion); });
    }
    // Moving the bar writes its value, after a blank, into the number box.
    QObject::connect(p.B_Num, &QScrollBar::valueChanged, &ventana, [this](int valor) {
        exigir(p_->T_Incog->text() == QLatin1Char(' ') + QString::number(valor),
               QStringLiteral("la barra en %1 y el número %2").arg(valor).arg(legible(p_->T_Incog->text())));
    });
}

void Watcher::notarCierre()
{
    salio_ = true;
    contar(QStringLiteral("cierre de ventana"));
}

void Watcher::exigir(bool cumple, const QString& que)
{
    if (!cumple)
        fallos_ << que;
}

QStringList Watcher::tomarFallos()
{
    return std::exchange(fallos_, {});
}

QString Watcher::resumen() const
{
    QStringList partes;
    for (const auto& [que, veces] : cuenta_)
        partes << QStringLiteral("%1=%2").arg(que).arg(veces);
    return QStringLiteral("ventanas=%1 n máximo=%2 %3").arg(ventanas_).arg(nMaximo_).arg(partes.join(QLatin1Char(' ')));
}

const char* Watcher::nombre(Comando c)
{
    switch (c) {
    case Comando::Aceptar:
        return "Ingresar";
    case Comando::Nuevo:
        return "Nuevo";
    case Comando::Calcular:
        return "Calcular";
    case Comando::Mostrar:
        return "Matrices";
    case Comando::Salir:
        return "Salir";
    case Comando::Acerca:
        return "Acerca";
    case Comando::Generar:
        return "Generar";
    case Comando::Verificar:
        return "Verificar";
    case Comando::Pasos:
        return "Pasos";
    case Comando::Ajustar:
        return "Ajustar";
    }
    return "?";
}

// ---- commands ----

// The modal windows met since the previous command belong to this one.
void Watcher::alComando(Comando c, const QObject* origen)
{
    const QList<Modal> vistos = modales_.mid(atendidos_);
    atendidos_ = modales_.size();
    const QString comando = QLatin1String(nombre(c));
    contar(comando);
    const auto sinModales = [&] { exigir(vistos.isEmpty(), comando + QStringLiteral(" abrió %1 ventanas modales").arg(vistos.size())); };

    switch (c) {
    case Comando::Aceptar:
        alAceptar(vistos);
        break;
    case Comando::Nuevo:
        sinModales();
        hojaRetirada();
        break;
    case Comando::Calcular:
        calculoEnAccion_ = true;
        alCalcular(vistos);
        break;
    case Comando::Mostrar:
        sinModales();
        m_.matrices = !m_.matrices;
        m_.trio = !m_.matrices;
        exigir(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras Matrices B-C"));
        break;
    case Comando::Salir:
        sinModales();
        salio_ = true;
        break;
    case Comando::Acerca:
        exigir(vistos.size() == 1 && vistos[0].clase == QLatin1String("frmAbout"),
               QStringLiteral("Acerca de no mostró el diálogo una vez (%1 modales)").arg(vistos.size()));
        // The button hands the focus to the solution grid once the dialog has closed.
        if (origen == p_->Command2)
            exigir(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras Información"));
        break;
    case Comando::Generar:
        sinModales();
        revisarAleatorios();
        break;
    case Comando::Verificar:
        exigir(vistos.size() == 1 && vistos[0].clase == QLatin1String("frmVerificacion"),
               QStringLiteral("Verificar solución no mostró el diálogo una vez (%1 modales)").arg(vistos.size()));
        break;
    case Comando::Pasos:
        exigir(vistos.size() == 1 && vistos[0].clase == QLatin1String("frmPasos"),
               QStringLiteral("Ver paso a paso no mostró el diálogo una vez (%1 modales)").arg(vistos.size()));
        break;
    case Comando::Ajustar:
        sinModales();
        // Fitting moves the columns under an open editor, which stays where it was.
        if (!p_->Text1->isHidden())
            editorDesplazado_ = true;
        alAjustar(origen == p_->Command1);
        break;
    }
}

// Every column at least the margin wide and left-aligned; the button centres the
// worksheet's header column again and hands the focus to the solution grid.
void Watcher::alAjustar(bool boton)
{
    for (const GridControl* g : {p_->Cuadric, p_->F_Rint[0], p_->F_Rint[1]}) {
        for (int c = 0; c < g->Cols(); ++c) {
            const int alineacion = boton && g == p_->Cuadric && c == 0 ? GridControl::AlignCenterCenter : GridControl::AlignLeftCenter;
            exigir(g->ColWidth(c) >= 240 && g->ColAlignment(c) == alineacion,
                   QStringLiteral("columna %1 de %2 ajustada a %3 twips, alineación %4")
                       .arg(c)
                       .arg(g->objectName())
                       .arg(g->ColWidth(c))
                       .arg(g->ColAlignment(c)));
        }
    }
    if (boton)
        exigir(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras Ajustar Columnas"));
}

void Watcher::alAceptar(const QList<Modal>& vistos)
{
    const QString texto = p_->T_Incog->text();
    const int n = EquationCountOracle::aceptado(texto.toStdString());
    if (n == 0) {
        contar(QStringLiteral("n rechazado"));
        exigir(vistos.size() == 1 && vistos[0].texto == kLimite,
               QStringLiteral("%1 rechazado sin el aviso del límite").arg(legible(texto)));
        return;
    }
    exigir(vistos.isEmpty(), QStringLiteral("n = %1 aceptado con %2 ventanas modales").arg(n).arg(vistos.size()));
    hojaDispuesta(texto);
}

// The worksheet laid out for the number in the box, by accepting it or by the history.
void Watcher::hojaDispuesta(const QString& texto)
{
    const int n = EquationCountOracle::aceptado(texto.toStdString());
    exigir(n > 0, QStringLiteral("hoja dispuesta para %1").arg(legible(texto)));
    m_.n = n;
    nMaximo_ = std::max(nMaximo_, n);
    m_.filasResp = n;
    m_.hojaLista = true;
    m_.cuadricHabilitada = true;
    // The window's choice: accepting n while the matrices are shown brings the worksheet
    // back, so that it can take the focus.
    m_.matrices = false;
    m_.estado = estadoHoja(texto);
    m_.tip = kTipIngreso;
    exigir(v_->focusWidget() == p_->Cuadric, QStringLiteral("el foco no está en la hoja después de aceptar n"));
    const GridControl& g = *p_->Cuadric;
    exigir(g.Row() == 1 && g.Col() == 1 && g.ColWidth(0) == 500 && g.ColAlignment(0) == GridControl::AlignCenterCenter,
           QStringLiteral("hoja dispuesta con la celda (%1, %2), columna 0 de %3 twips, "
                          "alineación %4")
               .arg(g.Row())
               .arg(g.Col())
               .arg(g.ColWidth(0))
               .arg(g.ColAlignment(0)));
}

// The new-calculation command's stage, by the command or by the history.
void Watcher::hojaRetirada()
{
    m_.hojaLista = false;
    m_.cuadricHabilitada = false;
    m_.n = 0;
    m_.filasResp = 0;
    m_.estado = QStringLiteral("Listo");
    m_.tip = kTipInicio;
    exigir(p_->F_Rint[0]->Rows() == 0 && p_->F_Rint[1]->Rows() == 0,
           QStringLiteral("las matrices B y C conservan filas tras Nuevo Cálculo"));
    // The number box takes the focus, unless the matrices view has it disabled.
    if (p_->T_Incog->isEnabled())
        exigir(v_->focusWidget() == p_->T_Incog, QStringLiteral("el foco no está en el número tras Nuevo Cálculo"));
}

// ---- the history ----

QStringList Watcher::hojaActual() const
{
    const GridControl& g = *p_->Cuadric;
    QStringList h = WindowFixture::celdas(g).mid(1);
    h << QString::number(g.Rows()) << QString::number(g.Cols()) << QString::number(g.isEnabled());
    return h;
}

void Watcher::alRegistrar()
{
    ++pasosEnAccion_;
}

// An undo right after a change that was one step gives back the worksheet before it; a
// layout taken back or done again leads the window to the stage of that layout.
void Watcher::alAplicar(bool deshecho, bool disposicion)
{
    contar(deshecho ? QStringLiteral("deshacer") : QStringLiteral("rehacer"));
    if (deshecho && cambioReciente_ && pasosEnAccion_ == 0 && !aplicadoEnAccion_) {
        exigir(hojaActual() == antesDelCambio_, QStringLiteral("Ctrl+Z no devolvió la hoja de antes del último cambio"));
        contar(QStringLiteral("deshacer comprobado"));
    }
    aplicadoEnAccion_ = true;
    if (!disposicion)
        return;
    contar(QStringLiteral("disposición restaurada"));
    if (p_->Cuadric->Cols() > 0)
        hojaDispuesta(p_->T_Incog->text());
    else
        hojaRetirada();
}

void Watcher::alCalcular(const QList<Modal>& vistos)
{
    const bool choleski = p_->Op_Ch->isChecked();
    contar(choleski ? QStringLiteral("Calcular Choleski") : QStringLiteral("Calcular Gauss-Jordan"));
    exigir(m_.hojaLista, QStringLiteral("un cálculo sin hoja dispuesta"));
    exigir(vistos.size() <= 1, QStringLiteral("el cálculo mostró %1 ventanas modales").arg(vistos.size()));
    bool error = false;
    bool insoluble = false;
    for (const Modal& m : vistos) {
        if (m.texto == kInsoluble) {
            insoluble = true;
            exigir(!choleski, QStringLiteral("el aviso de Gauss-Jordan tras Choleski"));
        } else if (m.texto.startsWith(QStringLiteral("Se ha presentado un error, ("))) {
            error = true;
        } else {
            fallos_ << QStringLiteral("el cálculo mostró %1").arg(legible(m.texto));
        }
    }
    contar(error       ? QStringLiteral("cálculo con error")
           : insoluble ? QStringLiteral("cálculo insoluble")
                       : QStringLiteral("cálculo resuelto"));
    m_.trio = true;
    m_.hojaLista = true;
    if (!error)
        m_.tip = kTipEdicion;
    // The steps can be seen after every solve that reached the methods, and never after one
    // that could not read the worksheet.
    const bool pasos = buscar<QAction>(*v_, "mnuPasos")->isEnabled();
    if (!error)
        exigir(pasos, QStringLiteral("Ver paso a paso deshabilitado tras un cálculo sin error"));
    if (!vistos.isEmpty() && vistos[0].texto == errorDelCalculo(solver::RuntimeError::TypeMismatch))
        exigir(!pasos, QStringLiteral("Ver paso a paso habilitado sin datos leídos"));
    // An open edit is committed before the worksheet is read.
    exigir(p_->Text1->isHidden(), QStringLiteral("el editor sigue abierto tras calcular"));

    QStringList solucion;
    for (int i = 0; i < p_->F_Resp->Rows(); ++i)
        solucion << p_->F_Resp->TextMatrix(i, 1);
    if (!choleski)
        exigir(p_->F_Rint[0]->Rows() == 0 && p_->F_Rint[1]->Rows() == 0,
               QStringLiteral("las matrices B y C no se vaciaron con Gauss-Jordan"));
    if (error || insoluble) {
        for (const QString& s : solucion)
            exigir(s.isEmpty(), QStringLiteral("solución %1 tras un fallo").arg(legible(s)));
        return;
    }
    exigir(v_->focusWidget() == p_->F_Resp, QStringLiteral("el foco no está en la solución tras calcular"));
    if (choleski) {
        for (const GridControl* g : p_->F_Rint)
            exigir(g->Rows() == m_.n && g->Cols() == m_.n,
                   QStringLiteral("matriz de %1 x %2 para n = %3").arg(g->Rows()).arg(g->Cols()).arg(m_.n));
    }
    // No silent wrong result: every value shown, finite, in its text form.
    const QRegularExpression cinco(QStringLiteral("^-?[0-9]+") + QRegularExpression::escape(QLocale().decimalPoint()) +
                                   QStringLiteral("[0-9]{5}$"));
    for (const QString& s : solucion) {
        if (choleski)
            exigir(!s.isEmpty() && !s.contains(QStringLiteral("inf"), Qt::CaseInsensitive) &&
                       !s.contains(QStringLiteral("nan"), Qt::CaseInsensitive),
                   QStringLiteral("valor de Choleski %1").arg(legible(s)));
        else
            exigir(cinco.match(s).hasMatch(), QStringLiteral("valor de Gauss-Jordan %1").arg(legible(s)));
    }
}

void Watcher::revisarAleatorios()
{
    const QString fuera = nonRandomCell(*p_->Cuadric, m_.n);
    exigir(fuera.isEmpty(), QStringLiteral("valor aleatorio %1").arg(fuera));
}

// ---- modal windows ----

void Watcher::anotar()
{
    Modal visto{cierreDeModales_.vistos.last(), {}, false};
    if (p_ && !salio_) {
        for (const auto& [n, w] : p_->conjunto())
            if (!w->isEnabled())
                visto.deshabilitados << QLatin1String(n);
        visto.ocupado = ocupado();
        visto.deshacer = buscar<QAction>(*v_, "mnuDeshacer")->isEnabled() || buscar<QAction>(*v_, "mnuRehacer")->isEnabled();
    }
    revisarModal(visto);
    modales_.append(visto);
}

void Watcher::cerrar(QWidget& modal)
{
    if (modal.objectName() == QLatin1String("frmPasos"))
        recorrerPasos(modal);
    // Enter and Escape go where the keyboard is: the focused control of the box.
    QWidget* foco = QApplication::focusWidget();
    if (!foco || foco->window() != &modal)
        foco = &modal;
    switch (std::uniform_int_distribution<int>(0, 3)(azar_)) {
    case 0:
        comoCierra_ = QStringLiteral("Escape");
        QTest::keyClick(foco, Qt::Key_Escape);
        break;
    case 1:
        comoCierra_ = QStringLiteral("Enter");
        QTest::keyClick(foco, Qt::Key_Return);
        break;
    case 2: {
        comoCierra_ = QStringLiteral("un clic en su botón");
        QAbstractButton* boton = nullptr;
        if (auto* caja = qobject_cast<QMessageBox*>(&modal))
            boton = caja->button(QMessageBox::Ok);
        else
            boton = modal.findChild<QAbstractButton*>(modal.objectName() == QLatin1String("frmAbout") ? QStringLiteral("Command1")
                                                                                                      : QStringLiteral("B_Cerrar"));
        if (boton)
            QTest::mouseClick(boton, Qt::LeftButton);
        else
            fallos_ << QStringLiteral("ventana modal %1 sin botón Aceptar").arg(modal.objectName());
        break;
    }
    default:
        comoCierra_ = QStringLiteral("el cuadro de cierre");
        modal.close();
        break;
    }
}

// A few steps walked by buttons and keys: the step announced is the one selected, and the
// last step's solution is the one the window shows.
void Watcher::recorrerPasos(QWidget& dialogo)
{
    auto* arbol = dialogo.findChild<QAbstractItemView*>(QStringLiteral("LstPasos"));
    auto* paso = dialogo.findChild<QLabel*>(QStringLiteral("Et_Paso"));
    auto* matriz = dialogo.findChild<GridControl*>(QStringLiteral("F_Paso"));
    if (!arbol || !paso || !matriz) {
        fallos_ << QStringLiteral("paso a paso sin sus controles");
        return;
    }
    static const char* const botones[] = {"B_Inicio", "B_Anterior", "B_Siguiente", "B_Fin"};
    static const Qt::Key teclas[] = {Qt::Key_Home, Qt::Key_Left, Qt::Key_Right, Qt::Key_End};
    const int veces = std::uniform_int_distribution<int>(0, 6)(azar_);
    for (int k = 0; k < veces; ++k) {
        const int cual = std::uniform_int_distribution<int>(0, 4)(azar_);
        if (cual == 4)
            QTest::keyClick(arbol, Qt::Key_Down);
        else if (std::uniform_int_distribution<int>(0, 1)(azar_))
            QTest::keyClick(&dialogo, teclas[cual], Qt::AltModifier);
        else if (auto* b = dialogo.findChild<QAbstractButton*>(QLatin1String(botones[cual])))
            b->click();
        const QString actual = arbol->currentIndex().data().toString();
        exigir(paso->text().endsWith(actual) || paso->text().startsWith(actual),
               QStringLiteral("paso anunciado %1 con %2 seleccionado").arg(legible(paso->text()), legible(actual)));
    }
    contar(QStringLiteral("pasos recorridos"));
    const int n = matriz->Rows() - 1;
    QStringList solucion;
    for (int i = 0; i < p_->F_Resp->Rows(); ++i)
        solucion << p_->F_Resp->TextMatrix(i, 1);
    if (n != p_->F_Resp->Rows() || solucion.contains(QString()))
        return;
    dialogo.findChild<QAbstractButton*>(QStringLiteral("B_Fin"))->click();
    const bool choleski = dialogo.windowTitle().endsWith(QStringLiteral("Choleski"));
    for (int i = 0; i < n; ++i) {
        const QString visto = matriz->TextMatrix(i + 1, choleski ? 2 * n + 2 : n + 1);
        // The solution grid rounds the Gauss-Jordan values to five decimals, the step's
        // matrix to seven significant digits.
        const double x = QLocale().toDouble(visto);
        const bool igual = choleski ? visto == solucion[i] : std::abs(x - QLocale().toDouble(solucion[i])) <= 0.6e-5 + 1e-6 * std::abs(x);
        exigir(igual, QStringLiteral("X%1 del último paso %2, en la solución %3").arg(i + 1).arg(legible(visto), legible(solucion[i])));
    }
}

// What every box that the user meets must be: the program's own words, nothing else.
void Watcher::revisarModal(const Modal& m)
{
    if (m.clase == QLatin1String("frmVerificacion")) {
        exigir(m.titulo == QStringLiteral("Verificación de la solución"),
               QStringLiteral("verificación con título %1").arg(legible(m.titulo)));
        return;
    }
    if (m.clase == QLatin1String("frmPasos")) {
        exigir(m.titulo == QStringLiteral("Paso a paso — Método de Choleski") ||
                   m.titulo == QStringLiteral("Paso a paso — Método de Gauss - Jordan"),
               QStringLiteral("paso a paso con título %1").arg(legible(m.titulo)));
        return;
    }
    if (m.clase == QLatin1String("frmAbout")) {
        exigir(m.titulo == QStringLiteral("Información"), QStringLiteral("diálogo Acerca de con título %1").arg(legible(m.titulo)));
        return;
    }
    if (m.clase != QLatin1String("QMessageBox")) {
        fallos_ << QStringLiteral("ventana modal desconocida %1").arg(m.clase);
        return;
    }
    exigir(m.titulo == QStringLiteral("Sorvani") && m.botones == QMessageBox::Ok && m.icono == QMessageBox::Warning,
           QStringLiteral("mensaje con título %1, botones %2, icono %3").arg(legible(m.titulo)).arg(int(m.botones)).arg(int(m.icono)));
    using solver::RuntimeError;
    const bool errorCalculo =
        m.texto == errorDelCalculo(RuntimeError::Overflow) || m.texto == errorDelCalculo(RuntimeError::SubscriptOutOfRange) ||
        m.texto == errorDelCalculo(RuntimeError::DivisionByZero) || m.texto == errorDelCalculo(RuntimeError::TypeMismatch);
    if (errorCalculo) {
        // The solve command enables its controls and restores the pointer first.
        exigir(m.deshabilitados.isEmpty() && !m.ocupado,
               QStringLiteral("error de cálculo mostrado con %1 deshabilitados%2")
                   .arg(m.deshabilitados.join(QLatin1Char(',')), m.ocupado ? QStringLiteral(" y el puntero ocupado") : QString()));
    } else if (m.texto == kInsoluble) {
        // Gauss-Jordan reports from inside the calculation.
        exigir(m.deshabilitados.size() == 11, QStringLiteral("aviso de Gauss-Jordan con el conjunto habilitado en parte"));
        exigir(!m.deshacer, QStringLiteral("deshacer o rehacer habilitado durante un cálculo"));
    } else {
        exigir(m.texto == kLimite, QStringLiteral("mensaje ajeno %1").arg(legible(m.texto)));
    }
}

// ---- between two actions ----

void Watcher::despuesDeAccion()
{
    exigir(modales_.size() == atendidos_, QStringLiteral("ventana modal fuera de un comando: %1 %2")
                                              .arg(modales_.isEmpty() ? QString() : modales_.last().clase,
                                                   modales_.isEmpty() ? QString() : legible(modales_.last().texto)));
    atendidos_ = modales_.size();
    if (salio_) {
        exigir(!v_->isVisible(), QStringLiteral("la ventana sigue abierta después de Salir"));
        return;
    }
    verificar();
    cambioReciente_ = pasosEnAccion_ == 1 && !aplicadoEnAccion_ && !calculoEnAccion_;
    if (cambioReciente_)
        antesDelCambio_ = previo_;
    previo_ = hojaActual();
    pasosEnAccion_ = 0;
    aplicadoEnAccion_ = false;
    calculoEnAccion_ = false;
}

bool Watcher::ocupado() const
{
    return (v_->testAttribute(Qt::WA_SetCursor) && v_->cursor().shape() == Qt::WaitCursor) || QGuiApplication::overrideCursor() != nullptr;
}

void Watcher::verificar()
{
    const Piezas& p = *p_;
    exigir(!QApplication::activeModalWidget(), QStringLiteral("queda una ventana modal"));
    exigir(!QApplication::activePopupWidget(), QStringLiteral("queda un menú abierto"));
    exigir(!v_->findChild<QDialog*>(), QStringLiteral("queda un diálogo sin destruir"));
    exigir(!ocupado(), QStringLiteral("el puntero sigue ocupado"));

    QStringList esperados;
    QStringList reales;
    for (const auto& [n, w] : p.conjunto()) {
        const QLatin1String s(n);
        const bool trio = s == QLatin1String("B_Nuevo") || s == QLatin1String("B_Incog") || s == QLatin1String("T_Incog");
        const bool esperado = s == QLatin1String("B_Calcular") ? m_.hojaLista : trio ? m_.trio : true;
        if (!esperado)
            esperados << s;
        if (!w->isEnabled())
            reales << s;
    }
    exigir(reales == esperados,
           QStringLiteral("deshabilitados %1, se esperaba %2").arg(reales.join(QLatin1Char(',')), esperados.join(QLatin1Char(','))));
    exigir(p.MnuCalcular->isEnabled() == p.B_Calcular->isEnabled() && p.MnuGenera->isEnabled() == p.B_Calcular->isEnabled(),
           QStringLiteral("MnuCalcular %1, MnuGenera %2, B_Calcular %3")
               .arg(p.MnuCalcular->isEnabled())
               .arg(p.MnuGenera->isEnabled())
               .arg(p.B_Calcular->isEnabled()));
    for (const QAction* a : {p.mnuNuevo, p.mnuSalir, p.mnuOp, p.mnuHelpAbout})
        exigir(a->isEnabled(), QStringLiteral("%1 deshabilitado").arg(a->objectName()));
    exigir(p.Cuadric->isEnabled() == m_.cuadricHabilitada, QStringLiteral("hoja habilitada %1").arg(p.Cuadric->isEnabled()));
    exigir(p.Cuadric->isVisible() != p.Fr_Mat->isVisible(),
           QStringLiteral("hoja visible %1 y matrices visibles %2").arg(p.Cuadric->isVisible()).arg(p.Fr_Mat->isVisible()));
    exigir(p.Fr_Mat->isVisible() == m_.matrices,
           QStringLiteral("vista de matrices %1, se esperaba %2").arg(p.Fr_Mat->isVisible()).arg(m_.matrices));
    exigir(p.Op_Ch->isChecked() != p.Op_Gauss->isChecked(), QStringLiteral("las dos opciones de método iguales"));
    exigir(p.Et_st->text() == m_.estado, QStringLiteral("estado %1, se esperaba %2").arg(legible(p.Et_st->text()), legible(m_.estado)));
    exigir(p.Et_tip->text() == m_.tip, QStringLiteral("consejo %1, se esperaba %2").arg(legible(p.Et_tip->text()), legible(m_.tip)));
    verificarHoja();
    verificarEditor();
}

void Watcher::verificarHoja()
{
    const GridControl& g = *p_->Cuadric;
    const GridControl& resp = *p_->F_Resp;
    const int n = m_.n;
    // Fixed at start-up and never fitted.
    exigir(resp.ColWidth(0) == 380 && resp.ColWidth(1) == 1470,
           QStringLiteral("columnas de la solución de %1 y %2 twips").arg(resp.ColWidth(0)).arg(resp.ColWidth(1)));
    exigir(resp.Rows() == m_.filasResp, QStringLiteral("la solución tiene %1 filas, se esperaban %2").arg(resp.Rows()).arg(m_.filasResp));
    if (n == 0) {
        exigir(g.Rows() == 2 && g.Cols() == 0, QStringLiteral("hoja sin disponer de %1 x %2").arg(g.Rows()).arg(g.Cols()));
    } else {
        if (g.Rows() != n + 1 || g.Cols() != n + 2 || g.FixedRows() != 1 || g.FixedCols() != 1) {
            fallos_ << QStringLiteral("hoja de %1 x %2 (fijas %3, %4) para n = %5")
                           .arg(g.Rows())
                           .arg(g.Cols())
                           .arg(g.FixedRows())
                           .arg(g.FixedCols())
                           .arg(n);
            return;
        }
        for (int j = 1; j <= n; ++j)
            exigir(g.TextMatrix(0, j) == QStringLiteral("X%1").arg(j),
                   QStringLiteral("encabezado %1 en la columna %2").arg(legible(g.TextMatrix(0, j))).arg(j));
        exigir(g.TextMatrix(0, n + 1) == QStringLiteral("T.I"),
               QStringLiteral("encabezado del término independiente %1").arg(legible(g.TextMatrix(0, n + 1))));
        for (int i = 1; i <= n; ++i)
            exigir(g.TextMatrix(i, 0) == QStringLiteral("EQ%1").arg(i),
                   QStringLiteral("encabezado %1 en la fila %2").arg(legible(g.TextMatrix(i, 0))).arg(i));
        for (int i = 0; i < resp.Rows(); ++i)
            exigir(resp.TextMatrix(i, 0) == QStringLiteral("X%1").arg(i + 1),
                   QStringLiteral("rótulo %1 en la fila %2 de la solución").arg(legible(resp.TextMatrix(i, 0))).arg(i));
    }
    if (g.Cols() == 0) {
        exigir(!g.hasCurrentCell(), QStringLiteral("celda actual en una hoja sin columnas"));
        return;
    }
    const bool cuerpo =
        g.hasCurrentCell() && g.Row() >= g.FixedRows() && g.Row() < g.Rows() && g.Col() >= g.FixedCols() && g.Col() < g.Cols();
    exigir(cuerpo, QStringLiteral("celda actual (%1, %2) fuera del cuerpo").arg(g.Row()).arg(g.Col()));
    exigir(g.TextMatrix(0, 0) == QStringLiteral("%1,%2").arg(g.Row()).arg(g.Col()),
           QStringLiteral("indicador %1 con la celda (%2, %3)").arg(legible(g.TextMatrix(0, 0))).arg(g.Row()).arg(g.Col()));
}

QRect Watcher::celdaActualEnVentana() const
{
    const GridControl& g = *p_->Cuadric;
    const QRect r = g.visualRect(g.model()->index(g.Row(), g.Col()));
    return {g.viewport()->mapTo(g.parentWidget(), r.topLeft()), r.size()};
}

void Watcher::verificarEditor()
{
    const QLineEdit& editor = *p_->Text1;
    if (editor.isHidden()) {
        editorDesplazado_ = false;
        return;
    }
    contar(m_.matrices ? QStringLiteral("editor abierto sobre las matrices") : QStringLiteral("editor abierto"));
    const GridControl& g = *p_->Cuadric;
    if (!g.hasCurrentCell() || g.Row() < 1 || g.Col() < 1) {
        fallos_ << QStringLiteral("editor abierto sin celda del cuerpo debajo");
        return;
    }
    const QRect celda = celdaActualEnVentana();
    if (!editorDesplazado_)
        exigir(editor.geometry() == celda, QStringLiteral("editor en (%1,%2 %3x%4), la celda (%5, %6) en (%7,%8 %9x%10)")
                                               .arg(editor.x())
                                               .arg(editor.y())
                                               .arg(editor.width())
                                               .arg(editor.height())
                                               .arg(g.Row())
                                               .arg(g.Col())
                                               .arg(celda.x())
                                               .arg(celda.y())
                                               .arg(celda.width())
                                               .arg(celda.height()));
}
