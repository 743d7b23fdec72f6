#include "core/generate/figure_bass.h"

#include <algorithm>

#include "core/analysis/tonalana.h"
#include "core/failure.h"
#include "core/generate/bass.h"
#include "core/generate/bass_table.h"
#include "core/generate/bossa_bass.h"
#include "core/theory/intvl.h"

namespace zub::Figure_bass {

namespace {

// The note's nearest pitch above the anchor, an octave down when that leaves the bass range.
Midinote above_anchor(const Midinote& a, const Note& note) {
    int step = ((note.semi() - a.to_notenum()) % 12 + 12) % 12;
    if (a.to_notenum() + step > Bass::extended_high) step -= 12;
    return Midinote::of_notenum_in_notelist(a.to_notenum() + step, {note});
}

std::optional<Note> degree(const Chord& chord, int k) {
    for (const Intvl& i : chord.chordtype().intervals())
        if (i.i() == k - 1) return chord.nth(k);
    return std::nullopt;
}

Note interval_above(const Chord& chord, const char* interval) {
    try {
        return chord.root().add_intvl(Intvl::of_string(interval));
    } catch (const Failure&) {
        return chord.root();
    }
}

struct Context {
    const Chord& chord;
    Midinote anchor;
    Midinote next;
    const Scale& next_scale;
};

Midinote note_of(char role, const Context& c) {
    switch (role) {
        case 'O': {
            const int k = c.anchor.to_notenum();
            return Midinote::of_notenum_in_notelist(k + 12 <= Bass::extended_high ? k + 12 : k, {c.anchor.note()});
        }
        case 'F': return above_anchor(c.anchor, Bossa_bass::fifth_of(c.chord));
        case 'T': return above_anchor(c.anchor, degree(c.chord, 3).value_or(degree(c.chord, 4).value_or(c.chord.root())));
        case 'S': return above_anchor(c.anchor, degree(c.chord, 6).value_or(interval_above(c.chord, "6")));
        case '7': return above_anchor(c.anchor, degree(c.chord, 7).value_or(interval_above(c.chord, "b7")));
        case 'A': {
            const Mng m = Bass::approach_note_mng(c.anchor, c.next, c.next_scale);
            return mng_is_null(m) ? c.next : mng_gen(m);
        }
        case 'N': return c.next;
        default: return c.anchor;
    }
}

const Randset<Figure>* set_of(const mpq_class& beats, const Figures& f) {
    if (beats == 4) return &f.four;
    if (beats == 3) return &f.three;
    if (beats == 2) return &f.two;
    return nullptr;
}

}  // namespace

Randset<Figure> figures(const std::vector<Written>& written) {
    std::vector<std::pair<Figure, double>> parsed;
    for (const Written& w : written) {
        Figure figure{Pattern::of_string(w.rhythm), w.roles};
        if (figure.rhythm.notes().size() != figure.roles.size())
            throw Failure(std::string("Figure roles do not match its notes: ") + w.roles);
        parsed.emplace_back(std::move(figure), w.weight);
    }
    return Randset<Figure>::create(parsed);
}

Midi_seq gen(const Chord_seq& sequence, const Figures& f, double swing_ratio) {
    std::vector<Event<Chord>> chords;
    std::vector<Chord> plain;
    for (const auto* e : sequence.ordered()) {
        chords.push_back({e->time, e->duration, Chord::of_string(e->payload)});
        plain.push_back(chords.back().payload);
    }
    const std::vector<Midinote> anchors = Bass::anchor_notes(chords);
    const std::vector<Scale> scales = Tonalana::analyze(plain);
    std::vector<const Figure*> chosen;
    for (std::size_t k = 0; k < chords.size(); ++k) {
        const Randset<Figure>* set = k + 1 < chords.size() ? set_of(chords[k].duration, f) : nullptr;
        chosen.push_back(set ? &set->choose() : nullptr);
    }
    Midi_seq seq = Midi_seq::create();
    for (std::size_t k = 0; k < chords.size(); ++k) {
        const Event<Chord>& chord = chords[k];
        if (chosen[k] == nullptr) {
            seq = seq.add(chord.time, chord.duration, {anchors[k], Bass::velocity});
            continue;
        }
        const Context c{chord.payload, anchors[k], anchors[k + 1], scales[k + 1]};
        const auto& notes = chosen[k]->rhythm.notes();
        for (std::size_t n = 0; n < notes.size(); ++n)
            seq = seq.add(chord.time + chord.duration * notes[n].start, chord.duration * notes[n].duration,
                          {note_of(chosen[k]->roles[n], c), Bass::velocity});
    }
    return Perform::groove_and_swing(f.groove, mpq_class(f.bar_beats),
                                     f.swung ? std::optional(swing_ratio) : std::nullopt, seq);
}

}  // namespace zub::Figure_bass
