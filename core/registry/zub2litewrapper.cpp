#include "core/generate/zub2lite.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"
#include "core/registry/wrappers.h"

namespace zub::Zub2litewrapper {

void register_entry_points() {
    using Args = std::span<const Value>;
    Registry::register_function("Zub2lite.gen", 1, [](Args a) {
        return Value::of_string(Zub2lite::gen(Chart_value::chart_of(a[0])));
    });
}

}  // namespace zub::Zub2litewrapper
