#include "grid/KeyboardContextMenu.h"

#include "grid/GridKey.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

void KeyboardContextMenu::install(QWidget& widget)
{
    widget.installEventFilter(new KeyboardContextMenu(&widget));
}

bool KeyboardContextMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
            shown_ = true;
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto& key = *static_cast<QKeyEvent*>(event);
    const bool shown = std::exchange(shown_, false);
    if (!GridKey::opensContextMenu(key))
        return false;
    if (key.key() != Qt::Key_Menu || !shown) {
        auto& widget = *static_cast<QWidget*>(watched);
        const QPoint at = widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, widget.mapToGlobal(at),
                               key.modifiers());
        QCoreApplication::sendEvent(&widget, &menu);
        shown_ = false;
    }
    return true;
}
