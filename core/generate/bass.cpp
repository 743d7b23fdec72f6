#include "core/generate/bass.h"

#include <algorithm>
#include <cstdlib>

#include "core/analysis/tonalana.h"
#include "core/failure.h"
#include "core/generate/bass_table.h"
#include "core/generate/perform.h"
#include "core/generate/random.h"
#include "core/theory/intvl.h"
#include "core/theory/noteutils.h"

namespace zub::Bass {

namespace {

Midinote number(int k) { return Midinote::of_notenum(k); }
Mng single(int k) { return mng_of_midinote(number(k)); }

// lo .. hi clipped to the MIDI range, so a range near either end stays valid.
Mng range(int lo, int hi) { return mng_of_range(number(std::max(lo, 0)), number(std::min(hi, 127))); }

const Mng& standard_range() {
    static const Mng m = range(standard_low, standard_high);
    return m;
}

bool below(const Midinote& x, const Midinote& y) { return x.to_notenum() < y.to_notenum(); }

// The chord's degree k in every octave, or nothing when the chord lacks it.
std::optional<Mng> degree(const Chord& chord, int k) {
    const auto& intervals = chord.chordtype().intervals();
    if (std::none_of(intervals.begin(), intervals.end(), [k](const Intvl& i) { return i.i() == k - 1; }))
        return std::nullopt;
    return mng_of_note(chord.nth(k));
}

struct Anchored {
    mpq_class time;
    mpq_class duration;
    Chord chord;
    Midinote anchor;
};

std::vector<Anchored> anchors(const std::vector<Event<Chord>>& chords) {
    std::vector<Anchored> result;
    std::optional<Midinote> previous;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        const bool edge = k == 0 || k + 1 == chords.size();
        const mpq_class previous_duration = k > 0 ? chords[k - 1].duration : mpq_class(0);
        const Midinote anchor = gen_anchor_note(chords[k].payload, edge, previous, previous_duration);
        result.push_back({chords[k].time, chords[k].duration, chords[k].payload, anchor});
        previous = anchor;
    }
    return result;
}

std::vector<Midinote> other_notes(const Anchored& current, const Scale& s, const Anchored* next, const Scale* s2) {
    const Midinote& a = current.anchor;
    if (next == nullptr) return {a};
    std::vector<Midinote> notes = {a};
    std::vector<Midinote> rest;
    if (current.duration == 2) rest = {gen_2(current.chord, a, next->anchor, *s2)};
    if (current.duration == 3) rest = gen_3(current.chord, s, a, next->anchor);
    if (current.duration == 4) rest = gen_4(current.chord, s, a, next->anchor, *s2);
    notes.insert(notes.end(), rest.begin(), rest.end());
    return notes;
}

// The chord's notes in half notes: the anchor, then the third-beat note on 3
// (or the second note of a two-beat chord as a pickup), maybe with the
// fourth-beat note as an eighth pickup on the "and" of 4.
std::vector<Placed> in_half_notes(const std::vector<Midinote>& notes, const Walk& walk) {
    const bool pickup = walk.placement == Placement::half_notes_with_pickups &&
                        (notes.size() == 4 || notes.size() == 2) && Random::float_unit() < walk.pickup_probability;
    const mpq_class half(2), eighth(1, 2);
    if (notes.size() == 2) {
        if (!pickup) return {{mpq_class(0), half, notes[0]}};
        return {{mpq_class(0), half - eighth, notes[0]}, {half - eighth, eighth, notes[1]}};
    }
    if (notes.size() != 4) return no_embell(notes);
    if (!pickup) return {{mpq_class(0), half, notes[0]}, {half, half, notes[2]}};
    return {{mpq_class(0), half, notes[0]}, {half, half - eighth, notes[2]}, {2 * half - eighth, eighth, notes[3]}};
}

std::vector<Placed> embellish(const std::vector<Midinote>& notes, const Walk& walk) {
    if (walk.placement != Placement::walking) return in_half_notes(notes, walk);
    if (notes.size() == 2 && Random::float_unit() < split_probability_2) return embell_2(notes);
    if (notes.size() == 4 && Random::float_unit() < split_probability_4) return embell_4(notes, split_beats().choose());
    if (notes.size() == 3 && walk.two_feel_probability > 0 && Random::float_unit() < walk.two_feel_probability)
        return two_feel(notes, two_feel_figures().choose());
    return no_embell(notes);
}

// The third- or second-beat note: chord or scale tones toward or beyond the target.
Midinote next_step_note(const Mng& tones, const Midinote& a, const Midinote& n, int close, int width) {
    const Mng jump = abs_mn_diff(a, n) <= close ? mng_jump_beyond(a, n, width) : mng_jump_betw(a, n);
    const Mng m = range_weighting() & tones & jump;
    if (!mng_is_null(m)) return mng_gen(m);
    return mng_gen(tones & mng_range_at_center(n, width) & ~mng_of_midinote(n) & range_weighting());
}

Midinote nearest_in_scale(const Midinote& n, int step, const Scale& s) {
    return Noteutils::find_equiv_note(step, step, n.to_notenum(), s);
}

// The scale note just beyond the target on the side step points to, or on the
// other side when that would leave the extended bass range.
Midinote beyond_target(const Midinote& n, int step, const Scale& s) {
    const Midinote beyond = nearest_in_scale(n, step, s);
    const int k = beyond.to_notenum();
    if (k >= extended_low && k <= extended_high) return beyond;
    return nearest_in_scale(n, -step, s);
}

}  // namespace

std::vector<Midinote> anchor_notes(const std::vector<Event<Chord>>& chords) {
    std::vector<Midinote> notes;
    for (const Anchored& a : anchors(chords)) notes.push_back(a.anchor);
    return notes;
}

const Mng& range_weighting() {
    static const Mng m = (range(extended_low, extended_high) * 4.0) | (range(standard_low, standard_high) * 10.0);
    return m;
}

Midinote std_gen(const Mng& m) { return mng_gen(m & range_weighting()); }
Midinote nrml_gen(const Mng& m) { return mng_gen(m & standard_range()); }

int abs_mn_diff(const Midinote& a, const Midinote& b) { return std::abs(a.to_notenum() - b.to_notenum()); }

Midinote chrm_note_betw(const Midinote& x, const Midinote& y) { return x.add_int(below(x, y) ? 1 : -1); }

Mng mng_jump_beyond(const Midinote& a, const Midinote& n, int width) {
    const int k = n.to_notenum();
    return below(a, n) ? range(k + 1, k + width) : range(k - width, k - 1);
}

Mng mng_jump_betw(const Midinote& a, const Midinote& n) {
    const int lo = std::min(a.to_notenum(), n.to_notenum());
    const int hi = std::max(a.to_notenum(), n.to_notenum());
    return range(lo + 1, hi - 1);
}

Mng mng_range_at_center(const Midinote& center, int radius) {
    return range(center.to_notenum() - radius, center.to_notenum() + radius);
}

Mng mng_135_of_chord(const Chord& chord) {
    Mng m = mng_of_note(chord.root()) * 0.7;
    for (int k : {3, 5})
        if (const auto tone = degree(chord, k)) m = m | (*tone * 0.15);
    return m;
}

Mng lower_repeat_prob(const Mng& candidate, const Midinote& p) {
    const Mng previous = mng_of_midinote(p);
    return ((candidate & ~previous) * 0.7) | ((candidate & previous) * 0.3);
}

Mng fallback_to_note_if_null(const Mng& m, const Chord& chord) {
    return mng_is_null(m) ? mng_of_note(chord.bass()) : m;
}

Mng limit_range_by_prev_dur(const Mng& m, const Midinote& p, const mpq_class& previous_duration) {
    const int w = previous_duration <= 2 ? 11 : 15;
    return m & mng_range_at_center(p, w);
}

Midinote gen_anchor_note(const Chord& chord, bool first_or_last, const std::optional<Midinote>& p,
                         const mpq_class& previous_duration) {
    if (first_or_last) return nrml_gen(mng_of_note(chord.bass()));
    if (!p) throw Failure("Internal error: prev_note=None; prev<>None");
    const Mng candidate = chord.bass() == chord.root() ? mng_135_of_chord(chord) : mng_of_note(chord.bass());
    const Mng lowered = fallback_to_note_if_null(lower_repeat_prob(candidate, *p), chord);
    return std_gen(limit_range_by_prev_dur(lowered, *p, previous_duration));
}

Mng approach_note_mng(const Midinote& q, const Midinote& n, const Scale& s2) {
    const int k = n.to_notenum();
    const Mng targets = (single(k + 1) * 0.4) | (single(k - 1) * 0.2) |
                        (mng_of_midinote(nearest_in_scale(n, 1, s2).validate()) * 0.2) |
                        (mng_of_midinote(nearest_in_scale(n, -1, s2).validate()) * 0.2);
    return targets & ~mng_of_midinote(q) & range_weighting();
}

Midinote gen_2(const Chord& c, const Midinote& a, const Midinote& n, const Scale& s2) {
    if (a.note() == c.root() || n.note() == c.root()) {
        const Mng m = approach_note_mng(a, n, s2);
        if (mng_is_null(m)) return mng_gen(mng_of_chord(c) & mng_normal(a, 7, 2.0) & range_weighting());
        return mng_gen(m);
    }
    const Mng near_both = mng_of_note(c.root()) & mng_normal(a, 12, 2.0) & mng_normal(n, 12, 2.0) & range_weighting();
    if (!mng_is_null(near_both)) return mng_gen(near_both);
    // The last chord's anchor is drawn without a leap limit, so the anchors can
    // lie more than an octave apart with no octave of the root near both: take
    // the root nearest their midpoint, which any 13 notes of the range contain.
    const Midinote middle = Midinote::of_notenum((a.to_notenum() + n.to_notenum()) / 2);
    return mng_gen(mng_of_note(c.root()) & mng_normal(middle, 12, 2.0) & range_weighting());
}

Midinote gen_3rd_note(const Chord& c, const Midinote& a, const Midinote& n) {
    return next_step_note(mng_of_chord(c), a, n, 5, 10);
}

Midinote gen_2nd_note(const Scale& s, const Midinote& a, const Midinote& t) {
    return next_step_note(mng_of_scale(s), a, t, 2, 5);
}

std::vector<Midinote> gen_3(const Chord& c, const Scale& s, const Midinote& a, const Midinote& n) {
    const Midinote t = gen_3rd_note(c, a, n);
    const Midinote second = gen_2nd_note(s, a, t);
    return {second, t};
}

std::vector<Midinote> gen_4(const Chord& c, const Scale& s, const Midinote& a, const Midinote& n, const Scale& s2) {
    const std::vector<Midinote> between = Noteutils::scale_notes_betw(a, n, s);
    if (between.size() == 2 && Random::float_unit() < walk_probability) return gen_walk2(a, n, s2, between);
    if (between.size() == 3 && Random::float_unit() < walk_probability) return gen_walk3(n, between);
    const Midinote t = gen_3rd_note(c, a, n);
    const Midinote second = gen_2nd_note(s, a, t);
    const Mng m = approach_note_mng(t, n, s2);
    const Midinote fourth =
        mng_is_null(m) ? mng_gen(mng_of_chord(c) & mng_normal(n, 7, 2.0) & range_weighting()) : mng_gen(m);
    return {second, t, fourth};
}

std::vector<Midinote> gen_walk2(const Midinote& a, const Midinote& n, const Scale& s2,
                                const std::vector<Midinote>& between) {
    if (between.size() != 2) throw Failure("Internal error: length of notes_betw <> 2 in gen_walk2");
    const Midinote& s1 = between[0];
    const Midinote& s2nd = between[1];
    if (abs_mn_diff(s1, s2nd) == 2 && Random::float_unit() < chromatic_probability)
        return {s1, chrm_note_betw(s1, s2nd), s2nd};
    if (abs_mn_diff(s2nd, n) == 2 && Random::float_unit() < chromatic_probability)
        return {s1, s2nd, chrm_note_betw(s2nd, n)};
    return {s1, s2nd, beyond_target(n, below(a, n) ? 1 : -1, s2)};
}

std::vector<Midinote> gen_walk3(const Midinote& n, const std::vector<Midinote>& between) {
    if (between.size() != 3) throw Failure("Internal error: length of notes_betw <> 3 in gen_walk3");
    if (abs_mn_diff(between[2], n) == 2 && Random::float_unit() < chromatic_probability)
        return {between[1], between[2], chrm_note_betw(between[2], n)};
    return between;
}

std::vector<Placed> embell_2(const std::vector<Midinote>& notes) {
    if (notes.size() != 2) throw Failure("Internal error: number of MIDI notes <> 2 in embell_2");
    return {{mpq_class(0), mpq_class(1, 2), notes[0]},
            {mpq_class(1, 2), mpq_class(1, 2), notes[0]},
            {mpq_class(1), mpq_class(1), notes[1]}};
}

std::vector<Placed> embell_4(const std::vector<Midinote>& notes, int beat) {
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const mpq_class offset(static_cast<long>(i));
        if (static_cast<int>(i) != beat) {
            placed.push_back({offset, mpq_class(1), notes[i]});
            continue;
        }
        placed.push_back({offset, mpq_class(1, 2), notes[i]});
        placed.push_back({offset + mpq_class(1, 2), mpq_class(1, 2), notes[i]});
    }
    return placed;
}

std::vector<Placed> two_feel(const std::vector<Midinote>& notes, int figure) {
    if (notes.size() != 3) throw Failure("Internal error: number of MIDI notes <> 3 in two_feel");
    if (figure == dotted_half) return {{mpq_class(0), mpq_class(3), notes[0]}};
    return {{mpq_class(0), mpq_class(2), notes[0]}, {mpq_class(2), mpq_class(1), notes[2]}};
}

std::vector<Placed> no_embell(const std::vector<Midinote>& notes) {
    std::vector<Placed> placed;
    for (std::size_t i = 0; i < notes.size(); ++i)
        placed.push_back({mpq_class(static_cast<long>(i)), mpq_class(1), notes[i]});
    return placed;
}

Midi_seq gen(const Chord_seq& sequence) {
    return gen(sequence, swing_walk(), Perform::swing_ratio_at(Perform::medium_tempo));
}

Midi_seq gen(const Chord_seq& sequence, const Walk& walk, double swing_ratio) {
    std::vector<Event<Chord>> chords;
    for (const auto* e : sequence.ordered()) chords.push_back({e->time, e->duration, Chord::of_string(e->payload)});
    const std::vector<Anchored> anchored = anchors(chords);
    std::vector<Chord> plain;
    for (const auto& c : chords) plain.push_back(c.payload);
    const std::vector<Scale> scales = Tonalana::analyze(plain);
    if (scales.size() != anchored.size()) throw Failure("Internal error: one scale per chord expected");
    std::vector<std::vector<Midinote>> notes;
    for (std::size_t k = 0; k < anchored.size(); ++k) {
        const bool last = k + 1 == anchored.size();
        notes.push_back(other_notes(anchored[k], scales[k], last ? nullptr : &anchored[k + 1],
                                    last ? nullptr : &scales[k + 1]));
    }
    Midi_seq seq = Midi_seq::create();
    for (std::size_t k = 0; k < anchored.size(); ++k)
        for (const Placed& p : embellish(notes[k], walk))
            seq = seq.add(anchored[k].time + p.offset, p.duration, {p.note, velocity});
    return Perform::groove_and_swing(walk.groove, mpq_class(walk.bar_beats), swing_ratio, seq);
}

}  // namespace zub::Bass
