#include "core/generate/drums.h"

#include <algorithm>

#include "core/generate/exact.h"
#include "core/generate/perform.h"

namespace zub::Drums {

namespace {

bool has_mark(const Sections& sections, int bar) {
    return std::any_of(sections.begin(), sections.end(), [bar](const auto& mark) { return mark.first == bar; });
}

// The notes of one instrument, before the groove shapes their velocity.
Midi_seq midify(const Bar_track& track, const Midinote& note, int velocity) {
    Midi_seq seq = Midi_seq::create();
    for (const auto* bar : track.ordered())
        for (const Pattern_note& hit : bar->payload.notes())
            seq = seq.add(Exact::add(bar->time, Exact::multiply(bar->duration, hit.start)),
                          Exact::multiply(bar->duration, hit.duration), {note, velocity});
    return seq;
}

}  // namespace

Bar_track add(const Bar_track& track, int bar, const Pattern& pattern, int bar_beats) {
    return track.add(mpq_class(bar_beats * (bar - 1)), mpq_class(bar_beats), pattern);
}

std::vector<std::pair<std::string, Bar_track>> gen_trks(const Sections& sections, int bars) {
    return gen_trks(sections, bars, swing_kit());
}

std::vector<std::pair<std::string, Bar_track>> gen_trks(const Sections& sections, int bars, const Kit& kit) {
    const std::vector<Instrument>& list = kit.instruments;
    std::vector<Bar_track> tracks(list.size(), Bar_track::create());
    for (int bar = 1; bar < bars; ++bar) {
        const bool fill = has_mark(sections, bar + 1);
        for (std::size_t k = 0; k < list.size(); ++k) {
            const auto& cycle = fill ? list[k].fill : list[k].normal;
            const Randset<Pattern>& set = cycle[static_cast<std::size_t>(bar - 1) % cycle.size()];
            tracks[k] = add(tracks[k], bar, set.choose(), kit.bar_beats);
        }
    }
    for (std::size_t k = 0; k < list.size(); ++k) tracks[k] = add(tracks[k], bars, list[k].ending, kit.bar_beats);
    std::vector<std::pair<std::string, Bar_track>> named;
    for (std::size_t k = 0; k < list.size(); ++k) named.emplace_back(list[k].name, tracks[k]);
    return named;
}


Midi_seq gen(const Sections& sections, int bars) {
    return gen(sections, bars, swing_kit(), Perform::swing_ratio_at(Perform::medium_tempo));
}

Midi_seq gen(const Sections& sections, int bars, const Kit& kit, double swing_ratio) {
    const std::vector<Instrument>& list = kit.instruments;
    const auto tracks = gen_trks(sections, bars, kit);
    // A note's velocity is that of the first instrument playing it.
    std::vector<std::pair<int, int>> velocities;  // note number, velocity
    for (const Instrument& instrument : list)
        if (std::none_of(velocities.begin(), velocities.end(), [&](const auto& v) { return v.first == instrument.notenum; }))
            velocities.emplace_back(instrument.notenum, instrument.velocity);
    std::vector<Midi_seq> played;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const auto velocity = std::find_if(velocities.begin(), velocities.end(),
                                           [&](const auto& v) { return v.first == list[k].notenum; });
        played.push_back(midify(tracks[k].second, Midinote::of_notenum(list[k].notenum), velocity->second));
    }
    return Perform::groove_and_swing(kit.groove, mpq_class(kit.bar_beats),
                                     kit.swung ? std::optional(swing_ratio) : std::nullopt, Midi_seq::merge_all(played));
}

}  // namespace zub::Drums
