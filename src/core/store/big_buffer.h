#pragma once
// A buffer of some megabytes that is filled from start to end at once: a file's bytes, the
// text they decode to, the bytes a save writes. Touching fresh memory costs the system a
// fault for every page, which for a buffer of megabytes costs more than filling it; so a
// large buffer is taken straight from the system and asked for in huge pages, where the
// system offers them. A small one comes from the heap as usual.

#include <cstddef>
#include <string_view>

namespace zarvik {

class HBigBuffer {
public:
    HBigBuffer() = default;
    explicit HBigBuffer(std::size_t capacity) { Reserve(capacity); }
    ~HBigBuffer();
    HBigBuffer(HBigBuffer&& other) noexcept;
    HBigBuffer& operator=(HBigBuffer&& other) noexcept;
    HBigBuffer(const HBigBuffer&) = delete;
    HBigBuffer& operator=(const HBigBuffer&) = delete;

    char* data() { return m_data; }
    const char* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    std::string_view View() const { return {m_data, m_size}; }

    // Room for at least capacity bytes in all; the bytes held stay.
    void Reserve(std::size_t capacity);
    // Room for n more bytes at the end, to be written and then kept with Commit. The
    // pointer is valid until the buffer next grows.
    char* Extend(std::size_t n) {
        if (n > m_capacity - m_size) {
            Grow(n);
        }
        return m_data + m_size;
    }
    void Commit(std::size_t n) { m_size += n; }
    // Makes the buffer size bytes long; bytes beyond those held before are undefined.
    void Resize(std::size_t size);

private:
    // Makes room for n more bytes, at least doubling the room.
    void Grow(std::size_t n);
    void Release();

    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
    // A buffer taken from the system: the mapping to give back, which starts at or before
    // m_data. Null for one from the heap.
    void* m_mapping = nullptr;
    std::size_t m_mappingLength = 0;
};

}  // namespace zarvik
