#include "core/generate/block_pool.h"

#include <sys/mman.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define ZUB_BLOCK_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZUB_BLOCK_POOL 0
#endif
#endif
#ifndef ZUB_BLOCK_POOL
#define ZUB_BLOCK_POOL 1
#endif

namespace zub::Block_pool {

#if ZUB_BLOCK_POOL
namespace {

// Blocks of 8, 16, ... 256 bytes. Only these exact sizes are pooled, so a
// block from the usual allocator freed with its size can serve its class.
constexpr std::size_t granule = 8;
constexpr std::size_t classes = 32;
constexpr std::size_t largest = granule * classes;
// One huge page: where the kernel gives them on request (Debian's default),
// a slab costs one page fault instead of 512.
constexpr std::size_t slab_size = 2 * 1024 * 1024;

struct Free_block {
    Free_block* next;
};

// Every slab ever made, linked through its first word, so the blocks stay
// reachable for leak checkers. Linking allocates nothing and cannot fail.
struct Slab {
    Slab* previous;
};
std::atomic<Slab*> slabs{nullptr};

// A slab aligned to its size, so that it can be one huge page.
void* new_slab() noexcept {
    void* mapped = mmap(nullptr, 2 * slab_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + slab_size - 1) & ~(slab_size - 1);
    if (aligned > start) munmap(mapped, aligned - start);
    if (const std::uintptr_t end = start + 2 * slab_size; end > aligned + slab_size)
        munmap(reinterpret_cast<void*>(aligned + slab_size), end - aligned - slab_size);
    madvise(reinterpret_cast<void*>(aligned), slab_size, MADV_HUGEPAGE);  // a hint: refused, the slab still serves
    return reinterpret_cast<void*>(aligned);
}

struct Free_lists {
    std::array<Free_block*, classes> heads{};
    char* slab_next = nullptr;
    char* slab_end = nullptr;

    // Out of line: inlined, its registers would be saved and restored on
    // every allocation, most of which only pop a free list.
    [[gnu::noinline]] void* carve(std::size_t bytes) noexcept {
        if (static_cast<std::size_t>(slab_end - slab_next) < bytes) {
            auto* slab = static_cast<Slab*>(new_slab());
            if (slab == nullptr) return nullptr;
            slab->previous = slabs.load(std::memory_order_relaxed);
            while (!slabs.compare_exchange_weak(slab->previous, slab, std::memory_order_release,
                                                std::memory_order_relaxed)) {
            }
            slab_next = reinterpret_cast<char*>(slab) + granule;  // the blocks start after the link
            slab_end = reinterpret_cast<char*>(slab) + slab_size;
        }
        void* block = slab_next;
        slab_next += bytes;
        return block;
    }
};

// Initial-exec: the library is loaded with the program, so its thread-local
// block sits at a fixed offset and every allocation skips the general lookup
// call a shared library's thread-locals cost otherwise.
[[gnu::tls_model("initial-exec")]] thread_local Free_lists lists;

bool pooled(std::size_t bytes) { return bytes != 0 && bytes <= largest && bytes % granule == 0; }
std::size_t class_of(std::size_t bytes) { return bytes / granule - 1; }

}  // namespace

void* allocate(std::size_t bytes) noexcept {
    if (!pooled(bytes)) return std::malloc(bytes == 0 ? 1 : bytes);
    const std::size_t k = class_of(bytes);
    if (Free_block* block = lists.heads[k]) {
        lists.heads[k] = block->next;
        return block;
    }
    return lists.carve(bytes);
}

void release(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) return;
    if (!pooled(bytes)) {
        std::free(block);
        return;
    }
    const std::size_t k = class_of(bytes);
    auto* freed = static_cast<Free_block*>(block);
    freed->next = lists.heads[k];
    lists.heads[k] = freed;
}
#else
void* allocate(std::size_t bytes) noexcept { return std::malloc(bytes == 0 ? 1 : bytes); }
void release(void* block, std::size_t) noexcept { std::free(block); }
#endif

}  // namespace zub::Block_pool
