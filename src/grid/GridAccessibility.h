#pragma once

#include <QAccessible>

class GridControl;

// Tells screen readers what happens on one grid: the current cell as the focused child
// whenever it moves or the grid takes the focus, the new text of the cells they have met,
// and one table event for a block written at once. While no assistive technology listens it does
// nothing but test a flag.
class GridAccessibility : public QAccessible::ActivationObserver
{
public:
    explicit GridAccessibility(GridControl& grid);
    ~GridAccessibility() override;
    GridAccessibility(const GridAccessibility&) = delete;
    GridAccessibility& operator=(const GridAccessibility&) = delete;

    // After the current cell has moved.
    void currentMoved();
    // From the grid's focus-in handler. The widget's own focus event is sent after the
    // handler returns, so the cell's follows it from the event loop: the reader ends on
    // the cell, not on the grid.
    void focusEntered();
    // After the texts of the cells from (top, left) to (bottom, right) have changed.
    void textsChanged(int top, int left, int bottom, int right);

    void accessibilityActiveChanged(bool active) override;

private:
    void notifyCell(QAccessible::Event type, int row, int col);

    GridControl& grid_;
    bool active_;
};
