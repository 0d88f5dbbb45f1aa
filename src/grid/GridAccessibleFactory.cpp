#include "grid/GridAccessibleFactory.h"

#include "grid/GridAccessible.h"
#include "grid/GridControl.h"

QAccessibleInterface* gridAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("GridControl"))
        if (auto* grid = qobject_cast<GridControl*>(object))
            return new GridAccessible(grid);
    return nullptr;
}
