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
    explicit NoticeBalloon(QWidget& window);

    // Shows the text over the foot of `over` for a few seconds.
    void showOver(QWidget& over, const QString& text);

private:
    void fadeOut();

    QTimer wait_;
    QGraphicsOpacityEffect* opacity_;
    QPropertyAnimation* fade_;
};
