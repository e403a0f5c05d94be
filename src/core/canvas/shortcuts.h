#pragma once
// The keyboard shortcuts of the canvas and the item list panel whose command depends on
// whether a relation line is selected.

#include <cstdint>

namespace zarvik {

// Keys as the window reports them: letters by their upper-case character code.
inline constexpr int32_t kKeyDelete = 0x2E;

struct HShortcutInput {
    int32_t key = 0;
    int ctrl = 0;
    int lineSelected = 0;  // at least one relation line is selected
    int listEditing = 0;   // the item list panel has an in-place editor open
};

// The command to post to the frame for a key press, 0 for none. The key press itself
// still goes on to its normal handling.
int32_t TranslateShortcut(const HShortcutInput& input);

}  // namespace zarvik
