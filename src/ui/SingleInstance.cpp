#include "ui/SingleInstance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

void bringForward(QWidget& window)
{
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.show();
    window.raise();
    window.activateWindow();
    // A message box or the about dialog open over the window keeps the keyboard.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != &window) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder), lock_(folder + QStringLiteral("/sorvani.lock"))
{
    // Age alone never makes the lock stale, since an instance may run for hours; only
    // the death of its owner does.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::userFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

QString SingleInstance::socketName() const
{
    return folder_ + QStringLiteral("/sorvani.socket");
}

bool SingleInstance::claim()
{
    return lock_.tryLock(0);
}

bool SingleInstance::callFirst(std::chrono::milliseconds wait, const QString& file)
{
    const QDeadlineTimer deadline(wait);
    QLocalSocket socket;
    socket.connectToServer(socketName());
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    // One line: the file to open, or nothing.
    socket.write(file.toUtf8() + '\n');
    // The running instance answers once its window is in front.
    return socket.waitForBytesWritten(int(deadline.remainingTime())) &&
           socket.waitForReadyRead(int(deadline.remainingTime()));
}

bool SingleInstance::serve(QWidget& window)
{
    if (!lock_.isLocked())
        return false;
    window_ = &window;
    if (server_)
        return server_->isListening();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::respond);
    // Holding the lock, this is the only live instance: a socket file still there was
    // left by one that died.
    QLocalServer::removeServer(socketName());
    return server_->listen(socketName());
}

void SingleInstance::respond()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answerCall(socket); });
        answerCall(socket);
    }
}

void SingleInstance::answerCall(QLocalSocket* socket)
{
    // A call is answered once, when its line is whole.
    if (!socket->canReadLine() || socket->property("atendida").toBool())
        return;
    socket->setProperty("atendida", true);
    QByteArray line = socket->readLine();
    line.chop(1);
    if (window_)
        bringForward(*window_);
    socket->write("1");
    socket->disconnectFromServer();
    if (!line.isEmpty())
        emit fileReceived(QString::fromUtf8(line));
}
