#include "core/charts/biabreader.h"
#include "core/charts/biabwriter.h"
#include "core/charts/kelreader.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"
#include "core/registry/wrappers.h"
#include "core/theory/chord.h"
#include "core/theory/chordtype.h"

namespace zub::Kelwrapper {

void register_entry_points() {
    using Args = std::span<const Value>;
    Registry::register_error("Failure");
    Registry::register_function("Chordtype.all_names", 1,
                                [](Args) { return Values::of_strings(Chordtype::all_names()); });
    Registry::register_function("chord_printname", 1,
                                [](Args a) { return Value::of_string(chord_printname(a[0].as_string())); });
    Registry::register_function("Kelreader.read_chart", 1, [](Args a) {
        return Chart_value::of_chart(Kelreader::read_chart(a[0].as_string()));
    });
    Registry::register_function("Biabreader.read_chart", 1, [](Args a) {
        return Chart_value::of_chart(Biabreader::read_chart(a[0].as_string()));
    });
    Registry::register_function("Biabwriter.write_chart", 1, [](Args a) {
        return Value::of_string(Biabwriter::write_chart(Chart_value::chart_of(a[0])));
    });
    // The core has no moving heap: compacting it has nothing to do.
    Registry::register_function("Gc.compact", 1, [](Args) { return Value::unit(); });
}

}  // namespace zub::Kelwrapper
