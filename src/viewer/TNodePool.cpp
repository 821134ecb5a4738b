#include "viewer/TNodePool.h"

#include <algorithm>
#include <new>

// Under AddressSanitizer, blocks that are free or not yet handed out are poisoned, so that a node used
// after the store freed it is reported although its memory stays in the pool.
#if defined(__SANITIZE_ADDRESS__)
#define LRL_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LRL_POOL_ASAN 1
#endif
#endif

#ifdef LRL_POOL_ASAN
#include <sanitizer/asan_interface.h>
#define LRL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define LRL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define LRL_POISON(p, n) ((void)(p), (void)(n))
#define LRL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace lrl {

namespace {
    constexpr size_t kMaxSlab = 1024 * 1024;
}

TNodePool::TNodePool()
    : m_free(kMaxPooled / 8 + 1, nullptr)
{
}

TNodePool::~TNodePool() { release(); }

void* TNodePool::allocate(size_t bytes)
{
    bytes = roundUp(std::max<size_t>(bytes, sizeof(FreeBlock)));
    if (bytes > kMaxPooled)
        return ::operator new(bytes);
    size_t cls = bytes / 8;
    if (m_free[cls]) {
        FreeBlock* block = m_free[cls];
        LRL_UNPOISON(block, bytes);
        m_free[cls] = block->next;
        return block;
    }
    if (static_cast<size_t>(m_end - m_cursor) < bytes)
        newSlab(bytes);
    std::byte* block = m_cursor;
    m_cursor += bytes;
    LRL_UNPOISON(block, bytes);
    return block;
}

void TNodePool::deallocate(void* block, size_t bytes)
{
    if (!block)
        return;
    bytes = roundUp(std::max<size_t>(bytes, sizeof(FreeBlock)));
    if (bytes > kMaxPooled) {
        ::operator delete(block);
        return;
    }
    size_t cls = bytes / 8;
    auto* free = static_cast<FreeBlock*>(block);
    free->next = m_free[cls];
    m_free[cls] = free;
    LRL_POISON(block, bytes);
}

void TNodePool::newSlab(size_t atLeast)
{
    // The unused tail of the current slab is given to the free list of its size so it is not lost.
    size_t tail = static_cast<size_t>(m_end - m_cursor);
    if (tail >= sizeof(FreeBlock) && tail <= kMaxPooled) {
        LRL_UNPOISON(m_cursor, tail);
        deallocate(m_cursor, tail);
    }
    size_t size = std::max(m_nextSlab, atLeast);
    auto slab = std::make_unique_for_overwrite<std::byte[]>(size);
    m_cursor = slab.get();
    m_end = m_cursor + size;
    LRL_POISON(m_cursor, size);
    m_slabs.push_back({ std::move(slab), size });
    m_reserved += size;
    m_nextSlab = std::min(m_nextSlab * 2, kMaxSlab);
}

void TNodePool::release()
{
    for (auto& slab : m_slabs)
        LRL_UNPOISON(slab.memory.get(), slab.size);
    m_slabs.clear();
    std::fill(m_free.begin(), m_free.end(), nullptr);
    m_cursor = m_end = nullptr;
    m_reserved = 0;
    m_nextSlab = 16 * 1024;
}

} // namespace lrl
