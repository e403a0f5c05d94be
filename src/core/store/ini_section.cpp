#include "core/store/ini_section.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zarvik {
namespace {

constexpr std::size_t kMissing = static_cast<std::size_t>(-1);

}  // namespace

HInfoIniSection::Entry HInfoIniSection::EntryAt(std::size_t i) const {
    const Slot& slot = m_slots[i];
    const std::string_view text(m_text);
    return Entry{text.substr(slot.keyAt, slot.keyLength),
                 text.substr(slot.keyAt + slot.keyLength, slot.valueLength)};
}

bool HInfoIniSection::KeyIs(std::size_t i, std::string_view key) const {
    const Slot& slot = m_slots[i];
    return slot.keyLength == key.size() &&
           std::memcmp(m_text.data() + slot.keyAt, key.data(), key.size()) == 0;
}

std::size_t HInfoIniSection::FindSlot(std::string_view key, uint32_t hash) const {
    if (!m_index.empty()) {
        const std::size_t mask = m_index.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const uint32_t entry = m_index[at];
            if (entry == 0) {
                return kMissing;
            }
            if (m_slots[entry - 1].hash == hash && KeyIs(entry - 1, key)) {
                return entry - 1;
            }
        }
    }
    // A key whose bit is not set was never stored: new keys, the common case while a
    // section is written, skip the scan.
    if (((m_keyBits >> (hash >> 26)) & 1) == 0) {
        return kMissing;
    }
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].hash == hash && KeyIs(i, key)) {
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
    const Slot& slot = m_slots[i];
    return std::string_view(m_text).substr(slot.keyAt + slot.keyLength, slot.valueLength);
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

void HInfoIniSection::SetValue(std::string_view key, std::string_view value) {
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
    // Index entries are slot numbers + 1 in 32 bits.
    if (m_slots.size() >= UINT32_MAX - 1) {
        throw std::length_error("INI section too large");
    }
    if (m_slots.capacity() == 0) {
        m_slots.reserve(kTypicalKeys);
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
    m_slots.push_back(slot);
    m_keyBits |= uint64_t{1} << (hash >> 26);
    if (!m_index.empty()) {
        if (m_slots.size() * 2 > m_index.size()) {
            RebuildIndex(m_index.size() * 2);
        } else {
            IndexSlot(m_slots.size() - 1);
        }
    } else if (m_slots.size() > kIndexThreshold) {
        RebuildIndex(kIndexThreshold * 4);
    }
}

void HInfoIniSection::RebuildIndex(std::size_t tableSize) {
    m_index.assign(tableSize, 0);
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        IndexSlot(i);
    }
}

void HInfoIniSection::IndexSlot(std::size_t i) {
    const std::size_t mask = m_index.size() - 1;
    std::size_t at = m_slots[i].hash & mask;
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
    return sizeof(HInfoIniSection) + heapOf(m_name) + heapOf(m_text) +
           m_slots.capacity() * sizeof(Slot) + m_index.capacity() * sizeof(uint32_t);
}

void HInfoIniSection::ShrinkToFit() {
    if (m_unused > 0) {
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

int HInfoIniSection::HasSameEntries(const HInfoIniSection& other) const {
    if (m_slots.size() != other.m_slots.size()) {
        return 0;
    }
    // Packed sections hold exactly their keys and values in order: with the same lengths
    // their texts are equal exactly when their entries are.
    if (m_packed && other.m_packed && m_text.size() == other.m_text.size()) {
        bool sameShape = true;
        for (std::size_t i = 0; i < m_slots.size() && sameShape; ++i) {
            sameShape = m_slots[i].keyLength == other.m_slots[i].keyLength &&
                        m_slots[i].valueLength == other.m_slots[i].valueLength;
        }
        if (sameShape) {
            return m_text == other.m_text ? 1 : 0;
        }
    }
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        if (!(EntryAt(i) == other.EntryAt(i))) {
            return 0;
        }
    }
    return 1;
}

}  // namespace zarvik
