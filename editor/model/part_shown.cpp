#include "editor/model/part_shown.h"

#include <exception>

#include "bridge/accidentals.h"

namespace zub {

namespace {
constexpr const char* show_for_key = "ShowFor";
}  // namespace

Instrument shownInstrumentOf(const Plist& chart) {
    const Plist* stored = chart.find(show_for_key);
    if (!stored || stored->kind() != Plist::Kind::string) return Instrument::concert;
    try {
        return instrumentOfName(stored->as_string());
    } catch (const std::exception&) {
        return Instrument::concert;
    }
}

Plist withShownInstrument(const Plist& chart, Instrument instrument) {
    if (instrument != Instrument::concert)
        return chart.with(show_for_key, Plist::make_string(replaceWithAsciiSharpsAndFlats(instrumentName(instrument))));
    if (!chart.find(show_for_key)) return chart;
    Plist::Dictionary entries = chart.as_dictionary();
    entries.erase(show_for_key);
    return Plist::make_dictionary(std::move(entries));
}

}  // namespace zub
