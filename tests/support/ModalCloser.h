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
    struct Seen
    {
        QString kind; // "QMessageBox", or the dialog's object name
        QString title;
        QString text; // a message box's text
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    ModalCloser();

    // Runs while the window is open, before it is closed: to look at it, or at the window
    // below it meanwhile. Whatever it leaves open is then closed.
    std::function<void(QWidget&)> onShown;
    // How a window is closed; by default its OK button, or else it is rejected.
    std::function<void(QWidget&)> closeWith;
    // A window still open at the next look, which is then closed for good.
    std::function<void(QWidget&)> onResisting;

    QList<Seen> seen;
    // Each message box's text, or the dialog's object name.
    QStringList shown() const;

private:
    void check();

    QTimer timer_;
    QPointer<QWidget> open_;
};
