#include "ui/SingleInstance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

void traerAlFrente(QWidget& ventana)
{
    ventana.setWindowState((ventana.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    ventana.show();
    ventana.raise();
    ventana.activateWindow();
    // A message box or the about dialog open over the window keeps the keyboard.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &ventana) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace

SingleInstance::SingleInstance(const QString& carpeta, QObject* parent)
    : QObject(parent), carpeta_(carpeta), cerrojo_(carpeta + QStringLiteral("/sorvani.lock"))
{
    // Age alone never makes the lock stale, since an instance may run for hours; only
    // the death of its owner does.
    cerrojo_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::carpetaDelUsuario()
{
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return carpeta.isEmpty() ? QDir::tempPath() : carpeta;
}

QString SingleInstance::nombreDelSocket() const
{
    return carpeta_ + QStringLiteral("/sorvani.socket");
}

bool SingleInstance::tomar()
{
    return cerrojo_.tryLock(0);
}

bool SingleInstance::llamarALaPrimera(std::chrono::milliseconds espera, const QString& archivo)
{
    const QDeadlineTimer plazo(espera);
    QLocalSocket socket;
    socket.connectToServer(nombreDelSocket());
    if (!socket.waitForConnected(int(plazo.remainingTime())))
        return false;
    // One line: the file to open, or nothing.
    socket.write(archivo.toUtf8() + '\n');
    // The running instance answers once its window is in front.
    return socket.waitForBytesWritten(int(plazo.remainingTime())) &&
           socket.waitForReadyRead(int(plazo.remainingTime()));
}

bool SingleInstance::atender(QWidget& ventana)
{
    if (!cerrojo_.isLocked())
        return false;
    ventana_ = &ventana;
    if (servidor_)
        return servidor_->isListening();
    servidor_ = new QLocalServer(this);
    servidor_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(servidor_, &QLocalServer::newConnection, this, &SingleInstance::responder);
    // Holding the lock, this is the only live instance: a socket file still there was
    // left by one that died.
    QLocalServer::removeServer(nombreDelSocket());
    return servidor_->listen(nombreDelSocket());
}

void SingleInstance::responder()
{
    while (QLocalSocket* socket = servidor_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { atenderLlamada(socket); });
        atenderLlamada(socket);
    }
}

void SingleInstance::atenderLlamada(QLocalSocket* socket)
{
    // A call is answered once, when its line is whole.
    if (!socket->canReadLine() || socket->property("atendida").toBool())
        return;
    socket->setProperty("atendida", true);
    QByteArray linea = socket->readLine();
    linea.chop(1);
    if (ventana_)
        traerAlFrente(*ventana_);
    socket->write("1");
    socket->disconnectFromServer();
    if (!linea.isEmpty())
        emit archivoRecibido(QString::fromUtf8(linea));
}
