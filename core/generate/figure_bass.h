// The bass of the straight and shuffle grooves: for each chord a figure drawn
// by the chord's length, a rhythm pattern whose notes each play a role: the
// anchor (the walking bass's chord tone on the chord's first beat, the root
// most often), its octave, the chord's fifth, third, sixth or seventh, an
// approach to the next anchor, or the next anchor itself played early (the
// tumbao's anticipation). Notes stay within E1..F3.
#pragma once

#include <string>

#include "core/generate/chordseq.h"
#include "core/generate/midiwriter.h"
#include "core/generate/pattern.h"
#include "core/generate/perform.h"
#include "core/generate/randset.h"

namespace zub::Figure_bass {

// A figure: its rhythm in a bar as long as the chord, and one role per note:
// 'R' anchor, 'O' octave, 'F' fifth, 'T' third, 'S' sixth, '7' seventh,
// 'A' approach to the next anchor, 'N' the next anchor.
struct Figure {
    Pattern rhythm;
    std::string roles;
};

struct Figures {
    Randset<Figure> four;   // four-beat chords
    Randset<Figure> three;  // three-beat chords
    Randset<Figure> two;    // two-beat chords; other lengths hold the anchor
    Perform::Groove_table groove;
    int bar_beats;
    bool swung;
};

// figures({{"|x..x..x.|", "RFA", 60}}) parses each rhythm; "Figure roles do not
// match its notes: RF" when the counts differ.
struct Written {
    const char* rhythm;
    const char* roles;
    double weight;
};
Randset<Figure> figures(const std::vector<Written>& written);

// The line: anchors drawn first (one draw each), then a figure per chord of
// 2, 3 or 4 beats (one draw each), then approach notes as they come.
Midi_seq gen(const Chord_seq& chords, const Figures& figures, double swing_ratio);

}  // namespace zub::Figure_bass
