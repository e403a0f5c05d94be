#pragma once
// A 64-bit digest of what an item holds. Undo takes one of every item after each edit to
// tell the few items that changed from the many that did not, without writing them out.
//
// Fields go in as 64-bit words, taken in turn by four lanes. Each word enters its lane by
// steps that can be undone (xor, multiplication by an odd number, xor with a shift), and the
// lanes and the word count are folded the same way: two inputs of as many words that differ
// in one never give the same digest, and others only by a chance of about 2^-64.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/port/gdi_types.h"

namespace zarvik {

class HStateHash {
public:
    void Add(uint64_t word) {
        if (m_count == kBuffer) {
            Flush();
        }
        m_buffer[m_count++] = word;
    }
    // Two 32-bit fields in one word.
    void Add(int32_t low, int32_t high) {
        Add(static_cast<uint64_t>(static_cast<uint32_t>(low)) |
            static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32);
    }
    void Add(HPoint point) { Add(point.x, point.y); }
    void Add(HSize size) { Add(size.cx, size.cy); }
    // The length, then the bytes: texts of different lengths never run into each other.
    void Add(std::string_view text) { AddBytes(text.data(), text.size()); }
    void AddBytes(const void* data, std::size_t size);

    // The fields of a drawing attribute; whether an optional one is there at all goes in
    // beforehand.
    void Add(const HLogPen& pen);
    void Add(const HLogBrush& brush);
    void Add(const HLogFont& font);

    uint64_t Digest();

private:
    static constexpr std::size_t kLanes = 4;
    static constexpr std::size_t kBuffer = 64;  // a multiple of kLanes
    static constexpr uint64_t kMultiply = 0x9E3779B97F4A7C15ull;

    static uint64_t Mix(uint64_t lane, uint64_t word) {
        lane = (lane ^ word) * kMultiply;
        return lane ^ (lane >> 31);
    }
    static uint64_t Load(const unsigned char* bytes, std::size_t size) {
        uint64_t word = 0;
        std::memcpy(&word, bytes, size);
        return word;
    }
    // Words go into the lanes in turn, a buffer at a time.
    void Flush() {
        for (std::size_t i = 0; i < m_count; i += kLanes) {
            for (std::size_t lane = 0; lane < kLanes; ++lane) {
                m_lanes[lane] = Mix(m_lanes[lane], m_buffer[i + lane]);
            }
        }
        m_total += m_count;
        m_count = 0;
    }

    uint64_t m_lanes[kLanes] = {1, 2, 3, 4};
    uint64_t m_buffer[kBuffer];
    std::size_t m_count = 0;
    uint64_t m_total = 0;  // words flushed
};

inline void HStateHash::AddBytes(const void* data, std::size_t size) {
    Add(static_cast<uint64_t>(size));
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (; size >= 8; size -= 8, bytes += 8) {
        Add(Load(bytes, 8));
    }
    // The rest in one word, read in pieces of fixed size that together cover every byte
    // (the length above tells how they overlap).
    if (size >= 4) {
        Add(Load(bytes, 4) | Load(bytes + size - 4, 4) << 32);
    } else if (size > 0) {
        Add(uint64_t{bytes[0]} | uint64_t{bytes[size / 2]} << 8 | uint64_t{bytes[size - 1]} << 16);
    }
}

inline void HStateHash::Add(const HLogPen& pen) {
    Add(pen.style, static_cast<int32_t>(pen.color));
    Add(pen.width);
}

inline void HStateHash::Add(const HLogBrush& brush) {
    Add(brush.style, static_cast<int32_t>(brush.color));
    Add(brush.hatch, 0);
}

inline void HStateHash::Add(const HLogFont& font) {
    Add(font.height, font.width);
    Add(font.escapement, font.orientation);
    Add(font.weight, font.italic);
    Add(font.underline, font.strikeOut);
    Add(font.charSet, font.outPrecision);
    Add(font.clipPrecision, font.quality);
    Add(font.pitchAndFamily, 0);
    Add(font.faceName);
}

inline uint64_t HStateHash::Digest() {
    const uint64_t words = m_total + m_count;
    while (m_count % kLanes != 0) {
        m_buffer[m_count++] = 0;
    }
    Flush();
    uint64_t digest = Mix(words, kMultiply);
    for (const uint64_t lane : m_lanes) {
        digest = Mix(digest, lane);
    }
    return digest;
}

}  // namespace zarvik
