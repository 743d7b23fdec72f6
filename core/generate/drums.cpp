#include "core/generate/drums.h"

#include <algorithm>

#include "core/generate/perform.h"

namespace zub::Drums {

namespace {

bool has_mark(const Sections& sections, int bar) {
    return std::any_of(sections.begin(), sections.end(), [bar](const auto& mark) { return mark.first == bar; });
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

Midi_seq midify(const Bar_track& track, const Midinote& note) {
    Midi_seq seq = Midi_seq::create();
    for (const auto* bar : track.ordered())
        for (const Pattern_note& hit : bar->payload.notes())
            seq = seq.add(bar->time + bar->duration * hit.start, bar->duration * hit.duration,
                          {note, Perform::default_velocity});
    return seq;
}

Midi_seq gen(const Sections& sections, int bars) {
    return gen(sections, bars, swing_kit(), Perform::swing_ratio_at(Perform::medium_tempo));
}

Midi_seq gen(const Sections& sections, int bars, const Kit& kit, double swing_ratio) {
    const std::vector<Instrument>& list = kit.instruments;
    const auto tracks = gen_trks(sections, bars, kit);
    std::vector<Midi_seq> played;
    Perform::Note_velocity_table velocities;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Midinote note = Midinote::of_notenum(list[k].notenum);
        played.push_back(midify(tracks[k].second, note));
        velocities.emplace_back(note, list[k].velocity);
    }
    const Midi_seq merged = Midi_seq::merge_all(played);
    const Midi_seq shaped = Perform::groove_velocity_scaling(kit.groove, mpq_class(kit.bar_beats),
                                                             Perform::midinote_velocity_map(velocities, merged));
    return kit.swung ? Perform::swing(swing_ratio, shaped) : shaped;
}

}  // namespace zub::Drums
