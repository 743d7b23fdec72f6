// Memory for exact numbers. Generating an accompaniment creates and drops
// millions of small rationals, each holding one or two words per part; the
// general-purpose allocator spends most of the generator's time on them. Small
// blocks are therefore kept on per-thread free lists carved from large slabs
// and reused; larger ones go to the usual allocator. Slabs are never given
// back, so memory stays at the peak the program reached. When memory runs out
// the program stops with one line on standard error, as with GMP's own
// allocator: GMP's allocation functions may neither return nor throw on failure.
#pragma once

namespace zub::Number_memory {

// Makes the arithmetic library use the free lists from now on. Safe at any
// time: blocks allocated before are recognised by their size when freed.
// Does nothing in builds with AddressSanitizer, which must see every block.
void install();

}  // namespace zub::Number_memory
