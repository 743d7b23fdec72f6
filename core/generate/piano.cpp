#include "core/generate/piano.h"

#include <algorithm>
#include <cstdlib>

#include "core/failure.h"
#include "core/generate/exact.h"
#include "core/generate/perform.h"
#include "core/generate/piano_table.h"
#include "core/generate/piano_voicing.h"
#include "core/generate/random.h"
#include "core/theory/intvl.h"

namespace zub::Piano {

namespace {

bool starts_bar(const mpq_class& t, int bar_beats) {
    const mpq_class bars = t / bar_beats;
    return bars.get_den() == 1;
}

// prev_root is root, root + fifth or root + major second.
bool root_motion_suits_pickup(const Chord& previous, const Chord& current) {
    const Note& p = previous.root();
    const Note& r = current.root();
    if (p == r) return true;
    for (const char* step : {"5", "2"}) {
        try {
            if (p == r.add_intvl(Intvl::of_string(step))) return true;
        } catch (const Failure&) {
            // A root that cannot be spelled a step away moves by neither.
        }
    }
    return false;
}

// One chord held for d beats from its start, on a grid of one step a beat.
Pattern held_pattern(const mpq_class& beats, int bar_beats) {
    const long d = std::max(0L, static_cast<long>(mpz_class(beats.get_num() / beats.get_den()).get_si()));
    const long bars = std::max(1L, (d + bar_beats - 1) / bar_beats);
    std::string steps(static_cast<std::size_t>(bars * bar_beats), '.');
    for (long k = 0; k < d; ++k) steps[static_cast<std::size_t>(k)] = k == 0 ? 'x' : '-';
    std::string text = "|";
    for (long b = 0; b < bars; ++b) text += steps.substr(static_cast<std::size_t>(b * bar_beats), bar_beats) + "|";
    return Pattern::of_string(text);
}

// The sets a chord draws its pattern from, or none (the chord is then held).
const Comp_sets* sets_of(const Event<std::string>& current, const Comping& comping) {
    if (current.duration == comping.bar_chord) return &comping.bar_sets;
    if (current.duration == 2)
        return starts_bar(current.time, comping.bar_beats) ? &comping.two_at_bar_start : &comping.two_mid_bar;
    if (current.duration == 3 && comping.three_beat) return &*comping.three_beat;
    return nullptr;
}

int distance(const Midinote& a, const Midinote& b) { return std::abs(a.to_notenum() - b.to_notenum()); }

// gen_pat with the root motion already judged, so that each symbol is parsed once.
Comp_pattern pattern_with_motion(const Event<std::string>* previous, const Event<std::string>& current,
                                 const Event<std::string>* next, const std::optional<Comp_pattern>& previous_pattern,
                                 bool motion, const Comping& comping) {
    if (next == nullptr) return {comping.last, comping.bar_beats};
    const Comp_sets* sets = sets_of(current, comping);
    if (sets == nullptr) return {held_pattern(current.duration, comping.bar_beats), comping.bar_beats};
    const bool room = previous_pattern && prev_pat_allows_pickup(previous, previous_pattern->pattern, previous_pattern->unit);
    const bool drawn = use_pickup_by_random(sets->pickup_probability);
    return {(room && motion && drawn ? sets->pickup : sets->plain).choose(), sets->unit};
}

// A chord's velocity before the top note's accent: by its length, shaped by its place in the bar.
int velocity_of(const Comping& comping, const Perform::Groove_lookup& groove, const mpq_class& time,
                const mpq_class& duration) {
    const int by_length = Perform::duration_velocity(comping.velocities, duration);
    return static_cast<int>(by_length * groove.factor(time));
}

}  // namespace

bool at_section_start(const mpq_class& t, const Sections& sections, int bar_beats) {
    if (!starts_bar(t, bar_beats)) return false;
    const mpq_class bars = t / bar_beats;
    const long bar = mpz_class(bars.get_num() / bars.get_den()).get_si() + 1;
    return std::any_of(sections.begin(), sections.end(), [bar](const auto& mark) { return mark.first == bar; });
}

bool prev_pat_allows_pickup(const Event<std::string>* previous, const std::optional<Pattern>& previous_pattern,
                            int bar_beats) {
    if (!previous_pattern) return false;
    if (previous == nullptr) throw Failure("Internal error: previous must exist");
    if (previous_pattern->notes().empty()) return true;
    mpq_class latest = previous_pattern->notes().front().start + previous_pattern->notes().front().duration;
    for (const Pattern_note& note : previous_pattern->notes()) latest = std::max(latest, mpq_class(note.start + note.duration));
    return latest * bar_beats < previous->duration;
}

bool use_pickup_by_random(double probability) { return Random::float_unit() < probability; }

Pattern gen_pat(const Event<std::string>* previous, const Event<std::string>& current,
                const Event<std::string>* next, const std::optional<Pattern>& previous_pattern) {
    // Sections are checked by the caller; here only the room, the root motion and the draw.
    const bool motion = previous != nullptr &&
                        root_motion_suits_pickup(Chord::of_string(previous->payload), Chord::of_string(current.payload));
    const std::optional<Comp_pattern> carried =
        previous_pattern ? std::optional<Comp_pattern>({*previous_pattern, 4}) : std::nullopt;
    return pattern_with_motion(previous, current, next, carried, motion, swing_comping()).pattern;
}

Voicing chord_var1(const Chord& chord, bool tensions) { return shape_a(colors(chord, tensions)); }

Voicing chord_var2(const Chord& chord, bool tensions) { return shape_b(colors(chord, tensions)); }

const Midinote& last(const Voicing& voicing) {
    if (voicing.empty()) throw Not_found();
    return voicing.back();
}

Voicing choose_chord(const Chord& chord, const std::optional<Voicing>& previous) {
    return choose_chord(chord, previous, swing_comping().shape1_probability, true);
}

Voicing choose_chord(const Chord& chord, const std::optional<Voicing>& previous, double shape1_probability,
                     bool tensions) {
    if (!previous)
        return Random::float_unit() < shape1_probability ? chord_var1(chord, tensions) : chord_var2(chord, tensions);
    const Voicing one = chord_var1(chord, tensions);
    const Voicing two = chord_var2(chord, tensions);
    const Midinote& top = last(*previous);
    return distance(last(one), top) < distance(last(two), top) ? one : two;
}

Midi_seq gen(const Chord_seq& sequence, const Sections& sections) {
    return gen(sequence, sections, swing_comping(), Perform::swing_ratio_at(Perform::medium_tempo));
}

Midi_seq gen(const Chord_seq& sequence, const Sections& sections, const Comping& comping, double swing_ratio) {
    const std::vector<Event<std::string>> chords = sequence.events();
    std::vector<Chord> parsed;
    parsed.reserve(chords.size());
    for (const auto& chord : chords) parsed.push_back(Chord::of_string(chord.payload));
    std::vector<Comp_pattern> patterns;
    std::optional<Comp_pattern> carried;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        const auto* previous = k > 0 ? &chords[k - 1] : nullptr;
        const auto* next = k + 1 < chords.size() ? &chords[k + 1] : nullptr;
        // A chord that starts a marked section never anticipates: pass no previous pattern.
        const bool marked = at_section_start(chords[k].time, sections, comping.bar_beats);
        const bool motion =
            k > 0 && (!comping.pickup_needs_root_motion || root_motion_suits_pickup(parsed[k - 1], parsed[k]));
        patterns.push_back(
            pattern_with_motion(previous, chords[k], next, marked ? std::nullopt : carried, motion, comping));
        carried = patterns.back();
    }
    Midi_seq seq = Midi_seq::create();
    const Perform::Groove_lookup groove(comping.groove, mpq_class(comping.bar_beats));
    std::optional<Voicing> voicing;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        voicing = choose_chord(parsed[k], voicing, comping.shape1_probability, comping.tensions);
        const int unit = patterns[k].unit;
        if (voicing->empty()) continue;  // nothing sounds, so no velocity is asked for
        for (const Pattern_note& hit : patterns[k].pattern.notes()) {
            const mpq_class time = Exact::add(chords[k].time, Exact::multiply(mpq_class(unit), hit.start));
            const mpq_class duration = Exact::multiply(mpq_class(unit), hit.duration);
            const int velocity = velocity_of(comping, groove, time, duration);
            for (std::size_t v = 0; v < voicing->size(); ++v) {
                const int accent = v + 1 == voicing->size() ? comping.top_accent : 0;
                seq = seq.add(time, duration, {(*voicing)[v], std::min(127, velocity + accent)});
            }
        }
    }
    return comping.swung ? Perform::swing(swing_ratio, seq) : seq;
}

}  // namespace zub::Piano
