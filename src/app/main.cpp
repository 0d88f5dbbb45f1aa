#include "ui/FrmP.h"
#include "ui/QtTranslation.h"
#include "ui/SingleInstance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvani"));
    // Lets the desktop match the window to its menu entry (and so to its icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Sorvani"));
    loadQtTranslation(app);

    // One instance per user: a second start brings the running window forward and ends,
    // silently.
    SingleInstance instancia;
    if (!instancia.tomar()) {
        instancia.llamarALaPrimera();
        return 0;
    }

    FrmP ventana;
    instancia.atender(ventana);
    ventana.show();
    return app.exec();
}
