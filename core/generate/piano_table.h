// The piano generator's pattern sets and fixed values, one comping per style.
#pragma once
#include <optional>
#include "core/generate/pattern.h"
#include "core/generate/perform.h"
#include "core/generate/randset.h"
#include "core/generate/style.h"

namespace zub::Piano {

// The patterns a chord of one kind draws from, in bars of the style.
struct Comp_sets {
    Randset<Pattern> plain;
    Randset<Pattern> pickup;    // starting an eighth before the chord
    double pickup_probability;  // drawn for every chord of the kind
    int unit;                   // beats in one bar of these patterns
};

struct Comping {
    int bar_beats;
    int bar_chord;  // a chord this long (a whole bar) draws from bar_sets wherever it starts
    Comp_sets bar_sets;
    Comp_sets two_at_bar_start;  // two-beat chords
    Comp_sets two_mid_bar;
    std::optional<Comp_sets> three_beat;  // three-beat chords in a bar of another length, else held
    bool pickup_needs_root_motion;        // swing and waltz: only from the same root, a fifth above or a step above
    Pattern last;                         // the last chord, held for a bar
    // A note's velocity: by its length, times the factor of its place in the
    // bar, and the voicing's top note a little louder (the line a pianist
    // brings out).
    Perform::Duration_velocity_table velocities;
    Perform::Groove_table groove;
    int top_accent;
    bool swung;
    double shape1_probability;
    bool tensions;  // rootless voicings with ninths and 13ths, else the chord as written
};

// Built once.
const Comping& comping(Style style);
const Comping& swing_comping();
const Comping& waltz_comping();
const Comping& bossa_comping();
const Comping& ballad_comping();
const Comping& two_feel_comping();
const Comping& even_eighths_comping();
const Comping& latin_comping();
const Comping& funk_comping();
const Comping& shuffle_comping();
// The even eighths' sets for three-beat chords (bars of 3 beats).
Comp_sets even_eighths_three_sets();

}  // namespace zub::Piano
