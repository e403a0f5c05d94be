#pragma once
// The estimate of a document as one JSON object, for scripts: the fields of the estimate
// result as the program holds them, and every measured function, bottom first.

#include <nlohmann/json.hpp>

namespace zarvik {
class HFlowDocument;
}

namespace zarvik::cli {

// The object, its keys in a fixed order. The records' links must be up to date.
nlohmann::ordered_json BuildSummary(const HFlowDocument& doc);

// The words used for a calculation setting and a complexity level; "" for other values.
const char* SettingWord(int32_t setting);
const char* LevelWord(int32_t level);

}  // namespace zarvik::cli
