#include "cli/cli_options.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

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
};

const HCommandSpec* FindCommand(std::string_view name) {
    for (const HCommandSpec& entry : kCommands) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

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

// The value of an option given as "--name VALUE" or "--name=VALUE"; empty when missing.
std::string OptionValue(const std::vector<std::string>& args, std::size_t& i,
                        std::string_view name) {
    const std::string& arg = args[i];
    if (arg == name) {
        return i + 1 < args.size() ? args[++i] : std::string();
    }
    return arg.substr(name.size() + 1);
}

bool IsOption(const std::string& arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                           arg[name.size()] == '=');
}

// Splits the arguments into options and operands; "--" ends the options, so that a
// document named "-x.zvk" can still be given.
std::string SplitOptions(const std::vector<std::string>& args, HCliOptions& options,
                         std::vector<std::string>& operands, bool& help, bool& version,
                         bool& conversionGiven) {
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
        } else if (IsOption(arg, "--settings")) {
            const std::string value = OptionValue(args, i, "--settings");
            if (value.empty()) {
                return "--settings needs the path of a settings file";
            }
            options.settingsPath = value;
        } else if (arg == "--json") {
            options.json = true;
        } else if (IsOption(arg, "--conversion")) {
            const std::string value = OptionValue(args, i, "--conversion");
            if (!ParseFpCount(value, options.conversionFp)) {
                return "--conversion needs a whole number of function points (0 to 2147483647), "
                       "not '" +
                       value + "'";
            }
            conversionGiven = true;
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
    bool conversionGiven = false;
    if (std::string error = SplitOptions(args, options, operands, help, version, conversionGiven);
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
    if (entry->command != HCommand::Compare && (options.json || conversionGiven)) {
        return std::string(options.json ? "--json" : "--conversion") + " is an option of compare";
    }
    const std::size_t given = operands.size() - 1;
    if (given != entry->operands) {
        return std::string(entry->name) + (given < entry->operands ? ": missing" : ": too many") +
               " arguments";
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
    } else if (given == 1) {
        options.documentPath = operands[1];
    }
    return {};
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
           "  help, version                        this text, the program's version\n"
           "\n"
           "options:\n"
           "  --settings PATH  take the system rules from this settings file; by default\n"
           "                   they come from the editor's settings file when there is one.\n"
           "                   A document with rules of its own is always measured by them.\n"
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
