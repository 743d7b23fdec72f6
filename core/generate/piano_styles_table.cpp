// The jazz waltz's and the bossa nova's comping.
#include <climits>

#include "core/generate/piano_table.h"

namespace zub::Piano {

namespace {

using Patterns::weighted;

// Bars of three beats in six eighths: short chords on the "and" of 1, on 2 or
// on 3, sometimes held.
Comping make_waltz_comping() {
    return {
        .bar_beats = 3,
        .bar_chord = 3,
        .bar_sets = {.plain = weighted({{"|.x..x.|", 20},
                                        {"|..x...|", 20},
                                        {"|..x.x.|", 15},
                                        {"|.x....|", 15},
                                        {"|x-----|", 10},
                                        {"|..x---|", 10},
                                        {"|x...x.|", 10}}),
                     .pickup = weighted({{"x|-...x.|", 10}, {"x|-.....|", 20}, {"x|------|", 10}}),
                     .pickup_probability = 0.25},
        .two_at_bar_start = {.plain = weighted({{"|x.....|", 20}, {"|.x....|", 20}, {"|x-....|", 10}}),
                             .pickup = weighted({{"x|-.....|", 20}, {"x|---...|", 10}}),
                             .pickup_probability = 0.25},
        .two_mid_bar = {.plain = weighted({{"|x-....|", 20}, {"|.x....|", 20}}),
                        .pickup = weighted({{"x|-.....|", 10}, {"x|......|", 20}}),
                        .pickup_probability = 0.3},
        .pickup_needs_root_motion = true,
        .last = Pattern::of_string("|x--|"),
        .velocities = {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}},
        .swing_ratio = 2.3,
        .shape1_probability = 0.5,
        .velocity = 64,
    };
}

// Straight eighths, syncopated: anticipations on the "and" of 2 inside a
// chord and on the "and" of 4 into the next, a little softer than swing.
Comping make_bossa_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets =
            {.plain = weighted(
                 {{"|x-.x-...|", 30}, {"|x..x..x.|", 20}, {"|x-.x----|", 20}, {"|x-...x-.|", 15}, {"|..x..x..|", 15}}),
             .pickup = weighted({{"x|-..x-...|", 30}, {"x|-..x..x.|", 20}, {"x|-..x----|", 20}, {"x|-...x-..|", 15}}),
             .pickup_probability = 0.5},
        .two_at_bar_start = {.plain = weighted({{"|x-......|", 30}, {"|.x-.....|", 20}}),
                             .pickup = weighted({{"x|-.......|", 30}, {"x|---.....|", 20}}),
                             .pickup_probability = 0.5},
        .two_mid_bar = {.plain = weighted({{"|x-......|", 30}, {"|.x......|", 20}}),
                        .pickup = weighted({{"x|-.......|", 30}, {"x|........|", 20}}),
                        .pickup_probability = 0.5},
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 75}, {mpq_class(LONG_MAX), 60}},
        .swing_ratio = Perform::straight,
        .shape1_probability = 0.5,
        .velocity = 64,
    };
}

}  // namespace

const Comping& waltz_comping() {
    static const Comping comping = make_waltz_comping();
    return comping;
}

const Comping& bossa_comping() {
    static const Comping comping = make_bossa_comping();
    return comping;
}

}  // namespace zub::Piano
