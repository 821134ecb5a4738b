#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace lrl {

// The memory of one text store's line nodes: blocks carved from large slabs, with a free list per block
// size (in steps of 8 bytes), so that a node and its characters cost one block with no per-block header,
// and freeing a whole text releases a handful of slabs.
//
// Freed blocks are reused only for blocks of the same size; the slabs are returned by release() and by
// the destructor. Blocks above kMaxPooled bytes come from the global heap. Every block is 8-byte aligned.
class TNodePool {
public:
    static constexpr size_t kMaxPooled = 4096;

    TNodePool();
    ~TNodePool();
    TNodePool(const TNodePool&) = delete;
    TNodePool& operator=(const TNodePool&) = delete;

    // Both take the same byte count for a block; it is rounded up to a multiple of 8.
    void* allocate(size_t bytes);
    void deallocate(void* block, size_t bytes);

    // Frees every slab at once: every block handed out becomes invalid.
    void release();

    // Bytes taken from the heap for slabs (not counting blocks above kMaxPooled).
    size_t reservedBytes() const { return m_reserved; }

private:
    struct FreeBlock {
        FreeBlock* next;
    };
    static size_t roundUp(size_t bytes) { return (bytes + 7) & ~size_t(7); }
    void newSlab(size_t atLeast);

    struct Slab {
        std::unique_ptr<std::byte[]> memory;
        size_t size;
    };
    std::vector<Slab> m_slabs;
    std::vector<FreeBlock*> m_free; // indexed by size / 8; sized once, so that freeing never allocates
    std::byte* m_cursor = nullptr;
    std::byte* m_end = nullptr;
    size_t m_nextSlab = 16 * 1024;
    size_t m_reserved = 0;
};

} // namespace lrl
