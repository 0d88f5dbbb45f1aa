#pragma once

#include <QWidget>

#include <functional>

// A focus frame for a control whose own look shows no keyboard focus: a line in the
// highlight colour along its edge while it has the focus, as around a focused text box.
// It lies over the control, a child of it, and lets the mouse through.
class FocusIndicator : public QWidget
{
public:
    // MUESTRA_SU_FOCO tells whether the control shows its focus by itself at the moment
    // (a grid does with its current cell); without it, the frame is always drawn.
    explicit FocusIndicator(QWidget& control, std::function<bool()> muestraSuFoco = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ajustar();

    QWidget& control_;
    std::function<bool()> muestraSuFoco_;
};
