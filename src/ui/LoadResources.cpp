#include "ui/LoadResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

void loadResources()
{
    [[maybe_unused]] static const bool done = [] {
        registerResources();
        return true;
    }();
}
