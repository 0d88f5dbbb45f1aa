#include "ui/InstallControlAccessibility.h"

#include "ui/LinkLabel.h"
#include "ui/NumberScrollBar.h"
#include "ui/StatusLine.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <mutex>

namespace {

constexpr char kDecoracion[] = "sorvaniDecoracion";

bool esDecoracion(const QAccessibleInterface* hijo)
{
    const QObject* objeto = hijo ? hijo->object() : nullptr;
    return objeto && objeto->property(kDecoracion).toBool();
}

// A plain container, as Qt presents it, minus its decorative children.
class ContainerAccessible : public QAccessibleWidget
{
public:
    explicit ContainerAccessible(QWidget* w) : QAccessibleWidget(w) {}

    int childCount() const override
    {
        int cuenta = 0;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
            cuenta += esDecoracion(QAccessibleWidget::child(i)) ? 0 : 1;
        return cuenta;
    }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0)
            return nullptr;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* hijo = QAccessibleWidget::child(i);
            if (esDecoracion(hijo))
                continue;
            if (index-- == 0)
                return hijo;
        }
        return nullptr;
    }

    int indexOfChild(const QAccessibleInterface* hijo) const override
    {
        if (esDecoracion(hijo))
            return -1;
        const int todos = QAccessibleWidget::indexOfChild(hijo);
        int antes = 0;
        for (int i = 0; i < todos; ++i)
            antes += esDecoracion(QAccessibleWidget::child(i)) ? 1 : 0;
        return todos < 0 ? -1 : todos - antes;
    }
};

QAccessibleInterface* fabrica(const QString& clase, QObject* objeto)
{
    if (clase == QLatin1String("StatusLine"))
        return StatusLine::interfazAccesible(objeto);
    if (clase == QLatin1String("LinkLabel"))
        return LinkLabel::interfazAccesible(objeto);
    if (clase == QLatin1String("NumberScrollBar"))
        return NumberScrollBar::interfazAccesible(objeto);
    // Only a widget of the plain class: every other kind keeps Qt's own interface.
    if (clase == QLatin1String("QWidget") && objeto->metaObject() == &QWidget::staticMetaObject)
        return new ContainerAccessible(static_cast<QWidget*>(objeto));
    return nullptr;
}

} // namespace

void installControlAccessibility()
{
    static std::once_flag instalada;
    std::call_once(instalada, [] { QAccessible::installFactory(&fabrica); });
}

void markDecoration(QWidget& widget)
{
    widget.setProperty(kDecoracion, true);
}
