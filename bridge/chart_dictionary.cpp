#include "bridge/chart_dictionary.h"

#include <algorithm>

#include "bridge/accidentals.h"
#include "bridge/bar_marks.h"
#include "bridge/bridge_exception.h"
#include "bridge/internal/form_keys.h"

namespace zub {

namespace {

// Runs check, putting "<place>: " in front of any failure it reports.
template <typename Check>
void within(const std::string& place, Check check) {
    try {
        check();
    } catch (const Bridge_exception& failure) {
        throw Bridge_exception(failure.name(), place + ": " + failure.reason());
    }
}

std::size_t count_strings(const Plist::Array& slots) {
    for (const Plist& slot : slots) slot.as_string();
    return slots.size();
}

void check_meter(std::int64_t meter) {
    if (meter < 1 || meter > max_meter) throw Bridge_exception("checkChartDictionary", "Invalid meter: " + std::to_string(meter));
}

Plist empty_slots(std::size_t count) { return Plist::make_array(Plist::Array(count, Plist::make_string(""))); }

}  // namespace

void checkBar(const Plist& bar, std::size_t number) {
    within("Bar " + std::to_string(number), [&] {
        const std::size_t chords = count_strings(bar.array_at("Chords"));
        const std::size_t keys = count_strings(bar.array_at("Keys"));
        if (chords == 0) throw Bridge_exception("checkBar", "no slots");
        if (keys != chords)
            throw Bridge_exception("checkBar", "Keys has " + std::to_string(keys) + " slots, Chords has " + std::to_string(chords));
        const std::int64_t mark = bar.integer_at("SectionMark");
        if (mark < 1 || mark > 255) throw Bridge_exception("checkBar", "Invalid section mark: " + std::to_string(mark));
        const Bar_form form = barFormOf(bar);
        if (form.time && static_cast<std::size_t>(form.time->beats()) != chords)
            throw Bridge_exception("checkBar", "Time " + form.time->to_string() + " needs " +
                                                   std::to_string(form.time->beats()) + " slots, Chords has " +
                                                   std::to_string(chords));
    });
}

void checkChartDictionary(const Plist& chart) {
    chart.string_at("Name");
    // Optional: charts from before the composer was kept have none.
    if (chart.find("Composer")) chart.string_at("Composer");
    barsPerLineOf(chart);
    within("Style", [&] {
        const Plist& style = chart.dictionary_at("Style");
        check_meter(style.integer_at("Meter"));
        style.integer_at("StyleType");
    });
    chart.string_at("Key");
    chart.integer_at("Tempo");
    within("Chorus", [&] {
        const Plist& chorus = chart.dictionary_at("Chorus");
        chorus.integer_at("Begin");
        chorus.integer_at("End");
        chorus.integer_at("Repeats");
    });
    const Plist::Array& bars = chart.array_at("Chords");
    for (std::size_t k = 0; k < bars.size(); ++k) checkBar(bars[k], k + 1);
    within("Font", [&] {
        const Plist& font = chart.dictionary_at("Font");
        font.string_at("FontName");
        font.real_at("PointSize");
    });
}

Plist oneBlankBar(std::int64_t meter) {
    check_meter(meter);
    const auto slots = static_cast<std::size_t>(meter);
    return Plist::make_array({Plist::make_dictionary({{"Chords", empty_slots(slots)},
                                                      {"Keys", empty_slots(slots)},
                                                      {"SectionMark", Plist::make_integer(no_section_mark)}})});
}

Plist fixChorusEnd(const Plist& chart) {
    const Plist& chorus = chart.dictionary_at("Chorus");
    if (chorus.integer_at("End") != chorus_end_of_chart) return chart;
    const auto bars = static_cast<std::int64_t>(chart.array_at("Chords").size());
    return chart.with("Chorus", chorus.with("End", Plist::make_integer(bars)));
}

std::vector<std::vector<ChordDurationPair>> chordDurationPairsFromChords(const Plist::Array& bars) {
    std::vector<std::vector<ChordDurationPair>> result;
    std::string current;  // the chord sounding; the chart may begin with none
    for (const Plist& bar : bars) {
        const Plist::Array& slots = bar.array_at("Chords");
        std::vector<ChordDurationPair> pairs;
        std::int64_t count = 0;
        for (std::size_t k = 0; k < slots.size(); ++k) {
            const std::string& slot = slots[k].as_string();
            if (k == 0) {
                if (!slot.empty()) current = slot;
                count = 1;
            } else if (slot.empty()) {
                ++count;
            } else {
                pairs.push_back({replaceWithAsciiSharpsAndFlats(current), count});
                current = slot;
                count = 1;
            }
        }
        if (count > 0) pairs.push_back({replaceWithAsciiSharpsAndFlats(current), count});
        result.push_back(std::move(pairs));
    }
    return result;
}

std::vector<BarSectionPair> barSectionPairsFromChords(const Plist::Array& bars) {
    std::vector<BarSectionPair> sections;
    for (std::size_t k = 0; k < bars.size(); ++k) {
        const std::int64_t mark = bars[k].integer_at("SectionMark");
        if (mark != no_section_mark) sections.push_back({static_cast<std::int64_t>(k + 1), mark});
    }
    return sections;
}

Plist slotsFromChordDurationPairs(const std::vector<ChordDurationPair>& pairs) {
    Plist::Array slots;
    std::int64_t total = 0;
    for (const ChordDurationPair& pair : pairs) {
        total += std::clamp<std::int64_t>(pair.beats, 1, max_bar_slots + 1);
        if (total > max_bar_slots) throw Bridge_exception("convertBar", "Too many slots in a bar: " + std::to_string(total));
        slots.push_back(Plist::make_string(replaceWithUnicodeSharpsAndFlats(pair.chord)));
        for (std::int64_t k = 1; k < pair.beats; ++k) slots.push_back(Plist::make_string(""));
    }
    return Plist::make_array(std::move(slots));
}

}  // namespace zub
