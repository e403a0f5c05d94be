#pragma once
// The command line of zvk: one command with its operands, and the options that may stand
// anywhere before "--".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarvik::cli {

enum class HCommand { Help, Version, Report, Summary, Csv, Check, Save, Compare };

struct HCliOptions {
    HCommand command = HCommand::Help;
    std::optional<std::string> settingsPath;
    std::string csvList;  // "transactions" or "files"
    std::string documentPath;
    std::string outputPath;       // csv and save
    std::string newDocumentPath;  // compare: the new version; documentPath is the base
    bool json = false;            // compare: JSON instead of text
    int64_t conversionFp = 0;     // compare: FP of the data conversion functions
};

// Fills options from argv. Returns an empty text on success, else what is wrong with the
// command line (the caller prints it with the usage text).
std::string ParseArguments(const std::vector<std::string>& args, HCliOptions& options);

// The usage text, ending in a line break.
const char* UsageText();

}  // namespace zarvik::cli
