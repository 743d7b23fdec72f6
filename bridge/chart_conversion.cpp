#include "bridge/internal/chart_conversion.h"

#include <map>
#include <optional>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/internal/core_values.h"
#include "bridge/internal/form_keys.h"
#include "core/registry/chart_value.h"

namespace zub {

namespace {

Value pair(Value a, Value b) { return Value::of_tuple({std::move(a), std::move(b)}); }

Value convertChordDurationPair(const ChordDurationPair& entry) {
    return pair(CoreStringFromNSString(entry.chord), Value::of_int(entry.beats));
}

Value convertBarOfChordDurationPairs(const std::vector<ChordDurationPair>& bar) {
    std::vector<Value> entries;
    for (const auto& entry : bar) entries.push_back(convertChordDurationPair(entry));
    return Value::of_list(std::move(entries));
}

Value convertBarSectionPairs(const std::vector<BarSectionPair>& sections) {
    std::vector<Value> items;
    for (const auto& section : sections)
        items.push_back(pair(Value::of_int(section.bar), Value::of_char(static_cast<signed char>(section.mark))));
    return Value::of_list(std::move(items));
}

// The form marks of the bars that carry any, as the record's eighth field; none when no bar does.
std::optional<Value> convertForms(const Plist::Array& bars) {
    std::vector<Chart::Marks> forms;
    for (std::size_t k = 0; k < bars.size(); ++k)
        if (Bar_form form = barFormOf(bars[k]); !form.empty()) forms.push_back({static_cast<int>(k + 1), std::move(form)});
    if (forms.empty()) return std::nullopt;
    return Chart_value::of_forms(forms);
}

// Bar number to its form marks, from the record's eighth field when it has one.
std::map<std::int64_t, Bar_form> formsOfCoreChart(const Value& chart) {
    std::map<std::int64_t, Bar_form> forms;
    if (chart.fields().size() < 8) return forms;
    const Value& field = CoreTupleField(chart, 7);
    try {
        for (auto& marks : Chart_value::forms_of(field)) forms[marks.bar] = marks.form;
    } catch (const std::exception& e) {
        throw Bridge_exception("convertForms", e.what());
    }
    return forms;
}

Value integer_field(const Plist& dictionary, const char* key) { return Value::of_int(dictionary.integer_at(key)); }

Plist convertBar(const Value& bar) {
    std::vector<ChordDurationPair> pairs;
    for (const Value& entry : CoreListElements(bar, "convertBar"))
        pairs.push_back({NSStringFromCoreString(CoreTupleField(entry, 0)), LongFromCoreInt(CoreTupleField(entry, 1))});
    if (pairs.empty()) throw Bridge_exception("convertBar", "Empty bar in chart");
    return slotsFromChordDurationPairs(pairs);
}

// Bar number to mark; a later section on the same bar wins.
std::map<std::int64_t, std::int64_t> combineChordsAndSections(const Value& sections) {
    std::map<std::int64_t, std::int64_t> marks;
    for (const Value& section : CoreListElements(sections, "convertSections")) {
        const Value& mark = CoreTupleField(section, 1);
        if (!mark.is(Value::Kind::Char)) throw Bridge_exception("convertSection", "Not an immediate integer");
        marks[LongFromCoreInt(CoreTupleField(section, 0))] = static_cast<unsigned char>(mark.as_char());
    }
    return marks;
}

}  // namespace

Value convertChords(const Plist::Array& bars) {
    std::vector<Value> converted;
    for (const auto& bar : chordDurationPairsFromChords(bars)) converted.push_back(convertBarOfChordDurationPairs(bar));
    return Value::of_list(std::move(converted));
}

Value convertChart(const Plist& dictionary) {
    const Plist chart = fixChorusEnd(dictionary);
    const Plist& style = chart.dictionary_at("Style");
    const Plist& chorus = chart.dictionary_at("Chorus");
    const Plist::Array& bars = chart.array_at("Chords");
    std::vector<Value> fields = {
        CoreStringFromNSString(chart.string_at("Name")),
        pair(integer_field(style, "Meter"), integer_field(style, "StyleType")),
        CoreStringFromNSString(chart.string_at("Key")),
        integer_field(chart, "Tempo"),
        convertChords(bars),
        Value::of_tuple({integer_field(chorus, "Begin"), integer_field(chorus, "End"), integer_field(chorus, "Repeats")}),
        convertBarSectionPairs(barSectionPairsFromChords(bars)),
    };
    if (auto forms = convertForms(bars)) fields.push_back(std::move(*forms));
    return Value::of_tuple(std::move(fields));
}

Plist dictionaryFromCoreChart(const Value& chart, const Plist& font) {
    const Value& style = CoreTupleField(chart, 1);
    const Value& chorus = CoreTupleField(chart, 5);
    const auto marks = combineChordsAndSections(CoreTupleField(chart, 6));
    const auto forms = formsOfCoreChart(chart);
    Plist::Array bars;
    for (const Value& bar : CoreListElements(CoreTupleField(chart, 4), "convertBars")) {
        Plist slots = convertBar(bar);
        const auto number = static_cast<std::int64_t>(bars.size() + 1);
        auto mark = marks.find(number);
        Plist keys = Plist::make_array(Plist::Array(slots.as_array().size(), Plist::make_string("")));
        Plist dictionary = Plist::make_dictionary({
            {"Chords", std::move(slots)},
            {"SectionMark", Plist::make_integer(mark == marks.end() ? no_section_mark : mark->second)},
            {"Keys", std::move(keys)},
        });
        if (auto form = forms.find(number); form != forms.end()) dictionary = withBarForm(dictionary, form->second);
        bars.push_back(std::move(dictionary));
    }
    auto integer = [](const Value& v) { return Plist::make_integer(LongFromCoreInt(v)); };
    return Plist::make_dictionary({
        {"Name", Plist::make_string(NSStringFromCoreString(CoreTupleField(chart, 0)))},
        {"Style", Plist::make_dictionary({{"Meter", integer(CoreTupleField(style, 0))},
                                          {"StyleType", integer(CoreTupleField(style, 1))}})},
        {"Key", Plist::make_string(NSStringFromCoreString(CoreTupleField(chart, 2)))},
        {"Tempo", integer(CoreTupleField(chart, 3))},
        {"Chorus", Plist::make_dictionary({{"Begin", integer(CoreTupleField(chorus, 0))},
                                           {"End", integer(CoreTupleField(chorus, 1))},
                                           {"Repeats", integer(CoreTupleField(chorus, 2))}})},
        {"Chords", Plist::make_array(std::move(bars))},
        {"Font", font},
    });
}

}  // namespace zub
