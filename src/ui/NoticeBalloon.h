#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>

class QGraphicsOpacityEffect;
class QPropertyAnimation;

// A short notice over a control that fades by itself: it blocks nothing and takes no
// focus. Screen readers hear it as an alert.
class NoticeBalloon : public QLabel
{
    Q_OBJECT

public:
    explicit NoticeBalloon(QWidget& ventana);

    // Shows the text over the foot of `sobre` for a few seconds.
    void mostrar(QWidget& sobre, const QString& texto);

private:
    void desvanecer();

    QTimer espera_;
    QGraphicsOpacityEffect* opacidad_;
    QPropertyAnimation* fundido_;
};
