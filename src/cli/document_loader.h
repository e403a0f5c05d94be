#pragma once
// Opening a document for a command: what the editor does, plus the checks a headless run
// needs first (a missing path would otherwise open as a new, empty document) and, when
// the load fails, the reason found by reading the file again.

#include <string>

namespace zarvik {
class HFlowDocument;
}

namespace zarvik::cli {

class HStderrUiPort;

// Loads path into doc. Messages of the load go to port; on failure the editor's failure
// message and the reason are written there too. Returns 1 when the document loaded.
int OpenDocument(const std::string& path, HFlowDocument& doc, HStderrUiPort& port);

// Why a document's bytes do not load, as far as it can be told: the first box without its
// geometry, the first relation line without its end points or with an end naming no box.
// Empty when no such fault is found.
std::string DiagnoseLoadFailure(const std::string& bytes);

}  // namespace zarvik::cli
