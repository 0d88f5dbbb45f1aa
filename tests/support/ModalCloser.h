#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// Closes every modal window that the code under test opens, so that no test waits on a
// box that nobody answers, and records what each one showed. It looks from a zero timer,
// which runs inside the modal window's own event loop as soon as the window shows.
class ModalCloser
{
public:
    struct Visto
    {
        QString clase; // "QMessageBox", or the dialog's object name
        QString titulo;
        QString texto; // a message box's text
        QMessageBox::Icon icono = QMessageBox::NoIcon;
        QMessageBox::StandardButtons botones;
    };

    ModalCloser();

    // Runs while the window is open, before it is closed: to look at it, or at the window
    // below it meanwhile. Whatever it leaves open is then closed.
    std::function<void(QWidget&)> alAparecer;
    // How a window is closed; by default its OK button, or else it is rejected.
    std::function<void(QWidget&)> cerrar;
    // A window still open at the next look, which is then closed for good.
    std::function<void(QWidget&)> alResistir;

    QList<Visto> vistos;
    // Each message box's text, or the dialog's object name.
    QStringList textos() const;

private:
    void revisar();

    QTimer reloj_;
    QPointer<QWidget> abierto_;
};
