#include "gui/resources/gui_resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the registration function in the scope it is used in, so it has
// to be called from outside any namespace.
static void RegisterZarvikGuiResources() {
    Q_INIT_RESOURCE(resources);
}

namespace zarvik::gui {

void InitGuiResources() {
    static const bool registered = (RegisterZarvikGuiResources(), true);
    (void)registered;
}

}  // namespace zarvik::gui
