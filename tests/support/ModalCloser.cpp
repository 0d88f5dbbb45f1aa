#include "ModalCloser.h"

#include <QAbstractButton>
#include <QApplication>

namespace {

void closeByDefault(QWidget& modal)
{
    if (auto* box = qobject_cast<QMessageBox*>(&modal)) {
        if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
            ok->click();
            return;
        }
    }
    if (auto* dialog = qobject_cast<QDialog*>(&modal))
        dialog->reject();
    else
        modal.close();
}

} // namespace

ModalCloser::ModalCloser()
{
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { check(); });
    timer_.start();
}

QStringList ModalCloser::shown() const
{
    QStringList t;
    for (const Seen& v : seen)
        t << (v.kind == QLatin1String("QMessageBox") ? v.text : v.kind);
    return t;
}

void ModalCloser::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
        open_.clear();
        return;
    }
    if (open_ == modal) {
        if (onResisting)
            onResisting(*modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        return;
    }
    open_ = modal;
    Seen entry{modal->objectName(), modal->windowTitle(), {}, QMessageBox::NoIcon, {}};
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        entry = {QStringLiteral("QMessageBox"), box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    seen.append(entry);
    if (onShown)
        onShown(*modal);
    // The look may have closed it, or the window may be on its way out.
    if (QApplication::activeModalWidget() != modal || !modal->isVisible())
        return;
    if (closeWith)
        closeWith(*modal);
    else
        closeByDefault(*modal);
}
