#include "core/generate/gen.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/failure.h"
#include "core/generate/band.h"
#include "core/generate/drums.h"
#include "core/generate/exact.h"
#include "core/generate/pattern.h"
#include "core/generate/perform.h"
#include "core/generate/piano.h"

namespace zub::Gen {

namespace {

constexpr int count_in_note = 75;
constexpr int count_in_velocity = 100;

void check_chorus(std::size_t bar_count, int begin, int end, int repeats) {
    if (repeats <= 0) throw Failure("Chorus repeat count must be at least 1: " + std::to_string(repeats));
    if (begin < 1 || end < begin || static_cast<std::size_t>(end) > bar_count)
        throw Failure("Chorus bars " + std::to_string(begin) + "-" + std::to_string(end) + " outside the chart's " +
                      std::to_string(bar_count) + " bars");
    // Counted in 64 bits before anything is unrolled: a huge count would
    // otherwise fill the memory long before it overflowed.
    const auto played = static_cast<std::int64_t>(bar_count) +
                        static_cast<std::int64_t>(end - begin + 1) * (static_cast<std::int64_t>(repeats) - 1);
    if (played > Gen::max_played_bars)
        throw Failure("Chorus repeat count makes more than " + std::to_string(Gen::max_played_bars) +
                      " bars: " + std::to_string(repeats));
}

// Two bars of claves: the first on each beat group's first beat (in four,
// beats 1 and 3), the second on every beat; in three, every beat of both.
Pattern count_in_pattern(int bar_beats) {
    std::string first, second;
    for (int group : bar_beats == 3 ? std::vector<int>{1, 1, 1} : Styles::beat_groups(bar_beats)) {
        first += "x." + std::string(2 * static_cast<std::size_t>(group - 1), '.');
        for (int k = 0; k < group; ++k) second += "x.";
    }
    return Pattern::of_string("|" + first + "|" + second + "|");
}

}  // namespace

Chord_seq add_bar(const Chord_seq& seq, const Chart::Bar& bar, int index, int bar_beats) {
    return add_bar_at(seq, bar, static_cast<long>(bar_beats) * index, 0);
}

Chord_seq add_bar_at(const Chord_seq& seq, const Chart::Bar& bar, long start, long held) {
    Chord_seq result = seq;
    long offset = 0;
    for (std::size_t k = 0; k < bar.size(); ++k) {
        const Chart::Entry& entry = bar[k];
        const long duration = entry.duration + (k + 1 == bar.size() ? held : 0);
        // No chord (N.C., or none yet at the start): bass and piano rest.
        if (!entry.symbol.empty() && !is_no_chord(entry.symbol))
            result = result.add(mpq_class(start + offset), mpq_class(duration), entry.symbol);
        offset += entry.duration;
    }
    return result;
}

std::vector<Played_bar> played_bars(std::size_t bar_count, int begin, int end, int repeats) {
    check_chorus(bar_count, begin, end, repeats);
    std::vector<Played_bar> played;
    for (int bar = 1; bar < begin; ++bar) played.push_back({bar, 0});
    for (int pass = 1; pass <= repeats; ++pass)
        for (int bar = begin; bar <= end; ++bar) played.push_back({bar, pass});
    for (int bar = end + 1; bar <= static_cast<int>(bar_count); ++bar) played.push_back({bar, 0});
    return played;
}

int beats_of(const Chart::Bar& bar) {
    int beats = 0;
    for (const Chart::Entry& entry : bar) beats += entry.duration;
    return beats;
}

Grid grid_of(const std::vector<int>& bar_lengths, int bar_beats) {
    Grid grid;
    int grid_bar = 0;
    for (const int beats : bar_lengths) {
        grid.first_grid_bar.push_back(grid_bar);
        const int grid_bars = std::max(1, (beats + bar_beats - 1) / bar_beats);
        const int unplayed = grid_bars * bar_beats - beats;
        if (unplayed > 0) grid.cuts.push_back({static_cast<long>(grid_bar) * bar_beats + beats, unplayed});
        grid_bar += grid_bars;
    }
    grid.bars = grid_bar;
    return grid;
}

Midi_seq cut(const Midi_seq& seq, const std::vector<Grid::Cut>& cuts) {
    if (cuts.empty()) return seq;
    Midi_seq result = Midi_seq::create();
    std::size_t next = 0;
    long removed = 0;
    for (const Midi_seq::Ev* event : seq.ordered()) {
        while (next < cuts.size() && event->time >= cuts[next].from + cuts[next].beats) removed += cuts[next++].beats;
        const bool in_cut = next < cuts.size() && event->time >= cuts[next].from;
        if (in_cut) continue;
        mpq_class duration = event->duration;
        // A note sounding into the cut stops where the bar does.
        if (next < cuts.size() && event->time + duration > cuts[next].from) duration = cuts[next].from - event->time;
        result = result.add(event->time - removed, duration, event->payload);
    }
    return result;
}

std::pair<Chord_seq, int> unrollchords(const std::vector<Chart::Bar>& bars, int begin, int end, int repeats,
                                       int bar_beats) {
    const std::vector<Played_bar> played = played_bars(bars.size(), begin, end, repeats);
    Chord_seq seq = Chord_seq::create();
    for (std::size_t i = 0; i < played.size(); ++i)
        seq = add_bar(seq, bars[static_cast<std::size_t>(played[i].bar - 1)], static_cast<int>(i), bar_beats);
    return {seq, static_cast<int>(played.size())};
}

Sections repeat_sections(const Sections& marks, int length, int repeats) {
    Sections placed;
    for (const auto& [bar, mark] : marks)
        for (int k = 0; k < repeats; ++k) placed.emplace_back(bar + k * length, mark);
    return placed;
}

Sections unrollsections(const std::vector<Chart::Section>& sections, int begin, int end, int repeats) {
    const int length = end - begin + 1;
    Sections placed;
    Sections chorus;
    for (const Chart::Section& s : sections) {
        if (s.bar < begin) placed.emplace_back(s.bar, s.mark);
        else if (s.bar <= end) chorus.emplace_back(s.bar, s.mark);
        else placed.emplace_back(s.bar + (repeats - 1) * length, s.mark);
    }
    const Sections repeated = repeat_sections(chorus, length, repeats);
    placed.insert(placed.end(), repeated.begin(), repeated.end());
    std::sort(placed.begin(), placed.end());
    return placed;
}

Unrolled extractchordseq(const Chart& chart, int bar_beats) {
    const Chart::Chorus& c = chart.chorus();
    const std::vector<Played_bar> played = played_bars(chart.bars().size(), c.begin, c.end, c.repeats);
    std::vector<int> lengths;
    for (const Played_bar& bar : played) lengths.push_back(beats_of(chart.bars()[static_cast<std::size_t>(bar.bar - 1)]));
    Unrolled unrolled{Chord_seq::create(), {}, 0, grid_of(lengths, bar_beats)};
    for (std::size_t i = 0; i < played.size(); ++i) {
        const int grid_bar = unrolled.grid.first_grid_bar[i];
        const int next = i + 1 < played.size() ? unrolled.grid.first_grid_bar[i + 1] : unrolled.grid.bars;
        // A short bar's last chord is held to the grid's bar line: what sounds past the bar is cut away.
        const long held = static_cast<long>(next - grid_bar) * bar_beats - lengths[i];
        unrolled.chords = add_bar_at(unrolled.chords, chart.bars()[static_cast<std::size_t>(played[i].bar - 1)],
                                     static_cast<long>(grid_bar) * bar_beats, held);
    }
    unrolled.bars = unrolled.grid.bars;
    for (auto& [bar, mark] : unrollsections(chart.sections(), c.begin, c.end, c.repeats))
        unrolled.sections.emplace_back(unrolled.grid.first_grid_bar.at(static_cast<std::size_t>(bar - 1)) + 1, mark);
    return unrolled;
}

Midi_seq co_seq(int bar_beats) {
    const Midinote note = Midinote::of_notenum(count_in_note);
    Midi_seq seq = Midi_seq::create();
    const Pattern clicks = count_in_pattern(bar_beats);
    for (const Pattern_note& hit : clicks.notes())
        seq = seq.add(hit.start * bar_beats, hit.duration * bar_beats, {note, count_in_velocity});
    return seq;
}

Midi_seq shift(const mpq_class& amount, const Midi_seq& seq) {
    return seq.map(
        [&amount](const Midi_seq::Ev& e) { return Midi_seq::Ev{Exact::add(e.time, amount), e.duration, e.payload}; });
}

std::vector<Track> gen(const Chart& chart) {
    const Style style = Styles::style_of(chart.style());
    const int bar_beats = chart.style().meter;
    const Band& band = Bands::of(style, bar_beats);
    const mpq_class count_in(count_in_bars * bar_beats);
    const double swing_ratio = Perform::swing_ratio_at(chart.tempo());
    const Unrolled unrolled = extractchordseq(chart, bar_beats);
    const Chord_seq grouped = Bands::in_beat_groups(unrolled.chords, bar_beats);
    // Bars of another length are played on the meter's grid, and the beats past them cut out.
    const auto played = [&](const Midi_seq& seq) { return shift(count_in, cut(seq, unrolled.grid.cuts)); };
    const Midi_seq drums = Midi_seq::merge(
        co_seq(bar_beats), played(Drums::gen(unrolled.sections, unrolled.bars, band.kit, swing_ratio)));
    // A chart of nothing but N.C. has no chords to comp or walk on.
    const bool silent = grouped.events().empty();
    const Midi_seq piano =
        silent ? Midi_seq::create() : played(Piano::gen(grouped, unrolled.sections, band.comping, swing_ratio));
    const Midi_seq bass = silent ? Midi_seq::create() : played(band.bass(grouped, swing_ratio));
    return {Track{drums, "Drums", 10, band.kit.program}, Track{piano, "Piano", 1, 1}, Track{bass, "Bass", 2, 33}};
}

}  // namespace zub::Gen
