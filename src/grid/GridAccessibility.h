#pragma once

#include <QAccessible>

class CellSelection;
class GridGeometry;
class QWidget;

// Tells screen readers what happens on one grid: the current cell as the focused child
// whenever it moves or the grid takes the focus, and one table event for a block written
// at once. The cells they have met hear of their own new texts from the table itself.
// While no assistive technology listens it does nothing but test a flag.
class GridAccessibility : public QAccessible::ActivationObserver
{
public:
    // The grid's widget, where its cells lie and which one is current; all must outlive
    // this.
    GridAccessibility(QWidget& grid, const GridGeometry& geometry, const CellSelection& selection);
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

    QWidget& grid_;
    const GridGeometry& geometry_;
    const CellSelection& selection_;
    bool active_;
};
