#pragma once
// The page setup of printing: margins in hundredths of a millimetre. It is not stored.

#include <cstdint>

namespace zarvik {

struct HInfoPrint {
    int32_t left = 2000;
    int32_t top = 2500;
    int32_t right = 2000;
    int32_t bottom = 2500;
};

}  // namespace zarvik
