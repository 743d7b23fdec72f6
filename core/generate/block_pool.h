// Small blocks for the generator's short-lived objects. Generating an
// accompaniment creates and drops millions of exact numbers and event nodes;
// the general-purpose allocator spends most of the generator's time on them.
// Small blocks are therefore kept on per-thread free lists carved from large
// slabs and reused; larger ones go to the usual allocator. A block freed on
// another thread joins that thread's lists. Slabs are never given back, so
// memory stays at the peak the program reached. Builds with AddressSanitizer,
// which must see every block, use the usual allocator throughout.
#pragma once

#include <cstddef>
#include <new>

namespace zub::Block_pool {

// A block of bytes (any size), aligned for 8; nullptr when memory runs out.
void* allocate(std::size_t bytes) noexcept;
// A block from allocate or from malloc, freed with the size it was made with.
void release(void* block, std::size_t bytes) noexcept;

// For containers and std::allocate_shared; throws std::bad_alloc when memory runs out.
template <typename T>
struct Allocator {
    static_assert(alignof(T) <= 8, "pooled blocks are aligned for 8 bytes");
    using value_type = T;
    Allocator() = default;
    template <typename U>
    Allocator(const Allocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        void* block = Block_pool::allocate(n * sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t n) noexcept { Block_pool::release(block, n * sizeof(T)); }
    template <typename U>
    bool operator==(const Allocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace zub::Block_pool
