#include "core/registry/chart_value.h"


namespace zub::Chart_value {

namespace {

Value pair(Value a, Value b) { return Value::of_tuple({std::move(a), std::move(b)}); }

// (bar, repeat start, repeat end, endings, segno, to coda, coda, fine, direction, time):
// flags as booleans, "" for no direction or no time signature.
Value of_marks(const Chart::Marks& marks) {
    const Bar_form& form = marks.form;
    std::vector<Value> endings;
    for (int ending : form.endings) endings.push_back(Value::of_int(ending));
    return Value::of_tuple({
        Value::of_int(marks.bar), Value::of_bool(form.repeat_start), Value::of_int(form.repeat_end),
        Value::of_list(std::move(endings)), Value::of_bool(form.segno), Value::of_bool(form.to_coda),
        Value::of_bool(form.coda), Value::of_bool(form.fine),
        Value::of_string(form.direction ? form.direction->to_string() : ""),
        Value::of_string(form.time ? form.time->to_string() : ""),
    });
}

Chart::Marks marks_of(const Value& value) {
    const auto& fields = Values::tuple_of(value, 10);
    Bar_form form;
    form.repeat_start = fields[1].as_bool();
    form.repeat_end = Values::int_of(fields[2]);
    for (const auto& ending : fields[3].as_list()) form.endings.push_back(Values::int_of(ending));
    form.segno = fields[4].as_bool();
    form.to_coda = fields[5].as_bool();
    form.coda = fields[6].as_bool();
    form.fine = fields[7].as_bool();
    if (!fields[8].as_string().empty()) form.direction = Direction::of_string(fields[8].as_string());
    if (!fields[9].as_string().empty()) form.time = Time_signature::of_string(fields[9].as_string());
    return {Values::int_of(fields[0]), std::move(form)};
}


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

Value of_forms(const std::vector<Chart::Marks>& forms) {
    std::vector<Value> values;
    values.reserve(forms.size());
    for (const auto& marks : forms) values.push_back(of_marks(marks));
    return Value::of_list(std::move(values));
}

std::vector<Chart::Marks> forms_of(const Value& value) {
    std::vector<Chart::Marks> forms;
    for (const auto& marks : value.as_list()) forms.push_back(marks_of(marks));
    return forms;
}

Value of_chart(const Chart& chart) {
    std::vector<Value> sections;
    for (const auto& section : chart.sections())
        sections.push_back(pair(Value::of_int(section.bar), Value::of_char(static_cast<signed char>(section.mark))));
    const auto& chorus = chart.chorus();
    std::vector<Value> fields = {
        Value::of_string(chart.name()),
        pair(Value::of_int(chart.style().meter), Value::of_int(chart.style().type)),
        Value::of_string(chart.key()),
        Value::of_int(chart.tempo()),
        of_bars(chart.bars()),
        Value::of_tuple({Value::of_int(chorus.begin), Value::of_int(chorus.end), Value::of_int(chorus.repeats)}),
        Value::of_list(std::move(sections)),
    };
    // A chart without form marks crosses as the seven fields it always had.
    if (!chart.forms().empty()) fields.push_back(of_forms(chart.forms()));
    return Value::of_tuple(std::move(fields));
}

Chart chart_of(const Value& value) {
    const bool with_forms = value.is(Value::Kind::Tuple) && value.fields().size() == 8;
    const auto& fields = Values::tuple_of(value, with_forms ? 8 : 7);
    const auto& style = Values::tuple_of(fields[1], 2);
    const auto& chorus = Values::tuple_of(fields[5], 3);
    std::vector<Chart::Section> sections;
    for (const auto& section : fields[6].as_list()) {
        const auto& pair = Values::tuple_of(section, 2);
        sections.push_back({Values::int_of(pair[0]), static_cast<char>(pair[1].as_char())});
    }
    std::vector<Chart::Marks> forms = with_forms ? forms_of(fields[7]) : std::vector<Chart::Marks>{};
    return Chart(fields[0].as_string(), {Values::int_of(style[0]), Values::int_of(style[1])}, fields[2].as_string(), Values::int_of(fields[3]),
                 bars_of(fields[4]), {Values::int_of(chorus[0]), Values::int_of(chorus[1]), Values::int_of(chorus[2])}, std::move(sections),
                 std::move(forms));
}

}  // namespace zub::Chart_value
