#pragma once

#include <QObject>

class GridControl;
class QLabel;
class QWidget;

// One centred line over the matrix grids while they hold nothing, saying where B and C come
// from: before any solve, after a Gauss-Jordan solve and after a new calculation.
class FactorsHint : public QObject
{
    Q_OBJECT

public:
    // The line is a child of `frame`, centred over the area of the two grids.
    FactorsHint(QWidget& frame, GridControl& b, GridControl& c);

    QLabel* label() const { return label_; }

private:
    void update();
    void place();

    GridControl& b_;
    GridControl& c_;
    QLabel* label_;
};
