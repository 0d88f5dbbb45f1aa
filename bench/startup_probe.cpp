// Starts either the program's main window or a minimal Qt window the same way, exits as
// soon as the window is on screen (or, with "solve", after a solve at n = 100 in both
// methods with the factors shown), and prints the process's peak resident memory in kB.
// bench/run times whole runs of it, so both windows pay the same process start-up.
#include "ui/FrmP.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void waitExposed(QWidget& w)
{
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char* argv[])
{
    const bool minimal = argc > 1 && std::strcmp(argv[1], "minimal") == 0;
    const bool solve = argc > 2 && std::strcmp(argv[2], "solve") == 0;
    QApplication app(argc, argv);

    std::unique_ptr<QWidget> window;
    if (minimal) {
        auto plain = std::make_unique<QMainWindow>();
        plain->setWindowTitle(QStringLiteral("Ventana mínima"));
        plain->resize(620, 430);
        window = std::move(plain);
    } else {
        window = std::make_unique<FrmP>();
    }
    window->show();
    waitExposed(*window);

    if (solve && !minimal) {
        window->findChild<QLineEdit*>("T_Incog")->setText(QStringLiteral("100"));
        window->findChild<QAbstractButton*>("B_Incog")->click();
        window->findChild<QAction*>("MnuGenera")->trigger();
        window->findChild<QAbstractButton*>("B_Calcular")->click();
        window->findChild<QAbstractButton*>("B_Mostrar")->click();
        window->findChild<QAction*>("mnuOp")->trigger();
        window->repaint();
        window->findChild<QRadioButton*>("Op_Gauss")->setChecked(true);
        window->findChild<QAbstractButton*>("B_Calcular")->click();
        window->repaint();
    }
    std::printf("%ld\n", peakResidentKb());
    return 0;
}
