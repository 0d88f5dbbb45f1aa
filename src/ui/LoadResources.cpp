#include "ui/LoadResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registrar()
{
    Q_INIT_RESOURCE(resources);
}

void loadResources()
{
    [[maybe_unused]] static const bool hecho = [] {
        registrar();
        return true;
    }();
}
