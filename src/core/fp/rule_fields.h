#pragma once
// The decimal fields of the rule pages: a value x100 shown with two decimals, what the
// user types read back x100, and the range each coefficient and exponent may take.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zarvik {

class HInfoRule;

// "%04.2f" of value x 0.01: 150 shows "1.50", 5 shows "0.05".
std::string FormatDecimalX100(int32_t valueX100);

// What an edit that takes digits and one decimal point holds, x100 and rounded half up:
// "1.5" gives 150, "1.005" gives 101, "" and "." give 0. Reading stops at any other
// character; a value beyond the 32-bit range gives INT32_MAX.
int32_t ParseDecimalX100(std::string_view text);

// The text an edit is to show for its field, or nothing when what it holds already reads
// as that value (the user's own "1.5" stays while the field holds 150).
std::optional<std::string> DecimalTextToShow(std::string_view editText, int32_t valueX100);

struct HRuleFieldRange {
    const char* key;  // the field's name in the rule's section
    int32_t HInfoRule::*field;
    int32_t minX100;
    int32_t maxX100;
    const char* message;
    const char* caption;
};

// The coefficients and exponents checked when their edit loses the focus.
std::span<const HRuleFieldRange> RuleFieldRanges();
// The range of a field by its key; null for a field without one.
const HRuleFieldRange* FindRuleFieldRange(std::string_view key);

struct HRangeMessage {
    std::string text;
    std::string caption;
};

// The message for a typed text outside the field's range; nothing when it fits. The value
// is stored whatever the answer: a message only tells.
std::optional<HRangeMessage> CheckTypedField(const HRuleFieldRange& range, std::string_view typed);

// Stores the typed text into the rule's field and shows the range message when it is out of
// range. Returns 1 when it fits, 0 when the focus is to go back to the edit.
int TakeTypedField(HInfoRule& rule, const HRuleFieldRange& range, std::string_view typed);

}  // namespace zarvik
