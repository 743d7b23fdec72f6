// The piano generator's pattern sets and fixed values, one comping per style.
#pragma once
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
};

struct Comping {
    int bar_beats;
    int bar_chord;  // a chord this long (a whole bar) draws from bar_sets wherever it starts
    Comp_sets bar_sets;
    Comp_sets two_at_bar_start;  // two-beat chords
    Comp_sets two_mid_bar;
    bool pickup_needs_root_motion;  // swing and waltz: only from the same root, a fifth above or a step above
    Pattern last;                   // the last chord, held for a bar
    Perform::Duration_velocity_table velocities;
    double swing_ratio;  // Perform::straight: no swing
    double shape1_probability;
    int velocity;  // before the duration table
};

// Built once.
const Comping& comping(Style style);
const Comping& swing_comping();
const Comping& waltz_comping();
const Comping& bossa_comping();

}  // namespace zub::Piano
