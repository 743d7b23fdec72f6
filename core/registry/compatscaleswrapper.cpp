#include "core/analysis/compatscales.h"
#include "core/registry/registry.h"
#include "core/registry/wrappers.h"

namespace zub::Compatscaleswrapper {

void register_entry_points() {
    Registry::register_function("Compatscales.set_cache_pathname", 1, [](std::span<const Value> a) {
        Compatscales::set_cache_pathname(a[0].as_string());
        return Value::unit();
    });
}

}  // namespace zub::Compatscaleswrapper
