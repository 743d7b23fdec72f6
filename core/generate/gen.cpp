#include "core/generate/gen.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/failure.h"
#include "core/generate/bass.h"
#include "core/generate/bossa_bass.h"
#include "core/generate/drums.h"
#include "core/generate/pattern.h"
#include "core/generate/piano.h"

namespace zub::Gen {

namespace {

constexpr int count_in_note = 75;
constexpr int count_in_velocity = 100;
constexpr int count_in_bars = 2;

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

// Two bars of claves: in four, beats 1 and 3 and then every beat; in three, every beat.
const Pattern& count_in_pattern(int bar_beats) {
    static const Pattern in_four = Pattern::of_string("|x...x...|x.x.x.x.|");
    static const Pattern in_three = Pattern::of_string("|x.x.x.|x.x.x.|");
    return bar_beats == 3 ? in_three : in_four;
}

Midi_seq bass_of(Style style, const Chord_seq& chords) {
    if (style == Style::jazz_waltz) return Bass::gen(chords, Bass::waltz_walk());
    if (style == Style::bossa_nova) return Bossa_bass::gen(chords);
    return Bass::gen(chords);
}

}  // namespace

std::vector<Chart::Bar> repeat_array(const std::vector<Chart::Bar>& bars, int count) {
    std::vector<Chart::Bar> repeated;
    for (int k = 0; k < count; ++k) repeated.insert(repeated.end(), bars.begin(), bars.end());
    return repeated;
}

Chord_seq add_bar(const Chord_seq& seq, const Chart::Bar& bar, int index, int bar_beats) {
    Chord_seq result = seq;
    long offset = 0;
    for (const Chart::Entry& entry : bar) {
        // No chord (N.C., or none yet at the start): bass and piano rest.
        if (!entry.symbol.empty() && !is_no_chord(entry.symbol))
            result = result.add(mpq_class(static_cast<long>(bar_beats) * index + offset), mpq_class(entry.duration),
                                entry.symbol);
        offset += entry.duration;
    }
    return result;
}

std::pair<Chord_seq, int> unrollchords(const std::vector<Chart::Bar>& bars, int begin, int end, int repeats,
                                       int bar_beats) {
    check_chorus(bars.size(), begin, end, repeats);
    const auto first = bars.begin() + (begin - 1);
    const auto after = bars.begin() + end;
    std::vector<Chart::Bar> unrolled(bars.begin(), first);
    const std::vector<Chart::Bar> chorus = repeat_array({first, after}, repeats);
    unrolled.insert(unrolled.end(), chorus.begin(), chorus.end());
    unrolled.insert(unrolled.end(), after, bars.end());
    Chord_seq seq = Chord_seq::create();
    for (std::size_t i = 0; i < unrolled.size(); ++i) seq = add_bar(seq, unrolled[i], static_cast<int>(i), bar_beats);
    return {seq, static_cast<int>(unrolled.size())};
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
    auto [chords, bars] = unrollchords(chart.bars(), c.begin, c.end, c.repeats, bar_beats);
    return {chords, unrollsections(chart.sections(), c.begin, c.end, c.repeats), bars};
}

Midi_seq co_seq(int bar_beats) {
    const Midinote note = Midinote::of_notenum(count_in_note);
    Midi_seq seq = Midi_seq::create();
    for (const Pattern_note& hit : count_in_pattern(bar_beats).notes())
        seq = seq.add(hit.start * bar_beats, hit.duration * bar_beats, {note, count_in_velocity});
    return seq;
}

Midi_seq shift(const mpq_class& amount, const Midi_seq& seq) {
    return seq.map([&amount](const Midi_seq::Ev& e) { return Midi_seq::Ev{e.time + amount, e.duration, e.payload}; });
}

namespace {

// Odd meters have no groove yet: a chart in one, or with a bar in one, is refused by name.
void check_meters(const Chart& chart) {
    const int meter = chart.style().meter;
    if (meter >= 5 && meter <= 7) throw Failure(std::to_string(meter) + "/4 time cannot be accompanied yet");
    for (const Chart::Marks& marks : chart.forms())
        if (marks.form.time && marks.form.time->lower() == 4 && marks.form.time->upper() >= 5)
            throw Failure(marks.form.time->to_string() + " time cannot be accompanied yet");
}

}  // namespace

std::vector<Track> gen(const Chart& chart) {
    check_meters(chart);
    const Style style = Styles::style_of(chart.style());
    const int bar_beats = Styles::beats_per_bar(style);
    const mpq_class count_in(count_in_bars * bar_beats);
    const Unrolled unrolled = extractchordseq(chart, bar_beats);
    const Midi_seq drums = Midi_seq::merge(
        co_seq(bar_beats), shift(count_in, Drums::gen(unrolled.sections, unrolled.bars, Drums::kit(style))));
    // A chart of nothing but N.C. has no chords to comp or walk on.
    const bool silent = unrolled.chords.events().empty();
    const Midi_seq piano = silent ? Midi_seq::create()
                                  : shift(count_in, Piano::gen(unrolled.chords, unrolled.sections, Piano::comping(style)));
    const Midi_seq bass = silent ? Midi_seq::create() : shift(count_in, bass_of(style, unrolled.chords));
    return {Track{drums, "Drums", 10, 1}, Track{piano, "Piano", 1, 1}, Track{bass, "Bass", 2, 33}};
}

}  // namespace zub::Gen
