#pragma once

#include <QScrollBar>

class QAccessibleInterface;

// The scroll bar beside the number box, turned to work as a spinner: its upper arrow
// raises the number and its lower arrow lowers it, and so do the keys, the wheel, the
// trough, its menu and a screen reader's increase and decrease. Its value is the number.
class NumberScrollBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit NumberScrollBar(QWidget* parent = nullptr);

    static QAccessibleInterface* accessibleInterface(QObject* object);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
#ifndef QT_NO_CONTEXTMENU
    void contextMenuEvent(QContextMenuEvent* event) override;
#endif

private:
    void turnFaceAction(int action);

    // While an action comes from the bar's face (the arrows, the trough, its menu), which
    // QScrollBar ties to its top and bottom: drawn upside down, those must act reversed.
    bool fromFace_ = false;
};
