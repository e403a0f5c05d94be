#include "core/doc/ini_section.h"

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
                 text.substr(slot.valueAt, slot.valueLength)};
}

std::size_t HInfoIniSection::FindSlot(std::string_view key) const {
    if (!m_index.empty()) {
        const auto found = m_index.find(key);
        return found == m_index.end() ? kMissing : found->second;
    }
    const char* text = m_text.data();
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        const Slot& slot = m_slots[i];
        if (slot.keyLength == key.size() &&
            std::memcmp(text + slot.keyAt, key.data(), key.size()) == 0) {
            return i;
        }
    }
    return kMissing;
}

std::optional<std::string_view> HInfoIniSection::Find(std::string_view key) const {
    const std::size_t i = FindSlot(key);
    if (i == kMissing) {
        return std::nullopt;
    }
    return std::string_view(m_text).substr(m_slots[i].valueAt, m_slots[i].valueLength);
}

uint32_t HInfoIniSection::Append(std::string_view text) {
    // Offsets are 32-bit: a section beyond 4 GiB of text is no document.
    if (m_text.size() + text.size() > UINT32_MAX) {
        throw std::length_error("INI section too large");
    }
    if (m_text.empty()) {
        m_text.reserve(kTypicalBytes);
    }
    const auto at = static_cast<uint32_t>(m_text.size());
    m_text.append(text);
    return at;
}

void HInfoIniSection::SetValue(std::string_view key, std::string_view value) {
    const std::size_t i = FindSlot(key);
    if (i != kMissing) {
        Slot& slot = m_slots[i];
        if (value.size() <= slot.valueLength) {
            // value may lie in m_text itself (a copy of another entry): memmove is safe.
            std::memmove(m_text.data() + slot.valueAt, value.data(), value.size());
            m_unused += slot.valueLength - value.size();
            m_packed = m_packed && value.size() == slot.valueLength;
        } else {
            const std::string copy(value);  // value may point into m_text
            m_unused += slot.valueLength;
            slot.valueAt = Append(copy);
            m_packed = false;
        }
        slot.valueLength = static_cast<uint32_t>(value.size());
        if (m_unused > kTypicalBytes && m_unused > m_text.size() / 2) {
            Compact();
        }
        return;
    }
    if (m_slots.empty()) {
        m_slots.reserve(kTypicalKeys);
    }
    const std::string copy =
        value.data() >= m_text.data() && value.data() < m_text.data() + m_text.size()
            ? std::string(value)
            : std::string();
    Slot slot;
    slot.keyLength = static_cast<uint32_t>(key.size());
    slot.keyAt = Append(key);
    slot.valueLength = static_cast<uint32_t>(value.size());
    slot.valueAt = Append(copy.empty() ? value : std::string_view(copy));
    m_slots.push_back(slot);
    if (!m_index.empty()) {
        m_index.emplace(std::string(key), m_slots.size() - 1);
    } else if (m_slots.size() > kIndexThreshold) {
        m_index.reserve(m_slots.size() * 2);
        for (std::size_t k = 0; k < m_slots.size(); ++k) {
            m_index.emplace(std::string(EntryAt(k).first), k);
        }
    }
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
        text.append(m_text, slot.keyAt, slot.keyLength);
        const auto valueAt = static_cast<uint32_t>(text.size());
        text.append(m_text, slot.valueAt, slot.valueLength);
        slot.keyAt = keyAt;
        slot.valueAt = valueAt;
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
