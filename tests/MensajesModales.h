#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Closes every message box that the code under test opens, recording what it showed.
// It watches from a zero timer, so it acts inside the box's own event loop.
class MensajesModales : public QObject
{
public:
    struct Mensaje
    {
        QString titulo;
        QString texto;
        QMessageBox::Icon icono;
        QMessageBox::StandardButtons botones;
    };

    // Runs while the box is open, before it is closed: to look at the window meanwhile.
    std::function<void()> alAparecer;
    QList<Mensaje> vistos;

    MensajesModales() { vigilar(); }

    QStringList textos() const
    {
        QStringList t;
        for (const Mensaje& m : vistos)
            t << m.texto;
        return t;
    }

private:
    void vigilar() { QTimer::singleShot(0, this, &MensajesModales::revisar); }

    void revisar()
    {
        if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            vistos.append(
                {caja->windowTitle(), caja->text(), caja->icon(), caja->standardButtons()});
            if (alAparecer)
                alAparecer();
            if (QAbstractButton* ok = caja->button(QMessageBox::Ok))
                ok->click();
            else
                caja->reject();
        }
        vigilar();
    }
};
