#pragma once
// The in-memory form of an INI text file: an ordered list of sections, each an ordered set
// of key=value strings. Documents, settings, reference tables and undo snapshots all pass
// through it. Text is UTF-8 in memory and cp932 on disk.
//
// Sections may be shared with other stores and with undo snapshots: a store changes a
// section only while it is the section's one owner and copies it first otherwise, so a
// section handed out by ShareSection never changes.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/store/ini_section.h"

namespace zarvik {

class HInfoIniFile {
public:
    HInfoIniFile();
    ~HInfoIniFile();
    HInfoIniFile(const HInfoIniFile&) = delete;
    HInfoIniFile& operator=(const HInfoIniFile&) = delete;

    // Adds every section and key of the file to the store (it is not cleared first).
    // Returns 0 when the file cannot be read (the store is then unchanged), else 1.
    int Read(const std::string& path);

    // The same for file contents already in memory (cp932 bytes).
    void ReadBytes(std::string_view cp932);
    // The same for text already in UTF-8 (a file someone wrote in UTF-8).
    void ReadUtf8Text(std::string_view utf8);

    // Writes the whole store to path, CR LF line ends, cp932. The text goes to a temporary
    // file in the same folder first, which replaces the target only once it is complete,
    // so a failed write leaves the old file as it was. Returns 1 on success, 0 otherwise.
    // unencodable, when given, receives the number of characters cp932 could not hold
    // (written as "?").
    int Write(const std::string& path, int* unencodable = nullptr) const;

    // The file contents Write would write.
    std::string ToBytes(int* unencodable = nullptr) const;
    // The same appended to out; the characters cp932 cannot hold are added to lost.
    void AppendFileBytes(HBigBuffer& out, int& lost) const;
    // The most bytes the file contents take.
    std::size_t FileBytesBound() const;

    // Stores value under key in the section, creating the section at the end when it does
    // not exist. Returns 1.
    int SetValue(std::string_view section, std::string_view key, std::string_view value);

    // The stored value, or def when the section or the key is missing.
    std::string GetValue(std::string_view section, std::string_view key,
                         std::string_view def) const;

    // The stored value, or none. The view stays valid until that section is next changed.
    std::optional<std::string_view> FindValue(std::string_view section, std::string_view key) const;

    // The number of keys of the section, -1 when there is no such section.
    int GetKeyCount(std::string_view section) const;

    // Removes the section; 1 if it existed, else 0.
    int RemoveSection(std::string_view section);

    // 1 when other holds as many sections as this store and, position by position, the
    // same keys with the same values in the same order (section names are not compared).
    int IsSame(const HInfoIniFile* other) const;

    const HInfoIniSection* FindSection(std::string_view name) const;
    std::size_t SectionCount() const { return m_sections.size(); }
    const HInfoIniSection& SectionAt(std::size_t index) const { return *m_sections[index]; }

    // The section itself, to be kept beyond the store; it no longer changes. Null when
    // there is no such section.
    std::shared_ptr<const HInfoIniSection> ShareSection(std::size_t index) const;
    std::shared_ptr<const HInfoIniSection> ShareSection(std::string_view name) const;
    // Appends a section without copying it. When the store already has a section of that
    // name, that section takes its keys instead, as a repeated header would give them.
    void AdoptSection(std::shared_ptr<const HInfoIniSection> section);
    // Makes room for count sections in all, so that adding them does not grow the store.
    void Reserve(std::size_t count);

    void Clear();
    // Gives back the room the sections that this store alone holds keep for growth (see
    // HInfoIniSection).
    void ShrinkToFit();

private:
    void ReadLines(std::string_view text, bool decode);
    HInfoIniSection& SectionForWrite(std::string_view name);
    // The section at position, copied first when someone else holds it too.
    HInfoIniSection& OwnSection(std::size_t position);
    // Appends a section that no section of the store is named like.
    void AppendSection(std::shared_ptr<HInfoIniSection> section, uint32_t hash);
    // The position of the section in m_sections, or npos.
    std::size_t FindPosition(std::string_view name, uint32_t hash) const;
    void RebuildIndex(std::size_t tableSize);
    void IndexPosition(std::size_t position);
    // Takes the position out of the index.
    void UnindexPosition(std::size_t position);

    std::vector<std::shared_ptr<HInfoIniSection>> m_sections;
    std::vector<uint32_t> m_nameHashes;  // IniNameHash of each section name, by position
    // Open addressing over the positions: position + 1, 0 for free; the size is a power of
    // two at least twice the section count, or 0 while there are no sections.
    std::vector<uint32_t> m_index;
    // Records read and write one section key after key; the position of the last one found
    // is tried first.
    mutable std::size_t m_lastPosition = static_cast<std::size_t>(-1);
};

}  // namespace zarvik
