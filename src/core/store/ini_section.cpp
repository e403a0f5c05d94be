#include "core/store/ini_section.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "core/text/cp932.h"

namespace zarvik {
namespace {

constexpr std::size_t kMissing = static_cast<std::size_t>(-1);

}  // namespace

HInfoIniSection::Entry HInfoIniSection::EntryAt(std::size_t i) const {
    const Slot& slot = Slots()[i];
    const std::string_view text = Text();
    return Entry{text.substr(slot.keyAt, slot.keyLength),
                 text.substr(slot.keyAt + slot.keyLength, slot.valueLength)};
}

bool HInfoIniSection::KeyIs(std::size_t i, std::string_view key) const {
    const Slot& slot = Slots()[i];
    return slot.keyLength == key.size() &&
           std::memcmp(Text().data() + slot.keyAt, key.data(), key.size()) == 0;
}

std::size_t HInfoIniSection::FindSlot(std::string_view key, uint32_t hash) const {
    if (!m_index.empty()) {
        const std::size_t mask = m_index.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const uint32_t entry = m_index[at];
            if (entry == 0) {
                return kMissing;
            }
            if (Slots()[entry - 1].hash == hash && KeyIs(entry - 1, key)) {
                return entry - 1;
            }
        }
    }
    // A key whose bit is not set was never stored: new keys, the common case while a
    // section is written, skip the scan.
    if (((m_keyBits >> (hash >> 26)) & 1) == 0) {
        return kMissing;
    }
    for (std::size_t i = 0; i < SlotCount(); ++i) {
        if (Slots()[i].hash == hash && KeyIs(i, key)) {
            return i;
        }
    }
    return kMissing;
}

std::optional<std::string_view> HInfoIniSection::Find(std::string_view key) const {
    const std::size_t i = FindSlot(key, IniNameHash(key));
    if (i == kMissing) {
        return std::nullopt;
    }
    const Slot& slot = Slots()[i];
    return Text().substr(slot.keyAt + slot.keyLength, slot.valueLength);
}

uint32_t HInfoIniSection::Append(std::string_view key, std::string_view value) {
    // Offsets are 32-bit: a section beyond 4 GiB of text is no document.
    const std::size_t at = m_text.size();
    if (key.size() + value.size() > UINT32_MAX - at) {
        throw std::length_error("INI section too large");
    }
    if (at + key.size() + value.size() > m_text.capacity()) {
        m_text.reserve(std::max({kTypicalBytes, at + key.size() + value.size(), 2 * at}));
    }
    // The reserve may move m_text, so callers pass text that lies in it as a copy.
    m_text.append(key);
    m_text.append(value);
    return static_cast<uint32_t>(at);
}

std::shared_ptr<const HIniReadArena> HInfoIniSection::Detach() {
    if (m_arena) {
        m_text.reserve(std::max(kTypicalBytes, m_arenaSize));
        m_text.assign(Text());
        m_slots.reserve(std::max(kTypicalKeys, m_arenaSlotCount));
        m_slots.assign(Slots(), Slots() + m_arenaSlotCount);
    }
    m_arenaAt = 0;
    m_arenaSize = 0;
    m_arenaSlotAt = 0;
    m_arenaSlotCount = 0;
    return std::move(m_arena);
}

void HInfoIniSection::AppendRead(const std::shared_ptr<HIniReadArena>& arena, std::size_t keyAt,
                                 std::size_t keyLength, std::size_t valueLength) {
    const std::string_view key(arena->text.data() + keyAt, keyLength);
    const uint32_t hash = IniNameHash(key);
    const bool follows = m_arena
                             ? m_arena.get() == arena.get() && m_arenaAt + m_arenaSize == keyAt &&
                                   m_arenaSlotAt + m_arenaSlotCount == arena->SlotCount()
                             : m_slots.empty() && m_text.empty();
    if (!follows || keyLength + valueLength > UINT32_MAX - m_arenaSize ||
        m_arenaSlotCount >= UINT32_MAX - 1 || FindSlot(key, hash) != kMissing) {
        const std::string entry(arena->text.data() + keyAt, keyLength + valueLength);
        arena->text.Resize(keyAt);
        SetValue(std::string_view(entry).substr(0, keyLength),
                 std::string_view(entry).substr(keyLength));
        return;
    }
    if (!m_arena) {
        m_arena = arena;
        m_arenaAt = keyAt;
        m_arenaSlotAt = arena->SlotCount();
    }
    Slot slot;
    slot.keyAt = static_cast<uint32_t>(keyAt - m_arenaAt);
    slot.keyLength = static_cast<uint32_t>(keyLength);
    slot.valueLength = static_cast<uint32_t>(valueLength);
    slot.hash = hash;
    new (arena->slotBytes.Extend(sizeof(Slot))) Slot(slot);
    arena->slotBytes.Commit(sizeof(Slot));
    m_arenaSize += keyLength + valueLength;
    ++m_arenaSlotCount;
    Added(slot);
}

void HInfoIniSection::AddSlot(const Slot& slot) {
    // Index entries are slot numbers + 1 in 32 bits.
    if (m_slots.size() >= UINT32_MAX - 1) {
        throw std::length_error("INI section too large");
    }
    if (m_slots.capacity() == 0) {
        m_slots.reserve(kTypicalKeys);
    }
    m_slots.push_back(slot);
    Added(slot);
}

void HInfoIniSection::Added(const Slot& slot) {
    m_keyBits |= uint64_t{1} << (slot.hash >> 26);
    const std::size_t count = SlotCount();
    if (!m_index.empty()) {
        if (count * 2 > m_index.size()) {
            RebuildIndex(m_index.size() * 2);
        } else {
            IndexSlot(count - 1);
        }
    } else if (count > kIndexThreshold) {
        RebuildIndex(kIndexThreshold * 4);
    }
}

void HInfoIniSection::SetValue(std::string_view key, std::string_view value) {
    // key or value may lie in the arena: it is kept until the change is made.
    const std::shared_ptr<const HIniReadArena> arena = Detach();
    const uint32_t hash = IniNameHash(key);
    const std::size_t i = FindSlot(key, hash);
    const char* text = m_text.data();
    const bool valueInText = value.data() >= text && value.data() < text + m_text.size();
    if (i != kMissing) {
        Slot& slot = m_slots[i];
        if (value.size() <= slot.valueLength) {
            // value may lie in m_text itself (a copy of another entry): memmove is safe.
            std::memmove(m_text.data() + slot.keyAt + slot.keyLength, value.data(), value.size());
            m_unused += slot.valueLength - value.size();
            m_packed = m_packed && value.size() == slot.valueLength;
        } else {
            // The key moves along with its longer value to the end of the text.
            std::string copy;
            copy.reserve(slot.keyLength + value.size());
            copy.append(m_text, slot.keyAt, slot.keyLength);
            copy.append(value);
            m_unused += slot.keyLength + slot.valueLength;
            slot.keyAt = Append(std::string_view(copy).substr(0, slot.keyLength),
                                std::string_view(copy).substr(slot.keyLength));
            m_packed = false;
        }
        slot.valueLength = static_cast<uint32_t>(value.size());
        if (m_unused > kTypicalBytes && m_unused > m_text.size() / 2) {
            Compact();
        }
        return;
    }
    const bool keyInText = key.data() >= text && key.data() < text + m_text.size();
    Slot slot;
    slot.keyLength = static_cast<uint32_t>(key.size());
    slot.valueLength = static_cast<uint32_t>(value.size());
    slot.hash = hash;
    if (keyInText || valueInText) {
        const std::string copy = std::string(key) + std::string(value);
        slot.keyAt = Append(std::string_view(copy).substr(0, key.size()),
                            std::string_view(copy).substr(key.size()));
    } else {
        slot.keyAt = Append(key, value);
    }
    AddSlot(slot);
}

void HInfoIniSection::RebuildIndex(std::size_t tableSize) {
    m_index.assign(tableSize, 0);
    for (std::size_t i = 0; i < SlotCount(); ++i) {
        IndexSlot(i);
    }
}

void HInfoIniSection::IndexSlot(std::size_t i) {
    const std::size_t mask = m_index.size() - 1;
    std::size_t at = Slots()[i].hash & mask;
    while (m_index[at] != 0) {
        at = (at + 1) & mask;
    }
    m_index[at] = static_cast<uint32_t>(i + 1);
}

std::size_t HInfoIniSection::MemoryBytes() const {
    // Strings short enough to stand inside the object take no heap of their own.
    const auto heapOf = [](const std::string& text) {
        return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
    };
    // Text held in the arena counts as the section's own: it lives as long as the section.
    return sizeof(HInfoIniSection) + heapOf(m_name) + heapOf(m_text) + m_arenaSize +
           (m_slots.capacity() + m_arenaSlotCount) * sizeof(Slot) +
           m_index.capacity() * sizeof(uint32_t);
}

void HInfoIniSection::ShrinkToFit() {
    if (!m_arena && m_unused > 0) {
        Compact();
    }
    m_text.shrink_to_fit();
    m_slots.shrink_to_fit();
}

void HInfoIniSection::Compact() {
    std::string text;
    text.reserve(m_text.size() - m_unused);
    for (Slot& slot : m_slots) {
        const auto keyAt = static_cast<uint32_t>(text.size());
        text.append(m_text, slot.keyAt, slot.keyLength + slot.valueLength);
        slot.keyAt = keyAt;
    }
    m_text = std::move(text);
    m_unused = 0;
    m_packed = true;
}

std::size_t HInfoIniSection::FileBytesBound() const {
    return m_name.size() + 4 + Text().size() + 3 * SlotCount();
}

char* HInfoIniSection::WriteFileLines(char* out, int& lost) const {
    char* at = out;
    *at++ = '[';
    at += Utf8ToCp932Into(m_name, at, lost);
    std::memcpy(at, "]\r\n", 3);
    at += 3;
    for (const Entry entry : Entries()) {
        at += Utf8ToCp932Into(entry.first, at, lost);
        *at++ = '=';
        at += Utf8ToCp932Into(entry.second, at, lost);
        *at++ = '\r';
        *at++ = '\n';
    }
    return at;
}

int HInfoIniSection::HasSameEntries(const HInfoIniSection& other) const {
    if (SlotCount() != other.SlotCount()) {
        return 0;
    }
    // Packed sections hold exactly their keys and values in order: with the same lengths
    // their texts are equal exactly when their entries are.
    const std::string_view text = Text();
    const std::string_view otherText = other.Text();
    if (m_packed && other.m_packed && text.size() == otherText.size()) {
        bool sameShape = true;
        for (std::size_t i = 0; i < SlotCount() && sameShape; ++i) {
            sameShape = Slots()[i].keyLength == other.Slots()[i].keyLength &&
                        Slots()[i].valueLength == other.Slots()[i].valueLength;
        }
        if (sameShape) {
            return text == otherText ? 1 : 0;
        }
    }
    for (std::size_t i = 0; i < SlotCount(); ++i) {
        if (!(EntryAt(i) == other.EntryAt(i))) {
            return 0;
        }
    }
    return 1;
}

}  // namespace zarvik
