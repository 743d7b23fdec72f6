#include "core/generate/drums.h"

#include <algorithm>

#include "core/generate/drums_table.h"
#include "core/generate/perform.h"

namespace zub::Drums {

namespace {

bool has_mark(const Sections& sections, int bar) {
    return std::any_of(sections.begin(), sections.end(), [bar](const auto& mark) { return mark.first == bar; });
}

}  // namespace

Bar_track add(const Bar_track& track, int bar, const Pattern& pattern) {
    return track.add(mpq_class(4 * (bar - 1)), mpq_class(4), pattern);
}

std::vector<std::pair<std::string, Bar_track>> gen_trks(const Sections& sections, int bars) {
    const std::vector<Instrument>& list = instruments();
    std::vector<Bar_track> tracks(list.size(), Bar_track::create());
    for (int bar = 1; bar < bars; ++bar) {
        const bool fill = has_mark(sections, bar + 1);
        for (std::size_t k = 0; k < list.size(); ++k)
            tracks[k] = add(tracks[k], bar, (fill ? list[k].fill : list[k].normal).choose());
    }
    for (std::size_t k = 0; k < list.size(); ++k) tracks[k] = add(tracks[k], bars, list[k].ending);
    std::vector<std::pair<std::string, Bar_track>> named;
    for (std::size_t k = 0; k < list.size(); ++k) named.emplace_back(list[k].name, tracks[k]);
    return named;
}

Midi_seq midify(const Bar_track& track, const Midinote& note) {
    Midi_seq seq = Midi_seq::create();
    for (const auto* bar : track.ordered())
        for (const Pattern_note& hit : bar->payload.notes())
            seq = seq.add(bar->time + 4 * hit.start, 4 * hit.duration, {note, Perform::default_velocity});
    return seq;
}

Midi_seq gen(const Sections& sections, int bars) {
    const std::vector<Instrument>& list = instruments();
    const auto tracks = gen_trks(sections, bars);
    Midi_seq merged = Midi_seq::create();
    Perform::Note_velocity_table velocities;
    for (std::size_t k = 0; k < list.size(); ++k) {
        const Midinote note = Midinote::of_notenum(list[k].notenum);
        merged = Midi_seq::merge(merged, midify(tracks[k].second, note));
        velocities.emplace_back(note, list[k].velocity);
    }
    const Midi_seq shaped = Perform::groove_velocity_scaling(
        groove_table(), mpq_class(4), Perform::midinote_velocity_map(velocities, merged));
    return Perform::swing(swing_ratio, shaped);
}

}  // namespace zub::Drums
