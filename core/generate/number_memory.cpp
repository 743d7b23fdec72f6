#include "core/generate/number_memory.h"

#include <gmp.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#if defined(__SANITIZE_ADDRESS__)
#define ZUB_NUMBER_MEMORY_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZUB_NUMBER_MEMORY_POOL 0
#endif
#endif
#ifndef ZUB_NUMBER_MEMORY_POOL
#define ZUB_NUMBER_MEMORY_POOL 1
#endif

namespace zub::Number_memory {

#if ZUB_NUMBER_MEMORY_POOL
namespace {

// Blocks of 8, 16, ... 64 bytes: one to eight words. Only these exact sizes are
// pooled, so a block from the usual allocator freed with its size can serve
// its class.
constexpr std::size_t granule = 8;
constexpr std::size_t classes = 8;
constexpr std::size_t largest = granule * classes;
constexpr std::size_t slab_size = 64 * 1024;

struct Free_block {
    Free_block* next;
};

// GMP documents that its allocation functions must not return when they
// fail, and throwing through its C code is undefined: report and stop, as
// GMP's own allocator does.
[[noreturn]] void out_of_memory(std::size_t bytes) noexcept {
    std::fprintf(stderr, "zub: cannot allocate %zu bytes for an exact number\n", bytes);
    std::abort();
}

// Every slab ever made, linked through its first word, so the blocks stay
// reachable for leak checkers. Linking allocates nothing and cannot fail.
struct Slab {
    Slab* previous;
};
std::atomic<Slab*> slabs{nullptr};

struct Free_lists {
    std::array<Free_block*, classes> heads{};
    char* slab_next = nullptr;
    char* slab_end = nullptr;

    void* carve(std::size_t bytes) noexcept {
        if (static_cast<std::size_t>(slab_end - slab_next) < bytes) {
            auto* slab = static_cast<Slab*>(std::malloc(slab_size));
            if (slab == nullptr) out_of_memory(slab_size);
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

thread_local Free_lists lists;

bool pooled(std::size_t bytes) { return bytes != 0 && bytes <= largest && bytes % granule == 0; }
std::size_t class_of(std::size_t bytes) { return bytes / granule - 1; }

// The three hooks never throw: GMP calls them from C.
void* allocate(std::size_t bytes) noexcept {
    if (!pooled(bytes)) {
        void* block = std::malloc(bytes == 0 ? 1 : bytes);
        if (block == nullptr) out_of_memory(bytes);
        return block;
    }
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

void* reallocate(void* block, std::size_t old_bytes, std::size_t new_bytes) noexcept {
    if (!pooled(old_bytes) && !pooled(new_bytes)) {
        void* moved = std::realloc(block, new_bytes == 0 ? 1 : new_bytes);
        if (moved == nullptr) out_of_memory(new_bytes);
        return moved;
    }
    if (old_bytes == new_bytes) return block;
    void* moved = allocate(new_bytes);
    std::memcpy(moved, block, old_bytes < new_bytes ? old_bytes : new_bytes);
    release(block, old_bytes);
    return moved;
}

}  // namespace

void install() {
    static std::once_flag installed;
    std::call_once(installed, [] { mp_set_memory_functions(allocate, reallocate, release); });
}
#else
void install() {}
#endif

}  // namespace zub::Number_memory
