#include "bridge/entry_points.h"

#include "bridge/bridge_exception.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/core_function.h"
#include "bridge/internal/core_values.h"
#include "bridge/internal/reaching_core.h"
#include "bridge/played_form.h"
#include "core/charts/biabwriter.h"
#include "core/charts/form.h"
#include "core/charts/kelwriter.h"
#include "core/registry/chart_value.h"

namespace zub::Entry_points {

namespace {

const CoreFunction& entry(const char* name) { return CoreFunction::shared(name); }

Value bytes_value(std::string_view bytes) { return Value::of_string(std::string(bytes)); }

// BiaB songs have no rest chord: an N.C. slot holds the chord before it.
Plist held_over_no_chord(const Plist& chart) {
    Plist::Array bars = chart.array_at("Chords");
    for (Plist& bar : bars) {
        Plist::Array slots = bar.array_at("Chords");
        bool changed = false;
        for (std::size_t k = 0; k < slots.size(); ++k)
            if (is_no_chord(slots[k].as_string()) && (k > 0 || &bar != &bars.front())) {
                slots[k] = Plist::make_string("");
                changed = true;
            }
        if (changed) bar = bar.with("Chords", Plist::make_array(std::move(slots)));
    }
    return chart.with("Chords", Plist::make_array(std::move(bars)));
}

}  // namespace

std::vector<std::string> chordtype_all_names() {
    const Value result = entry("Chordtype.all_names").callWithParam(Value::unit());
    std::vector<std::string> names;
    for (const Value& name : CoreListElements(result, "CoreListFromNSArray")) names.push_back(NSStringFromCoreString(name));
    return names;
}

std::string chord_printname(const std::string& symbol) {
    return NSStringFromCoreString(entry("chord_printname").callWithParam(CoreStringFromNSString(symbol)));
}

Plist kelreader_read_chart(std::string_view bytes, const Plist& font) {
    return dictionaryFromCoreChart(entry("Kelreader.read_chart").callWithParam(bytes_value(bytes)), font);
}

Plist biabreader_read_chart(std::string_view bytes, const Plist& font) {
    return dictionaryFromCoreChart(entry("Biabreader.read_chart").callWithParam(bytes_value(bytes)), font);
}

std::string approximationLine(const Biab_approximation& approximation) {
    std::string bars;
    for (int bar : approximation.bars) bars += (bars.empty() ? "" : ", ") + std::to_string(bar);
    return approximation.symbol + (approximation.bars.size() == 1 ? " in bar " : " in bars ") + bars + " written as " +
           approximation.written;
}

Biab_song biabwriter_write_chart(const Plist& chart) {
    const Value record = convertChart(held_over_no_chord(hasForm(chart) ? playedChart(chart) : chart));
    return reaching_core("biabwriter_write_chart", [&] {
        const Biabwriter::Song_file file = Biabwriter::write_song(Chart_value::chart_of(record));
        Biab_song song{Plist::Data(file.bytes.begin(), file.bytes.end()), {}};
        for (const auto& approximation : file.approximations)
            song.approximations.push_back({approximation.symbol, approximation.written, approximation.bars});
        return song;
    });
}

std::string kelwriter_write_chart(const Plist& chart) {
    const Value record = convertChart(chart);
    return reaching_core("kelwriter_write_chart", [&] { return Kelwriter::write_chart(Chart_value::chart_of(record)); });
}

void compatscales_set_cache_pathname(const std::string& directory) {
    entry("Compatscales.set_cache_pathname").callWithParam(CoreStringFromNSString(directory));
}

}  // namespace zub::Entry_points
