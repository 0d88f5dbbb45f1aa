#include "ui/StatusLine.h"

#include "ui/InstallControlAccessibility.h"

#include <QAccessibleWidget>

namespace {

class StatusLineAccessible : public QAccessibleWidget
{
public:
    explicit StatusLineAccessible(StatusLine* line)
        : QAccessibleWidget(line, QAccessible::StatusBar)
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
StatusLine::StatusLine(const QString& text, QWidget* parent) : QLabel(parent)
{
    installControlAccessibility();
    setText(text);
}

QAccessibleInterface* StatusLine::accessibleInterface(QObject* object)
{
    auto* line = qobject_cast<StatusLine*>(object);
    return line ? new StatusLineAccessible(line) : nullptr;
}
