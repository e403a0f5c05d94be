#pragma once
// One section of an INI store: keys with their values in the order they were first set.
// The text of a section lives in one buffer, so that building, writing, comparing and
// freeing a store of thousands of sections costs little more than copying its bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zarvik {

// Hash for unordered maps keyed by std::string that are searched with a string_view.
struct HStringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class HInfoIniSection {
public:
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
        std::size_t size() const { return m_section->m_slots.size(); }
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

    explicit HInfoIniSection(std::string name) : m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }

    // Stores value under key; an existing key keeps its place and takes the new value.
    void SetValue(std::string_view key, std::string_view value);

    // The value of key; none when the section has no such key. The view stays valid until
    // the section is next changed.
    std::optional<std::string_view> Find(std::string_view key) const;

    int KeyCount() const { return static_cast<int>(m_slots.size()); }

    // The keys and values in the order in which the keys were first set.
    EntryRange Entries() const { return EntryRange(*this); }

    // 1 when both sections hold the same keys with the same values in the same order.
    int HasSameEntries(const HInfoIniSection& other) const;

    // Gives back the room kept for growth: for sections that are kept long and no longer
    // change, such as undo steps.
    void ShrinkToFit();

private:
    struct Slot {
        uint32_t keyAt;
        uint32_t keyLength;
        uint32_t valueAt;
        uint32_t valueLength;
    };

    Entry EntryAt(std::size_t i) const;
    std::size_t FindSlot(std::string_view key) const;  // npos when missing
    uint32_t Append(std::string_view text);
    void Compact();

    // Room made at once: an item section holds a few dozen keys in about a kilobyte.
    static constexpr std::size_t kTypicalKeys = 32;
    static constexpr std::size_t kTypicalBytes = 1024;
    // Small sections are searched directly; larger ones get an index.
    static constexpr std::size_t kIndexThreshold = 64;

    std::string m_name;
    std::string m_text;         // keys and values back to back
    std::size_t m_unused = 0;   // bytes of replaced values still in m_text
    bool m_packed = true;       // m_text is exactly the keys and values in entry order
    std::vector<Slot> m_slots;  // in entry order
    std::unordered_map<std::string, std::size_t, HStringHash, std::equal_to<>> m_index;
};

}  // namespace zarvik
