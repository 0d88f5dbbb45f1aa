#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class GridControl;

// Drawn over a grid's cells, from the grid's own geometry, without touching how the grid
// paints: the cells a step wrote (a corner triangle and a dashed frame), the pivot (a
// thick frame), and, when asked, every body cell filled with its colour of digits lost and
// its text written again over it. It takes no mouse input.
class StepMarks : public QWidget
{
    Q_OBJECT

public:
    explicit StepMarks(GridControl& grid);

    // Cells at the grid's coordinates (row, column).
    void setMarks(std::vector<QPoint> written, std::optional<QPoint> pivot);
    // The digits lost by a body cell, or -1 where there is nothing to colour; empty to
    // switch the colouring off.
    void setColouring(std::function<int(int row, int col)> digitsLost);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    GridControl& grid_;
    std::vector<QPoint> written_;
    std::optional<QPoint> pivot_;
    std::function<int(int, int)> digitsLost_;
};
