#include "core/analysis/kov.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"
#include "core/registry/wrappers.h"

namespace zub::Romananawrapper {

namespace {

std::vector<Kov::Bar_chords> chords_of(const Value& bars) {
    std::vector<Kov::Bar_chords> chords;
    for (const auto& bar : Chart_value::bars_of(bars)) {
        Kov::Bar_chords entries;
        for (const auto& entry : bar) entries.emplace_back(entry.symbol, entry.duration);
        chords.push_back(std::move(entries));
    }
    return chords;
}

Value of_key_centers(const std::vector<Kov::Key_center>& centers) {
    std::vector<Value> items;
    for (const auto& [key, beats] : centers) items.push_back(Value::of_tuple({Value::of_string(key), Value::of_int(beats)}));
    return Value::of_list(std::move(items));
}

std::vector<Kov::Key_center> key_centers_of(const Value& value) {
    std::vector<Kov::Key_center> centers;
    for (const auto& item : value.as_list()) {
        const auto& fields = Values::tuple_of(item, 2);
        centers.emplace_back(fields[0].as_string(), Values::int_of(fields[1]));
    }
    return centers;
}

// An option: None is the constant 0, Some v the constructor 0 holding v.
template <typename T, typename F>
Value option(const std::optional<T>& value, F convert) {
    return value ? Value::constructor(0, {convert(*value)}) : Value::constant(0);
}

// Tags follow the declaration order of the variants: Solid, Dotted, Passthru1, Passthru2.
Value of_result(const Analysis_result& result) {
    std::vector<Value> chords, barlines, arrows, keys, brackets;
    for (const auto& [chord, label] : result.chords)
        chords.push_back(Value::of_tuple({Value::of_string(chord), Value::of_string(label)}));
    for (bool barline : result.barlines) barlines.push_back(Value::of_bool(barline));
    for (const auto& arrow : result.arrows)
        arrows.push_back(option(arrow, [](const Slot_arrow& a) {
            return Value::constructor(static_cast<long>(a.kind), {Value::of_int(a.to)});
        }));
    for (const auto& key : result.keys) keys.push_back(option(key, [](const std::string& k) { return Value::of_string(k); }));
    for (const auto& bracket : result.brackets)
        brackets.push_back(option(bracket, [](const Bracket& b) {
            return Value::constructor(static_cast<long>(b.kind), {Value::of_int(b.end)});
        }));
    return Value::of_tuple({Value::of_array(std::move(chords)), Value::of_array(std::move(barlines)),
                            Value::of_array(std::move(arrows)), Value::of_array(std::move(keys)),
                            Value::of_array(std::move(brackets))});
}

}  // namespace

void register_entry_points() {
    using Args = std::span<const Value>;
    Registry::register_function("Kov.partition", 1,
                                [](Args a) { return of_key_centers(Kov::partition(chords_of(a[0]))); });
    Registry::register_function("Kov.annotate", 2, [](Args a) {
        return of_result(Kov::annotate(chords_of(a[0]), key_centers_of(a[1])));
    });
}

}  // namespace zub::Romananawrapper
