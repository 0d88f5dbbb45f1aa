#include "RandomStudent.h"

#include "Keyboard.h"
#include "Printable.h"
#include "Watcher.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

QString nombre(const QWidget* w)
{
    if (!w)
        return QStringLiteral("(nada)");
    return w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName();
}

QChar mnemonico(const QString& texto)
{
    const qsizetype i = texto.indexOf(u'&');
    return i >= 0 && i + 1 < texto.size() ? texto[i + 1].toUpper() : QChar();
}

} // namespace

RandomStudent::RandomStudent(quint64 semilla, Watcher& vigilante) : azar_(semilla), vigilante_(vigilante)
{
    abrirVentana();
}

RandomStudent::~RandomStudent() = default;

void RandomStudent::abrirVentana()
{
    f_.reset();
    f_ = std::make_unique<WindowFixture>();
    vigilante_.observar(*f_->v, f_->p);
}

QString RandomStudent::actuar()
{
    // Whatever took the activation meanwhile, the student clicks the window first.
    if (QApplication::activeWindow() != f_->v.get())
        QApplication::setActiveWindow(f_->v.get());
    const QString hecho = accion();
    cerrarMenus();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return hecho;
}

QString RandomStudent::cerrarVentana()
{
    f_->v->close();
    vigilante_.notarCierre();
    return QStringLiteral("cuadro de cierre de la ventana");
}

int RandomStudent::entre(int a, int b)
{
    return std::uniform_int_distribution<int>(a, b)(azar_);
}

bool RandomStudent::probable(double p)
{
    return std::bernoulli_distribution(p)(azar_);
}

QString RandomStudent::caracterAleatorio()
{
    static const std::vector<QString> clases = {
        QStringLiteral("0123456789"),
        QStringLiteral("+-"),
        QStringLiteral(".,;:"),
        QStringLiteral("eEdD&Hh%$#"),
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"),
        QStringLiteral("     "),
        QStringLiteral("ñÑáéíóúüÜ¿¡€°²½ßøœ"),
        QStringLiteral("中文日本語한국어شعبעברית"),
    };
    const int r = entre(0, 99);
    if (r < 2) {
        // Beyond one UTF-16 unit, a combining accent, invisible and control characters.
        static const std::vector<QString> raros = {
            QString::fromUcs4(U"\U0001F600"), QString::fromUcs4(U"\U0001D538"), QStringLiteral("e\u0301"), QStringLiteral("\u200b"),
            QStringLiteral("\u00a0"),         QStringLiteral("\x01"),           QStringLiteral("\x7f"),    QStringLiteral("\ufffd")};
        return uno(raros);
    }
    const std::vector<int> pesos = {40, 8, 8, 6, 14, 10, 8, 4};
    std::discrete_distribution<int> clase(pesos.begin(), pesos.end());
    const QString& de = clases[std::size_t(clase(azar_))];
    return QString(de[entre(0, int(de.size()) - 1)]);
}

QString RandomStudent::textoAleatorio()
{
    const int r = entre(0, 99);
    if (r < 20) {
        static const std::vector<QString> numeros = {
            QStringLiteral("0"),         QStringLiteral("-12,5"),    QStringLiteral("3.25e2"),    QStringLiteral("1E+38"),
            QStringLiteral("3,5E+38"),   QStringLiteral("-1e-45"),   QStringLiteral("1E-50"),     QStringLiteral("7"),
            QStringLiteral("-0"),        QStringLiteral("  42  "),   QStringLiteral("1.234.567"), QStringLiteral("1,5,5"),
            QStringLiteral("0,0000001"), QStringLiteral("99999999"), QStringLiteral("nan"),       QStringLiteral("inf"),
            QStringLiteral("-"),         QStringLiteral("1e"),       QStringLiteral("&H1F"),      QStringLiteral("1d2")};
        return uno(numeros);
    }
    const int largo = r < 85 ? entre(1, 6) : r < 97 ? entre(7, 40) : entre(100, 1500);
    QString s;
    for (int i = 0; i < largo; ++i)
        s += caracterAleatorio();
    return s;
}

QString RandomStudent::textoDeN()
{
    const int r = entre(0, 99);
    if (r < 62)
        return QString::number(entre(2, 8));
    if (r < 66)
        return QStringLiteral("100");
    if (r < 72)
        return QString::number(entre(9, 40));
    static const std::vector<QString> raros = {QStringLiteral("2.5"),    QStringLiteral("3.5"),
                                               QStringLiteral("99.5"),   QStringLiteral(" 7"),
                                               QStringLiteral("1e1"),    QStringLiteral("&H6"),
                                               QStringLiteral("&o7"),    QStringLiteral("5abc"),
                                               QStringLiteral("3,9"),    QStringLiteral("1 0"),
                                               QStringLiteral("+4"),     QStringLiteral("2.0"),
                                               QStringLiteral("0"),      QStringLiteral("1"),
                                               QStringLiteral("101"),    QStringLiteral("-5"),
                                               QStringLiteral("abc"),    QString(),
                                               QStringLiteral("1.9"),    QStringLiteral("100.4"),
                                               QStringLiteral("1e3"),    QStringLiteral("&H"),
                                               QStringLiteral("&HFFFF"), QStringLiteral("1e400"),
                                               QStringLiteral("1e-400"), QStringLiteral("99999999999999999999"),
                                               QStringLiteral("ñ"),      QStringLiteral("."),
                                               QStringLiteral("-"),      QStringLiteral("2e"),
                                               QStringLiteral("4d-1"),   QStringLiteral(" "),
                                               QStringLiteral("\u00a05")};
    if (r < 90)
        return uno(raros);
    return textoAleatorio();
}

QString RandomStudent::valorDeCelda()
{
    const QString punto = QLocale().decimalPoint();
    switch (entre(0, 11)) {
    case 0:
    case 1:
    case 2:
    case 3:
        return QString::number(entre(-20, 99));
    case 4:
        return QStringLiteral("0");
    case 5:
        return QString::number(entre(-999, 999)) + punto + QString::number(entre(0, 99));
    case 6:
        return QStringLiteral("1E+38");
    case 7:
        return QStringLiteral("1E-40");
    case 8:
        return QString();
    case 9:
        return QStringLiteral("3.4e39");
    case 10:
        return QString::number(entre(0, 9)) + (punto == u',' ? u'.' : u',') + u'5';
    default:
        return textoAleatorio().left(12);
    }
}

// A block for the clipboard: numbers, zeros, repeated rows, bad values; tabs or blanks.
QString RandomStudent::bloqueAleatorio()
{
    const bool grande = probable(0.05);
    const int filas = grande ? entre(50, 120) : entre(1, 8);
    const int columnas = grande ? entre(50, 120) : entre(1, 9);
    const QString sep = probable(0.7) ? QStringLiteral("\t") : QStringLiteral("  ");
    const QString fin = uno(std::vector<QString>{QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")});
    const int tipo = entre(0, 5);
    QStringList lineas;
    QStringList primera;
    for (int r = 0; r < filas; ++r) {
        QStringList celdas;
        for (int c = 0; c < columnas; ++c) {
            if (tipo == 0)
                celdas << QStringLiteral("0");
            else if (tipo == 1 && r > 0)
                celdas << primera.value(c);
            else if (tipo == 2)
                celdas << QString::number(entre(0, 9));
            else
                celdas << valorDeCelda();
        }
        if (r == 0)
            primera = celdas;
        lineas << celdas.join(sep);
    }
    QString bloque = lineas.join(fin);
    if (probable(0.5))
        bloque += fin;
    return bloque;
}

// ---- actions ----

QWidget* RandomStudent::foco() const
{
    QWidget* f = QApplication::focusWidget();
    if (f && f->window() == f_->v.get())
        return f;
    return f_->v->focusWidget() ? f_->v->focusWidget() : f_->v.get();
}

// Each character as a key of its own, to whatever holds the focus at that moment.
void RandomStudent::teclear(const QString& texto)
{
    for (const char32_t c : texto.toUcs4()) {
        if (vigilante_.salio())
            return;
        teclado::caracter(foco(), c);
    }
}

void RandomStudent::tecla(Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(foco(), k, mods);
}

void RandomStudent::clic(QWidget* w, QPoint donde, Qt::KeyboardModifiers mods)
{
    QTest::mouseClick(w, Qt::LeftButton, mods, donde);
}

QString RandomStudent::accion()
{
    static const std::vector<int> pesos = {
        18, // typing a text
        20, // a special key
        6,  // a function key
        4,  // Ctrl+ keys
        13, // a button or an option
        8,  // a menu item
        5,  // the scroll bar
        12, // clicks and double-clicks on the grids
        8,  // a number of equations
        3,  // the clipboard
        2,  // a click on any control
        1,  // the window's close box, rarely
        3,  // a grid's context menu
        1,  // the verification of the solution
        2,  // undo and redo at once
        3,  // a block in a spreadsheet's dialect
        2,  // the solve step by step
    };
    std::discrete_distribution<int> cual(pesos.begin(), pesos.end());
    switch (cual(azar_)) {
    case 0:
        return teclearTexto();
    case 1:
        return teclaEspecial();
    case 2:
        return teclaDeFuncion();
    case 3:
        return teclaControl();
    case 4:
        return pulsarBoton();
    case 5:
        return elegirMenu();
    case 6:
        return moverBarra();
    case 7:
        return clicEnCuadricula();
    case 8:
        return fijarN();
    case 9:
        return pegar();
    case 10:
        return clicEnControl();
    case 12:
        return menuContextual();
    case 13:
        return verificarSolucion();
    case 14:
        return deshacerYRehacer();
    case 15:
        return pegarDialecto();
    case 16:
        return verPasos();
    default:
        if (!probable(0.1))
            return teclaEspecial();
        return cerrarVentana();
    }
}

QString RandomStudent::teclearTexto()
{
    const QString texto = textoAleatorio();
    QString donde;
    const int r = entre(0, 9);
    if (r == 0 && f_->p.T_Incog->isEnabled()) {
        clic(f_->p.T_Incog);
        donde = QStringLiteral(" tras un clic en T_Incog");
    } else if (r <= 2 && f_->p.Cuadric->isVisible()) {
        donde = QStringLiteral(" tras ") + clicEnCuadricula(f_->p.Cuadric);
    }
    const QString destino = nombre(foco());
    teclear(texto);
    return QStringLiteral("teclea %1 en %2%3").arg(legible(texto), destino, donde);
}

QString RandomStudent::teclaEspecial()
{
    static const std::vector<std::pair<Qt::Key, const char*>> teclas = {{Qt::Key_Return, "Enter"},      {Qt::Key_Enter, "Intro"},
                                                                        {Qt::Key_Escape, "Escape"},     {Qt::Key_Up, "Arriba"},
                                                                        {Qt::Key_Down, "Abajo"},        {Qt::Key_Left, "Izquierda"},
                                                                        {Qt::Key_Right, "Derecha"},     {Qt::Key_Tab, "Tab"},
                                                                        {Qt::Key_Backtab, "Mayús+Tab"}, {Qt::Key_Backspace, "Retroceso"},
                                                                        {Qt::Key_Delete, "Suprimir"},   {Qt::Key_Home, "Inicio"},
                                                                        {Qt::Key_End, "Fin"},           {Qt::Key_PageUp, "RePág"},
                                                                        {Qt::Key_PageDown, "AvPág"},    {Qt::Key_Space, "Espacio"},
                                                                        {Qt::Key_Insert, "Insertar"},   {Qt::Key_Menu, "Menú"}};
    const auto& [k, n] = uno(teclas);
    Qt::KeyboardModifiers mods;
    if (probable(0.1))
        mods |= Qt::ShiftModifier;
    if (probable(0.05))
        mods |= Qt::ControlModifier;
    const QString destino = nombre(foco());
    const bool enEditor = foco() == f_->p.Text1;
    const int veces = probable(0.15) ? entre(2, 12) : 1;
    // The Menu key opens a grid's menu, which runs its own loop until the student closes it.
    QTimer cierre;
    QObject::connect(&cierre, &QTimer::timeout, &cierre, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    cierre.start(0);
    for (int i = 0; i < veces && !vigilante_.salio(); ++i) {
        if (k == Qt::Key_Space)
            QTest::sendKeyEvent(QTest::Click, foco(), k, QStringLiteral(" "), mods);
        else
            tecla(k, mods);
    }
    if ((k == Qt::Key_Tab || k == Qt::Key_Backtab) && !enEditor && !vigilante_.salio())
        vigilante_.exigir(QApplication::focusWidget() != f_->p.Text1, QStringLiteral("el tabulador llevó el foco al editor"));
    return QStringLiteral("tecla %1%2%3 x%4 en %5")
        .arg(mods & Qt::ShiftModifier ? QStringLiteral("Mayús+") : QString(),
             mods & Qt::ControlModifier ? QStringLiteral("Ctrl+") : QString(), QString::fromUtf8(n))
        .arg(veces)
        .arg(destino);
}

QString RandomStudent::teclaDeFuncion()
{
    const Qt::Key k = Qt::Key(Qt::Key_F1 + entre(0, 5));
    // Through the window or through the focused control: the shortcut fires either way.
    QWidget* destino = probable(0.5) ? static_cast<QWidget*>(f_->v.get()) : foco();
    const QString n = nombre(destino);
    QTest::keyClick(destino, k);
    return QStringLiteral("F%1 en %2").arg(k - Qt::Key_F1 + 1).arg(n);
}

QString RandomStudent::teclaControl()
{
    static const std::vector<Qt::Key> teclas = {Qt::Key_C, Qt::Key_V, Qt::Key_C, Qt::Key_V, Qt::Key_A,
                                                Qt::Key_X, Qt::Key_Z, Qt::Key_Y, Qt::Key_Z, Qt::Key_Q};
    const Qt::Key k = uno(teclas);
    const QString destino = nombre(foco());
    const bool mayus = k == Qt::Key_Z && probable(0.3);
    tecla(k, mayus ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    return QStringLiteral("Ctrl+%1%2 en %3").arg(mayus ? QStringLiteral("Mayús+") : QString()).arg(QChar(char16_t(k))).arg(destino);
}

QString RandomStudent::pulsarBoton()
{
    const std::vector<std::pair<QAbstractButton*, int>> botones = {{f_->p.B_Nuevo, 8},  {f_->p.B_Mostrar, 10}, {f_->p.B_Calcular, 12},
                                                                   {f_->p.Command1, 6}, {f_->p.Command2, 4},   {f_->p.B_Incog, 8},
                                                                   {f_->p.Op_Ch, 8},    {f_->p.Op_Gauss, 8},   {f_->p.B_Salir, 1}};
    std::vector<int> pesos;
    for (const auto& b : botones)
        pesos.push_back(b.second);
    std::discrete_distribution<int> cual(pesos.begin(), pesos.end());
    QAbstractButton* b = botones[std::size_t(cual(azar_))].first;
    const bool habilitado = b->isEnabled();
    if (probable(0.8))
        clic(b);
    else if (probable(0.5))
        QTest::sendKeyEvent(QTest::Click, b, Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier);
    else
        b->click();
    return QStringLiteral("botón %1%2").arg(b->objectName(), habilitado ? QString() : QStringLiteral(" (deshabilitado)"));
}

QMenu* RandomStudent::menuDe(QAction* a) const
{
    for (QAction* titulo : f_->p.barra->actions())
        if (titulo->menu() && titulo->menu()->actions().contains(a))
            return titulo->menu();
    return nullptr;
}

QString RandomStudent::elegirMenu()
{
    const std::vector<std::pair<QAction*, int>> acciones = {{f_->p.mnuNuevo, 6}, {f_->p.MnuCalcular, 10}, {f_->p.MnuGenera, 10},
                                                            {f_->p.mnuOp, 5},    {f_->p.mnuHelpAbout, 3}, {f_->p.mnuSalir, 1}};
    std::vector<int> pesos;
    for (const auto& a : acciones)
        pesos.push_back(a.second);
    std::discrete_distribution<int> cual(pesos.begin(), pesos.end());
    QAction* a = acciones[std::size_t(cual(azar_))].first;
    const QString estado = a->isEnabled() ? QString() : QStringLiteral(" (deshabilitado)");
    QMenu* menu = menuDe(a);
    const int modo = entre(0, 3);
    if (modo <= 1 || !menu) {
        a->trigger();
        return QStringLiteral("menú %1%2").arg(a->objectName(), estado);
    }
    if (modo == 2) {
        // Alt and the menu's letter, then the item's letter or Escape.
        QTest::keyClick(f_->v.get(), Qt::Key(mnemonico(menu->title()).unicode()), Qt::AltModifier);
        QWidget* emergente = QApplication::activePopupWidget();
        if (!emergente) {
            vigilante_.contar(QStringLiteral("Alt sin menú"));
            return QStringLiteral("Alt+%1 no abrió el menú").arg(mnemonico(menu->title()));
        }
        if (probable(0.85)) {
            QTest::keyClick(emergente, Qt::Key(mnemonico(a->text()).unicode()));
            return QStringLiteral("teclado: menú %1 %2%3").arg(menu->objectName(), a->objectName(), estado);
        }
        QTest::keyClick(emergente, Qt::Key_Escape);
        return QStringLiteral("teclado: menú %1 y Escape").arg(menu->objectName());
    }
    clic(f_->p.barra, f_->p.barra->actionGeometry(menu->menuAction()).center());
    if (auto* emergente = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        clic(emergente, emergente->actionGeometry(a).center());
    return QStringLiteral("ratón: menú %1 %2%3").arg(menu->objectName(), a->objectName(), estado);
}

void RandomStudent::cerrarMenus()
{
    for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i)
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    if (QWidget* emergente = QApplication::activePopupWidget())
        emergente->close();
}

QString RandomStudent::moverBarra()
{
    QScrollBar& barra = *f_->p.B_Num;
    const int antes = barra.value();
    const bool habilitada = barra.isEnabled();
    QString como;
    const int modo = entre(0, 3);
    if (modo == 0 || !habilitada) {
        const QPoint donde(entre(0, barra.width() - 1), entre(0, barra.height() - 1));
        clic(&barra, donde);
        como = QStringLiteral("clic en (%1,%2)").arg(donde.x()).arg(donde.y());
    } else if (modo == 1) {
        static const std::vector<QAbstractSlider::SliderAction> pasos = {
            QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderPageStepAdd,
            QAbstractSlider::SliderPageStepSub,   QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
        const auto paso = uno(pasos);
        barra.triggerAction(paso);
        como = QStringLiteral("paso %1").arg(int(paso));
    } else if (modo == 2) {
        const int valor = probable(0.7) ? entre(2, 10) : entre(2, 100);
        barra.setSliderDown(true);
        barra.setSliderPosition(valor);
        barra.setSliderDown(false);
        como = QStringLiteral("arrastre a %1").arg(valor);
    } else {
        static const std::vector<Qt::Key> teclas = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key k = uno(teclas);
        QTest::keyClick(&barra, k);
        como = QStringLiteral("tecla %1").arg(int(k), 0, 16);
    }
    return QStringLiteral("barra %1 -> %2 (%3)%4")
        .arg(antes)
        .arg(barra.value())
        .arg(como, habilitada ? QString() : QStringLiteral(" deshabilitada"));
}

QString RandomStudent::clicEnCuadricula(GridControl* g)
{
    if (!g) {
        std::vector<GridControl*> visibles;
        if (f_->p.Cuadric->isVisible())
            visibles.insert(visibles.end(), 6, f_->p.Cuadric);
        visibles.push_back(f_->p.F_Resp);
        if (f_->p.Fr_Mat->isVisible())
            visibles.insert(visibles.end(), {f_->p.F_Rint[0], f_->p.F_Rint[1]});
        g = uno(visibles);
    }
    QWidget* vista = g->viewport();
    QPoint donde(entre(0, vista->width() - 1), entre(0, vista->height() - 1));
    QString celda;
    if (g->Rows() > 0 && g->Cols() > 0 && probable(0.8)) {
        const int r = entre(0, g->Rows() - 1);
        const int c = entre(0, g->Cols() - 1);
        const QRect rect = g->visualRect(g->model()->index(r, c)) & vista->rect();
        if (!rect.isEmpty()) {
            donde = rect.center();
            celda = QStringLiteral(" celda (%1, %2)").arg(r).arg(c);
        }
    }
    const Qt::KeyboardModifiers mods = probable(0.1) ? Qt::ShiftModifier : Qt::NoModifier;
    const bool doble = probable(0.3);
    if (doble)
        QTest::mouseDClick(vista, Qt::LeftButton, mods, donde);
    else
        clic(vista, donde, mods);
    return QStringLiteral("%1%2 en %3 (%4,%5)%6")
        .arg(doble ? QStringLiteral("doble clic") : QStringLiteral("clic"), mods ? QStringLiteral(" con Mayús") : QString(),
             g->objectName())
        .arg(donde.x())
        .arg(donde.y())
        .arg(celda);
}

QString RandomStudent::fijarN()
{
    const QString texto = textoDeN();
    if (!f_->p.T_Incog->isEnabled()) {
        clic(f_->p.B_Incog);
        return QStringLiteral("n %1 con la caja deshabilitada").arg(legible(texto));
    }
    clic(f_->p.T_Incog);
    QString como;
    switch (entre(0, 4)) {
    case 0:
    case 1:
        tecla(Qt::Key_A, Qt::ControlModifier);
        como = QStringLiteral("Ctrl+A");
        break;
    case 2:
        tecla(Qt::Key_Home);
        tecla(Qt::Key_End, Qt::ShiftModifier);
        como = QStringLiteral("Inicio, Mayús+Fin");
        break;
    case 3:
        tecla(Qt::Key_End);
        for (int i = 0; i < 6; ++i)
            tecla(Qt::Key_Backspace);
        como = QStringLiteral("Fin y Retroceso");
        break;
    default:
        como = QStringLiteral("sin borrar");
        break;
    }
    teclear(texto);
    const bool conEnter = probable(0.6);
    if (conEnter)
        tecla(Qt::Key_Return);
    else
        clic(f_->p.B_Incog);
    return QStringLiteral("n %1 (%2, %3): la caja dice %4")
        .arg(legible(texto), como, conEnter ? QStringLiteral("Enter") : QStringLiteral("Ingresar"),
             vigilante_.salio() ? QString() : legible(f_->p.T_Incog->text()));
}

// A block as spreadsheets and files write it: tabs, semicolons, commas or blanks; decimal
// commas or points; quoted fields; the worksheet's own headers; a byte-order mark.
QString RandomStudent::bloqueEnDialecto()
{
    const QString sep = uno(std::vector<QString>{QStringLiteral("\t"), QStringLiteral(";"), QStringLiteral(","), QStringLiteral(" ")});
    const QChar marca = sep == QLatin1String(",") || probable(0.5) ? u'.' : u',';
    const QString fin = uno(std::vector<QString>{QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")});
    const int filas = entre(1, 6);
    const int columnas = entre(1, 7);
    const bool encabezados = sep != QLatin1String(" ") && probable(0.3);
    const bool comillas = sep != QLatin1String(" ") && probable(0.3);
    QStringList lineas;
    if (encabezados) {
        QStringList titulos{QString()};
        for (int c = 1; c < columnas; ++c)
            titulos << QStringLiteral("X%1").arg(c);
        lineas << (titulos << QStringLiteral("T.I")).join(sep);
    }
    for (int r = 0; r < filas; ++r) {
        QStringList celdas;
        if (encabezados)
            celdas << QStringLiteral("EQ%1").arg(r + 1);
        for (int c = 0; c < columnas; ++c) {
            QString v = QString::number(entre(-99, 99));
            if (probable(0.5))
                v += marca + QString::number(entre(0, 99));
            if (comillas && probable(0.3))
                v = u'"' + v + u'"';
            celdas << (probable(0.05) ? valorDeCelda() : v);
        }
        lineas << celdas.join(sep);
    }
    return (probable(0.1) ? QStringLiteral("\ufeff") : QString()) + lineas.join(fin) + (probable(0.5) ? fin : QString());
}

QString RandomStudent::pegarDialecto()
{
    const QString bloque = bloqueEnDialecto();
    QGuiApplication::clipboard()->setText(bloque);
    const QString donde = f_->p.Cuadric->isVisible() ? clicEnCuadricula(f_->p.Cuadric) : QString();
    const QString destino = nombre(foco());
    tecla(Qt::Key_V, Qt::ControlModifier);
    return QStringLiteral("pega en dialecto %1 en %2 tras %3").arg(legible(bloque, 60), destino, donde);
}

QString RandomStudent::pegar()
{
    const QString bloque = bloqueAleatorio();
    QGuiApplication::clipboard()->setText(bloque);
    QString donde;
    if (f_->p.Cuadric->isVisible() && probable(0.7))
        donde = QStringLiteral(" tras ") + clicEnCuadricula(f_->p.Cuadric);
    const QString destino = nombre(foco());
    tecla(Qt::Key_V, Qt::ControlModifier);
    return QStringLiteral("pega %1 en %2%3").arg(legible(bloque, 40), destino, donde);
}

QString RandomStudent::clicEnControl()
{
    const QList<QWidget*> todos = f_->v->findChildren<QWidget*>();
    QWidget* w = todos[entre(0, int(todos.size()) - 1)];
    // "Salir" has its own, rarer, place among the buttons.
    if (!w->isVisible() || w == f_->p.B_Salir)
        return QStringLiteral("ningún clic: %1 no visible o Salir").arg(nombre(w));
    const QPoint donde(entre(0, std::max(0, w->width() - 1)), entre(0, std::max(0, w->height() - 1)));
    clic(w, donde);
    return QStringLiteral("clic en %1 (%2,%3)").arg(nombre(w)).arg(donde.x()).arg(donde.y());
}

// A right-click on a cell, or the menu key on the grid, and then one entry, enabled or not,
// or Escape. The menu runs its own loop: the choice is made from inside it.
QString RandomStudent::menuContextual()
{
    std::vector<GridControl*> visibles;
    for (GridControl* g : {f_->p.Cuadric, f_->p.F_Resp, f_->p.F_Rint[0], f_->p.F_Rint[1]})
        if (g->isVisible())
            visibles.push_back(g);
    GridControl* g = uno(visibles);
    auto eleccion = std::make_shared<QString>(QStringLiteral("ningún menú"));
    const int entrada = entre(0, 9);
    const bool escape = probable(0.2);
    QTimer::singleShot(0, g, [eleccion, entrada, escape] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QList<QAction*> entradas;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                entradas << a;
        if (escape || entradas.isEmpty()) {
            *eleccion = QStringLiteral("Escape");
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        QAction* a = entradas[entrada % entradas.size()];
        *eleccion = a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (deshabilitada)"));
        const QPointer<QMenu> abierto = menu;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        // A click on a disabled entry leaves the menu open.
        if (abierto && abierto->isVisible())
            abierto->close();
    });
    QString como;
    if (probable(0.7) && g->Rows() > 0 && g->Cols() > 0) {
        const QRect celda = g->visualRect(g->model()->index(entre(0, g->Rows() - 1), entre(0, g->Cols() - 1))) & g->viewport()->rect();
        const QPoint donde = celda.isEmpty() ? g->viewport()->rect().center() : celda.center();
        QContextMenuEvent evento(QContextMenuEvent::Mouse, donde, g->viewport()->mapToGlobal(donde));
        QCoreApplication::sendEvent(g->viewport(), &evento);
        como = QStringLiteral("clic derecho en (%1,%2)").arg(donde.x()).arg(donde.y());
    } else {
        QContextMenuEvent evento(QContextMenuEvent::Keyboard, g->rect().center(), g->mapToGlobal(g->rect().center()));
        QCoreApplication::sendEvent(g, &evento);
        como = QStringLiteral("tecla de menú");
    }
    return QStringLiteral("menú contextual de %1 (%2): %3").arg(g->objectName(), como, legible(*eleccion));
}

QString RandomStudent::verificarSolucion()
{
    QAction* a = buscar<QAction>(*f_->v, "mnuVerificar");
    const bool habilitada = a->isEnabled();
    a->trigger();
    return QStringLiteral("Verificar solución%1").arg(habilitada ? QString() : QStringLiteral(" (deshabilitada)"));
}

// "Ver paso a paso…" by its key or its action; the Watcher walks the dialog and closes it.
QString RandomStudent::verPasos()
{
    QAction* a = buscar<QAction>(*f_->v, "mnuPasos");
    const bool habilitada = a->isEnabled();
    const bool tecla = probable(0.5);
    if (tecla)
        QTest::keyClick(f_->v.get(), Qt::Key_F6);
    else
        a->trigger();
    return QStringLiteral("Ver paso a paso (%1)%2")
        .arg(tecla ? QStringLiteral("F6") : QStringLiteral("acción"), habilitada ? QString() : QStringLiteral(" (deshabilitada)"));
}

// Ctrl+Z and then a redo key on the worksheet: where there was something to undo, the
// worksheet ends as it began.
QString RandomStudent::deshacerYRehacer()
{
    GridControl& g = *f_->p.Cuadric;
    if (!g.isVisible() || !g.isEnabled() || f_->p.Text1->isVisible())
        return QStringLiteral("sin deshacer: hoja no disponible o editor abierto");
    const bool habia = buscar<QAction>(*f_->v, "mnuDeshacer")->isEnabled();
    const QStringList antes = WindowFixture::celdas(g);
    QTest::keyClick(&g, Qt::Key_Z, Qt::ControlModifier);
    const bool cambio = WindowFixture::celdas(g) != antes;
    vigilante_.exigir(habia || !cambio, QStringLiteral("Ctrl+Z cambió la hoja sin nada que deshacer"));
    const bool y = probable(0.5);
    // An undone layout may leave the worksheet disabled, the number box in the focus.
    QTest::keyClick(g.isEnabled() ? &g : foco(), y ? Qt::Key_Y : Qt::Key_Z,
                    y ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    if (habia) {
        // The corner shows the current cell, which the undo may have moved.
        // A solve writes "0" into the empty cells it reads, outside the history: the redo
        // gives such a cell back as the step left it, empty.
        const QStringList despues = WindowFixture::celdas(g);
        bool igual = despues.size() == antes.size();
        for (qsizetype i = 1; igual && i < antes.size(); ++i)
            igual = despues[i] == antes[i] || (antes[i] == QLatin1String("0") && despues[i].isEmpty());
        vigilante_.exigir(igual, QStringLiteral("deshacer y rehacer no devolvió la hoja"));
        vigilante_.contar(QStringLiteral("deshacer y rehacer"));
    }
    return QStringLiteral("Ctrl+Z y %1 en la hoja%2")
        .arg(y ? QStringLiteral("Ctrl+Y") : QStringLiteral("Ctrl+Mayús+Z"), habia ? QString() : QStringLiteral(" sin nada que deshacer"));
}
