// Screenshots of the main window in a fixed sequence of states at n = 100 (the random
// generator starts from a fixed seed, so two builds show the same numbers), read back
// from the screen, so that two builds' drawing can be compared pixel for pixel:
//   build-a/bench/screenshot_probe dir-a; build-b/bench/screenshot_probe dir-b
//   for f in dir-a/*.png; do compare -metric AE "$f" "dir-b/${f##*/}" null:; done
#include "WindowFixture.h"
#include "ui/FrmP.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void scrollBy(QAbstractScrollArea& area, Qt::Orientation o, int steps)
{
    QScrollBar* bar = o == Qt::Vertical ? area.verticalScrollBar() : area.horizontalScrollBar();
    for (int i = 0; i < steps; ++i) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        settle();
    }
}

void press(QWidget& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           const QString& text = {})
{
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&w, &down);
    settle();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("capturas"));
    QDir().mkpath(out.path());

    FrmP window;
    WindowControls p(window);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    int shot = 0;
    const auto take = [&](const char* name) {
        settle();
        const QImage image = window.screen()->grabWindow(window.winId()).toImage();
        const QString file = out.filePath(QStringLiteral("%1_%2.png")
                                              .arg(++shot, 2, 10, QLatin1Char('0'))
                                              .arg(QLatin1String(name)));
        image.save(file);
        std::printf("%s\n", qPrintable(file));
    };

    p.T_Incog->setText(QStringLiteral("100"));
    p.B_Incog->click();
    take("hoja");
    p.MnuGenera->trigger();
    take("aleatorios");
    scrollBy(*p.Cuadric, Qt::Vertical, 7);
    scrollBy(*p.Cuadric, Qt::Horizontal, 3);
    take("desplazada");
    p.Cuadric->setFocus();
    for (int i = 0; i < 25; ++i)
        press(*p.Cuadric, Qt::Key_Down);
    for (int i = 0; i < 12; ++i)
        press(*p.Cuadric, Qt::Key_Right);
    take("celda_movida");
    press(*p.Cuadric, Qt::Key_Down, Qt::ShiftModifier);
    press(*p.Cuadric, Qt::Key_Right, Qt::ShiftModifier);
    take("seleccion");
    p.MnuCalcular->trigger();
    take("choleski");
    p.B_Mostrar->click();
    take("matrices");
    scrollBy(*p.F_Rint[0], Qt::Vertical, 5);
    scrollBy(*p.F_Rint[1], Qt::Horizontal, 2);
    take("matrices_desplazadas");
    p.mnuOp->trigger();
    take("ajustadas");
    p.B_Mostrar->click();
    p.Op_Gauss->setChecked(true);
    p.MnuCalcular->trigger();
    take("gauss_jordan");
    // Last: a worksheet holding this line cannot be solved.
    p.Cuadric->setFocus();
    QGuiApplication::clipboard()->setText(QString(5000, QLatin1Char('8')));
    press(*p.Cuadric, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    take("linea_larga");
    p.Cuadric->setEnabled(false);
    take("deshabilitada");
    return 0;
}
