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

NoticeBalloon::NoticeBalloon(QWidget& window)
    : QLabel(&window), opacity_(new QGraphicsOpacityEffect(this)),
      fade_(new QPropertyAnimation(opacity_, "opacity", this))
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
    setGraphicsEffect(opacity_);
    hide();

    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &NoticeBalloon::fadeOut);
    fade_->setDuration(kFadeMs);
    fade_->setStartValue(1.0);
    fade_->setEndValue(0.0);
    connect(fade_, &QPropertyAnimation::finished, this, &QWidget::hide);
}

void NoticeBalloon::showOver(QWidget& over, const QString& text)
{
    fade_->stop();
    opacity_->setOpacity(1.0);
    setText(text);
    setAccessibleName(text);
    const int balloonWidth = over.width() * 3 / 4;
    setFixedWidth(balloonWidth);
    adjustSize();
    // At the foot of the control, clear of the first cells, where a paste usually lands.
    move(over.mapTo(parentWidget(), QPoint((over.width() - balloonWidth) / 2,
                                           std::max(0, over.height() - height() - 24))));
    show();
    raise();
    QAccessibleEvent alerta(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alerta);
    wait_.start(kVisibleMs);
}

void NoticeBalloon::fadeOut()
{
    fade_->start();
}
