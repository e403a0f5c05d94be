#include "core/fp/rule_fields.h"

#include <array>
#include <climits>

#include "core/fp/info_rule.h"
#include "core/port/ui_port.h"
#include "core/text/number_text.h"

namespace zarvik {
namespace {

// The defaults named in the messages are those the rule resets to (info_rule.cpp).
const std::array<HRuleFieldRange, 11> kRanges = {{
    {"FpGaisanPage1X100", &HInfoRule::FpGaisanPage1X100, 0, 10000,
     "文書総ページ数への変換比には、0～100まで設定可能です。\r\n※ 初期値は1です。",
     "文書総ページ数への変換式について"},
    {"FpGaisanPage2X100", &HInfoRule::FpGaisanPage2X100, 1, 200,
     "FP値への乗数には、0.01～2まで設定可能です。\r\n※ 初期値は1.15です。",
     "文書総ページ数への変換式について"},
    {"FpGaisanTest1X100", &HInfoRule::FpGaisanTest1X100, 0, 10000,
     "総テストケース数への変換比には、0～100まで設定可能です。\r\n※ 初期値は1です。",
     "総テストケース数への変換式について"},
    {"FpGaisanTest2X100", &HInfoRule::FpGaisanTest2X100, 1, 200,
     "FP値への乗数には、0.01～2まで設定可能です。\r\n※ 初期値は1.2です。",
     "総テストケース数への変換式について"},
    {"FpGaisanBug1X100", &HInfoRule::FpGaisanBug1X100, 0, 10000,
     "総欠陥数への変換比には、0～100まで設定可能です。\r\n※ 初期値は1です。",
     "総欠陥数への変換式について"},
    {"FpGaisanBug2X100", &HInfoRule::FpGaisanBug2X100, 1, 200,
     "FP値への乗数には、0.01～2まで設定可能です。\r\n※ 初期値は1.25です。",
     "総欠陥数への変換式について"},
    {"FpGaisanKikan1X100", &HInfoRule::FpGaisanKikan1X100, 0, 10000,
     "工期への変換比には、0～100まで設定可能です。\r\n※ 初期値は1です。", "工期への変換式について"},
    // The rule resets this exponent to 0.40; the message says so too.
    {"FpGaisanKikan2X100", &HInfoRule::FpGaisanKikan2X100, 1, 200,
     "FP値への乗数には、0.01～2まで設定可能です。\r\n※ 初期値は0.4です。",
     "工期への変換式について"},
    {"FpKouki1X100", &HInfoRule::FpKouki1X100, 0, 10000,
     "工期への変換比には、0～100まで設定可能です。\r\n※ 初期値は2.40です。",
     "工数から工期への変換式について"},
    {"FpKouki2X100", &HInfoRule::FpKouki2X100, 50, 10000,
     "工数への乗数を導出するための係数には、0.5～100まで設定可能です。\r\n※ 初期値は3.00です。",
     "工数から工期への変換式について"},
    {"FpKoukiMinX100", &HInfoRule::FpKoukiMinX100, 0, 100,
     "最小工期への変換比には、0～1まで設定可能です。\r\n※ 初期値は0.7です。",
     "最小工期の算出式について"},
}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatDecimalX100(int32_t valueX100) {
    return Format("%04.2f", valueX100 * 0.01);
}

int32_t ParseDecimalX100(std::string_view text) {
    // Digit by digit rather than through a double, so that 1.005 rounds up as typed.
    int64_t hundredths = 0;
    std::size_t i = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        hundredths = hundredths * 10 + (text[i] - '0');
        if (hundredths > INT32_MAX) {
            return INT32_MAX;
        }
    }
    hundredths *= 100;
    if (i < text.size() && text[i] == '.') {
        ++i;
        int64_t scale = 10;
        for (; i < text.size() && IsDigit(text[i]) && scale > 0; ++i, scale /= 10) {
            hundredths += (text[i] - '0') * scale;
        }
        if (scale == 0 && i < text.size() && IsDigit(text[i]) && text[i] >= '5') {
            ++hundredths;
        }
    }
    return hundredths > INT32_MAX ? INT32_MAX : static_cast<int32_t>(hundredths);
}

std::optional<std::string> DecimalTextToShow(std::string_view editText, int32_t valueX100) {
    std::string shown = FormatDecimalX100(valueX100);
    if (shown == editText) {
        return std::nullopt;
    }
    return shown;
}

std::span<const HRuleFieldRange> RuleFieldRanges() {
    return kRanges;
}

const HRuleFieldRange* FindRuleFieldRange(std::string_view key) {
    for (const HRuleFieldRange& range : kRanges) {
        if (key == range.key) {
            return &range;
        }
    }
    return nullptr;
}

std::optional<HRangeMessage> CheckTypedField(const HRuleFieldRange& range, std::string_view typed) {
    const int32_t value = ParseDecimalX100(typed);
    if (value >= range.minX100 && value <= range.maxX100) {
        return std::nullopt;
    }
    return HRangeMessage{range.message, range.caption};
}

int TakeTypedField(HInfoRule& rule, const HRuleFieldRange& range, std::string_view typed) {
    rule.*range.field = ParseDecimalX100(typed);
    const std::optional<HRangeMessage> message = CheckTypedField(range, typed);
    if (!message) {
        return 1;
    }
    UiPort().MessageBox(message->text, message->caption, HMsgIcon::None, HMsgButtons::Ok);
    return 0;
}

}  // namespace zarvik
