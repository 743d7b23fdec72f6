#include "bridge/bar_marks.h"

#include "bridge/bridge_exception.h"
#include "bridge/internal/form_keys.h"

namespace zub {

BarMarks barMarksOf(const Plist& bar) {
    const Bar_form form = barFormOf(bar);
    return {form.repeat_start,
            form.repeat_end,
            form.endings,
            form.segno,
            form.to_coda,
            form.coda,
            form.fine,
            form.direction ? form.direction->to_string() : std::string(),
            form.time ? form.time->to_string() : std::string()};
}

std::optional<int> barsPerLineOf(const Plist& chart) {
    if (!chart.find("BarsPerLine")) return std::nullopt;
    const std::int64_t count = chart.integer_at("BarsPerLine");
    if (count < min_bars_per_line || count > max_bars_per_line)
        throw Bridge_exception("barsPerLineOf", "Invalid bars per line: " + std::to_string(count));
    return static_cast<int>(count);
}

}  // namespace zub
