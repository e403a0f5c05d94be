#pragma once
// The comparison of two documents as one JSON object, for scripts.

#include <nlohmann/json.hpp>
#include <string>

#include "core/doc/count_compare.h"

namespace zarvik::cli {

// The object, its keys in a fixed order.
nlohmann::ordered_json BuildCompareJson(const HCountComparison& comparison,
                                        const std::string& basePath, const std::string& nextPath);

}  // namespace zarvik::cli
