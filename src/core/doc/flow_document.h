#pragma once
// The flow document: its boxes and relation lines, its flow properties, and how it is
// stored as an INI text file.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/doc/load_result.h"
#include "core/fp/estimate.h"
#include "core/items/draw_list.h"
#include "core/store/big_buffer.h"

namespace zarvik {

class HIniFile;

// Document-level data besides the items.
struct HInfoFlowProject {
    std::string flowName;
    std::string lastUpdate;  // "%04d/%02d/%02d %02d:%02d:%02d"
};

// The section of a document's header: its name, last update and the version that wrote it.
inline constexpr const char* kDocumentHeaderSection = "Zarvik";

// What a save met that the user should hear about.
struct HSaveReport {
    int unencodable = 0;  // characters cp932 cannot hold, written as "?"
};

// A time as documents write it ("LastUpdate"): local time, "YYYY/MM/DD hh:mm:ss".
std::string DocumentTimeText(std::time_t when);

// Writes one item of the box list into its section as SaveItems does. Returns 0 for an item
// that is no box of a stored kind.
int SaveBoxItem(HIniFile& ini, const HItemCore& item);
// Writes one relation line into its section as SaveItems does. Returns 0 for an item that
// is no line (SaveItems passes over it).
int SaveLineItem(HIniFile& ini, const HItemCore& item);

// The item kind a document section stands for, by the start of its name, ignoring case
// ("file_007" gives the data function kind); 0 for any other section.
int32_t ItemKindOfSection(std::string_view name);

class HFlowDocument {
public:
    HFlowDocument() = default;
    virtual ~HFlowDocument() = default;
    HFlowDocument(const HFlowDocument&) = delete;
    HFlowDocument& operator=(const HFlowDocument&) = delete;

    // Writes the box sections bottom to top, then the line sections. Returns 0 when a box
    // could not be written (the sections after it are then missing).
    int SaveItems(HIniFile& ini) const;
    // Builds new lists from the item and line sections of the store and, on success,
    // replaces the document's lists with them, raises the id counter above every loaded
    // id and refreshes the records. An item that is still what loading its section made
    // (the store shares the very section) is kept, unselected, instead of built again. A required
    // key that is missing or a line end that does not resolve fails the load and leaves the lists
    // as they were. Sections of no item kind, apart from the header and the rules, are skipped and
    // listed.
    HLoadResult LoadItems(HIniFile& ini);

    // Writes the whole document: items, the rules in force when the document has its own
    // (or the settings ask for them), the header. The old file is replaced only by a
    // complete new one. Returns 0 when it cannot be written.
    int SaveDocument(const std::string& path, HSaveReport* report = nullptr);
    // The bytes SaveDocument writes, with lastUpdate as the time of the save; unencodable
    // receives the number of characters cp932 could not hold. Changes nothing.
    HBigBuffer DocumentBytes(const std::string& lastUpdate, int& unencodable) const;
    // Reads a document; on success replaces items and flow properties, puts the
    // document's own rules (or the system rules) in force and recomputes the estimate. A
    // failed load changes nothing and asks nothing: a newer version's document comes
    // back as kNewerVersion unless options accept it. A missing or empty file loads as an
    // empty document.
    HLoadResult LoadDocument(const std::string& path, HLoadOptions options = {});

    // UpdateLinks on every box record, bottom to top: transactions gather their DETs and
    // FTRs from the relation lines, counting DETs by the rules in force.
    void RefreshItems();

    HDrawList& Boxes() { return m_boxes; }
    const HDrawList& Boxes() const { return m_boxes; }
    HDrawList& Lines() { return m_lines; }
    const HDrawList& Lines() const { return m_lines; }

    // The estimate under the rules in force, without refreshing the records first.
    void RecomputeEstimate();
    // The data and transaction functions, bottom to top: what the estimate rates.
    std::vector<HRatedFunction> FunctionRecords() const;

    HInfoFlowProject flow;
    HInfoKousuu estimate;  // the result of the last RecomputeEstimate

protected:
    // The lists are about to be replaced or emptied: their items are still alive.
    virtual void AboutToReplaceItems() {}

private:
    HDrawList m_boxes;
    HDrawList m_lines;
};

}  // namespace zarvik
