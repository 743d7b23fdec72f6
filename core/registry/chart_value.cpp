#include "core/registry/chart_value.h"


namespace zub::Chart_value {

namespace {

Value pair(Value a, Value b) { return Value::of_tuple({std::move(a), std::move(b)}); }


}  // namespace

Value of_bars(const std::vector<Chart::Bar>& bars) {
    std::vector<Value> bar_values;
    bar_values.reserve(bars.size());
    for (const auto& bar : bars) {
        std::vector<Value> entries;
        for (const auto& entry : bar) entries.push_back(pair(Value::of_string(entry.symbol), Value::of_int(entry.duration)));
        bar_values.push_back(Value::of_list(std::move(entries)));
    }
    return Value::of_list(std::move(bar_values));
}

std::vector<Chart::Bar> bars_of(const Value& value) {
    std::vector<Chart::Bar> bars;
    for (const auto& bar_value : value.as_list()) {
        Chart::Bar bar;
        for (const auto& entry : bar_value.as_list()) {
            const auto& fields = Values::tuple_of(entry, 2);
            bar.push_back({fields[0].as_string(), Values::int_of(fields[1])});
        }
        bars.push_back(std::move(bar));
    }
    return bars;
}

Value of_chart(const Chart& chart) {
    std::vector<Value> sections;
    for (const auto& section : chart.sections())
        sections.push_back(pair(Value::of_int(section.bar), Value::of_char(static_cast<signed char>(section.mark))));
    const auto& chorus = chart.chorus();
    return Value::of_tuple({
        Value::of_string(chart.name()),
        pair(Value::of_int(chart.style().meter), Value::of_int(chart.style().type)),
        Value::of_string(chart.key()),
        Value::of_int(chart.tempo()),
        of_bars(chart.bars()),
        Value::of_tuple({Value::of_int(chorus.begin), Value::of_int(chorus.end), Value::of_int(chorus.repeats)}),
        Value::of_list(std::move(sections)),
    });
}

Chart chart_of(const Value& value) {
    const auto& fields = Values::tuple_of(value, 7);
    const auto& style = Values::tuple_of(fields[1], 2);
    const auto& chorus = Values::tuple_of(fields[5], 3);
    std::vector<Chart::Section> sections;
    for (const auto& section : fields[6].as_list()) {
        const auto& pair = Values::tuple_of(section, 2);
        sections.push_back({Values::int_of(pair[0]), static_cast<char>(pair[1].as_char())});
    }
    return Chart(fields[0].as_string(), {Values::int_of(style[0]), Values::int_of(style[1])}, fields[2].as_string(), Values::int_of(fields[3]),
                 bars_of(fields[4]), {Values::int_of(chorus[0]), Values::int_of(chorus[1]), Values::int_of(chorus[2])}, std::move(sections));
}

}  // namespace zub::Chart_value
