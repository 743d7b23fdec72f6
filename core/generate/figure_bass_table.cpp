// The figures of the straight and shuffle bass lines, as rhythms with roles
// (figure_bass.h): 'R' anchor, 'O' octave, 'F' fifth, 'T' third, 'S' sixth,
// '7' seventh, 'A' approach, 'N' next anchor.
#include "core/generate/figure_bass_table.h"

namespace zub::Figure_bass {

namespace {

// On the beat, with eighth pickups into the next chord.
Figures make_even_eighths() {
    return {.four = figures({{"|x-x-x-x-|", "RRFR", 30},
                             {"|x-x-x-xx|", "RRFRA", 30},
                             {"|x---x-xx|", "RFRA", 20},
                             {"|x-x-x-x-|", "RORF", 20}}),
            .three = figures({{"|x-x-x-|", "RRF", 50}, {"|x-x-xx|", "RFRA", 50}}),
            .two = figures({{"|x-x-|", "RR", 50}, {"|x-xx|", "RRA", 50}}),
            .groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.9, 0.75),
            .bar_beats = 4,
            .swung = false};
}

// The tumbao: the fifth on the "and" of 2, the next chord's root on 4, held
// over the bar line (so the bar's first beat is heard from before it).
Figures make_latin() {
    return {.four = figures({{"|...x..x-|", "FN", 70}, {"|x..x..x-|", "RFN", 30}}),
            .three = figures({{"|x...x-|", "RN", 1}}),
            .two = figures({{"|..x-|", "N", 60}, {"|x.x-|", "RN", 40}}),
            .groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.9, 0.95),
            .bar_beats = 4,
            .swung = false};
}

// Short syncopated sixteenths around the root and its octave.
Figures make_funk() {
    return {.four = figures({{"|x-.x..x.x-....x.|", "RROFA", 35},
                             {"|x-....x...x..x..|", "RROF", 35},
                             {"|x-.x......x.x.x.|", "RRO7A", 30}}),
            .three = figures({{"|x-.x..x..x..|", "RROF", 1}}),
            .two = figures({{"|x-.x..x.|", "RRO", 50}, {"|x-....xx|", "RFA", 50}}),
            .groove = Perform::groove_by_steps(4, {1.0, 0.7, 0.85, 0.75}),
            .bar_beats = 4,
            .swung = false};
}

// The boogie in the shuffle's triplets: up the chord to the sixth and the
// seventh and back, on each beat and its last triplet.
Figures make_shuffle() {
    return {.four = figures({{"|x-xx-xx-xx-x|", "RTFS7SFT", 70}, {"|x--x--x--x--|", "RTFS", 30}}),
            .three = figures({{"|x-xx-xx-x|", "RTFSFT", 1}}),
            .two = figures({{"|x-xx-x|", "RTFS", 1}}),
            .groove = Perform::groove_by_steps(4, {1.0, 0.6, 0.75}),
            .bar_beats = 4,
            .swung = false};
}

}  // namespace

const Figures& even_eighths() {
    static const Figures f = make_even_eighths();
    return f;
}

const Figures& latin() {
    static const Figures f = make_latin();
    return f;
}

const Figures& funk() {
    static const Figures f = make_funk();
    return f;
}

const Figures& shuffle() {
    static const Figures f = make_shuffle();
    return f;
}

}  // namespace zub::Figure_bass
