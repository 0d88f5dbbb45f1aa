#include "ui/FrmP.h"
#include "ui/LoadQtTranslation.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvani"));
    // Lets the desktop match the window to its menu entry (and so to its icon).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Sorvani"));
    loadQtTranslation(app);

    // "sorvani FILE" opens the system in FILE; the toolkit has taken its own options out.
    QString archivo;
    if (const QStringList argumentos = QApplication::arguments(); argumentos.size() > 1)
        archivo = QFileInfo(argumentos.at(1)).absoluteFilePath();

    // One instance per user: a second start brings the running window forward, hands it
    // its file, and ends, silently.
    SingleInstance instancia;
    if (!instancia.claim()) {
        instancia.callFirst(std::chrono::milliseconds(500), archivo);
        return 0;
    }

    FrmP ventana;
    instancia.serve(ventana);
    // Queued: the file is opened once the call has been answered, from the event loop.
    QObject::connect(&instancia, &SingleInstance::fileReceived, &ventana, &FrmP::AbrirSistema,
                     Qt::QueuedConnection);
    ventana.show();
    if (!archivo.isEmpty())
        QTimer::singleShot(0, &ventana, [&ventana, &archivo] { ventana.AbrirSistema(archivo); });
    return app.exec();
}
