#include "ui/LineaEstado.h"

#include "ui/Accesibilidad.h"

#include <QAccessibleWidget>

namespace {

class LineaEstadoAccesible : public QAccessibleWidget
{
public:
    explicit LineaEstadoAccesible(LineaEstado* linea)
        : QAccessibleWidget(linea, QAccessible::StatusBar)
    {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const LineaEstado*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

} // namespace

// The text is set here, not by QLabel's constructor: the label announces its text as
// soon as it has one, and a screen reader asking then must already meet this class.
LineaEstado::LineaEstado(const QString& texto, QWidget* parent) : QLabel(parent)
{
    instalarAccesibilidad();
    setText(texto);
}

QAccessibleInterface* LineaEstado::interfazAccesible(QObject* objeto)
{
    auto* linea = qobject_cast<LineaEstado*>(objeto);
    return linea ? new LineaEstadoAccesible(linea) : nullptr;
}
