#include "core/generate/piano_table.h"

#include <climits>

namespace zub::Piano {

namespace {

using Patterns::weighted;

Comping make_swing_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets = {.plain = weighted({{"|x-.x....|", 20},
                                        {"|x-.x--..|", 20},
                                        {"|x-.x----|", 20},
                                        {"|x---.x--|", 20},
                                        {"|x-----x.|", 20},
                                        {"|.x..x-..|", 10},
                                        {"|.x...x..|", 20},
                                        {"|..x-.x--|", 10},
                                        {"|..x-....|", 10},
                                        {"|...x....|", 10},
                                        {"|.....x..|", 10}}),
                     .pickup =
                         weighted({{"x|-..x....|", 10}, {"x|--...x..|", 10}, {"x|----..x.|", 10}, {"x|--------|", 10}}),
                     .pickup_probability = 0.25},
        .two_at_bar_start = {.plain = weighted(
                                 {{"|x.......|", 20}, {"|x-......|", 20}, {"|..x-....|", 10}, {"|.x......|", 10}}),
                             .pickup = weighted({{"x|----....|", 10}, {"x|-.......|", 20}}),
                             .pickup_probability = 0.25},
        .two_mid_bar = {.plain = weighted({{"|x-......|", 30}, {"|.x......|", 10}, {"|.x--....|", 10}}),
                        .pickup = weighted({{"x|-.......|", 10}, {"x|........|", 30}}),
                        .pickup_probability = 0.3},
        .pickup_needs_root_motion = true,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}},
        .swing_ratio = 2.3,
        .shape1_probability = 0.5,
        .velocity = 64,
    };
}

}  // namespace

const Comping& swing_comping() {
    static const Comping comping = make_swing_comping();
    return comping;
}

const Comping& comping(Style style) {
    if (style == Style::jazz_waltz) return waltz_comping();
    if (style == Style::bossa_nova) return bossa_comping();
    return swing_comping();
}

}  // namespace zub::Piano
