#include "base/resources.h"

#include <QtGlobal>

void initQuillonResources()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    Q_INIT_RESOURCE(images);
}
