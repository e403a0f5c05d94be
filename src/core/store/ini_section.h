#pragma once
// One section of an INI store: keys with their values in the order they were first set.
// The text of a section lives in one buffer, so that building, writing, comparing and
// freeing a store of thousands of sections costs little more than copying its bytes. A
// section read from a file keeps its text in the buffer the whole file was decoded into,
// shared with the other sections read with it, until it is first changed.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/store/big_buffer.h"

namespace zarvik {

// The hash under which keys and section names are indexed. Names are short, so they are
// read eight bytes at a time (the last word overlapping the one before) rather than byte by
// byte; the bytes are taken little-endian so that every machine gives the same hash.
inline uint32_t IniNameHash(std::string_view text) {
    constexpr uint64_t kMultiply = 0x9E3779B97F4A7C15ull;
    auto load = [](const char* p, std::size_t n) {
        uint64_t word = 0;
        std::memcpy(&word, p, n);
        if constexpr (std::endian::native == std::endian::big) {
            word = __builtin_bswap64(word);
        }
        return word;
    };
    auto mix = [](uint64_t hash, uint64_t word) {
        hash = (hash ^ word) * kMultiply;
        return hash ^ (hash >> 29);
    };
    const char* p = text.data();
    std::size_t n = text.size();
    uint64_t hash = kMultiply ^ n;
    if (n >= 8) {
        for (; n > 8; n -= 8, p += 8) {
            hash = mix(hash, load(p, 8));
        }
        hash = mix(hash, load(text.data() + text.size() - 8, 8));
    } else if (n >= 4) {
        hash = mix(hash, load(p, 4) | load(p + n - 4, 4) << 32);
    } else if (n > 0) {
        hash = mix(hash, static_cast<unsigned char>(p[0]) |
                             static_cast<uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8 |
                             static_cast<uint64_t>(static_cast<unsigned char>(p[n - 1])) << 16);
    }
    hash *= kMultiply;
    return static_cast<uint32_t>(hash >> 32);
}

struct HIniReadArena;

class HInfoIniSection {
public:
    // Where an entry lies in the section's text: the value follows its key, so one offset
    // serves both.
    struct Slot {
        uint32_t keyAt;
        uint32_t keyLength;
        uint32_t valueLength;
        uint32_t hash;  // IniNameHash of the key: a search compares integers before text
    };

    // A key and its value. The views stay valid until the section is next changed.
    struct Entry {
        std::string_view first;
        std::string_view second;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // The entries in enumeration order.
    class EntryRange {
    public:
        class Iterator {
        public:
            using value_type = Entry;
            using difference_type = std::ptrdiff_t;
            Iterator(const HInfoIniSection* section, std::size_t at)
                : m_section(section), m_at(at) {}
            Entry operator*() const { return m_section->EntryAt(m_at); }
            Iterator& operator++() {
                ++m_at;
                return *this;
            }
            friend bool operator==(const Iterator&, const Iterator&) = default;

        private:
            const HInfoIniSection* m_section;
            std::size_t m_at;
        };

        explicit EntryRange(const HInfoIniSection& section) : m_section(&section) {}
        Iterator begin() const { return Iterator(m_section, 0); }
        Iterator end() const { return Iterator(m_section, size()); }
        std::size_t size() const { return m_section->SlotCount(); }
        bool empty() const { return size() == 0; }
        Entry operator[](std::size_t i) const { return m_section->EntryAt(i); }
        Entry front() const { return (*this)[0]; }
        Entry back() const { return (*this)[size() - 1]; }
        // The entries as owned strings.
        std::vector<std::pair<std::string, std::string>> Copy() const {
            std::vector<std::pair<std::string, std::string>> pairs;
            pairs.reserve(size());
            for (const Entry entry : *this) {
                pairs.emplace_back(entry.first, entry.second);
            }
            return pairs;
        }

    private:
        const HInfoIniSection* m_section;
    };

    explicit HInfoIniSection(std::string name)
        : m_name(std::move(name)), m_nameHash(IniNameHash(m_name)) {}

    const std::string& Name() const { return m_name; }
    uint32_t NameHash() const { return m_nameHash; }

    // Stores value under key; an existing key keeps its place and takes the new value.
    void SetValue(std::string_view key, std::string_view value);

    // Reading a file: a key and its value have just been decoded onto the end of the
    // arena's text, back to back from keyAt. Stored as SetValue would store them; while
    // the section's entries follow one another in the arena, they and their slots stay
    // there, else they are copied and the arena's text is cut back to keyAt.
    void AppendRead(const std::shared_ptr<HIniReadArena>& arena, std::size_t keyAt,
                    std::size_t keyLength, std::size_t valueLength);

    // The value of key; none when the section has no such key. The view stays valid until
    // the section is next changed.
    std::optional<std::string_view> Find(std::string_view key) const;

    int KeyCount() const { return static_cast<int>(SlotCount()); }

    // The keys and values in the order in which the keys were first set.
    EntryRange Entries() const { return EntryRange(*this); }

    // The most bytes the section takes in a file: its UTF-8 size with the brackets, the
    // equals signs and the line breaks (no cp932 form is longer than its UTF-8 form).
    std::size_t FileBytesBound() const;
    // Writes the section as a file holds it, "[name]" and then "key=value" lines, cp932
    // with CR LF, at out, which has room for FileBytesBound() bytes. Returns the end of
    // what it wrote and adds the number of characters cp932 cannot hold to lost.
    char* WriteFileLines(char* out, int& lost) const;

    // 1 when both sections hold the same keys with the same values in the same order.
    int HasSameEntries(const HInfoIniSection& other) const;

    // Gives back the room kept for growth: for sections that are kept long and no longer
    // change, such as undo steps.
    void ShrinkToFit();
    // The heap the section takes, itself included.
    std::size_t MemoryBytes() const;

private:
    Entry EntryAt(std::size_t i) const;
    // The keys and values back to back, and the slots, wherever they are held.
    std::string_view Text() const;
    const Slot* Slots() const;
    std::size_t SlotCount() const { return m_arena ? m_arenaSlotCount : m_slots.size(); }
    // Moves what is held in the arena into m_text and m_slots before a change; returns the
    // arena, which the caller keeps while it may still read from it.
    std::shared_ptr<const HIniReadArena> Detach();
    // Indexes the slot just added and notes its key.
    void Added(const Slot& slot);
    void AddSlot(const Slot& slot);
    // npos when missing; hash is IniNameHash(key).
    std::size_t FindSlot(std::string_view key, uint32_t hash) const;
    bool KeyIs(std::size_t i, std::string_view key) const;
    // Appends key and value back to back; returns the offset of the key.
    uint32_t Append(std::string_view key, std::string_view value);
    void Compact();
    void RebuildIndex(std::size_t tableSize);
    void IndexSlot(std::size_t i);

    // Room made at once: an item section holds a few dozen keys in about a kilobyte.
    static constexpr std::size_t kTypicalKeys = 32;
    static constexpr std::size_t kTypicalBytes = 1024;
    // Small sections are searched directly; larger ones get an index.
    static constexpr std::size_t kIndexThreshold = 64;

    std::string m_name;
    uint32_t m_nameHash;
    std::string m_text;  // keys and values back to back, unless held in m_arena
    // While set, the text is the m_arenaSize bytes at m_arenaAt of the arena's text
    // (packed), and the slots are the m_arenaSlotCount slots from m_arenaSlotAt of its
    // slots; neither is changed in place.
    std::shared_ptr<const HIniReadArena> m_arena;
    std::size_t m_arenaAt = 0;
    std::size_t m_arenaSize = 0;
    std::size_t m_arenaSlotAt = 0;
    std::size_t m_arenaSlotCount = 0;
    std::size_t m_unused = 0;   // bytes of replaced values still in m_text
    bool m_packed = true;       // m_text is exactly the keys and values in entry order
    std::vector<Slot> m_slots;  // in entry order, unless held in m_arena
    uint64_t m_keyBits = 0;     // bit (hash >> 26) of every key's hash
    // Open addressing over the slots of a large section: slot number + 1, 0 for free; the
    // size is a power of two at least twice the slot count.
    std::vector<uint32_t> m_index;
};

// What the sections read from one file share: their keys and values decoded into one
// buffer, their slots in another. Both only grow at their ends while the file is read, and
// never change once it is read.
struct HIniReadArena {
    HBigBuffer text;
    HBigBuffer slotBytes;  // HInfoIniSection::Slot after slot

    std::size_t SlotCount() const { return slotBytes.size() / sizeof(HInfoIniSection::Slot); }
    const HInfoIniSection::Slot* SlotData() const {
        return reinterpret_cast<const HInfoIniSection::Slot*>(slotBytes.data());
    }
};

inline std::string_view HInfoIniSection::Text() const {
    return m_arena ? std::string_view(m_arena->text.data() + m_arenaAt, m_arenaSize)
                   : std::string_view(m_text);
}

inline const HInfoIniSection::Slot* HInfoIniSection::Slots() const {
    return m_arena ? m_arena->SlotData() + m_arenaSlotAt : m_slots.data();
}

}  // namespace zarvik
