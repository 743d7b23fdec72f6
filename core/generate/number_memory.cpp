#include "core/generate/number_memory.h"

#include <gmp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/generate/block_pool.h"

namespace zub::Number_memory {

namespace {

// GMP documents that its allocation functions must not return when they
// fail, and throwing through its C code is undefined: report and stop, as
// GMP's own allocator does.
[[noreturn]] void out_of_memory(std::size_t bytes) noexcept {
    std::fprintf(stderr, "zub: cannot allocate %zu bytes for an exact number\n", bytes);
    std::abort();
}

// The three hooks never throw: GMP calls them from C.
void* allocate(std::size_t bytes) noexcept {
    void* block = Block_pool::allocate(bytes);
    if (block == nullptr) out_of_memory(bytes);
    return block;
}

void release(void* block, std::size_t bytes) noexcept { Block_pool::release(block, bytes); }

void* reallocate(void* block, std::size_t old_bytes, std::size_t new_bytes) noexcept {
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

}  // namespace zub::Number_memory
