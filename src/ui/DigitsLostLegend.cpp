#include "ui/DigitsLostLegend.h"

#include "ui/DigitsLost.h"

#include <QPainter>

DigitsLostLegend::DigitsLostLegend(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Et_Escala"));
    setAccessibleName(QStringLiteral("Escala de cifras perdidas"));
    setAccessibleDescription(
        QStringLiteral("De amarillo claro, ninguna cifra perdida, a azul oscuro, 7 o más "
                       "cifras perdidas; el número de cifras perdidas va escrito en cada "
                       "color."));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize DigitsLostLegend::sizeHint() const
{
    const int side = fontMetrics().height() + 6;
    return {side * DigitsLost::kSteps +
                fontMetrics().horizontalAdvance(QStringLiteral(" cifras perdidas")),
            side};
}

void DigitsLostLegend::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int side = height();
    for (int d = 0; d < DigitsLost::kSteps; ++d) {
        const QRect swatch(d * side, 0, side, side);
        p.fillRect(swatch, DigitsLost::colour(d));
        p.setPen(DigitsLost::textColour(d));
        p.drawText(swatch, Qt::AlignCenter,
                   d == DigitsLost::kSteps - 1 ? QStringLiteral("%1+").arg(d) : QString::number(d));
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(DigitsLost::kSteps * side, 0, width() - DigitsLost::kSteps * side, side),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral(" cifras perdidas"));
}
