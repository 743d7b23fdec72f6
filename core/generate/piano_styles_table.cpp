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
                     .pickup_probability = 0.25, .unit = 3},
        .two_at_bar_start = {.plain = weighted({{"|x.....|", 20}, {"|.x....|", 20}, {"|x-....|", 10}}),
                             .pickup = weighted({{"x|-.....|", 20}, {"x|---...|", 10}}),
                             .pickup_probability = 0.25, .unit = 3},
        .two_mid_bar = {.plain = weighted({{"|x-....|", 20}, {"|.x....|", 20}}),
                        .pickup = weighted({{"x|-.....|", 10}, {"x|......|", 20}}),
                        .pickup_probability = 0.3, .unit = 3},
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = true,
        .last = Pattern::of_string("|x--|"),
        .velocities = {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}},
        .groove = Perform::groove_in_eighths({3}, 0.92, 0.85, 1.0),
        .top_accent = 8,
        .swung = true,
        .shape1_probability = 0.5,
        .tensions = true,
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
             .pickup_probability = 0.5, .unit = 4},
        .two_at_bar_start = {.plain = weighted({{"|x-......|", 30}, {"|.x-.....|", 20}}),
                             .pickup = weighted({{"x|-.......|", 30}, {"x|---.....|", 20}}),
                             .pickup_probability = 0.5, .unit = 4},
        .two_mid_bar = {.plain = weighted({{"|x-......|", 30}, {"|.x......|", 20}}),
                        .pickup = weighted({{"x|-.......|", 30}, {"x|........|", 20}}),
                        .pickup_probability = 0.5, .unit = 4},
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 70}, {mpq_class(LONG_MAX), 58}},
        .groove = Perform::groove_in_eighths({2, 2}, 0.95, 0.88, 1.0),
        .top_accent = 5,
        .swung = false,
        .shape1_probability = 0.5,
        .tensions = true,
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
