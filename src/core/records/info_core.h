#pragma once
// The base of every kind record: the item's name and the interface through which the
// document, the lists and the estimate reach any item's function point value and its
// load and save.

#include <cstdint>
#include <string>

namespace zarvik {

class HIniFile;
class HStateHash;

// Category words of the kinds that are not measured.
inline constexpr const char* kTypeLabelDisplay = "表示";
inline constexpr const char* kTypeLabelManagement = "管理";

class HInfoCore {
public:
    HInfoCore() = default;
    virtual ~HInfoCore() = default;
    HInfoCore(const HInfoCore&) = delete;
    HInfoCore& operator=(const HInfoCore&) = delete;

    // 1 for records that take part in the function point count.
    virtual int IsFpItem() const { return 0; }
    // Kept in its place in the interface; every record answers 0.
    virtual int ReservedQuery() const { return 0; }
    // The unadjusted function point value.
    virtual int32_t GetFp() const { return 0; }
    // Refreshes what is derived from the diagram.
    virtual void UpdateLinks() {}
    // Writes the record's keys into the section; the base writes nothing and returns 0.
    virtual int Save(HIniFile& ini, const std::string& section) const;
    // Reads them back; 0 makes the whole document load fail.
    virtual int Load(HIniFile& ini, const std::string& section);
    // Adds every field the record holds to hash, stored or not, apart from what the
    // document derives from the relation lines.
    virtual void AddStateTo(HStateHash& hash) const;

    // Copies name, type label and type code.
    void CopyFrom(const HInfoCore& other);

    std::string name = "<Unknown Name>";       // a line break is stored as backslash n
    std::string typeLabel = "<Unknown Type>";  // a category word; not stored
    int32_t typeCode = 0;  // the function type of data and transaction functions
};

}  // namespace zarvik
