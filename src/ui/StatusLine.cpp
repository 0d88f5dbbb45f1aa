#include "ui/StatusLine.h"

#include "ui/InstallControlAccessibility.h"

#include <QAccessibleWidget>

namespace {

class StatusLineAccessible : public QAccessibleWidget
{
public:
    explicit StatusLineAccessible(StatusLine* linea)
        : QAccessibleWidget(linea, QAccessible::StatusBar)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const StatusLine*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

// The text is set here, not by QLabel's constructor: the label announces its text as
// soon as it has one, and a screen reader asking then must already meet this class.
StatusLine::StatusLine(const QString& texto, QWidget* parent) : QLabel(parent)
{
    installControlAccessibility();
    setText(texto);
}

QAccessibleInterface* StatusLine::interfazAccesible(QObject* objeto)
{
    auto* linea = qobject_cast<StatusLine*>(objeto);
    return linea ? new StatusLineAccessible(linea) : nullptr;
}
