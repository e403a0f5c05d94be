#include "cli/document_loader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "cli/stderr_ui_port.h"
#include "core/doc/flow_document.h"
#include "core/fp/info_rule.h"
#include "core/items/item_core.h"
#include "core/port/gdi_types.h"
#include "core/store/file_io.h"
#include "core/store/ini_file.h"
#include "core/text/number_text.h"

namespace zarvik::cli {
namespace {

bool IsBoxSection(std::string_view name) {
    const int32_t kind = ItemKindOfSection(name);
    return kind != 0 && kind != kKindLine;
}

bool IsLineSection(std::string_view name) {
    return ItemKindOfSection(name) == kKindLine;
}

// Why path cannot be opened as a file, or empty when it can.
std::string PathProblem(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        return errno == ENOENT ? "no such file" : std::strerror(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return "is a directory, not a document";
    }
    if (!S_ISREG(st.st_mode)) {
        return "is not a regular file";
    }
    return {};
}

// The section names of the store in file order, with the "RULE" and "Zarvik" sections
// left out as the loader leaves them out.
std::vector<std::string> ItemSections(const HInfoIniFile& store) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < store.SectionCount(); ++i) {
        const std::string& name = store.SectionAt(i).Name();
        if (IsBoxSection(name) || IsLineSection(name)) {
            names.push_back(name);
        }
    }
    return names;
}

std::string MissingBoxGeometry(const HIniFile& ini, const std::vector<std::string>& sections) {
    for (const std::string& name : sections) {
        HPoint point;
        HSize size;
        if (IsBoxSection(name) &&
            (!ini.GetPoint(name, "GuiPoint", point) || !ini.GetSize(name, "GuiSize", size) ||
             !ini.GetSize(name, "GuiMinSize", size))) {
            return name + ": the box lacks its position or size (GuiPoint, GuiSize, GuiMinSize)";
        }
    }
    return {};
}

std::string BrokenLine(const HIniFile& ini, const std::vector<std::string>& sections,
                       const HDrawList& boxes) {
    for (const std::string& name : sections) {
        if (!IsLineSection(name)) {
            continue;
        }
        HPoint point;
        if (!ini.GetPoint(name, "GuiPointFrom", point) ||
            !ini.GetPoint(name, "GuiPointTo", point)) {
            return name + ": the relation line lacks its end points (GuiPointFrom, GuiPointTo)";
        }
        for (const char* end : {"From", "To"}) {
            const std::string key = ini.GetString(name, end);
            if (boxes.FindByKey(key) == nullptr) {
                return name + ": the relation line's " + end + " end names " +
                       (key.empty() ? std::string("no box") : "\"" + key + "\"") +
                       ", which is not a box of the document";
            }
        }
    }
    return {};
}

}  // namespace

std::string DiagnoseLoadFailure(const std::string& bytes) {
    HInfoIniFile store;
    store.ReadBytes(bytes);
    HIniFile ini(store, 0);
    const std::vector<std::string> sections = ItemSections(store);
    if (std::string missing = MissingBoxGeometry(ini, sections); !missing.empty()) {
        return missing;
    }
    // Load the boxes alone, quietly, so that the line ends are resolved exactly as the
    // loader resolves them.
    HInfoIniFile boxesOnly;
    boxesOnly.ReadBytes(bytes);
    boxesOnly.RemoveSection(kRuleSectionName);
    boxesOnly.RemoveSection("Zarvik");
    for (std::size_t i = boxesOnly.SectionCount(); i-- > 0;) {
        const std::string name = boxesOnly.SectionAt(i).Name();
        if (!IsBoxSection(name)) {
            boxesOnly.RemoveSection(name);
        }
    }
    HUiPort quiet;
    HUiPort* previous = &UiPort();
    SetUiPort(&quiet);
    HFlowDocument scratch;
    HIniFile boxesIni(boxesOnly, 0);
    const int loaded = scratch.LoadItems(boxesIni);
    SetUiPort(previous);
    if (!loaded) {
        return {};
    }
    return BrokenLine(ini, sections, scratch.Boxes());
}

int OpenDocument(const std::string& path, HFlowDocument& doc, HStderrUiPort& port) {
    port.SetSubject(path);
    if (std::string problem = PathProblem(path); !problem.empty()) {
        port.Line("error: " + problem);
        return 0;
    }
    std::string bytes;
    if (::access(path.c_str(), R_OK) != 0 || !ReadWholeFile(path, bytes)) {
        port.Line(std::string("error: cannot be read: ") + std::strerror(errno != 0 ? errno : EIO));
        return 0;
    }
    // No text of cp932 holds a NUL byte; such a file is a picture, an archive or the like,
    // which the INI reader would take for an empty document.
    if (bytes.find('\0') != std::string::npos) {
        port.Line("error: holds binary data, not the text of a document");
        return 0;
    }
    if (doc.LoadDocument(path)) {
        return 1;
    }
    port.MessageBox(Format("ファイル(%s)の読み込みに失敗しました。", path.c_str()), "エラー",
                    HMsgIcon::Error, HMsgButtons::Ok);
    const std::string reason = DiagnoseLoadFailure(bytes);
    port.Line("error: " + (reason.empty() ? std::string("the document is damaged: a box or "
                                                        "relation line lacks a required key, "
                                                        "or a line names a missing box")
                                          : reason));
    return 0;
}

}  // namespace zarvik::cli
