// A whole document on arbitrary bytes, as the editor opens it (taking UTF-8 and newer
// versions): the estimate report and both CSV lists are built, the document is saved,
// opened again in a fresh process state and saved once more. The second save must write
// what the first did, apart from the save time.

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/doc/csv_export.h"
#include "core/doc/flow_document.h"
#include "core/fp/estimate.h"
#include "fuzz_support.h"

namespace {

namespace fuzz = zarvik::fuzz;

// The saved bytes without the "LastUpdate=" line.
std::string SaveWithoutTime(zarvik::HFlowDocument& doc, const std::string& path) {
    fuzz::Require(doc.SaveDocument(path) == 1, "a loaded document cannot be saved");
    std::string bytes = fuzz::FileBytes(path);
    const std::size_t at = bytes.rfind("\r\nLastUpdate=");
    fuzz::Require(at != std::string::npos, "a saved document has no save time");
    bytes.erase(at, bytes.find("\r\n", at + 2) - at);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = fuzz::ScratchPath("input.zvk");
    static const std::string saved = fuzz::ScratchPath("saved.zvk");
    fuzz::WriteFile(input, data, size);

    fuzz::ResetForInput();
    zarvik::HFlowDocument doc;
    if (!doc.LoadDocument(input, zarvik::HLoadOptions{1, 1})) {
        return 0;
    }
    zarvik::BuildReportText(doc.estimate);
    zarvik::TransactionListText(doc.Boxes());
    zarvik::FileListText(doc.Boxes());
    const std::string first = SaveWithoutTime(doc, saved);

    // The document this program wrote opens without a question.
    fuzz::ResetForInput();
    zarvik::HFlowDocument again;
    fuzz::Require(again.LoadDocument(saved).Ok() == 1, "a saved document does not load again");
    fuzz::Require(SaveWithoutTime(again, saved) == first, "a second save changes the document");
    return 0;
}
