#include "ui/FrmP.h"
#include "ui/TraduccionQt.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvani"));
    // Lets the desktop match the window to its menu entry (and so to its icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Sorvani"));
    cargarTraduccionQt(app);

    // One instance per user: a second start ends at once, silently. A lock whose owner
    // has died is recognised as stale and taken over; age alone never makes it stale,
    // since an instance may run for hours.
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (carpeta.isEmpty())
        carpeta = QDir::tempPath();
    QLockFile cerrojo(carpeta + QStringLiteral("/sorvani.lock"));
    cerrojo.setStaleLockTime(0);
    if (!cerrojo.tryLock(0))
        return 0;

    FrmP ventana;
    ventana.show();
    return app.exec();
}
