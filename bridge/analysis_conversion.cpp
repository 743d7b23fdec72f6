#include "bridge/analysis_conversion.h"

#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "bridge/internal/analysis_values.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/core_function.h"
#include "bridge/internal/core_values.h"
#include "bridge/entry_points.h"
#include "core/charts/form.h"

namespace zub {

namespace {

// The bars as the analysis reads them: N.C. has no function, so the chord before
// goes on over it and the key center runs across; a chart that begins without a
// chord lets its first chord stand from the start.
Value chordsForAnalysis(const Plist::Array& bars) {
    std::string first;
    for (const Plist& bar : bars) {
        for (const Plist& slot : bar.array_at("Chords"))
            if (!slot.as_string().empty() && !is_no_chord(slot.as_string())) {
                first = slot.as_string();
                break;
            }
        if (!first.empty()) break;
    }
    Plist::Array analysed;
    analysed.reserve(bars.size());
    bool sounding = false;
    for (const Plist& bar : bars) {
        Plist::Array slots = bar.array_at("Chords");
        for (Plist& slot : slots) {
            const std::string& name = slot.as_string();
            if (!sounding && (name.empty() || is_no_chord(name))) slot = Plist::make_string(first);
            else if (is_no_chord(name)) slot = Plist::make_string("");
            sounding = sounding || !slot.as_string().empty();
        }
        analysed.push_back(bar.with("Chords", Plist::make_array(std::move(slots))));
    }
    return convertChords(analysed);
}

const CoreFunction& kov(const char* name) { return CoreFunction::shared(name); }

Plist convertKeyCenter(const Value& center) {
    return Plist::make_dictionary({{"Key", Plist::make_string(NSStringFromCoreString(CoreTupleField(center, 0)))},
                                   {"Beats", Plist::make_integer(LongFromCoreInt(CoreTupleField(center, 1)))}});
}

Value CoreKeyCenterFromNSDictionary(const Plist& center) {
    return Value::of_tuple({CoreStringFromNSString(replaceWithAsciiSharpsAndFlats(center.string_at("Key"))),
                            Value::of_int(center.integer_at("Beats"))});
}

Value CoreKeyCentersFromNSArray(const Plist::Array& centers) {
    std::vector<Value> items;
    for (const auto& center : centers) items.push_back(CoreKeyCenterFromNSDictionary(center));
    return Value::of_list(std::move(items));
}

// The inner variant of an option, or nullptr for "no value".
const Value* option_value(const Value& option, const char* conversion) {
    if (IsConstantConstructor(option)) return nullptr;
    if (!IsNonConstantConstructor(option) || NonConstantConstructorTag(option) != 0)
        throw Bridge_exception(conversion, "Unknown constructor variant");
    return &NonConstantConstructorField(option, 0);
}

Plist typed(const Value& option, const char* conversion, std::initializer_list<const char*> kinds) {
    const Value* inner = option_value(option, conversion);
    if (inner == nullptr) return Plist::make_dictionary({{"Type", Plist::make_string("None")}});
    const long tag = IsNonConstantConstructor(*inner) ? NonConstantConstructorTag(*inner) : -1;
    if (tag < 0 || tag >= static_cast<long>(kinds.size())) throw Bridge_exception(conversion, "Unknown constructor variant");
    return Plist::make_dictionary({{"Type", Plist::make_string(*(kinds.begin() + tag))},
                                   {"Destination", Plist::make_integer(LongFromCoreInt(NonConstantConstructorField(*inner, 0)))}});
}

Plist converted(const Value& result, std::size_t field, Plist (*convert)(const Value&)) {
    Plist::Array items;
    for (const Value& item : CoreArrayElements(CoreTupleField(result, field), "NSArrayFromCoreArray")) items.push_back(convert(item));
    return Plist::make_array(std::move(items));
}

}  // namespace

Plist convertAnnotation(const Value& annotation) {
    return Plist::make_dictionary({{"Chord", Plist::make_string(NSStringFromCoreString(CoreTupleField(annotation, 0)))},
                                   {"Roman", Plist::make_string(NSStringFromCoreString(CoreTupleField(annotation, 1)))}});
}

Plist convertArrow(const Value& arrow) { return typed(arrow, "convertArrow", {"Solid", "Dotted", "Passthru1", "Passthru2"}); }

Plist convertBracket(const Value& bracket) { return typed(bracket, "convertBracket", {"Solid", "Dotted"}); }

Plist convertKey(const Value& key) {
    const Value* name = option_value(key, "convertKey");
    if (name == nullptr) return Plist::make_dictionary({{"Change", Plist::make_string("No")}});
    if (!name->is(Value::Kind::String)) throw Bridge_exception("convertKey", "Unknown constructor variant");
    return Plist::make_dictionary(
        {{"Change", Plist::make_string("Yes")}, {"Key", Plist::make_string(NSStringFromCoreString(*name))}});
}

Plist kov_partition(const Plist::Array& bars) {
    CoreFunction::garbageCollection();
    const Value centers = kov("Kov.partition").callWithParam(chordsForAnalysis(bars));
    Plist::Array list;
    for (const Value& center : CoreListElements(centers, "convertKeyCenters")) list.push_back(convertKeyCenter(center));
    return Plist::make_array(std::move(list));
}

Value kov_annotate_result(const Plist::Array& bars, const Plist::Array& key_centers) {
    CoreFunction::garbageCollection();
    return kov("Kov.annotate").callWithParam1(chordsForAnalysis(bars), CoreKeyCentersFromNSArray(key_centers));
}

Plist analysisDictionary(const Value& result) {
    return Plist::make_dictionary({{"Annotations", converted(result, 0, convertAnnotation)},
                                   {"Arrows", converted(result, 2, convertArrow)},
                                   {"Keys", converted(result, 3, convertKey)},
                                   {"Brackets", converted(result, 4, convertBracket)}});
}

std::vector<bool> analysisBarlines(const Value& result) {
    std::vector<bool> barlines;
    for (const Value& flag : CoreArrayElements(CoreTupleField(result, 1), "NSArrayFromCoreArray"))
        barlines.push_back(BoolFromCoreBool(flag));
    return barlines;
}

Plist kov_annotate(const Plist::Array& bars, const Plist::Array& key_centers) {
    return analysisDictionary(kov_annotate_result(bars, key_centers));
}

Annotated_chart kov_annotate_with_barlines(const Plist::Array& bars, const Plist::Array& key_centers) {
    const Value result = kov_annotate_result(bars, key_centers);
    return {analysisDictionary(result), analysisBarlines(result)};
}

std::string standardize_chord_name(const std::string& display_name) {
    if (display_name.empty() || is_no_chord(display_name)) return {};
    return replaceWithUnicodeSharpsAndFlats(Entry_points::chord_printname(replaceWithAsciiSharpsAndFlats(display_name)));
}

std::string preprocessRomanDisplayString(const std::string& roman) {
    const std::string guarded = replace_all(roman, "sub", "[_]");
    return replace_all(replaceWithUnicodeSharpsAndFlats(guarded), "[_]", "sub");
}

Plist::Array barsWithNewKeyCenter(const Plist::Array& bars, const std::string& key) {
    Plist::Array changed;
    for (const Plist& bar : bars) {
        const auto slots = bar.array_at("Keys").size();
        changed.push_back(bar.with("Keys", Plist::make_array(Plist::Array(slots, Plist::make_string(key)))));
    }
    return changed;
}

}  // namespace zub
