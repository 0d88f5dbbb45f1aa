#pragma once

#include <QList>

class GridControl;
class QAction;
class QMenu;
class QWidget;

// The grid's right-click menu: the owner's leading actions (its undo and redo), then
// "Copiar", "Pegar" where pasting is enabled, "Seleccionar todo", then the owner's trailing
// actions. Each of the grid's own is enabled only when it can act, and every entry shows its
// shortcut.
namespace GridContextMenu {

// A new menu, owned by `parent`; its own actions act on `grid`.
QMenu* create(GridControl& grid, const QList<QAction*>& leading, const QList<QAction*>& trailing,
              QWidget* parent);

} // namespace GridContextMenu
