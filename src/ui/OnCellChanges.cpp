#include "ui/OnCellChanges.h"

#include "grid/GridControl.h"

#include <QAbstractItemModel>

void onCellChanges(const GridControl& grid, int firstRow, int firstCol, QObject* context,
                   const std::function<void()>& changed)
{
    const QAbstractItemModel* m = grid.model();
    QObject::connect(m, &QAbstractItemModel::dataChanged, context,
                     [firstRow, firstCol, changed](const QModelIndex&, const QModelIndex& to,
                                                   const QList<int>& roles) {
                         // An alignment or a note leaves the texts as they are.
                         const bool text = roles.isEmpty() || roles.contains(Qt::DisplayRole);
                         if (text && to.row() >= firstRow && to.column() >= firstCol)
                             changed();
                     });
    QObject::connect(m, &QAbstractItemModel::modelReset, context, [changed] { changed(); });
    QObject::connect(m, &QAbstractItemModel::layoutChanged, context, [changed] { changed(); });
    for (const auto signal :
         {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved,
          &QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        QObject::connect(m, signal, context, [changed] { changed(); });
}
