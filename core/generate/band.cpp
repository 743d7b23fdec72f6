#include "core/generate/band.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "core/generate/bass.h"
#include "core/generate/bossa_bass.h"
#include "core/generate/figure_bass_table.h"

namespace zub::Bands {

namespace {

using Weighted = std::vector<std::pair<Pattern, double>>;

Weighted entries_of(const Randset<Pattern>& set) {
    Weighted listed;
    double before = 0.0;
    for (const auto& [pattern, cumulative] : set.entries()) {
        listed.emplace_back(pattern, cumulative - before);
        before = cumulative;
    }
    return listed;
}

// The first `beats` beats of a pattern in bars of bar_beats, as a bar of its own.
Pattern first_beats(const Pattern& pattern, int bar_beats, int beats) {
    const mpq_class end(beats, bar_beats);
    std::vector<Pattern_note> kept;
    for (const Pattern_note& n : pattern.notes()) {
        if (n.start < 0 || n.start >= end) continue;
        const mpq_class duration = std::min(mpq_class(n.start + n.duration), end) - n.start;
        kept.push_back({n.start / end, duration / end});
    }
    return Pattern::of_notes(kept);
}

// Each group's pattern placed at its beat in a bar of meter beats.
Pattern placed(const std::vector<std::pair<Pattern, int>>& parts, int meter) {
    std::vector<Pattern_note> notes;
    int at = 0;
    for (const auto& [pattern, beats] : parts) {
        for (const Pattern_note& n : pattern.notes())
            notes.push_back({(n.start * beats + at) / meter, n.duration * beats / meter});
        at += beats;
    }
    return Pattern::of_notes(notes);
}

// The weighted choices of one instrument per group, joined into bars.
Randset<Pattern> joined_sets(const std::vector<int>& groups, const std::vector<Weighted>& per_group, int meter) {
    std::vector<std::pair<std::vector<std::pair<Pattern, int>>, double>> partial = {{{}, 1.0}};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::vector<std::pair<std::vector<std::pair<Pattern, int>>, double>> longer;
        for (const auto& [parts, weight] : partial)
            for (const auto& [pattern, w] : per_group[g]) {
                auto more = parts;
                more.emplace_back(pattern, groups[g]);
                longer.emplace_back(std::move(more), weight * w);
            }
        partial = std::move(longer);
    }
    std::vector<std::pair<Pattern, double>> bars;
    for (const auto& [parts, weight] : partial) bars.emplace_back(placed(parts, meter), weight);
    return Randset<Pattern>::create(bars);
}

Weighted group_entries(const Drums::Kit& kit, const Randset<Pattern>& set, int beats) {
    Weighted listed = entries_of(set);
    if (kit.bar_beats != beats)
        for (auto& entry : listed) entry.first = first_beats(entry.first, kit.bar_beats, beats);
    return listed;
}

// The ending: the first group's ending figure, silence after it.
Pattern joined_ending(const std::vector<int>& groups, const Drums::Kit& first, std::size_t k, int meter) {
    const Pattern& ending = first.instruments[k].ending;
    const Pattern head = first.bar_beats == groups[0] ? ending : first_beats(ending, first.bar_beats, groups[0]);
    return placed({{head, groups[0]}}, meter);
}

bool straight(Style style) { return style == Style::even_eighths; }

const Drums::Kit& group_kit(Style style, int beats) {
    if (beats == 3) return straight(style) ? Drums::even_eighths_three_kit() : Drums::waltz_kit();
    return straight(style) ? Drums::even_eighths_kit() : Drums::swing_kit();
}

Piano::Comping odd_meter_comping(Style style, int meter, const std::vector<int>& groups) {
    Piano::Comping comping = Piano::comping(style);
    comping.bar_beats = meter;
    comping.three_beat = straight(style) ? Piano::even_eighths_three_sets() : Piano::waltz_comping().bar_sets;
    comping.last = Pattern::of_notes({{mpq_class(0), mpq_class(1)}});
    comping.groove = Perform::groove_in_eighths(groups, 0.92, 0.85, 1.0);
    return comping;
}

// Each line keeps its own copy of its table, made once with the band.
std::function<Midi_seq(const Chord_seq&, double)> walking(const Bass::Walk& walk) {
    return [walk](const Chord_seq& chords, double ratio) { return Bass::gen(chords, walk, ratio); };
}

std::function<Midi_seq(const Chord_seq&, double)> figured(const Figure_bass::Figures& figures) {
    return [figures](const Chord_seq& chords, double ratio) { return Figure_bass::gen(chords, figures, ratio); };
}

std::function<Midi_seq(const Chord_seq&, double)> bass_of(Style style) {
    switch (style) {
        case Style::jazz_waltz: return walking(Bass::waltz_walk());
        case Style::bossa_nova: return [](const Chord_seq& chords, double) { return Bossa_bass::gen(chords); };
        case Style::ballad: return walking(Bass::ballad_walk());
        case Style::two_feel: return walking(Bass::two_feel_walk());
        case Style::even_eighths: return figured(Figure_bass::even_eighths());
        case Style::latin: return figured(Figure_bass::latin());
        case Style::funk: return figured(Figure_bass::funk());
        case Style::shuffle: return figured(Figure_bass::shuffle());
        case Style::swing: break;
    }
    return walking(Bass::swing_walk());
}

Band make_band(Style style, int meter) {
    if (meter == 3 || meter == 4) return {Drums::kit(style), Piano::comping(style), bass_of(style)};
    const std::vector<int> groups = Styles::beat_groups(meter);
    Band band{joined(groups, [style](int beats) -> const Drums::Kit& { return group_kit(style, beats); }),
              odd_meter_comping(style, meter, groups), {}};
    // The walk and the figures in bars of this meter.
    const Perform::Groove_table groove = Perform::groove_in_eighths(groups, 1.0, 0.85, 0.7);
    if (straight(style)) {
        Figure_bass::Figures f = Figure_bass::even_eighths();
        f.groove = groove;
        f.bar_beats = meter;
        band.bass = figured(f);
    } else {
        band.bass = walking(Bass::Walk{meter, groove, 0.0});
    }
    return band;
}

}  // namespace

Drums::Kit joined(const std::vector<int>& groups, const std::function<const Drums::Kit&(int)>& kit_of_group) {
    const int meter = std::accumulate(groups.begin(), groups.end(), 0);
    const Drums::Kit& first = kit_of_group(groups[0]);
    Drums::Kit kit{.instruments = {}, .groove = {}, .bar_beats = meter, .swung = first.swung, .program = first.program};
    for (std::size_t k = 0; k < first.instruments.size(); ++k) {
        std::vector<Weighted> normal, fill;
        for (int beats : groups) {
            const Drums::Kit& part = kit_of_group(beats);
            normal.push_back(group_entries(part, part.instruments[k].normal[0], beats));
            fill.push_back(group_entries(part, part.instruments[k].fill[0], beats));
        }
        Drums::Instrument instrument = first.instruments[k];
        instrument.normal = {joined_sets(groups, normal, meter)};
        instrument.fill = {joined_sets(groups, fill, meter)};
        instrument.ending = joined_ending(groups, first, k, meter);
        kit.instruments.push_back(std::move(instrument));
    }
    kit.groove = Perform::groove_in_eighths(groups, 1.0, 0.9, 0.7);
    return kit;
}

const Band& of(Style style, int meter) {
    static std::map<std::pair<Style, int>, Band> bands;
    const auto key = std::make_pair(style, meter);
    auto found = bands.find(key);
    if (found == bands.end()) found = bands.emplace(key, make_band(style, meter)).first;
    return found->second;
}

Chord_seq in_beat_groups(const Chord_seq& chords, int meter) {
    if (meter == 3 || meter == 4) return chords;
    std::vector<long> starts;  // group starts within a bar
    long at = 0;
    for (int beats : Styles::beat_groups(meter)) {
        starts.push_back(at);
        at += beats;
    }
    Chord_seq cut = Chord_seq::create();
    for (const auto* e : chords.ordered()) {
        mpq_class from = e->time;
        const mpq_class end = e->time + e->duration;
        while (from < end) {
            // The next group start after `from`.
            const mpq_class bar_start = mpq_class(mpz_class(from.get_num() / (from.get_den() * meter))) * meter;
            mpq_class next = bar_start + meter;
            for (long s : starts)
                if (bar_start + s > from) {
                    next = bar_start + s;
                    break;
                }
            const mpq_class until = std::min(next, end);
            cut = cut.add(from, until - from, e->payload);
            from = until;
        }
    }
    return cut;
}

}  // namespace zub::Bands
