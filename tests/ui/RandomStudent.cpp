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

QString name(const QWidget* w)
{
    if (!w)
        return QStringLiteral("(nada)");
    return w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className()) : w->objectName();
}

QChar mnemonic(const QString& text)
{
    const qsizetype i = text.indexOf(u'&');
    return i >= 0 && i + 1 < text.size() ? text[i + 1].toUpper() : QChar();
}

} // namespace

RandomStudent::RandomStudent(quint64 seed, Watcher& watcher) : random_(seed), watcher_(watcher)
{
    openWindow();
}

RandomStudent::~RandomStudent() = default;

void RandomStudent::openWindow()
{
    f_.reset();
    f_ = std::make_unique<WindowFixture>();
    watcher_.watch(*f_->v, f_->p);
}

QString RandomStudent::act()
{
    // Whatever took the activation meanwhile, the student clicks the window first.
    if (QApplication::activeWindow() != f_->v.get())
        QApplication::setActiveWindow(f_->v.get());
    const QString done = anyAction();
    closeMenus();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return done;
}

QString RandomStudent::closeWindow()
{
    f_->v->close();
    watcher_.noteClosed();
    return QStringLiteral("cuadro de cierre de la ventana");
}

int RandomStudent::between(int a, int b)
{
    return std::uniform_int_distribution<int>(a, b)(random_);
}

bool RandomStudent::chance(double p)
{
    return std::bernoulli_distribution(p)(random_);
}

QString RandomStudent::randomChar()
{
    static const std::vector<QString> classes = {
        QStringLiteral("0123456789"),
        QStringLiteral("+-"),
        QStringLiteral(".,;:"),
        QStringLiteral("eEdD&Hh%$#"),
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"),
        QStringLiteral("     "),
        QStringLiteral("ñÑáéíóúüÜ¿¡€°²½ßøœ"),
        QStringLiteral("中文日本語한국어شعبעברית"),
    };
    const int r = between(0, 99);
    if (r < 2) {
        // Beyond one UTF-16 unit, a combining accent, invisible and control characters.
        static const QStringList rare = {
            QString::fromUcs4(U"\U0001F600"), QString::fromUcs4(U"\U0001D538"), "e\u0301", "\u200b", "\u00a0", "\x01", "\x7f", "\ufffd"};
        return oneOf(rare);
    }
    const std::vector<int> weights = {40, 8, 8, 6, 14, 10, 8, 4};
    std::discrete_distribution<int> kind(weights.begin(), weights.end());
    const QString& pool = classes[std::size_t(kind(random_))];
    return QString(pool[between(0, int(pool.size()) - 1)]);
}

QString RandomStudent::randomText()
{
    const int r = between(0, 99);
    if (r < 20) {
        static const QStringList numbers = {"0",   "-12,5", "3.25e2", "1E+38",     "3,5E+38", "-1e-45",    "1E-50",
                                            "7",   "-0",    "  42  ", "1.234.567", "1,5,5",   "0,0000001", "99999999",
                                            "nan", "inf",   "-",      "1e",        "&H1F",    "1d2"};
        return oneOf(numbers);
    }
    const int length = r < 85 ? between(1, 6) : r < 97 ? between(7, 40) : between(100, 1500);
    QString s;
    for (int i = 0; i < length; ++i)
        s += randomChar();
    return s;
}

QString RandomStudent::nText()
{
    const int r = between(0, 99);
    if (r < 62)
        return QString::number(between(2, 8));
    if (r < 66)
        return QStringLiteral("100");
    if (r < 72)
        return QString::number(between(9, 40));
    static const QStringList rare = {
        "2.5", "3.5", "99.5", " 7",  "1e1",  "&H6", "&o7",    "5abc", "3,9", "1 0",    "+4",    "2.0",    "0",
        "1",   "101", "-5",   "abc", "",     "1.9", "100.4",  "1e3",  "&H",  "&HFFFF", "1e400", "1e-400", "99999999999999999999",
        "ñ",   ".",   "-",    "2e",  "4d-1", " ",   "\u00a05"};
    if (r < 90)
        return oneOf(rare);
    return randomText();
}

QString RandomStudent::cellValue()
{
    const QString point = QLocale().decimalPoint();
    switch (between(0, 11)) {
    case 0:
    case 1:
    case 2:
    case 3:
        return QString::number(between(-20, 99));
    case 4:
        return QStringLiteral("0");
    case 5:
        return QString::number(between(-999, 999)) + point + QString::number(between(0, 99));
    case 6:
        return QStringLiteral("1E+38");
    case 7:
        return QStringLiteral("1E-40");
    case 8:
        return QString();
    case 9:
        return QStringLiteral("3.4e39");
    case 10:
        return QString::number(between(0, 9)) + (point == u',' ? u'.' : u',') + u'5';
    default:
        return randomText().left(12);
    }
}

// ---- actions ----

QWidget* RandomStudent::focus() const
{
    QWidget* f = QApplication::focusWidget();
    if (f && f->window() == f_->v.get())
        return f;
    return f_->v->focusWidget() ? f_->v->focusWidget() : f_->v.get();
}

// Each character as a key of its own, to whatever holds the focus at that moment.
void RandomStudent::typeKeys(const QString& text)
{
    for (const char32_t c : text.toUcs4()) {
        if (watcher_.hasQuit())
            return;
        keyboard::typeChar(focus(), c);
    }
}

void RandomStudent::press(Qt::Key k, Qt::KeyboardModifiers mods)
{
    QTest::keyClick(focus(), k, mods);
}

void RandomStudent::click(QWidget* w, QPoint where, Qt::KeyboardModifiers mods)
{
    QTest::mouseClick(w, Qt::LeftButton, mods, where);
}

QString RandomStudent::anyAction()
{
    // Each kind of action with its weight.
    static const std::vector<std::pair<QString (*)(RandomStudent&), int>> actions = {
        {[](RandomStudent& s) { return s.typeText(); }, 18},
        {[](RandomStudent& s) { return s.specialKey(); }, 20},
        {[](RandomStudent& s) { return s.functionKey(); }, 6},
        {[](RandomStudent& s) { return s.controlKey(); }, 4},
        {[](RandomStudent& s) { return s.pressButton(); }, 13},
        {[](RandomStudent& s) { return s.chooseMenu(); }, 8},
        {[](RandomStudent& s) { return s.moveScrollBar(); }, 5},
        {[](RandomStudent& s) { return s.clickGrid(); }, 12},
        {[](RandomStudent& s) { return s.enterN(); }, 8},
        {[](RandomStudent& s) { return s.paste(false); }, 3},
        {[](RandomStudent& s) { return s.clickControl(); }, 2},
        // The window's close box, rarely.
        {[](RandomStudent& s) { return s.chance(0.1) ? s.closeWindow() : s.specialKey(); }, 1},
        {[](RandomStudent& s) { return s.contextMenu(); }, 3},
        {[](RandomStudent& s) { return s.solutionDialog("mnuVerificar", Qt::Key_unknown); }, 1},
        {[](RandomStudent& s) { return s.undoAndRedo(); }, 2},
        {[](RandomStudent& s) { return s.paste(true); }, 3},
        {[](RandomStudent& s) { return s.solutionDialog("mnuPasos", Qt::Key_F6); }, 2},
    };
    return weighted(actions)(*this);
}

QString RandomStudent::typeText()
{
    const QString text = randomText();
    QString where;
    const int r = between(0, 9);
    if (r == 0 && f_->p.T_Incog->isEnabled()) {
        click(f_->p.T_Incog);
        where = QStringLiteral(" tras un clic en T_Incog");
    } else if (r <= 2 && f_->p.Cuadric->isVisible()) {
        where = QStringLiteral(" tras ") + clickGrid(f_->p.Cuadric);
    }
    const QString target = name(focus());
    typeKeys(text);
    return filled(QStringLiteral("teclea %1 en %2%3"), printable(text), target, where);
}

QString RandomStudent::specialKey()
{
    static const std::vector<Qt::Key> keys = {Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Escape, Qt::Key_Up,      Qt::Key_Down,
                                              Qt::Key_Left,   Qt::Key_Right,  Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Backspace,
                                              Qt::Key_Delete, Qt::Key_Home,   Qt::Key_End,    Qt::Key_PageUp,  Qt::Key_PageDown,
                                              Qt::Key_Space,  Qt::Key_Insert, Qt::Key_Menu};
    const Qt::Key k = oneOf(keys);
    Qt::KeyboardModifiers mods;
    if (chance(0.1))
        mods |= Qt::ShiftModifier;
    if (chance(0.05))
        mods |= Qt::ControlModifier;
    const QString target = name(focus());
    const bool inEditor = focus() == f_->p.Text1;
    const int times = chance(0.15) ? between(2, 12) : 1;
    // The Menu key opens a grid's menu, which runs its own loop until the student closes it.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &closer, [] {
        if (QWidget* menu = QApplication::activePopupWidget())
            menu->close();
    });
    closer.start(0);
    for (int i = 0; i < times && !watcher_.hasQuit(); ++i) {
        if (k == Qt::Key_Space)
            QTest::sendKeyEvent(QTest::Click, focus(), k, QStringLiteral(" "), mods);
        else
            press(k, mods);
    }
    if ((k == Qt::Key_Tab || k == Qt::Key_Backtab) && !inEditor && !watcher_.hasQuit())
        watcher_.require(QApplication::focusWidget() != f_->p.Text1, QStringLiteral("el tabulador llevó el foco al editor"));
    return filled(QStringLiteral("tecla %1%2%3 x%4 en %5"), mods & Qt::ShiftModifier ? QStringLiteral("Mayús+") : QString(),
                  mods & Qt::ControlModifier ? QStringLiteral("Ctrl+") : QString(), QKeySequence(k).toString(), times, target);
}

QString RandomStudent::functionKey()
{
    const Qt::Key k = Qt::Key(Qt::Key_F1 + between(0, 5));
    // Through the window or through the focused control: the shortcut fires either way.
    QWidget* target = chance(0.5) ? static_cast<QWidget*>(f_->v.get()) : focus();
    const QString n = name(target);
    QTest::keyClick(target, k);
    return filled(QStringLiteral("F%1 en %2"), k - Qt::Key_F1 + 1, n);
}

QString RandomStudent::controlKey()
{
    static const std::vector<Qt::Key> keys = {Qt::Key_C, Qt::Key_V, Qt::Key_C, Qt::Key_V, Qt::Key_A,
                                              Qt::Key_X, Qt::Key_Z, Qt::Key_Y, Qt::Key_Z, Qt::Key_Q};
    const Qt::Key k = oneOf(keys);
    const QString target = name(focus());
    const bool mayus = k == Qt::Key_Z && chance(0.3);
    press(k, mayus ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
    return filled(QStringLiteral("Ctrl+%1%2 en %3"), mayus ? QStringLiteral("Mayús+") : QString(), QChar(char16_t(k)), target);
}

QString RandomStudent::pressButton()
{
    const std::vector<std::pair<QAbstractButton*, int>> buttons = {{f_->p.B_Nuevo, 8},  {f_->p.B_Mostrar, 10}, {f_->p.B_Calcular, 12},
                                                                   {f_->p.Command1, 6}, {f_->p.Command2, 4},   {f_->p.B_Incog, 8},
                                                                   {f_->p.Op_Ch, 8},    {f_->p.Op_Gauss, 8},   {f_->p.B_Salir, 1}};
    QAbstractButton* b = weighted(buttons);
    const bool enabled = b->isEnabled();
    if (chance(0.8))
        click(b);
    else if (chance(0.5))
        QTest::sendKeyEvent(QTest::Click, b, Qt::Key_Space, QStringLiteral(" "), Qt::NoModifier);
    else
        b->click();
    return QStringLiteral("botón %1%2").arg(b->objectName(), enabled ? QString() : QStringLiteral(" (deshabilitado)"));
}

QMenu* RandomStudent::menuOf(QAction* a) const
{
    for (QAction* title : f_->p.menuBar->actions())
        if (title->menu() && title->menu()->actions().contains(a))
            return title->menu();
    return nullptr;
}

QString RandomStudent::chooseMenu()
{
    const std::vector<std::pair<QAction*, int>> actions = {{f_->p.mnuNuevo, 6}, {f_->p.MnuCalcular, 10}, {f_->p.MnuGenera, 10},
                                                           {f_->p.mnuOp, 5},    {f_->p.mnuHelpAbout, 3}, {f_->p.mnuSalir, 1}};
    QAction* a = weighted(actions);
    const QString status = a->isEnabled() ? QString() : QStringLiteral(" (deshabilitado)");
    QMenu* menu = menuOf(a);
    const int mode = between(0, 3);
    if (mode <= 1 || !menu) {
        a->trigger();
        return QStringLiteral("menú %1%2").arg(a->objectName(), status);
    }
    if (mode == 2) {
        // Alt and the menu's letter, then the item's letter or Escape.
        QTest::keyClick(f_->v.get(), Qt::Key(mnemonic(menu->title()).unicode()), Qt::AltModifier);
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) {
            watcher_.count(QStringLiteral("Alt sin menú"));
            return QStringLiteral("Alt+%1 no abrió el menú").arg(mnemonic(menu->title()));
        }
        if (chance(0.85)) {
            QTest::keyClick(popup, Qt::Key(mnemonic(a->text()).unicode()));
            return filled(QStringLiteral("teclado: menú %1 %2%3"), menu->objectName(), a->objectName(), status);
        }
        QTest::keyClick(popup, Qt::Key_Escape);
        return QStringLiteral("teclado: menú %1 y Escape").arg(menu->objectName());
    }
    click(f_->p.menuBar, f_->p.menuBar->actionGeometry(menu->menuAction()).center());
    if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        click(popup, popup->actionGeometry(a).center());
    return filled(QStringLiteral("ratón: menú %1 %2%3"), menu->objectName(), a->objectName(), status);
}

void RandomStudent::closeMenus()
{
    for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i)
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

QString RandomStudent::moveScrollBar()
{
    QScrollBar& bar = *f_->p.B_Num;
    const int before = bar.value();
    const bool enabled = bar.isEnabled();
    QString how;
    const int mode = between(0, 3);
    if (mode == 0 || !enabled) {
        const QPoint where(between(0, bar.width() - 1), between(0, bar.height() - 1));
        click(&bar, where);
        how = filled(QStringLiteral("clic en (%1,%2)"), where.x(), where.y());
    } else if (mode == 1) {
        static const std::vector<QAbstractSlider::SliderAction> steps = {
            QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderPageStepAdd,
            QAbstractSlider::SliderPageStepSub,   QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum};
        const auto step = oneOf(steps);
        bar.triggerAction(step);
        how = QStringLiteral("paso %1").arg(int(step));
    } else if (mode == 2) {
        const int value = chance(0.7) ? between(2, 10) : between(2, 100);
        bar.setSliderDown(true);
        bar.setSliderPosition(value);
        bar.setSliderDown(false);
        how = QStringLiteral("arrastre a %1").arg(value);
    } else {
        static const std::vector<Qt::Key> keys = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Qt::Key k = oneOf(keys);
        QTest::keyClick(&bar, k);
        how = QStringLiteral("tecla %1").arg(int(k), 0, 16);
    }
    return filled(QStringLiteral("barra %1 -> %2 (%3)%4"), before, bar.value(), how,
                  enabled ? QString() : QStringLiteral(" deshabilitada"));
}

QString RandomStudent::clickGrid(GridControl* g)
{
    if (!g) {
        std::vector<GridControl*> visible;
        if (f_->p.Cuadric->isVisible())
            visible.insert(visible.end(), 6, f_->p.Cuadric);
        visible.push_back(f_->p.F_Resp);
        if (f_->p.Fr_Mat->isVisible())
            visible.insert(visible.end(), {f_->p.F_Rint[0], f_->p.F_Rint[1]});
        g = oneOf(visible);
    }
    QWidget* view = g->viewport();
    QPoint where(between(0, view->width() - 1), between(0, view->height() - 1));
    QString cell;
    if (g->Rows() > 0 && g->Cols() > 0 && chance(0.8)) {
        const int r = between(0, g->Rows() - 1);
        const int c = between(0, g->Cols() - 1);
        const QRect rect = g->visualRect(g->model()->index(r, c)) & view->rect();
        if (!rect.isEmpty()) {
            where = rect.center();
            cell = filled(QStringLiteral(" celda (%1, %2)"), r, c);
        }
    }
    const Qt::KeyboardModifiers mods = chance(0.1) ? Qt::ShiftModifier : Qt::NoModifier;
    const bool twice = chance(0.3);
    if (twice)
        QTest::mouseDClick(view, Qt::LeftButton, mods, where);
    else
        click(view, where, mods);
    return filled(QStringLiteral("%1%2 en %3 (%4,%5)%6"), twice ? QStringLiteral("doble clic") : QStringLiteral("clic"),
                  mods ? QStringLiteral(" con Mayús") : QString(), g->objectName(), where.x(), where.y(), cell);
}

QString RandomStudent::enterN()
{
    const QString text = nText();
    if (!f_->p.T_Incog->isEnabled()) {
        click(f_->p.B_Incog);
        return QStringLiteral("n %1 con la caja deshabilitada").arg(printable(text));
    }
    click(f_->p.T_Incog);
    QString how;
    switch (between(0, 4)) {
    case 0:
    case 1:
        press(Qt::Key_A, Qt::ControlModifier);
        how = QStringLiteral("Ctrl+A");
        break;
    case 2:
        press(Qt::Key_Home);
        press(Qt::Key_End, Qt::ShiftModifier);
        how = QStringLiteral("Inicio, Mayús+Fin");
        break;
    case 3:
        press(Qt::Key_End);
        for (int i = 0; i < 6; ++i)
            press(Qt::Key_Backspace);
        how = QStringLiteral("Fin y Retroceso");
        break;
    default:
        how = QStringLiteral("sin borrar");
        break;
    }
    typeKeys(text);
    const bool withEnter = chance(0.6);
    if (withEnter)
        press(Qt::Key_Return);
    else
        click(f_->p.B_Incog);
    return filled(QStringLiteral("n %1 (%2, %3): la caja dice %4"), printable(text), how,
                  withEnter ? QStringLiteral("Enter") : QStringLiteral("Ingresar"),
                  watcher_.hasQuit() ? QString() : printable(f_->p.T_Incog->text()));
}

// A block for the clipboard. At random: numbers, zeros, repeated rows, bad values, apart by
// tabs or blanks. In a dialect, as spreadsheets and files write it: tabs, semicolons, commas
// or blanks; decimal commas or points; quoted fields; the worksheet's own headers; a
// byte-order mark.
QString RandomStudent::block(bool dialect)
{
    const bool large = !dialect && chance(0.05);
    const int rows = large ? between(50, 120) : between(1, dialect ? 6 : 8);
    const int columns = large ? between(50, 120) : between(1, dialect ? 7 : 9);
    const QString sep = dialect ? oneOf(QStringList{"\t", ";", ",", " "}) : chance(0.7) ? "\t" : "  ";
    const QChar mark = sep == QLatin1String(",") || chance(0.5) ? u'.' : u',';
    const QString eol = oneOf(QStringList{"\n", "\r\n", "\r"});
    const int kind = dialect ? -1 : between(0, 5); // zeros, a row repeated, digits, or any values
    const bool headers = dialect && sep != QLatin1String(" ") && chance(0.3);
    const bool quotes = dialect && sep != QLatin1String(" ") && chance(0.3);
    QStringList lines;
    if (headers) {
        QStringList titles{QString()};
        for (int c = 1; c < columns; ++c)
            titles << QStringLiteral("X%1").arg(c);
        lines << (titles << QStringLiteral("T.I")).join(sep);
    }
    QStringList first;
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        if (headers)
            cells << QStringLiteral("EQ%1").arg(r + 1);
        for (int c = 0; c < columns; ++c) {
            QString v;
            if (kind == 0) {
                v = QStringLiteral("0");
            } else if (kind == 1 && r > 0) {
                v = first.value(c);
            } else if (kind == 2) {
                v = QString::number(between(0, 9));
            } else if (!dialect || chance(0.05)) {
                v = cellValue();
            } else {
                v = QString::number(between(-99, 99));
                if (chance(0.5))
                    v += mark + QString::number(between(0, 99));
                if (quotes && chance(0.3))
                    v = u'"' + v + u'"';
            }
            cells << v;
        }
        if (r == 0)
            first = cells;
        lines << cells.join(sep);
    }
    return (dialect && chance(0.1) ? QStringLiteral("\ufeff") : QString()) + lines.join(eol) + (chance(0.5) ? eol : QString());
}

// A random block, or one in a spreadsheet's dialect, through the clipboard with Ctrl+V.
QString RandomStudent::paste(bool dialect)
{
    const QString clip = block(dialect);
    QGuiApplication::clipboard()->setText(clip);
    QString where;
    if (f_->p.Cuadric->isVisible() && (dialect || chance(0.7)))
        where = QStringLiteral(" tras ") + clickGrid(f_->p.Cuadric);
    const QString target = name(focus());
    press(Qt::Key_V, Qt::ControlModifier);
    return filled(QStringLiteral("pega%1 %2 en %3%4"), dialect ? " en dialecto" : "", printable(clip, dialect ? 60 : 40), target, where);
}

QString RandomStudent::clickControl()
{
    const QList<QWidget*> all = f_->v->findChildren<QWidget*>();
    QWidget* w = all[between(0, int(all.size()) - 1)];
    // "Salir" has its own, rarer, place among the buttons.
    if (!w->isVisible() || w == f_->p.B_Salir)
        return QStringLiteral("ningún clic: %1 no visible o Salir").arg(name(w));
    const QPoint where(between(0, std::max(0, w->width() - 1)), between(0, std::max(0, w->height() - 1)));
    click(w, where);
    return filled(QStringLiteral("clic en %1 (%2,%3)"), name(w), where.x(), where.y());
}

// A right-click on a cell, or the menu key on the grid, and then one entry, enabled or not,
// or Escape. The menu runs its own loop: the choice is made from inside it.
QString RandomStudent::contextMenu()
{
    std::vector<GridControl*> visible;
    for (GridControl* g : {f_->p.Cuadric, f_->p.F_Resp, f_->p.F_Rint[0], f_->p.F_Rint[1]})
        if (g->isVisible())
            visible.push_back(g);
    GridControl* g = oneOf(visible);
    auto choice = std::make_shared<QString>(QStringLiteral("ningún menú"));
    const int entry = between(0, 9);
    const bool escape = chance(0.2);
    QTimer::singleShot(0, g, [choice, entry, escape] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QList<QAction*> entries;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                entries << a;
        if (escape || entries.isEmpty()) {
            *choice = QStringLiteral("Escape");
            QTest::keyClick(menu, Qt::Key_Escape);
            return;
        }
        QAction* a = entries[entry % entries.size()];
        *choice = a->text() + (a->isEnabled() ? QString() : QStringLiteral(" (deshabilitada)"));
        const QPointer<QMenu> stillOpen = menu;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
        // A click on a disabled entry leaves the menu open.
        if (stillOpen && stillOpen->isVisible())
            stillOpen->close();
    });
    QString how;
    if (chance(0.7) && g->Rows() > 0 && g->Cols() > 0) {
        const QRect cell = g->visualRect(g->model()->index(between(0, g->Rows() - 1), between(0, g->Cols() - 1))) & g->viewport()->rect();
        const QPoint where = cell.isEmpty() ? g->viewport()->rect().center() : cell.center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, where, g->viewport()->mapToGlobal(where));
        QCoreApplication::sendEvent(g->viewport(), &event);
        how = filled(QStringLiteral("clic derecho en (%1,%2)"), where.x(), where.y());
    } else {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, g->rect().center(), g->mapToGlobal(g->rect().center()));
        QCoreApplication::sendEvent(g, &event);
        how = QStringLiteral("tecla de menú");
    }
    return filled(QStringLiteral("menú contextual de %1 (%2): %3"), g->objectName(), how, printable(*choice));
}

// A dialog on the solution by its action, or by its key where it has one; the Watcher walks
// the dialog and closes it.
QString RandomStudent::solutionDialog(const char* actionName, Qt::Key key)
{
    QAction* a = child<QAction>(*f_->v, actionName);
    const bool enabled = a->isEnabled();
    const bool byKey = key != Qt::Key_unknown && chance(0.5);
    if (byKey)
        QTest::keyClick(f_->v.get(), key);
    else
        a->trigger();
    return filled(QStringLiteral("%1 (%2)%3"), a->text(), byKey ? "tecla" : "acción", enabled ? "" : " (deshabilitada)");
}

// Ctrl+Z and then a redo key on the worksheet: where there was something to undo, the
// worksheet ends as it began.
QString RandomStudent::undoAndRedo()
{
    GridControl& g = *f_->p.Cuadric;
    if (!g.isVisible() || !g.isEnabled() || f_->p.Text1->isVisible())
        return QStringLiteral("sin deshacer: hoja no disponible o editor abierto");
    const bool hadUndo = child<QAction>(*f_->v, "mnuDeshacer")->isEnabled();
    const QStringList before = WindowFixture::cells(g);
    QTest::keyClick(&g, Qt::Key_Z, Qt::ControlModifier);
    const bool change = WindowFixture::cells(g) != before;
    watcher_.require(hadUndo || !change, QStringLiteral("Ctrl+Z cambió la hoja sin nada que deshacer"));
    const bool y = chance(0.5);
    // An undone layout may leave the worksheet disabled, the number box in the focus.
    QTest::keyClick(g.isEnabled() ? &g : focus(), y ? Qt::Key_Y : Qt::Key_Z,
                    y ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    if (hadUndo) {
        // The corner shows the current cell, which the undo may have moved.
        // A solve writes "0" into the empty cells it reads, outside the history: the redo
        // gives such a cell back as the step left it, empty.
        const QStringList after = WindowFixture::cells(g);
        bool same = after.size() == before.size();
        for (qsizetype i = 1; same && i < before.size(); ++i)
            same = after[i] == before[i] || (before[i] == QLatin1String("0") && after[i].isEmpty());
        watcher_.require(same, QStringLiteral("deshacer y rehacer no devolvió la hoja"));
        watcher_.count(QStringLiteral("deshacer y rehacer"));
    }
    return QStringLiteral("Ctrl+Z y %1 en la hoja%2")
        .arg(y ? QStringLiteral("Ctrl+Y") : QStringLiteral("Ctrl+Mayús+Z"), hadUndo ? QString() : QStringLiteral(" sin nada que deshacer"));
}
