#include "ui/LinkLabel.h"

#include "ui/InstallControlAccessibility.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {

class LinkAccessible : public QAccessibleWidget
{
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const QString propio = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && propio.isEmpty())
            return static_cast<const LinkLabel*>(widget())->text();
        return propio;
    }

    QAccessible::State state() const override
    {
        QAccessible::State estado = QAccessibleWidget::state();
        estado.linked = true;
        return estado;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit static_cast<LinkLabel*>(widget())->activated();
        else
            QAccessibleWidget::doAction(action);
    }
};

} // namespace

// The text is set here, not by QLabel's constructor: see StatusLine.
LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    installControlAccessibility();
    setText(text);
}

QAccessibleInterface* LinkLabel::accessibleInterface(QObject* object)
{
    auto* link = qobject_cast<LinkLabel*>(object);
    return link ? new LinkAccessible(link) : nullptr;
}

// On release, as a button, and only over the label, so that a press can still be taken back.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit activated();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
