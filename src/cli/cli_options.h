#pragma once
// The command line of zvk: one command with its operands, and the options that may stand
// anywhere before "--".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zarvik::cli {

enum class HCommand { Help, Version, Report, Summary, Csv, Check, Save, Compare, Render, Pdf };

// The picture formats render writes, by the output's extension.
enum class HPictureFormat { Svg, Png, Pdf };

struct HCliOptions {
    HCommand command = HCommand::Help;
    std::optional<std::string> settingsPath;
    std::string csvList;  // "transactions" or "files"
    std::string documentPath;
    std::string outputPath;       // csv, save, render and pdf
    std::string newDocumentPath;  // compare: the new version; documentPath is the base
    bool json = false;            // compare: JSON instead of text
    int64_t conversionFp = 0;     // compare: FP of the data conversion functions
    // render: the format, the zoom in percent and the background as 0xRRGGBB (none for a
    // transparent one).
    HPictureFormat pictureFormat = HPictureFormat::Png;
    int zoomPercent = 100;
    std::optional<uint32_t> background = 0xFFFFFF;
};

// Fills options from argv. Returns an empty text on success, else what is wrong with the
// command line (the caller prints it with the usage text).
std::string ParseArguments(const std::vector<std::string>& args, HCliOptions& options);

// "#RRGGBB", "RRGGBB" or "#RGB" as 0xRRGGBB; "none" or "transparent" as no colour. False
// for anything else.
bool ParseColour(const std::string& text, std::optional<uint32_t>& colour);

// The usage text, ending in a line break.
const char* UsageText();

}  // namespace zarvik::cli
