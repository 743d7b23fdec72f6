#include "bridge/internal/chart_conversion.h"

#include <map>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/internal/core_values.h"

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
    return Value::of_tuple({
        CoreStringFromNSString(chart.string_at("Name")),
        pair(integer_field(style, "Meter"), integer_field(style, "StyleType")),
        CoreStringFromNSString(chart.string_at("Key")),
        integer_field(chart, "Tempo"),
        convertChords(bars),
        Value::of_tuple({integer_field(chorus, "Begin"), integer_field(chorus, "End"), integer_field(chorus, "Repeats")}),
        convertBarSectionPairs(barSectionPairsFromChords(bars)),
    });
}

Plist dictionaryFromCoreChart(const Value& chart, const Plist& font) {
    const Value& style = CoreTupleField(chart, 1);
    const Value& chorus = CoreTupleField(chart, 5);
    const auto marks = combineChordsAndSections(CoreTupleField(chart, 6));
    Plist::Array bars;
    for (const Value& bar : CoreListElements(CoreTupleField(chart, 4), "convertBars")) {
        Plist slots = convertBar(bar);
        const auto number = static_cast<std::int64_t>(bars.size() + 1);
        auto mark = marks.find(number);
        Plist keys = Plist::make_array(Plist::Array(slots.as_array().size(), Plist::make_string("")));
        bars.push_back(Plist::make_dictionary({
            {"Chords", std::move(slots)},
            {"SectionMark", Plist::make_integer(mark == marks.end() ? no_section_mark : mark->second)},
            {"Keys", std::move(keys)},
        }));
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
