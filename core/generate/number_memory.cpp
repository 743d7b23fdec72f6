#include "core/generate/number_memory.h"

#include <gmp.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

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

// Every slab ever made, so the blocks stay reachable for leak checkers.
std::mutex slabs_mutex;
std::vector<void*>& slabs() {
    static auto* list = new std::vector<void*>;
    return *list;
}

struct Free_lists {
    std::array<Free_block*, classes> heads{};
    char* slab_next = nullptr;
    char* slab_end = nullptr;

    void* carve(std::size_t bytes) {
        if (static_cast<std::size_t>(slab_end - slab_next) < bytes) {
            slab_next = static_cast<char*>(std::malloc(slab_size));
            if (slab_next == nullptr) throw std::bad_alloc();
            slab_end = slab_next + slab_size;
            const std::lock_guard<std::mutex> lock(slabs_mutex);
            slabs().push_back(slab_next);
        }
        void* block = slab_next;
        slab_next += bytes;
        return block;
    }
};

thread_local Free_lists lists;

bool pooled(std::size_t bytes) { return bytes != 0 && bytes <= largest && bytes % granule == 0; }
std::size_t class_of(std::size_t bytes) { return bytes / granule - 1; }

void* allocate(std::size_t bytes) {
    if (!pooled(bytes)) {
        void* block = std::malloc(bytes == 0 ? 1 : bytes);
        if (block == nullptr) throw std::bad_alloc();
        return block;
    }
    const std::size_t k = class_of(bytes);
    if (Free_block* block = lists.heads[k]) {
        lists.heads[k] = block->next;
        return block;
    }
    return lists.carve(bytes);
}

void release(void* block, std::size_t bytes) {
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

void* reallocate(void* block, std::size_t old_bytes, std::size_t new_bytes) {
    if (!pooled(old_bytes) && !pooled(new_bytes)) {
        void* moved = std::realloc(block, new_bytes == 0 ? 1 : new_bytes);
        if (moved == nullptr) throw std::bad_alloc();
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
