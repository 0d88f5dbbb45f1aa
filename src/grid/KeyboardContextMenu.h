#pragma once

#include <QObject>

// Opens the watched widget's context menu from the keyboard, with Shift+F10 or the Menu
// key, as a keyboard context-menu event. Where the platform turns the Menu key into such
// an event itself (before the key), the key then opens nothing more.
class KeyboardContextMenu : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Watches `widget` for as long as it lives.
    static void install(QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A keyboard context-menu event has reached the widget since its last key.
    bool shown_ = false;
};
