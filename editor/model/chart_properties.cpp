#include "editor/model/chart_properties.h"

#include "editor/model/form_mark_rules.h"

namespace zub {

Plist::Array barsInMeter(const Plist::Array& bars, std::int64_t meter) {
    Plist::Array result = bars;
    for (Plist& bar : result) {
        if (bar.find("Time")) break;  // from here on the bars have a meter of their own
        bar = barWithSlots(bar, static_cast<std::size_t>(meter));
    }
    return result;
}

}  // namespace zub
