// The comping of the ballad, two-feel, even-eighths, Latin, funk and shuffle
// grooves, and the even eighths' three-beat chords (for odd meters).
#include <climits>

#include "core/generate/piano_table.h"

namespace zub::Piano {

namespace {

using Patterns::weighted;

Comp_sets sets(const std::vector<std::pair<const char*, double>>& plain,
               const std::vector<std::pair<const char*, double>>& pickup, double probability, int unit) {
    return {.plain = weighted(plain), .pickup = weighted(pickup), .pickup_probability = probability, .unit = unit};
}

// Sustained voicings, soft, swung lightly.
Comping make_ballad_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets = sets({{"|x-------|", 40}, {"|x---x---|", 25}, {"|x-----x-|", 20}, {"|x-----.x|", 15}},
                         {{"x|--------|", 60}, {"x|------x-|", 40}}, 0.2, 4),
        .two_at_bar_start = sets({{"|x---....|", 60}, {"|x--x....|", 40}}, {{"x|----....|", 1}}, 0.2, 4),
        .two_mid_bar = sets({{"|x---....|", 70}, {"|.x--....|", 30}}, {{"x|----....|", 1}}, 0.2, 4),
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 62}, {mpq_class(LONG_MAX), 55}},
        .groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.9, 0.95),
        .top_accent = 6,
        .swung = true,
        .shape1_probability = 0.5,
        .tensions = true,
    };
}

// Swing's comping, lighter.
Comping make_two_feel_comping() {
    Comping comping = swing_comping();
    comping.velocities = {{mpq_class(1), 78}, {mpq_class(LONG_MAX), 62}};
    return comping;
}

// Straight chords on the beats and the "and"s, the chord as written.
Comping make_even_eighths_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets = sets({{"|x..x..x.|", 25},
                          {"|x-.x-.x-|", 20},
                          {"|x---x---|", 20},
                          {"|x.xx.xx.|", 15},
                          {"|x-..x-..|", 20}},
                         {{"x|-..x..x.|", 50}, {"x|--.x---.|", 50}}, 0.2, 4),
        .two_at_bar_start = sets({{"|x-.x....|", 50}, {"|x---....|", 50}}, {{"x|---.....|", 1}}, 0.2, 4),
        .two_mid_bar = sets({{"|x-.x....|", 50}, {"|x---....|", 50}}, {{"x|---.....|", 1}}, 0.2, 4),
        .three_beat = even_eighths_three_sets(),
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 80}, {mpq_class(LONG_MAX), 70}},
        .groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.9, 0.85),
        .top_accent = 6,
        .swung = false,
        .shape1_probability = 0.5,
        .tensions = false,
    };
}

// The montuno: the same off-beat figure every bar, so that it repeats.
Comping make_latin_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets = sets({{"|x.xx.x.x|", 1}}, {{"x|.xx.x.x.|", 1}}, 0.0, 4),
        .two_at_bar_start = sets({{"|x.xx....|", 1}}, {{"x|.xx.....|", 1}}, 0.0, 4),
        .two_mid_bar = sets({{"|.x.x....|", 1}}, {{"x|.x.x....|", 1}}, 0.0, 4),
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 78}, {mpq_class(LONG_MAX), 66}},
        .groove = Perform::groove_in_eighths({2, 2}, 0.95, 0.85, 1.0),
        .top_accent = 8,
        .swung = false,
        .shape1_probability = 0.5,
        .tensions = false,
    };
}

// Short sixteenth stabs around the backbeat, ninths and 13ths kept.
Comping make_funk_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets = sets({{"|..x...x...x.x...|", 30},
                          {"|......x.x.....x.|", 25},
                          {"|x.....x...x..x..|", 25},
                          {"|...x..x.....x...|", 20}},
                         {{"x|.....x...x.x....|", 1}}, 0.15, 4),
        .two_at_bar_start = sets({{"|..x...x.........|", 50}, {"|x.....x.........|", 50}},
                                 {{"x|.....x..........|", 1}}, 0.15, 4),
        .two_mid_bar = sets({{"|..x...x.........|", 50}, {"|x..x............|", 50}},
                            {{"x|.....x..........|", 1}}, 0.15, 4),
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 84}, {mpq_class(LONG_MAX), 70}},
        .groove = Perform::groove_in_eighths({2, 2}, 0.9, 0.85, 1.0),
        .top_accent = 6,
        .swung = false,
        .shape1_probability = 0.5,
        .tensions = true,
    };
}

// Chords on 2 and 4 in the shuffle's triplets, now and then pushed onto the
// last triplet before the beat.
Comping make_shuffle_comping() {
    return {
        .bar_beats = 4,
        .bar_chord = 4,
        .bar_sets = sets({{"|...x-....x-.|", 50}, {"|...x-.x..x-.|", 25}, {"|..x.....x...|", 25}},
                         {{"x|..x-.....x-.|", 1}}, 0.15, 4),
        .two_at_bar_start = sets({{"|...x-.......|", 1}}, {{"x|..x-........|", 1}}, 0.15, 4),
        .two_mid_bar = sets({{"|...x-.......|", 1}}, {{"x|..x-........|", 1}}, 0.15, 4),
        .three_beat = std::nullopt,
        .pickup_needs_root_motion = false,
        .last = Pattern::of_string("|x---|"),
        .velocities = {{mpq_class(1), 80}, {mpq_class(LONG_MAX), 68}},
        .groove = {},
        .top_accent = 6,
        .swung = false,
        .shape1_probability = 0.5,
        .tensions = false,
    };
}

}  // namespace

Comp_sets even_eighths_three_sets() {
    return sets({{"|x..x..|", 40}, {"|x-.x-.|", 30}, {"|x-----|", 30}}, {{"x|-..x..|", 1}}, 0.2, 3);
}

const Comping& ballad_comping() {
    static const Comping comping = make_ballad_comping();
    return comping;
}

const Comping& two_feel_comping() {
    static const Comping comping = make_two_feel_comping();
    return comping;
}

const Comping& even_eighths_comping() {
    static const Comping comping = make_even_eighths_comping();
    return comping;
}

const Comping& latin_comping() {
    static const Comping comping = make_latin_comping();
    return comping;
}

const Comping& funk_comping() {
    static const Comping comping = make_funk_comping();
    return comping;
}

const Comping& shuffle_comping() {
    static const Comping comping = make_shuffle_comping();
    return comping;
}

}  // namespace zub::Piano
