#include "ui/NumberScrollBar.h"

#include "ui/InstallControlAccessibility.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QScopedValueRollback>

namespace {

class NumberScrollBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit NumberScrollBarAccessible(NumberScrollBar* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar)
    {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(bar()->value());
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }

    void doAction(const QString& name) override
    {
        if (!bar()->isEnabled())
            return;
        if (name == increaseAction())
            bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        else if (name == decreaseAction())
            bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
        else
            QAccessibleWidget::doAction(name);
    }

    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    QScrollBar* bar() const { return static_cast<QScrollBar*>(widget()); }
};

} // namespace

NumberScrollBar::NumberScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    installControlAccessibility();
    // The maximum at the top; the keys and the wheel then raise the number upwards.
    setInvertedAppearance(true);
    setInvertedControls(false);
    connect(this, &QAbstractSlider::actionTriggered, this, &NumberScrollBar::turnFaceAction);
}

QAccessibleInterface* NumberScrollBar::accessibleInterface(QObject* object)
{
    auto* bar = qobject_cast<NumberScrollBar*>(object);
    return bar ? new NumberScrollBarAccessible(bar) : nullptr;
}

void NumberScrollBar::mousePressEvent(QMouseEvent* event)
{
    fromFace_ = true;
    QScrollBar::mousePressEvent(event);
}

void NumberScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    fromFace_ = false;
}

#ifndef QT_NO_CONTEXTMENU
void NumberScrollBar::contextMenuEvent(QContextMenuEvent* event)
{
    const QScopedValueRollback fromMenu(fromFace_, true);
    QScrollBar::contextMenuEvent(event);
}
#endif

// Runs before the action's new position becomes the value: value() is still the old one.
void NumberScrollBar::turnFaceAction(int action)
{
    if (!fromFace_)
        return;
    switch (action) {
    case SliderSingleStepAdd:
        return setSliderPosition(value() - singleStep());
    case SliderSingleStepSub:
        return setSliderPosition(value() + singleStep());
    case SliderPageStepAdd:
        return setSliderPosition(value() - pageStep());
    case SliderPageStepSub:
        return setSliderPosition(value() + pageStep());
    case SliderToMinimum:
        return setSliderPosition(maximum());
    case SliderToMaximum:
        return setSliderPosition(minimum());
    default:
        return;
    }
}
