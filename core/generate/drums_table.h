// The drum generator's fixed data, one kit per style: instruments with their
// pattern tables, the groove, the bar length and the swing.
#pragma once
#include <string>
#include <vector>
#include "core/generate/pattern.h"
#include "core/generate/perform.h"
#include "core/generate/randset.h"
#include "core/generate/style.h"

namespace zub::Drums {

struct Instrument {
    std::string name;  // "rc", "hh", "sd", "bd", "ss", ...
    int notenum;       // General MIDI drum map
    int velocity;
    // One set per bar of a repeating cycle (the bossa's two-bar clave), bar 1
    // drawing from the first; a single set for most instruments.
    std::vector<Randset<Pattern>> normal;  // ordinary bars
    std::vector<Randset<Pattern>> fill;    // the bar before a section mark
    Pattern ending;                        // the last bar
};

struct Kit {
    std::vector<Instrument> instruments;  // in drawing order
    Perform::Groove_table groove;         // positions within a bar of bar_beats
    int bar_beats;
    bool swung;
    int program = 1;  // the General MIDI drum kit (41: brushes)
};

// Built once.
const Kit& kit(Style style);
const Kit& swing_kit();
const Kit& waltz_kit();
const Kit& bossa_kit();
const Kit& ballad_kit();
const Kit& two_feel_kit();
const Kit& even_eighths_kit();
const Kit& latin_kit();
const Kit& funk_kit();
const Kit& shuffle_kit();
const Kit& even_eighths_three_kit();

}  // namespace zub::Drums
