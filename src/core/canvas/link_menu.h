#pragma once
// The links of a context menu: the items joined to the selected box or line, offered as
// commands that jump to them, and the jump itself.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/command/command_ids.h"
#include "core/port/gdi_types.h"

namespace zarvik {

class HDrawList;
class HItemCore;
class HItemLine;
class HItemObject;

// Entry k is the item that link command kLinkCommandFirst + k jumps to.
class HLinkJumpTable {
public:
    void Clear() {
        m_items.fill(nullptr);
        m_count = 0;
    }
    // Hands out the next command id for item; 0 once all 64 are taken.
    int32_t Add(HItemObject* item);
    // The item of a link command, nullptr for another id or an empty entry.
    HItemObject* ItemOf(int32_t commandId) const;
    int32_t Count() const { return m_count; }

private:
    std::array<HItemObject*, kLinkCommandCount> m_items{};
    int32_t m_count = 0;
};

struct HLinkEntry {
    int32_t id = 0;
    std::string text;  // "To: name" or "From: name"
    friend bool operator==(const HLinkEntry&, const HLinkEntry&) = default;
};

// The links of box, walking lines from the top: the far end of each line that leaves the
// box goes on top ("To: "), the near end of each line that arrives at the bottom
// ("From: "). Ends without a record are left out, and so is everything past 64 links.
std::vector<HLinkEntry> BuildBoxLinks(const HDrawList& lines, const HItemObject& box,
                                      HLinkJumpTable& table);
// The two ends of a line: "To: " its to item, then "From: " its from item.
std::vector<HLinkEntry> BuildLineLinks(const HItemLine& line, HLinkJumpTable& table);

// What the canvas window needs to centre an item.
struct HJumpView {
    HSize client;  // client area in pixels
    int hasHorizontalBar = 1;
    int hasVerticalBar = 1;
    float zoom = 1.0f;
};

struct HJumpResult {
    int scroll = 0;  // 1: scroll the view to scrollTo (pixels)
    HPoint scrollTo;
};

// Clears the selection of boxes and lines and selects target (when given). centre asks to
// scroll the target into the middle of the window; toggle leaves a target that was
// selected deselected. The window redraws afterwards.
HJumpResult JumpToItem(HDrawList& boxes, HDrawList& lines, HItemCore* target, int centre,
                       int toggle, const HJumpView& view);

// A link command: jumps, centred, to its table entry when that is still a box of boxes.
// Returns 0 in done when nothing happened.
HJumpResult RunLinkCommand(int32_t commandId, const HLinkJumpTable& table, HDrawList& boxes,
                           HDrawList& lines, const HJumpView& view, int* done = nullptr);

}  // namespace zarvik
