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
                     .pickup_probability = 0.25, .unit = 4},
        .two_at_bar_start = {.plain = weighted(
                                 {{"|x.......|", 20}, {"|x-......|", 20}, {"|..x-....|", 10}, {"|.x......|", 10}}),
                             .pickup = weighted({{"x|----....|", 10}, {"x|-.......|", 20}}),
                             .pickup_probability = 0.25, .unit = 4},
        .two_mid_bar = {.plain = weighted({{"|x-......|", 30}, {"|.x......|", 10}, {"|.x--....|", 10}}),
                        .pickup = weighted({{"x|-.......|", 10}, {"x|........|", 30}}),
                        .pickup_probability = 0.3, .unit = 4},
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = true,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}},
        // Stabs off the beat lead; chords on the beat sit back.
        .groove = Perform::groove_in_eighths({2, 2}, 0.92, 0.85, 1.0),
        .top_accent = 8,
        .swung = true,
        .shape1_probability = 0.5,
        .tensions = true,
    };
}

}  // namespace

const Comping& swing_comping() {
    static const Comping comping = make_swing_comping();
    return comping;
}

const Comping& comping(Style style) {
    switch (style) {
        case Style::jazz_waltz: return waltz_comping();
        case Style::bossa_nova: return bossa_comping();
        case Style::ballad: return ballad_comping();
        case Style::two_feel: return two_feel_comping();
        case Style::even_eighths: return even_eighths_comping();
        case Style::latin: return latin_comping();
        case Style::funk: return funk_comping();
        case Style::shuffle: return shuffle_comping();
        case Style::swing: break;
    }
    return swing_comping();
}

}  // namespace zub::Piano
