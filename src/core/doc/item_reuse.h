#pragma once
// When a diagram is loaded again from sections its items came from (undo and redo), the
// items that are still exactly what loading their section made are kept rather than built
// again: an undo after moving one box of thousands builds that one box.

#include <cstdint>

namespace zarvik {

class HDrawList;
class HInfoIniSection;
class HItemCore;

class HItemReuse {
public:
    // The items of both lists, boxes first, in list order.
    HItemReuse(const HDrawList& boxes, const HDrawList& lines);

    // The item that loading section would make, of the kind given, kept from before; null
    // when there is none. Sections are asked for in the order of the new diagram, which
    // mostly keeps the old order: the items are searched from the one after the last found,
    // a few places ahead, so that each is handed out once at most.
    HItemCore* Find(const HInfoIniSection* section, int32_t kind);

private:
    // Moves the cursor one item on, from the last box to the first line.
    void Step();

    HItemCore* m_cursor;
    const HDrawList& m_lines;
    bool m_inLines;
};

}  // namespace zarvik
