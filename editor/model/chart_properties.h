// The properties of a chart shown in its header and changed in the Chart
// Properties panel: title, composer, key, meter, style and tempo.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/plist.h"

namespace zub {

struct ChartProperties {
    std::string name;
    std::string composer;
    std::string key;             // as stored: "Bb", "Gm"
    std::int64_t meter = 4;      // "Style"/"Meter": the slots of a bar of the chart's own meter
    std::int64_t styleType = 1;  // "Style"/"StyleType"
    std::int64_t tempo = 120;
    bool operator==(const ChartProperties&) const = default;
};

// barsInMeter(bars, 3): the bars with the chart's own meter (those before the first
// "Time" mark) made three slots long, chords past the third dropped, key centers running on.
Plist::Array barsInMeter(const Plist::Array& bars, std::int64_t meter);

}  // namespace zub
