#include "core/store/ini_store.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <utility>

#include "core/store/file_io.h"
#include "core/text/cp932.h"

namespace zarvik {
namespace {

// The longest section name a header line can give, in cp932 bytes.
constexpr std::size_t kSectionNameMaxBytes = 999;

// Keys that stand before any section header land here.
constexpr std::string_view kNoSectionName = "???";

constexpr std::size_t kNoPosition = static_cast<std::size_t>(-1);

// The index table a store starts with: room for the sections of a small document.
constexpr std::size_t kFirstIndexSize = 64;

// The sections read from one file, made side by side in one buffer rather than one by one
// on the heap. Each is handed out as a pointer that shares the whole pool.
class SectionPool {
public:
    // Room for at most this many sections; a file with more makes the rest on the heap.
    static constexpr std::size_t kMostSections = std::size_t{1} << 18;

    explicit SectionPool(std::size_t capacity)
        : m_storage(capacity * sizeof(HInfoIniSection)), m_capacity(capacity) {}
    ~SectionPool() {
        while (m_count > 0) {
            At(--m_count)->~HInfoIniSection();
        }
    }
    SectionPool(const SectionPool&) = delete;
    SectionPool& operator=(const SectionPool&) = delete;

    bool Full() const { return m_count == m_capacity; }
    HInfoIniSection* Make(std::string name) {
        auto* section = new (m_storage.data() + m_count * sizeof(HInfoIniSection))
            HInfoIniSection(std::move(name));
        ++m_count;
        return section;
    }

private:
    HInfoIniSection* At(std::size_t i) {
        return std::launder(
            reinterpret_cast<HInfoIniSection*>(m_storage.data() + i * sizeof(HInfoIniSection)));
    }

    HBigBuffer m_storage;
    std::size_t m_capacity;
    std::size_t m_count = 0;
};

// The most sections the text can give: every header line starts with "[", and a section
// is made only for a header followed by a key line, which together take seven bytes.
std::size_t MostSections(std::string_view text) {
    if (text.empty()) {
        return 1;
    }
    std::size_t brackets = 0;
    for (const char* at = text.data();
         const void* found =
             std::memchr(at, '[', static_cast<std::size_t>(text.data() + text.size() - at));
         at = static_cast<const char*>(found) + 1) {
        ++brackets;
    }
    return std::min({brackets + 1, text.size() / 7 + 1, SectionPool::kMostSections});
}

}  // namespace

HInfoIniFile::HInfoIniFile() = default;
HInfoIniFile::~HInfoIniFile() = default;

void HInfoIniFile::Clear() {
    m_lastPosition = kNoPosition;
    m_sections.clear();
    m_nameHashes.clear();
    m_index.clear();
}

void HInfoIniFile::ShrinkToFit() {
    for (const std::shared_ptr<HInfoIniSection>& section : m_sections) {
        // A shared section is read by its other holders: it is left as it is.
        if (section.use_count() == 1) {
            section->ShrinkToFit();
        }
    }
    m_sections.shrink_to_fit();
    m_nameHashes.shrink_to_fit();
}

std::size_t HInfoIniFile::FindPosition(std::string_view name, uint32_t hash) const {
    if (m_index.empty()) {
        return kNoPosition;
    }
    const std::size_t mask = m_index.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const uint32_t entry = m_index[at];
        if (entry == 0) {
            return kNoPosition;
        }
        if (m_nameHashes[entry - 1] == hash && m_sections[entry - 1]->Name() == name) {
            return entry - 1;
        }
    }
}

void HInfoIniFile::RebuildIndex(std::size_t tableSize) {
    m_index.assign(tableSize, 0);
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        IndexPosition(i);
    }
}

void HInfoIniFile::IndexPosition(std::size_t position) {
    const std::size_t mask = m_index.size() - 1;
    std::size_t at = m_nameHashes[position] & mask;
    while (m_index[at] != 0) {
        at = (at + 1) & mask;
    }
    m_index[at] = static_cast<uint32_t>(position + 1);
}

HInfoIniSection& HInfoIniFile::OwnSection(std::size_t position) {
    std::shared_ptr<HInfoIniSection>& section = m_sections[position];
    if (section.use_count() > 1) {
        section = std::make_shared<HInfoIniSection>(*section);
    }
    m_lastPosition = position;
    return *section;
}

void HInfoIniFile::AppendSection(std::shared_ptr<HInfoIniSection> section, uint32_t hash) {
    // Index entries are positions + 1 in 32 bits.
    if (m_sections.size() >= UINT32_MAX - 1) {
        throw std::length_error("INI store too large");
    }
    m_sections.push_back(std::move(section));
    m_nameHashes.push_back(hash);
    if (m_sections.size() * 2 > m_index.size()) {
        RebuildIndex(m_index.empty() ? kFirstIndexSize : m_index.size() * 2);
    } else {
        IndexPosition(m_sections.size() - 1);
    }
    m_lastPosition = m_sections.size() - 1;
}

HInfoIniSection& HInfoIniFile::SectionForWrite(std::string_view name) {
    if (m_lastPosition < m_sections.size() && m_sections[m_lastPosition]->Name() == name) {
        return OwnSection(m_lastPosition);
    }
    const uint32_t hash = IniNameHash(name);
    const std::size_t found = FindPosition(name, hash);
    if (found != kNoPosition) {
        return OwnSection(found);
    }
    AppendSection(std::make_shared<HInfoIniSection>(std::string(name)), hash);
    return *m_sections.back();
}

const HInfoIniSection* HInfoIniFile::FindSection(std::string_view name) const {
    if (m_lastPosition < m_sections.size() && m_sections[m_lastPosition]->Name() == name) {
        return m_sections[m_lastPosition].get();
    }
    const std::size_t found = FindPosition(name, IniNameHash(name));
    if (found == kNoPosition) {
        return nullptr;
    }
    m_lastPosition = found;
    return m_sections[found].get();
}

std::shared_ptr<const HInfoIniSection> HInfoIniFile::ShareSection(std::size_t index) const {
    return index < m_sections.size() ? m_sections[index] : nullptr;
}

std::shared_ptr<const HInfoIniSection> HInfoIniFile::ShareSection(std::string_view name) const {
    const std::size_t found = FindPosition(name, IniNameHash(name));
    return found == kNoPosition ? nullptr : m_sections[found];
}

void HInfoIniFile::Reserve(std::size_t count) {
    m_sections.reserve(count);
    m_nameHashes.reserve(count);
    std::size_t tableSize = m_index.empty() ? kFirstIndexSize : m_index.size();
    while (tableSize < 2 * count) {
        tableSize *= 2;
    }
    if (tableSize != m_index.size()) {
        RebuildIndex(tableSize);
    }
}

void HInfoIniFile::AdoptSection(std::shared_ptr<const HInfoIniSection> section) {
    if (section == nullptr) {
        return;
    }
    const uint32_t hash = section->NameHash();
    const std::size_t found = FindPosition(section->Name(), hash);
    if (found != kNoPosition) {
        HInfoIniSection& into = OwnSection(found);
        for (const HInfoIniSection::Entry entry : section->Entries()) {
            into.SetValue(entry.first, entry.second);
        }
        return;
    }
    // Held as changeable like every section of the store, but never changed while shared.
    AppendSection(std::const_pointer_cast<HInfoIniSection>(std::move(section)), hash);
}

int HInfoIniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    SectionForWrite(section).SetValue(key, value);
    return 1;
}

std::optional<std::string_view> HInfoIniFile::FindValue(std::string_view section,
                                                        std::string_view key) const {
    const HInfoIniSection* found = FindSection(section);
    return found == nullptr ? std::nullopt : found->Find(key);
}

std::string HInfoIniFile::GetValue(std::string_view section, std::string_view key,
                                   std::string_view def) const {
    const std::optional<std::string_view> value = FindValue(section, key);
    return std::string(value ? *value : def);
}

int HInfoIniFile::GetKeyCount(std::string_view section) const {
    const HInfoIniSection* found = FindSection(section);
    return found == nullptr ? -1 : found->KeyCount();
}

int HInfoIniFile::RemoveSection(std::string_view section) {
    const std::size_t found = FindPosition(section, IniNameHash(section));
    if (found == kNoPosition) {
        return 0;
    }
    m_lastPosition = kNoPosition;
    if (found + 1 == m_sections.size()) {
        // The last section: no other moves, so only its own index entry goes.
        UnindexPosition(found);
        m_sections.pop_back();
        m_nameHashes.pop_back();
        return 1;
    }
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(found));
    m_nameHashes.erase(m_nameHashes.begin() + static_cast<std::ptrdiff_t>(found));
    // The positions after it have moved down by one.
    RebuildIndex(m_index.size());
    return 1;
}

void HInfoIniFile::UnindexPosition(std::size_t position) {
    const std::size_t mask = m_index.size() - 1;
    std::size_t hole = m_nameHashes[position] & mask;
    while (m_index[hole] != position + 1) {
        hole = (hole + 1) & mask;
    }
    // The entries after the hole that would no longer be found past it move into it.
    for (std::size_t at = (hole + 1) & mask; m_index[at] != 0; at = (at + 1) & mask) {
        const std::size_t home = m_nameHashes[m_index[at] - 1] & mask;
        const bool reachable = hole <= at ? hole < home && home <= at : hole < home || home <= at;
        if (!reachable) {
            m_index[hole] = m_index[at];
            hole = at;
        }
    }
    m_index[hole] = 0;
}

int HInfoIniFile::IsSame(const HInfoIniFile* other) const {
    if (other == nullptr || other->m_sections.size() != m_sections.size()) {
        return 0;
    }
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i] != other->m_sections[i] &&
            !m_sections[i]->HasSameEntries(*other->m_sections[i])) {
            return 0;
        }
    }
    return 1;
}

int HInfoIniFile::Read(const std::string& path) {
    HBigBuffer bytes;
    if (!ReadWholeFile(path, bytes)) {
        return 0;
    }
    ReadBytes(bytes.View());
    return 1;
}

// Lines are classified on their cp932 bytes, exactly as the format was always read: the
// header name runs to the first "]" byte and the key to the first "=" byte. Names and
// values are decoded to UTF-8 as they are stored.
void HInfoIniFile::ReadBytes(std::string_view cp932) {
    ReadLines(cp932, true);
}

// The bytes that classify a line ("[", "]", "=", LF, CR) are ASCII, which no byte of a
// multibyte UTF-8 character is, so UTF-8 text splits into the same lines and names.
void HInfoIniFile::ReadUtf8Text(std::string_view utf8) {
    ReadLines(utf8, false);
}

void HInfoIniFile::ReadLines(std::string_view cp932, bool decode) {
    // Every key and value is decoded into one buffer and every slot put in another, which
    // the sections read keep them in. Decoding seldom makes the text much longer; a line
    // seldom takes less than a slot's size.
    auto arena = std::make_shared<HIniReadArena>();
    arena->text.Reserve(cp932.size() + cp932.size() / 2);
    arena->slotBytes.Reserve(cp932.size());
    const std::size_t mostSections = MostSections(cp932);
    auto pool = std::make_shared<SectionPool>(mostSections);
    Reserve(SectionCount() + mostSections);
    std::string currentName(kNoSectionName);
    HInfoIniSection* current = nullptr;  // the section of currentName, once it exists
    std::size_t pos = 0;
    while (pos < cp932.size()) {
        const char* start = cp932.data() + pos;
        const void* lf = std::memchr(start, '\n', cp932.size() - pos);
        std::size_t length = lf != nullptr
                                 ? static_cast<std::size_t>(static_cast<const char*>(lf) - start)
                                 : cp932.size() - pos;
        pos += length + (lf != nullptr ? 1 : 0);
        // Text mode: a CR LF pair is one line break.
        if (lf != nullptr && length > 0 && start[length - 1] == '\r') {
            --length;
        }
        const std::string_view line(start, length);
        if (line.empty() || line[0] == '\r' || line[0] == '#' || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string_view::npos || close == 1) {
                continue;
            }
            std::string_view name = line.substr(1, close - 1);
            if (name.size() > kSectionNameMaxBytes) {
                std::size_t cut = kSectionNameMaxBytes;
                // UTF-8 text is cut between characters.
                while (!decode && cut > 0 &&
                       (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
                    --cut;
                }
                name = name.substr(0, cut);
            }
            currentName = decode ? Cp932ToUtf8(name) : std::string(name);
            current = nullptr;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            continue;
        }
        if (current == nullptr) {
            const uint32_t hash = IniNameHash(currentName);
            if (FindPosition(currentName, hash) == kNoPosition && !pool->Full()) {
                current = pool->Make(currentName);
                AppendSection(std::shared_ptr<HInfoIniSection>(pool, current), hash);
            } else {
                current = &SectionForWrite(currentName);
            }
        }
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        std::size_t keyLength = key.size();
        std::size_t valueLength = value.size();
        if (!decode || IsAsciiText(line)) {
            char* out = arena->text.Extend(key.size() + value.size());
            std::memcpy(out, key.data(), key.size());
            std::memcpy(out + key.size(), value.data(), value.size());
        } else {
            char* out = arena->text.Extend(line.size() * kMaxUtf8PerCp932Byte);
            keyLength = Cp932ToUtf8Into(key, out);
            valueLength = Cp932ToUtf8Into(value, out + keyLength);
        }
        const std::size_t keyAt = arena->text.size();
        arena->text.Commit(keyLength + valueLength);
        current->AppendRead(arena, keyAt, keyLength, valueLength);
    }
}

std::size_t HInfoIniFile::FileBytesBound() const {
    std::size_t bound = 0;
    for (const auto& section : m_sections) {
        bound += section->FileBytesBound();
    }
    return bound;
}

std::string HInfoIniFile::ToBytes(int* unencodable) const {
    std::string out(FileBytesBound(), '\0');
    int lost = 0;
    char* at = out.data();
    for (const auto& section : m_sections) {
        at = section->WriteFileLines(at, lost);
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    if (unencodable != nullptr) {
        *unencodable = lost;
    }
    return out;
}

void HInfoIniFile::AppendFileBytes(HBigBuffer& out, int& lost) const {
    char* const start = out.Extend(FileBytesBound());
    char* at = start;
    for (const auto& section : m_sections) {
        at = section->WriteFileLines(at, lost);
    }
    out.Commit(static_cast<std::size_t>(at - start));
}

int HInfoIniFile::Write(const std::string& path, int* unencodable) const {
    HBigBuffer bytes;
    int lost = 0;
    AppendFileBytes(bytes, lost);
    if (unencodable != nullptr) {
        *unencodable = lost;
    }
    return WriteFileAtomically(path, bytes.View());
}

}  // namespace zarvik
