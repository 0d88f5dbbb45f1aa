#include "ui/InstallControlAccessibility.h"

#include "ui/LinkLabel.h"
#include "ui/NumberScrollBar.h"
#include "ui/StatusLine.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <mutex>

namespace {

constexpr char kDecorationProperty[] = "sorvaniDecoration";

bool isDecoration(const QAccessibleInterface* child)
{
    const QObject* object = child ? child->object() : nullptr;
    return object && object->property(kDecorationProperty).toBool();
}

// A plain container, as Qt presents it, minus its decorative children.
class ContainerAccessible : public QAccessibleWidget
{
public:
    explicit ContainerAccessible(QWidget* w) : QAccessibleWidget(w) {}

    int childCount() const override
    {
        int count = 0;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
            count += isDecoration(QAccessibleWidget::child(i)) ? 0 : 1;
        return count;
    }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* child = QAccessibleWidget::child(i);
            if (isDecoration(child))
                continue;
            if (index-- == 0)
                return child;
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (isDecoration(child))
            return -1;
        const int all = QAccessibleWidget::indexOfChild(child);
        int before = 0;
        for (int i = 0; i < all; ++i)
            before += isDecoration(QAccessibleWidget::child(i)) ? 1 : 0;
        return all < 0 ? -1 : all - before;
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("StatusLine"))
        return StatusLine::accessibleInterface(object);
    if (className == QLatin1String("LinkLabel"))
        return LinkLabel::accessibleInterface(object);
    if (className == QLatin1String("NumberScrollBar"))
        return NumberScrollBar::accessibleInterface(object);
    // Only a widget of the plain class: every other kind keeps Qt's own interface.
    if (className == QLatin1String("QWidget") && object->metaObject() == &QWidget::staticMetaObject)
        return new ContainerAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void installControlAccessibility()
{
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&factory); });
}

void markDecoration(QWidget& widget)
{
    widget.setProperty(kDecorationProperty, true);
}
