#pragma once
// Opening a document for a command: what the editor does, with what a headless run needs
// besides: a missing path is an error rather than a new, empty document, and every
// message of the load goes to standard error with its reason.

#include <string>

namespace zarvik {
class HFlowDocument;
}

namespace zarvik::cli {

class HStderrUiPort;

// What becomes of a document written by a newer version.
enum class HNewerDocument {
    kRead,    // read with a warning that its figures may differ
    kRefuse,  // not loaded: what that version wrote is not ours to rewrite
};

// Loads path into doc. Messages of the load go to port; on failure the editor's failure
// message and the reason are written there too. Returns 1 when the document loaded.
int OpenDocument(const std::string& path, HFlowDocument& doc, HStderrUiPort& port,
                 HNewerDocument newer = HNewerDocument::kRead);

// Why a document's bytes do not load, as the loader tells it: the first box without its
// geometry, the first relation line without its end points or with an end naming no box.
// Empty when they load.
std::string DiagnoseLoadFailure(const std::string& bytes);

}  // namespace zarvik::cli
