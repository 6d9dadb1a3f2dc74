#include "launcher/menu/Resources.h"

#include <QtGlobal>

void initLauncherResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(launcher);
        return true;
    }();
    Q_UNUSED(registered);
}
