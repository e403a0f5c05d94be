#include "core/store/big_buffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace zarvik {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From this size on a buffer is taken from the system.
constexpr std::size_t kMapFrom = 2 * kHugePage;

}  // namespace

HBigBuffer::~HBigBuffer() {
    Release();
}

HBigBuffer::HBigBuffer(HBigBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_mapping(std::exchange(other.m_mapping, nullptr)),
      m_mappingLength(std::exchange(other.m_mappingLength, 0)) {}

HBigBuffer& HBigBuffer::operator=(HBigBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_mapping = std::exchange(other.m_mapping, nullptr);
        m_mappingLength = std::exchange(other.m_mappingLength, 0);
    }
    return *this;
}

void HBigBuffer::Release() {
    if (m_mapping != nullptr) {
        ::munmap(m_mapping, m_mappingLength);
    } else {
        ::operator delete(m_data);
    }
    m_data = nullptr;
    m_mapping = nullptr;
    m_mappingLength = 0;
    m_capacity = 0;
    m_size = 0;
}

void HBigBuffer::Reserve(std::size_t capacity) {
    if (capacity <= m_capacity) {
        return;
    }
    char* data = nullptr;
    void* mapping = nullptr;
    std::size_t mappingLength = 0;
    if (capacity >= kMapFrom) {
        // A huge page more than asked for, so that the buffer can start on a huge page.
        mappingLength = (capacity + 2 * kHugePage - 1) / kHugePage * kHugePage;
        mapping = ::mmap(nullptr, mappingLength, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping == MAP_FAILED) {
            throw std::bad_alloc();
        }
        const auto start = reinterpret_cast<std::uintptr_t>(mapping);
        data = reinterpret_cast<char*>((start + kHugePage - 1) / kHugePage * kHugePage);
        // Only a hint: without huge pages the buffer works the same, only slower.
        ::madvise(data,
                  mappingLength - static_cast<std::size_t>(data - static_cast<char*>(mapping)),
                  MADV_HUGEPAGE);
    } else {
        data = static_cast<char*>(::operator new(capacity));
    }
    if (m_size > 0) {
        std::memcpy(data, m_data, m_size);
    }
    const std::size_t size = m_size;
    Release();
    m_data = data;
    m_size = size;
    m_capacity = capacity;
    m_mapping = mapping;
    m_mappingLength = mappingLength;
}

void HBigBuffer::Grow(std::size_t n) {
    Reserve(std::max(2 * m_capacity, m_size + n));
}

void HBigBuffer::Resize(std::size_t size) {
    if (size > m_capacity) {
        Reserve(std::max(2 * m_capacity, size));
    }
    m_size = size;
}

}  // namespace zarvik
