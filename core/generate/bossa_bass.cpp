#include "core/generate/bossa_bass.h"

#include <algorithm>
#include <optional>

#include "core/analysis/tonalana.h"
#include "core/failure.h"
#include "core/generate/bass.h"
#include "core/generate/perform.h"
#include "core/generate/random.h"
#include "core/theory/intvl.h"

namespace zub::Bossa_bass {

namespace {

constexpr int velocity = 100;
constexpr int half_bar = 2;
// At a bar line the pickup anticipates the next bass note this often, else approaches it.
constexpr double anticipation_probability = 0.5;
const mpq_class eighth(1, 2);

const Perform::Groove_table& groove() {
    // Beats 1 and 3 lead; the pickups are lighter.
    static const Perform::Groove_table table = {
        {mpq_class(0), 1.0}, {mpq_class(3, 2), 0.8}, {mpq_class(2), 0.9}, {mpq_class(7, 2), 0.8}};
    return table;
}

// One note on a main beat: where it starts and which chord it belongs to.
struct Target {
    mpq_class time;
    std::size_t chord;
    bool chord_start;
    Midinote note = Midinote::of_notenum(0);
};

// The chord's start, then every half bar while it sounds (the last chord: its start only).
std::vector<Target> targets_of(const std::vector<Event<Chord>>& chords) {
    std::vector<Target> targets;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        targets.push_back({chords[k].time, k, true});
        if (k + 1 == chords.size()) break;
        const mpq_class end = chords[k].time + chords[k].duration;
        mpq_class beat = chords[k].time + 1;
        for (; beat < end; beat += 1)
            if (mpq_class(beat / half_bar).get_den() == 1) targets.push_back({beat, k, false});
    }
    return targets;
}

// Near the previous note: within an octave, so some octave of any pitch class is in reach.
Midinote near(const Note& note, const Midinote& previous) {
    return Bass::std_gen(mng_of_note(note) & mng_normal(previous, 12, 2.0));
}

void choose_notes(std::vector<Target>& targets, const std::vector<Event<Chord>>& chords) {
    std::optional<Midinote> previous;
    std::optional<Midinote> chord_note;
    for (Target& t : targets) {
        const Chord& chord = chords[t.chord].payload;
        if (!previous)
            t.note = Bass::nrml_gen(mng_of_note(chord.bass()));
        else if (t.chord_start)
            t.note = near(chord.bass(), *previous);
        else
            t.note = near(fifth_of(chord), *chord_note);
        if (t.chord_start) chord_note = t.note;
        previous = t.note;
    }
}

// The eighth before the next target: the same note, or an approach when the chord changes.
Midinote pickup(const Target& from, const Target& to, const Scale& next_scale) {
    if (!to.chord_start) return to.note;
    const bool bar_line = mpq_class(to.time / (2 * half_bar)).get_den() == 1;
    if (bar_line && Random::float_unit() < anticipation_probability) return to.note;
    const Mng approach = Bass::approach_note_mng(from.note, to.note, next_scale);
    return mng_is_null(approach) ? to.note : mng_gen(approach);
}

}  // namespace

Note fifth_of(const Chord& chord) {
    const auto& intervals = chord.chordtype().intervals();
    if (std::any_of(intervals.begin(), intervals.end(), [](const Intvl& i) { return i.i() == 4; })) return chord.nth(5);
    try {
        return chord.root().add_intvl(Intvl::of_string("5"));
    } catch (const Failure&) {
        return chord.root();  // a root that cannot be spelled a fifth up (B##) plays itself
    }
}

Midi_seq gen(const Chord_seq& sequence) {
    std::vector<Event<Chord>> chords;
    std::vector<Chord> plain;
    for (const auto* e : sequence.ordered()) {
        chords.push_back({e->time, e->duration, Chord::of_string(e->payload)});
        plain.push_back(chords.back().payload);
    }
    const std::vector<Scale> scales = Tonalana::analyze(plain);
    std::vector<Target> targets = targets_of(chords);
    choose_notes(targets, chords);
    Midi_seq seq = Midi_seq::create();
    for (std::size_t k = 0; k < targets.size(); ++k) {
        const Target& t = targets[k];
        const Event<Chord>& chord = chords[t.chord];
        // A note lasts to the next target, or to its chord's end before a gap.
        const bool last = k + 1 == targets.size();
        const mpq_class chord_end = chord.time + chord.duration;
        const mpq_class end = last ? chord_end : std::min(targets[k + 1].time, chord_end);
        if (last || targets[k + 1].time != end || end - t.time < 2) {
            seq = seq.add(t.time, end - t.time, {t.note, velocity});
            continue;
        }
        seq = seq.add(t.time, end - t.time - eighth, {t.note, velocity});
        seq = seq.add(end - eighth, eighth, {pickup(t, targets[k + 1], scales[targets[k + 1].chord]), velocity});
    }
    return Perform::groove_velocity_scaling(groove(), mpq_class(4), seq);
}

}  // namespace zub::Bossa_bass
