#include "core/generate/gen.h"

#include <algorithm>
#include <string>

#include "core/failure.h"
#include "core/generate/bass.h"
#include "core/generate/drums.h"
#include "core/generate/pattern.h"
#include "core/generate/piano.h"

namespace zub::Gen {

namespace {

constexpr int count_in_note = 75;
constexpr int count_in_velocity = 100;
const mpq_class count_in_shift(8);

void check_chorus(std::size_t bar_count, int begin, int end, int repeats) {
    if (repeats <= 0) throw Failure("Chorus repeat count must be at least 1: " + std::to_string(repeats));
    if (begin < 1 || end < begin || static_cast<std::size_t>(end) > bar_count)
        throw Failure("Chorus bars " + std::to_string(begin) + "-" + std::to_string(end) + " outside the chart's " +
                      std::to_string(bar_count) + " bars");
}

const Pattern& count_in_pattern() {
    static const Pattern pattern = Pattern::of_string("|x...x...|x.x.x.x.|");
    return pattern;
}

}  // namespace

std::vector<Chart::Bar> repeat_array(const std::vector<Chart::Bar>& bars, int count) {
    std::vector<Chart::Bar> repeated;
    for (int k = 0; k < count; ++k) repeated.insert(repeated.end(), bars.begin(), bars.end());
    return repeated;
}

Chord_seq add_bar(const Chord_seq& seq, const Chart::Bar& bar, int index) {
    Chord_seq result = seq;
    long offset = 0;
    for (const Chart::Entry& entry : bar) {
        result = result.add(mpq_class(4L * index + offset), mpq_class(entry.duration), entry.symbol);
        offset += entry.duration;
    }
    return result;
}

std::pair<Chord_seq, int> unrollchords(const std::vector<Chart::Bar>& bars, int begin, int end, int repeats) {
    check_chorus(bars.size(), begin, end, repeats);
    const auto first = bars.begin() + (begin - 1);
    const auto after = bars.begin() + end;
    std::vector<Chart::Bar> unrolled(bars.begin(), first);
    const std::vector<Chart::Bar> chorus = repeat_array({first, after}, repeats);
    unrolled.insert(unrolled.end(), chorus.begin(), chorus.end());
    unrolled.insert(unrolled.end(), after, bars.end());
    Chord_seq seq = Chord_seq::create();
    for (std::size_t i = 0; i < unrolled.size(); ++i) seq = add_bar(seq, unrolled[i], static_cast<int>(i));
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

Unrolled extractchordseq(const Chart& chart) {
    const Chart::Chorus& c = chart.chorus();
    auto [chords, bars] = unrollchords(chart.bars(), c.begin, c.end, c.repeats);
    return {chords, unrollsections(chart.sections(), c.begin, c.end, c.repeats), bars};
}

Midi_seq co_seq() {
    const Midinote note = Midinote::of_notenum(count_in_note);
    Midi_seq seq = Midi_seq::create();
    for (const Pattern_note& hit : count_in_pattern().notes())
        seq = seq.add(hit.start * 4, hit.duration * 4, {note, count_in_velocity});
    return seq;
}

Midi_seq shift(const mpq_class& amount, const Midi_seq& seq) {
    return seq.map([&amount](const Midi_seq::Ev& e) { return Midi_seq::Ev{e.time + amount, e.duration, e.payload}; });
}

std::vector<Track> gen(const Chart& chart) {
    if (chart.style().meter != 4)
        throw Failure("Chart not in 4/4 time: " + std::to_string(chart.style().meter));
    const Unrolled unrolled = extractchordseq(chart);
    const Midi_seq drums = Midi_seq::merge(co_seq(), shift(count_in_shift, Drums::gen(unrolled.sections, unrolled.bars)));
    const Midi_seq piano = shift(count_in_shift, Piano::gen(unrolled.chords, unrolled.sections));
    const Midi_seq bass = shift(count_in_shift, Bass::gen(unrolled.chords));
    return {Track{drums, "Drums", 10, 1}, Track{piano, "Piano", 1, 1}, Track{bass, "Bass", 2, 33}};
}

}  // namespace zub::Gen
