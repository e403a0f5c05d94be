#pragma once
// The pseudo-random source of the layout's jitter. It is a fixed linear congruential
// generator rather than the library's rand(), so a seed gives the same layout on every
// platform and tests can replay one.

#include <cstdint>

namespace zarvik {

inline constexpr int32_t kAutoGraphRandomMax = 32767;

class HAutoGraphRandom {
public:
    explicit HAutoGraphRandom(uint32_t seed = 1) : m_state(seed) {}

    void SetSeed(uint32_t seed) { m_state = seed; }
    // 0 to kAutoGraphRandomMax, uniformly.
    int32_t Next();

private:
    uint32_t m_state;
};

}  // namespace zarvik
