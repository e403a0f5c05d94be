#pragma once
// The parts of the measurement rules in force that the function records consult while
// counting. The settings holder keeps them in step with the rules the document uses.

#include <cstdint>

namespace zarvik {

// Non-zero: DETs of the same name gathered by a transaction count once.
int32_t CurrentCheckDetSameName();
void SetCurrentCheckDetSameName(int32_t value);

}  // namespace zarvik
