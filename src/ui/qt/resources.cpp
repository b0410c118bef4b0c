// Torvi: the pictures compiled into the program.
#include "ui/qt/resources.h"

#include <QtGlobal>

// The resource initialiser must be named outside any namespace; a static library would
// otherwise let the linker drop it.
static void initIconsResource()
{
    Q_INIT_RESOURCE(icons);
}

namespace torvi {

void initTorviResources()
{
    static const bool done = (initIconsResource(), true);
    (void)done;
}

} // namespace torvi
