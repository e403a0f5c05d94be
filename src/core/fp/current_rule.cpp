#include "core/fp/current_rule.h"

namespace zarvik {
namespace {

int32_t g_checkDetSameName = 0;

}  // namespace

int32_t CurrentCheckDetSameName() {
    return g_checkDetSameName;
}

void SetCurrentCheckDetSameName(int32_t value) {
    g_checkDetSameName = value;
}

}  // namespace zarvik
