#include "core/doc/snapshot.h"

#include <algorithm>
#include <utility>

#include "core/store/ini_store.h"

namespace zarvik {
namespace {

// A shared object's heap beyond the object: the control block make_shared puts beside it.
constexpr std::size_t kSharedOverhead = 16;

std::size_t SectionBytes(const HInfoIniSection& section) {
    return section.MemoryBytes() + kSharedOverhead;
}

template <class T>
bool SortedHas(const std::vector<T>& sorted, const T& value) {
    return std::binary_search(sorted.begin(), sorted.end(), value);
}

}  // namespace

std::shared_ptr<const HDiagramSnapshot> HDiagramSnapshot::FromStore(const HInfoIniFile& store) {
    std::vector<Section> sections;
    sections.reserve(store.SectionCount());
    Builder builder(nullptr);
    for (std::size_t i = 0; i < store.SectionCount(); ++i) {
        sections.push_back(store.ShareSection(i));
        builder.Add(sections.back(), sections.back()->NameHash());
    }
    return builder.Finish();
}

void HDiagramSnapshot::ShareInto(HInfoIniFile& store) const {
    store.Reserve(store.SectionCount() + m_count);
    for (const std::shared_ptr<const Chunk>& chunk : m_chunks) {
        for (const Section& section : chunk->sections) {
            store.AdoptSection(section);
        }
    }
}

int HDiagramSnapshot::IsSame(const HDiagramSnapshot* other) const {
    if (other == this) {
        return 1;
    }
    if (other == nullptr || other->m_count != m_count) {
        return 0;
    }
    // Both walk their sections in order; where both stand at the start of one shared chunk,
    // the whole chunk is passed at once.
    std::size_t i = 0;
    std::size_t a = 0;
    std::size_t j = 0;
    std::size_t b = 0;
    while (i < m_chunks.size() && j < other->m_chunks.size()) {
        const Chunk& mine = *m_chunks[i];
        const Chunk& theirs = *other->m_chunks[j];
        if (a == 0 && b == 0 && &mine == &theirs) {
            ++i;
            ++j;
            continue;
        }
        const Section& left = mine.sections[a];
        const Section& right = theirs.sections[b];
        if (left != right && !left->HasSameEntries(*right)) {
            return 0;
        }
        if (++a == mine.sections.size()) {
            a = 0;
            ++i;
        }
        if (++b == theirs.sections.size()) {
            b = 0;
            ++j;
        }
    }
    return 1;
}

std::size_t HDiagramSnapshot::BytesBeyond(const HDiagramSnapshot* other) const {
    if (other == nullptr) {
        return m_bytes;
    }
    if (other == this) {
        return 0;
    }
    auto chunkAddresses = [](const HDiagramSnapshot& snapshot) {
        std::vector<const Chunk*> addresses;
        addresses.reserve(snapshot.m_chunks.size());
        for (const std::shared_ptr<const Chunk>& chunk : snapshot.m_chunks) {
            addresses.push_back(chunk.get());
        }
        std::sort(addresses.begin(), addresses.end());
        return addresses;
    };
    const std::vector<const Chunk*> mine = chunkAddresses(*this);
    const std::vector<const Chunk*> theirs = chunkAddresses(*other);
    // The sections of the chunks of other that this one does not share: what a new chunk
    // may hold of other's.
    std::vector<const HInfoIniSection*> replaced;
    for (const std::shared_ptr<const Chunk>& chunk : other->m_chunks) {
        if (!SortedHas(mine, chunk.get())) {
            for (const Section& section : chunk->sections) {
                replaced.push_back(section.get());
            }
        }
    }
    std::sort(replaced.begin(), replaced.end());
    std::size_t bytes = sizeof(HDiagramSnapshot) + kSharedOverhead +
                        m_chunks.capacity() * sizeof(std::shared_ptr<const Chunk>);
    for (const std::shared_ptr<const Chunk>& chunk : m_chunks) {
        if (SortedHas(theirs, chunk.get())) {
            continue;
        }
        bytes += sizeof(Chunk) + kSharedOverhead + chunk->sections.capacity() * sizeof(Section);
        for (const Section& section : chunk->sections) {
            if (!SortedHas(replaced, section.get())) {
                bytes += SectionBytes(*section);
            }
        }
    }
    return bytes;
}

HDiagramSnapshot::Builder::Builder(std::shared_ptr<const HDiagramSnapshot> like)
    : m_like(std::move(like)), m_result(std::make_shared<HDiagramSnapshot>()) {
    m_pending.reserve(kMaxChunk);
    if (m_like != nullptr) {
        m_result->m_chunks.reserve(m_like->m_chunks.size());
    }
}

void HDiagramSnapshot::Builder::Add(const Section& section, uint32_t chunkKey) {
    m_pending.push_back({section.get(), &section});
    if ((chunkKey >> kChunkEnd) == 0 || m_pending.size() == kMaxChunk) {
        CloseChunk();
    }
}

const std::shared_ptr<const HDiagramSnapshot::Chunk>* HDiagramSnapshot::Builder::FindInLike() {
    if (m_like == nullptr) {
        return nullptr;
    }
    const auto& chunks = m_like->m_chunks;
    auto matches = [&](const Chunk& chunk) {
        if (chunk.sections.size() != m_pending.size()) {
            return false;
        }
        for (std::size_t i = 0; i < m_pending.size(); ++i) {
            if (chunk.sections[i].get() != m_pending[i].raw) {
                return false;
            }
        }
        return true;
    };
    // Most chunks come where they were.
    if (m_likeCursor < chunks.size() && matches(*chunks[m_likeCursor])) {
        return &chunks[m_likeCursor++];
    }
    if (m_likeByFirst.empty()) {
        m_likeByFirst.reserve(chunks.size());
        for (std::size_t i = 0; i < chunks.size(); ++i) {
            m_likeByFirst.emplace_back(chunks[i]->sections.front().get(), i);
        }
        std::sort(m_likeByFirst.begin(), m_likeByFirst.end());
    }
    const HInfoIniSection* first = m_pending.front().raw;
    auto at = std::lower_bound(m_likeByFirst.begin(), m_likeByFirst.end(),
                               std::make_pair(first, std::size_t{0}));
    for (; at != m_likeByFirst.end() && at->first == first; ++at) {
        if (matches(*chunks[at->second])) {
            m_likeCursor = at->second + 1;
            return &chunks[at->second];
        }
    }
    return nullptr;
}

void HDiagramSnapshot::Builder::CloseChunk() {
    if (m_pending.empty()) {
        return;
    }
    std::vector<std::shared_ptr<const Chunk>>& chunks = m_result->m_chunks;
    const std::size_t place = chunks.size();
    if (const std::shared_ptr<const Chunk>* shared = FindInLike()) {
        m_likeInOrder =
            m_likeInOrder && place < m_like->m_chunks.size() && m_like->m_chunks[place] == *shared;
        chunks.push_back(*shared);
    } else {
        m_likeInOrder = false;
        auto chunk = std::make_shared<Chunk>();
        chunk->sections.reserve(m_pending.size());
        chunk->bytes = sizeof(Chunk) + kSharedOverhead + m_pending.size() * sizeof(Section);
        for (const Pending& pending : m_pending) {
            chunk->sections.push_back(*pending.shared);
            chunk->bytes += SectionBytes(*pending.raw);
        }
        chunks.push_back(std::move(chunk));
    }
    m_result->m_count += m_pending.size();
    m_result->m_bytes += chunks.back()->bytes;
    m_pending.clear();
}

std::shared_ptr<const HDiagramSnapshot> HDiagramSnapshot::Builder::Finish() {
    CloseChunk();
    if (m_like != nullptr && m_likeInOrder &&
        m_result->m_chunks.size() == m_like->m_chunks.size()) {
        return m_like;
    }
    m_result->m_chunks.shrink_to_fit();
    m_result->m_bytes += sizeof(HDiagramSnapshot) + kSharedOverhead +
                         m_result->m_chunks.capacity() * sizeof(std::shared_ptr<const Chunk>);
    return std::move(m_result);
}

}  // namespace zarvik
