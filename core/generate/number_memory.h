// Memory for exact numbers: the arithmetic library's blocks come from the
// block pool, where millions of small rationals cost little to make and drop.
// When memory runs out the program stops with one line on standard error, as
// with GMP's own allocator: GMP's allocation functions may neither return nor
// throw on failure.
#pragma once

namespace zub::Number_memory {

// Makes the arithmetic library use the pool from now on. Safe at any time:
// blocks allocated before are recognised by their size when freed.
void install();

}  // namespace zub::Number_memory
