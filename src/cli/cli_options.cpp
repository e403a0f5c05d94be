#include "cli/cli_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/canvas/zoom.h"
#include "core/store/file_io.h"

namespace zarvik::cli {
namespace {

struct HCommandSpec {
    std::string_view name;
    HCommand command;
    std::size_t operands;
};

constexpr HCommandSpec kCommands[] = {
    {"report", HCommand::Report, 1}, {"summary", HCommand::Summary, 1},
    {"csv", HCommand::Csv, 3},       {"check", HCommand::Check, 1},
    {"save", HCommand::Save, 2},     {"compare", HCommand::Compare, 2},
    {"help", HCommand::Help, 0},     {"version", HCommand::Version, 0},
    {"render", HCommand::Render, 2}, {"pdf", HCommand::Pdf, 2},
};

constexpr int kZoomMinPercent = static_cast<int>(kZoomMin * 100 + 0.5f);
constexpr int kZoomMaxPercent = static_cast<int>(kZoomMax * 100 + 0.5f);

const HCommandSpec* FindCommand(std::string_view name) {
    for (const HCommandSpec& entry : kCommands) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

// The options that take a value, given as "--name VALUE" or "--name=VALUE".
constexpr std::string_view kValueOptions[] = {"--settings", "--zoom", "--background",
                                              "--conversion"};

// The options of one command only, with that command.
struct HCommandOption {
    std::string_view name;
    HCommand command;
};
constexpr HCommandOption kCommandOptions[] = {{"--zoom", HCommand::Render},
                                              {"--background", HCommand::Render},
                                              {"--json", HCommand::Compare},
                                              {"--conversion", HCommand::Compare}};

// A count of function points: decimal digits only, within 32 bits.
bool ParseFpCount(std::string_view text, int64_t& value) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= INT32_MAX;
}

// The value option arg names, or an empty view.
std::string_view OptionName(const std::string& arg) {
    for (const std::string_view name : kValueOptions) {
        if (arg == name ||
            (arg.size() > name.size() && arg.rfind(name, 0) == 0 && arg[name.size()] == '=')) {
            return name;
        }
    }
    return {};
}

std::string SetValueOption(std::string_view name, const std::string& value, HCliOptions& options,
                           std::vector<std::string_view>& given) {
    given.push_back(name);
    if (name == "--settings") {
        if (value.empty()) {
            return "--settings needs the path of a settings file";
        }
        options.settingsPath = value;
    } else if (name == "--zoom") {
        int percent = 0;
        const char* end = value.data() + value.size();
        const auto [stop, error] = std::from_chars(value.data(), end, percent);
        if (value.empty() || error != std::errc() || stop != end || percent < kZoomMinPercent ||
            percent > kZoomMaxPercent) {
            return "--zoom needs a whole percentage from " + std::to_string(kZoomMinPercent) +
                   " to " + std::to_string(kZoomMaxPercent) + ", not '" + value + "'";
        }
        options.zoomPercent = percent;
    } else if (name == "--conversion") {
        if (!ParseFpCount(value, options.conversionFp)) {
            return "--conversion needs a whole number of function points (0 to 2147483647), "
                   "not '" +
                   value + "'";
        }
    } else if (!ParseColour(value, options.background)) {
        return "--background needs a colour as #RRGGBB, #RGB or none, not '" + value + "'";
    }
    return {};
}

// The picture format an output path names by its extension, if any.
std::optional<HPictureFormat> FormatOfPath(const std::string& path) {
    const std::string extension = LowerExtension(path);
    if (extension == "svg") {
        return HPictureFormat::Svg;
    }
    if (extension == "png") {
        return HPictureFormat::Png;
    }
    if (extension == "pdf") {
        return HPictureFormat::Pdf;
    }
    return std::nullopt;
}

// Splits the arguments into options and operands; "--" ends the options, so that a
// document named "-x.zvk" can still be given.
std::string SplitOptions(const std::vector<std::string>& args, HCliOptions& options,
                         std::vector<std::string>& operands, bool& help, bool& version,
                         std::vector<std::string_view>& given) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "--version") {
            version = true;
        } else if (arg == "--json") {
            options.json = true;
            given.push_back("--json");
        } else if (const std::string_view name = OptionName(arg); !name.empty()) {
            std::string value;
            if (arg.size() > name.size()) {
                value = arg.substr(name.size() + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            }
            if (std::string error = SetValueOption(name, value, options, given); !error.empty()) {
                return error;
            }
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    return {};
}

}  // namespace

std::string ParseArguments(const std::vector<std::string>& args, HCliOptions& options) {
    options = HCliOptions{};
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
    std::vector<std::string_view> given;
    if (std::string error = SplitOptions(args, options, operands, help, version, given);
        !error.empty()) {
        return error;
    }
    if (help || version) {
        options.command = help ? HCommand::Help : HCommand::Version;
        return {};
    }
    if (operands.empty()) {
        return "no command given";
    }
    const HCommandSpec* entry = FindCommand(operands[0]);
    if (entry == nullptr) {
        return "unknown command '" + operands[0] + "'";
    }
    options.command = entry->command;
    const std::size_t count = operands.size() - 1;
    if (count != entry->operands) {
        return std::string(entry->name) + (count < entry->operands ? ": missing" : ": too many") +
               " arguments";
    }
    for (const std::string_view name : given) {
        for (const HCommandOption& only : kCommandOptions) {
            if (only.name == name && only.command != entry->command) {
                return std::string(name) + " is an option of " +
                       (only.command == HCommand::Render ? "render" : "compare") + " only";
            }
        }
    }
    if (entry->command == HCommand::Csv) {
        options.csvList = operands[1];
        if (options.csvList != "transactions" && options.csvList != "files") {
            return "csv: the list is 'transactions' or 'files', not '" + options.csvList + "'";
        }
        options.documentPath = operands[2];
        options.outputPath = operands[3];
    } else if (entry->command == HCommand::Compare) {
        options.documentPath = operands[1];
        options.newDocumentPath = operands[2];
    } else if (entry->command == HCommand::Save) {
        options.documentPath = operands[1];
        options.outputPath = operands[2];
    } else if (entry->command == HCommand::Render) {
        options.documentPath = operands[1];
        options.outputPath = operands[2];
        const std::optional<HPictureFormat> format = FormatOfPath(options.outputPath);
        if (!format) {
            return "render: the picture's name must end in .svg, .png or .pdf, not '" +
                   options.outputPath + "'";
        }
        options.pictureFormat = *format;
    } else if (entry->command == HCommand::Pdf) {
        options.documentPath = operands[1];
        options.outputPath = operands[2];
        if (FormatOfPath(options.outputPath) != HPictureFormat::Pdf) {
            return "pdf: the report's name must end in .pdf, not '" + options.outputPath + "'";
        }
    } else if (count == 1) {
        options.documentPath = operands[1];
    }
    return {};
}

bool ParseColour(const std::string& text, std::optional<uint32_t>& colour) {
    if (text == "none" || text == "transparent") {
        colour.reset();
        return true;
    }
    const std::string_view digits =
        std::string_view(text).substr(!text.empty() && text[0] == '#' ? 1 : 0);
    const bool shortForm = digits.size() == 3 && text[0] == '#';
    if ((digits.size() != 6 && !shortForm) ||
        !std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; })) {
        return false;
    }
    uint32_t value = 0;
    for (const char c : digits) {
        const int lower = std::tolower(static_cast<unsigned char>(c));
        const uint32_t digit = static_cast<uint32_t>(lower <= '9' ? lower - '0' : lower - 'a' + 10);
        value = (value << (shortForm ? 8 : 4)) | (shortForm ? digit * 0x11 : digit);
    }
    colour = value;
    return true;
}

const char* UsageText() {
    return "usage: zvk [--settings PATH] COMMAND ...\n"
           "\n"
           "commands:\n"
           "  report FILE.zvk                      print the estimate report\n"
           "  summary FILE.zvk                     print the estimate and every function as JSON\n"
           "  csv transactions|files FILE.zvk OUT.csv\n"
           "                                       write the list of transactions or data "
           "functions\n"
           "  check FILE.zvk                       load the document and report its problems\n"
           "  save FILE.zvk OUT.zvk                write the document as the editor saves it\n"
           "                                       (OUT may be FILE itself)\n"
           "  compare [--json] [--conversion N] BASE.zvk NEW.zvk\n"
           "                                       the functions added, deleted and changed\n"
           "                                       from BASE to NEW and the enhancement\n"
           "                                       count; N is the FP of data conversion\n"
           "  render FILE.zvk OUT.svg|OUT.png|OUT.pdf\n"
           "                                       draw the diagram as a picture\n"
           "  pdf FILE.zvk OUT.pdf                 write the estimate report for the customer:\n"
           "                                       the diagram, the report, the function\n"
           "                                       lists and the rules in force\n"
           "  help, version                        this text, the program's version\n"
           "\n"
           "options:\n"
           "  --settings PATH  take the system rules from this settings file; by default\n"
           "                   they come from the editor's settings file when there is one.\n"
           "                   A document with rules of its own is always measured by them.\n"
           "  --zoom PERCENT   render: the scale of the picture, 20 to 1000 (100)\n"
           "  --background COLOUR\n"
           "                   render: #RRGGBB, #RGB or none (white)\n"
           "\n"
           "save writes what the editor writes: the document's own rules when it has them\n"
           "(the system rules too when the settings file has IsSaveRule2Flow=1), and\n"
           "LastUpdate= the time of the save, the one line in which two saves of a document\n"
           "differ. A document written by a newer version is refused.\n"
           "\n"
           "Messages go to standard error. Exit status: 0 success, 1 a document that cannot\n"
           "be loaded or a file that cannot be read or written, 2 a usage error.\n";
}

}  // namespace zarvik::cli
