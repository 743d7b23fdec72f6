#include <mutex>

#include "core/generate/number_memory.h"
#include "core/registry/registry.h"
#include "core/registry/wrappers.h"

namespace zub {

void start_core() {
    static std::once_flag started;
    std::call_once(started, [] {
        Number_memory::install();
        Kelwrapper::register_entry_points();
        Romananawrapper::register_entry_points();
        Compatscaleswrapper::register_entry_points();
        Zub2litewrapper::register_entry_points();
    });
}

}  // namespace zub
