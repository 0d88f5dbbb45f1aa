#include "ui/FocusIndicator.h"

#include <QEvent>
#include <QPainter>
#include <QRegion>

FocusIndicator::FocusIndicator(QWidget& control, std::function<bool()> muestraSuFoco)
    : QWidget(&control), control_(control), muestraSuFoco_(std::move(muestraSuFoco))
{
    setObjectName(control.objectName() + QStringLiteral("_foco"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    ajustar();
    hide();
    control.installEventFilter(this);
}

bool FocusIndicator::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &control_) {
        switch (event->type()) {
        case QEvent::FocusIn:
            raise();
            show();
            break;
        case QEvent::FocusOut:
            hide();
            break;
        case QEvent::Resize:
            ajustar();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusIndicator::ajustar()
{
    setGeometry(control_.rect());
    // Only the edge is ours: a repaint of the frame never repaints the control's inside.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(1, 1, -1, -1))));
}

void FocusIndicator::paintEvent(QPaintEvent*)
{
    // Asked at every repaint: a grid's current cell comes and goes with its rows.
    if (muestraSuFoco_ && muestraSuFoco_())
        return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::Highlight).darker(125));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
