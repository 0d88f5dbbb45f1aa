#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>

class QLocalServer;
class QLocalSocket;

// One instance per user. The running instance holds a lock file and listens on a local
// socket beside it; a later start finds the lock taken, asks the running instance through
// the socket to bring its window forward, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // FOLDER holds the lock and the socket.
    explicit SingleInstance(const QString& folder = userFolder(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // The user's runtime folder, or the temporary one where there is none.
    static QString userFolder();

    // Takes the lock; false while another live instance holds it. A lock left by an
    // instance that died is taken over.
    bool claim();

    // Asks the running instance to come forward, and to open FILE where one is given
    // (a path it can read as it stands: an absolute one), and waits at most WAIT for its
    // answer, so that an instance that hangs never holds this one up. True if it
    // answered.
    bool callFirst(std::chrono::milliseconds wait = std::chrono::milliseconds(500),
                   const QString& file = {});

    // Once the lock is taken: from now on, each call from a later start brings WINDOW
    // forward, restored if minimised, raised and activated. False if the socket cannot
    // be opened; the lock still keeps other starts out.
    bool serve(QWidget& window);

signals:
    // A later start handed this file over; raised after the window has come forward.
    void fileReceived(const QString& path);

private:
    QString socketName() const;
    void respond();
    void answerCall(QLocalSocket* socket);

    QString folder_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    QPointer<QWidget> window_;
};
