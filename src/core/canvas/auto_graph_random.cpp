#include "core/canvas/auto_graph_random.h"

namespace zarvik {

int32_t HAutoGraphRandom::Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int32_t>((m_state >> 16) & 0x7FFFu);
}

}  // namespace zarvik
