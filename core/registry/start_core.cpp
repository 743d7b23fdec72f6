#include <mutex>

#include "core/registry/registry.h"
#include "core/registry/wrappers.h"

namespace zub {

void start_core() {
    static std::once_flag started;
    std::call_once(started, [] {
        Kelwrapper::register_entry_points();
        Romananawrapper::register_entry_points();
        Compatscaleswrapper::register_entry_points();
        Zub2litewrapper::register_entry_points();
    });
}

}  // namespace zub
