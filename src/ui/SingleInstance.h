#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <chrono>

class QLocalServer;

// One instance per user. The running instance holds a lock file and listens on a local
// socket beside it; a later start finds the lock taken, asks the running instance through
// the socket to bring its window forward, and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // FOLDER holds the lock and the socket.
    explicit SingleInstance(const QString& carpeta = carpetaDelUsuario(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // The user's runtime folder, or the temporary one where there is none.
    static QString carpetaDelUsuario();

    // Takes the lock; false while another live instance holds it. A lock left by an
    // instance that died is taken over.
    bool tomar();

    // Asks the running instance to come forward and waits at most ESPERA for its
    // answer, so that an instance that hangs never holds this one up. True if it
    // answered.
    bool llamarALaPrimera(std::chrono::milliseconds espera = std::chrono::milliseconds(500));

    // Once the lock is taken: from now on, each call from a later start brings VENTANA
    // forward, restored if minimised, raised and activated. False if the socket cannot
    // be opened; the lock still keeps other starts out.
    bool atender(QWidget& ventana);

private:
    QString nombreDelSocket() const;
    void responder();

    QString carpeta_;
    QLockFile cerrojo_;
    QLocalServer* servidor_ = nullptr;
    QPointer<QWidget> ventana_;
};
