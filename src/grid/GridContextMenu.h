#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>

class GridControl;
class QAction;
class QMenu;
class QWidget;

// The grid's right-click menu: the owner's leading actions (its undo and redo), then
// "Copiar", "Pegar" where pasting is enabled, "Seleccionar todo", then the owner's trailing
// actions. Each of the grid's own is enabled only when it can act, and every entry shows its
// shortcut.
namespace GridContextMenu {

// A new menu, owned by `parent`; its own actions act on `grid`. Owner's actions deleted
// meanwhile are left out.
QMenu* create(GridControl& grid, const QList<QPointer<QAction>>& leading,
              const QList<QPointer<QAction>>& trailing, QWidget* parent);

// Shows the grid's menu at `at` (global) until it closes.
void exec(GridControl& grid, QPoint at);

} // namespace GridContextMenu
