#pragma once

#include <QWidget>

// The legend of the DigitsLost colours: eight swatches with their numbers, and the same in words
// for screen readers.
class DigitsLostLegend : public QWidget
{
    Q_OBJECT

public:
    explicit DigitsLostLegend(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
