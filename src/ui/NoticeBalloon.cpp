#include "ui/NoticeBalloon.h"

#include <QAccessible>
#include <QGraphicsOpacityEffect>
#include <QPropertyAnimation>

#include <algorithm>

namespace {

// Long enough to read two lines; the fade itself takes less than a second.
constexpr int kVisibleMs = 6000;
constexpr int kFadeMs = 700;

} // namespace

NoticeBalloon::NoticeBalloon(QWidget& ventana)
    : QLabel(&ventana), opacidad_(new QGraphicsOpacityEffect(this)),
      fundido_(new QPropertyAnimation(opacidad_, "opacity", this))
{
    setObjectName(QStringLiteral("Aviso"));
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setFrameShape(QFrame::Box);
    setMargin(6);
    setGraphicsEffect(opacidad_);
    hide();

    espera_.setSingleShot(true);
    connect(&espera_, &QTimer::timeout, this, &NoticeBalloon::desvanecer);
    fundido_->setDuration(kFadeMs);
    fundido_->setStartValue(1.0);
    fundido_->setEndValue(0.0);
    connect(fundido_, &QPropertyAnimation::finished, this, &QWidget::hide);
}

void NoticeBalloon::mostrar(QWidget& sobre, const QString& texto)
{
    fundido_->stop();
    opacidad_->setOpacity(1.0);
    setText(texto);
    setAccessibleName(texto);
    const int ancho = sobre.width() * 3 / 4;
    setFixedWidth(ancho);
    adjustSize();
    // At the foot of the control, clear of the first cells, where a paste usually lands.
    move(sobre.mapTo(parentWidget(), QPoint((sobre.width() - ancho) / 2,
                                            std::max(0, sobre.height() - height() - 24))));
    show();
    raise();
    QAccessibleEvent alerta(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alerta);
    espera_.start(kVisibleMs);
}

void NoticeBalloon::desvanecer()
{
    fundido_->start();
}
