#pragma once
// An undo snapshot of the diagram: the sections SaveItems writes, one per box bottom to top
// and then one per relation line, each an unchanging section shared with every other
// snapshot and item that holds the same. The sections are held in chunks; a snapshot built
// like another shares every chunk in which no section changed, so a step costs about the
// size of its change and two snapshots compare mostly pointer by pointer.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/store/ini_section.h"

namespace zarvik {

class HInfoIniFile;

class HDiagramSnapshot {
public:
    using Section = std::shared_ptr<const HInfoIniSection>;

    class Builder;

    // The sections of a store, shared, in its order.
    static std::shared_ptr<const HDiagramSnapshot> FromStore(const HInfoIniFile& store);

    std::size_t SectionCount() const { return m_count; }
    // visit(const HInfoIniSection&) for every section in order.
    template <class Visit>
    void ForEachSection(Visit visit) const {
        for (const std::shared_ptr<const Chunk>& chunk : m_chunks) {
            for (const Section& section : chunk->sections) {
                visit(*section);
            }
        }
    }
    // Appends every section to store without copying it (HInfoIniFile::AdoptSection).
    void ShareInto(HInfoIniFile& store) const;

    // 1 when other holds as many sections and, position by position, the same keys with the
    // same values in the same order; section names are not compared (HInfoIniFile::IsSame).
    int IsSame(const HDiagramSnapshot* other) const;

    // The heap the snapshot takes with all it holds.
    std::size_t MemoryBytes() const { return m_bytes; }
    // The heap it takes beyond what it shares with other (all of it for none).
    std::size_t BytesBeyond(const HDiagramSnapshot* other) const;

private:
    struct Chunk {
        std::vector<Section> sections;
        std::size_t bytes = 0;  // the chunk's heap with its sections
    };

    std::vector<std::shared_ptr<const Chunk>> m_chunks;
    std::size_t m_count = 0;
    std::size_t m_bytes = 0;
};

// Puts a snapshot together section by section. A chunk ends after a section whose key (a
// number that stays with the item, whatever else changes) falls in one of 256, so that an
// edit changes the chunks around it and no others; a chunk whose sections are those of a
// chunk of like is that chunk.
class HDiagramSnapshot::Builder {
public:
    explicit Builder(std::shared_ptr<const HDiagramSnapshot> like);

    // Appends section. The builder keeps a pointer to it until its chunk is complete (at
    // the latest at Finish): it must stay where it is until then.
    void Add(const Section& section, uint32_t chunkKey);
    // The snapshot; like itself when it holds exactly the same sections.
    std::shared_ptr<const HDiagramSnapshot> Finish();

private:
    struct Pending {
        const HInfoIniSection* raw;
        const Section* shared;
    };

    void CloseChunk();
    // The chunk of like with exactly the pending sections, or null.
    const std::shared_ptr<const Chunk>* FindInLike();

    static constexpr uint32_t kChunkEnd = 24;  // a key below 1 << 24 ends its chunk
    static constexpr std::size_t kMaxChunk = 1024;

    std::shared_ptr<const HDiagramSnapshot> m_like;
    std::shared_ptr<HDiagramSnapshot> m_result;
    std::vector<Pending> m_pending;
    std::size_t m_likeCursor = 0;  // the chunk of like expected next
    // like's chunks by the address of their first section, made at the first miss.
    std::vector<std::pair<const HInfoIniSection*, std::size_t>> m_likeByFirst;
    bool m_likeInOrder = true;  // every chunk so far is like's chunk in the same place
};

}  // namespace zarvik
