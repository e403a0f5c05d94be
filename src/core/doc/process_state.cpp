#include "core/doc/process_state.h"

#include "core/app/system.h"
#include "core/doc/clipboard.h"
#include "core/items/item_core.h"
#include "core/port/platform.h"
#include "core/port/ui_port.h"

namespace zarvik {

void ResetProcessState() {
    Clipboard().Clear();
    ResetItemCounters();
    SetUiPort(nullptr);
    SetPlatform(nullptr);
    // Last: a fresh settings holder reads the platform's folders.
    ResetSystem();
}

}  // namespace zarvik
