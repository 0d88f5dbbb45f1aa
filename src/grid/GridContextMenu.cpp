#include "grid/GridContextMenu.h"

#include "grid/GridClipboard.h"
#include "grid/GridControl.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include <algorithm>

namespace GridContextMenu {

namespace {

QAction* addOwn(QMenu& menu, const QString& text, const QKeySequence& keys, bool enabled)
{
    QAction* action = menu.addAction(text);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
    action->setEnabled(enabled);
    return action;
}

bool anyAlive(const QList<QPointer<QAction>>& actions)
{
    return std::any_of(actions.begin(), actions.end(),
                       [](const auto& action) { return !action.isNull(); });
}

void addOwners(QMenu& menu, const QList<QPointer<QAction>>& actions)
{
    for (QAction* action : actions) {
        if (action) {
            action->setShortcutVisibleInContextMenu(true);
            menu.addAction(action);
        }
    }
}

} // namespace

QMenu* create(GridControl& grid, const QList<QPointer<QAction>>& leading,
              const QList<QPointer<QAction>>& trailing, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menuCuadricula"));
    addOwners(*menu, leading);
    if (!menu->isEmpty())
        menu->addSeparator();

    const bool active = grid.isEnabled() && grid.hasCurrentCell();
    QAction* copy = addOwn(*menu, QStringLiteral("Copiar"), QKeySequence::Copy, active);
    copy->setObjectName(QStringLiteral("mnuCopiar"));
    QObject::connect(copy, &QAction::triggered, &grid, &GridControl::copyToClipboard);
    if (grid.pasteEnabled()) {
        // The paste's own test, so that the entry is enabled exactly when Ctrl+V acts.
        const bool something = GridClipboard::holdsCells(GridClipboard::pasted());
        QAction* paste =
            addOwn(*menu, QStringLiteral("Pegar"), QKeySequence::Paste, active && something);
        paste->setObjectName(QStringLiteral("mnuPegar"));
        QObject::connect(paste, &QAction::triggered, &grid, &GridControl::pasteFromClipboard);
    }
    menu->addSeparator();
    QAction* all =
        addOwn(*menu, QStringLiteral("Seleccionar todo"), QKeySequence::SelectAll, active);
    all->setObjectName(QStringLiteral("mnuSeleccionarTodo"));
    QObject::connect(all, &QAction::triggered, &grid, &GridControl::selectAll);

    if (anyAlive(trailing)) {
        menu->addSeparator();
        addOwners(*menu, trailing);
    }
    return menu;
}

void exec(GridControl& grid, QPoint at)
{
    // The grid, and the menu with it, may be gone when an entry's command ends.
    const QPointer<QMenu> menu = grid.createContextMenu();
    menu->exec(at);
    delete menu.data();
}

} // namespace GridContextMenu
