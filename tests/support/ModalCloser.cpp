#include "ModalCloser.h"

#include <QAbstractButton>
#include <QApplication>

namespace {

void cerrarSinMas(QWidget& modal)
{
    if (auto* caja = qobject_cast<QMessageBox*>(&modal)) {
        if (QAbstractButton* ok = caja->button(QMessageBox::Ok)) {
            ok->click();
            return;
        }
    }
    if (auto* dialogo = qobject_cast<QDialog*>(&modal))
        dialogo->reject();
    else
        modal.close();
}

} // namespace

ModalCloser::ModalCloser()
{
    reloj_.setInterval(0);
    QObject::connect(&reloj_, &QTimer::timeout, &reloj_, [this] { revisar(); });
    reloj_.start();
}

QStringList ModalCloser::textos() const
{
    QStringList t;
    for (const Visto& v : vistos)
        t << (v.clase == QLatin1String("QMessageBox") ? v.texto : v.clase);
    return t;
}

void ModalCloser::revisar()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        abierto_.clear();
        return;
    }
    if (abierto_ == modal) {
        if (alResistir)
            alResistir(*modal);
        if (auto* dialogo = qobject_cast<QDialog*>(modal))
            dialogo->reject();
        else
            modal->close();
        return;
    }
    abierto_ = modal;
    Visto visto{modal->objectName(), modal->windowTitle(), {}, QMessageBox::NoIcon, {}};
    if (auto* caja = qobject_cast<QMessageBox*>(modal))
        visto = {QStringLiteral("QMessageBox"), caja->windowTitle(), caja->text(), caja->icon(), caja->standardButtons()};
    vistos.append(visto);
    if (alAparecer)
        alAparecer(*modal);
    // The look may have closed it, or the window may be on its way out.
    if (QApplication::activeModalWidget() != modal || !modal->isVisible())
        return;
    if (cerrar)
        cerrar(*modal);
    else
        cerrarSinMas(*modal);
}
