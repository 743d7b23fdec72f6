// Starting the core: its tables in dependency order and its named entry
// points, once, before anything else calls it.
#pragma once

namespace zub {

// startCore() - the first call of a program that uses the core; later calls do nothing more.
void startCore();

}  // namespace zub
