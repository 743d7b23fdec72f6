// The drum kits of the ballad, two-feel, even-eighths, Latin, funk and
// shuffle grooves, in 4/4, and the even eighths in three (for odd meters).
#include "core/generate/drums_table.h"

namespace zub::Drums {

namespace {

using Patterns::weighted;

Instrument plain(const char* name, int notenum, int velocity, const std::vector<std::pair<const char*, double>>& normal,
                 const std::vector<std::pair<const char*, double>>& fill, const char* ending) {
    return {.name = name,
            .notenum = notenum,
            .velocity = velocity,
            .normal = {weighted(normal)},
            .fill = {weighted(fill)},
            .ending = Pattern::of_string(ending)};
}

// Brushes (the General MIDI brush kit, program 41: tap 38, swirl 40; a
// standard kit plays them as a soft snare): a swirl through each half bar,
// taps on 2 and 4, the pedal hi-hat with them, a light ride.
Kit make_ballad_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = true, .program = 41};
    kit.instruments.push_back(plain("sw", 40, 45, {{"|x---x---|", 70}, {"|x-------|", 30}},
                                    {{"|x---x---|", 1}}, "|x-------|"));
    kit.instruments.push_back(plain("sd", 38, 55, {{"|..x...x.|", 70}, {"|..x...xx|", 30}},
                                    {{"|..x.x.xx|", 50}, {"|..x..xx.|", 50}}, "|x.......|"));
    kit.instruments.push_back(plain("rc", 51, 60, {{"|x.x.x.x.|", 60}, {"|x.xxx.xx|", 40}}, {{"|x.x.x...|", 1}},
                                    "|x.......|"));
    kit.instruments.push_back(plain("hh", 44, 50, {{"|..x...x.|", 1}}, {{"|..x...x.|", 1}}, "|........|"));
    kit.instruments.push_back(plain("bd", 36, 35, {{"|x.......|", 60}, {"|........|", 40}}, {{"|x.......|", 1}},
                                    "|x.......|"));
    kit.groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.9, 0.75);
    return kit;
}

// A lighter ride, mostly quarters; the bass drum feathered on 1 and 3.
Kit make_two_feel_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = true};
    kit.instruments.push_back(plain("rc", 51, 80, {{"|x.x.x.x.|", 50}, {"|x.xxx.xx|", 50}},
                                    {{"|x.x.x...|", 1}}, "|x.......|"));
    kit.instruments.push_back(plain("hh", 44, 75, {{"|..x...x.|", 1}}, {{"|..x...x.|", 1}}, "|........|"));
    kit.instruments.push_back(plain("sd", 38, 60, {{"|........|", 50}, {"|......x.|", 25}, {"|.....x..|", 25}},
                                    {{"|..x.xxxx|", 50}, {"|..xx.x.x|", 50}}, "|x.......|"));
    kit.instruments.push_back(plain("bd", 36, 45, {{"|x...x...|", 1}}, {{"|x...x...|", 1}}, "|x.......|"));
    kit.groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.95, 0.7);
    return kit;
}

// Closed hi-hat eighths, the backbeat on 2 and 4, the bass drum on 1 and 3
// with an eighth before 3 or 1 now and then.
Kit make_even_eighths_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = false};
    kit.instruments.push_back(plain("hh", 42, 80, {{"|xxxxxxxx|", 85}, {"|xxxxxxx.|", 15}}, {{"|xxxx....|", 1}},
                                    "|x.......|"));
    kit.instruments.push_back(plain("sd", 38, 95, {{"|..x...x.|", 1}}, {{"|..x.xxxx|", 50}, {"|..x..xxx|", 50}},
                                    "|x.......|"));
    kit.instruments.push_back(plain("bd", 36, 95, {{"|x...x...|", 50}, {"|x..xx...|", 25}, {"|x...x..x|", 25}},
                                    {{"|x...x...|", 1}}, "|x.......|"));
    kit.groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.9, 0.75);
    return kit;
}

// The son clave, 3-2, over two bars; the cowbell on the beats with the
// mambo bell's off-beats; the bass drum on 4 (with the tumbao).
Kit make_latin_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = false};
    kit.instruments.push_back({.name = "cl",
                               .notenum = 75,
                               .velocity = 85,
                               .normal = {weighted({{"|x..x..x.|", 1}}), weighted({{"|..x.x...|", 1}})},
                               .fill = {weighted({{"|x..x..x.|", 1}}), weighted({{"|..x.x...|", 1}})},
                               .ending = Pattern::of_string("|x.......|")});
    kit.instruments.push_back(plain("cb", 56, 80, {{"|x.x.x.x.|", 60}, {"|x.xxx.xx|", 40}}, {{"|x.x.x.x.|", 1}},
                                    "|x.......|"));
    kit.instruments.push_back(plain("bd", 36, 75, {{"|......x.|", 70}, {"|...x..x.|", 30}}, {{"|...x..x.|", 1}},
                                    "|x.......|"));
    kit.instruments.push_back(plain("sd", 38, 60, {{"|........|", 80}, {"|.......x|", 20}},
                                    {{"|....x.xx|", 50}, {"|..x.x.xx|", 50}}, "|x.......|"));
    kit.groove = Perform::groove_in_eighths({2, 2}, 1.0, 0.85, 0.8);
    return kit;
}

// Sixteenth hi-hats, the backbeat with ghost notes, a syncopated bass drum.
Kit make_funk_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = false};
    kit.instruments.push_back(plain("hh", 42, 85, {{"|xxxxxxxxxxxxxxxx|", 80}, {"|xxxxxxxxxxxxxx.x|", 20}},
                                    {{"|xxxxxxxx........|", 1}}, "|x...............|"));
    kit.instruments.push_back(plain("sd", 38, 100,
                                    {{"|....x.......x...|", 50}, {"|....x..x....x...|", 25}, {"|....x.......x..x|", 25}},
                                    {{"|....x...x.xxxxxx|", 50}, {"|....x..x..x.x.xx|", 50}}, "|x...............|"));
    kit.instruments.push_back(plain("bd", 36, 100,
                                    {{"|x.....x...x.....|", 40}, {"|x..x......x..x..|", 30}, {"|x.x.......x.....|", 30}},
                                    {{"|x.....x...x.....|", 1}}, "|x...............|"));
    kit.groove = Perform::groove_by_steps(4, {1.0, 0.6, 0.8, 0.6});
    return kit;
}

// The shuffle written in triplets (no swing added): the ride on each beat
// and its last triplet, the backbeat, the bass drum on 1 and 3.
Kit make_shuffle_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = false};
    kit.instruments.push_back(plain("rc", 51, 90, {{"|x.xx.xx.xx.x|", 1}}, {{"|x.xx.x......|", 1}}, "|x...........|"));
    kit.instruments.push_back(plain("sd", 38, 95, {{"|...x.....x..|", 80}, {"|...x.....x.x|", 20}},
                                    {{"|...x..x.xx.x|", 50}, {"|...x.xx.xxxx|", 50}}, "|x...........|"));
    kit.instruments.push_back(plain("bd", 36, 90, {{"|x.....x.....|", 70}, {"|x.....x....x|", 30}},
                                    {{"|x.....x.....|", 1}}, "|x...........|"));
    kit.instruments.push_back(plain("hh", 44, 70, {{"|...x.....x..|", 1}}, {{"|...x.....x..|", 1}}, "|............|"));
    kit.groove = Perform::groove_by_steps(4, {1.0, 0.6, 0.75});
    return kit;
}

// Even eighths in three, to build the odd meters' groups: the hi-hat on
// every eighth, the backbeat on 2 (and 3 now and then), the bass drum on 1.
Kit make_even_eighths_three_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 3, .swung = false};
    kit.instruments.push_back(plain("hh", 42, 80, {{"|xxxxxx|", 1}}, {{"|xxxx..|", 1}}, "|x.....|"));
    kit.instruments.push_back(plain("sd", 38, 95, {{"|..x...|", 70}, {"|..x.x.|", 30}}, {{"|..x.xx|", 1}}, "|x.....|"));
    kit.instruments.push_back(plain("bd", 36, 95, {{"|x.....|", 60}, {"|x...x.|", 40}}, {{"|x.....|", 1}}, "|x.....|"));
    kit.groove = Perform::groove_in_eighths({3}, 1.0, 0.9, 0.75);
    return kit;
}

}  // namespace

const Kit& ballad_kit() {
    static const Kit kit = make_ballad_kit();
    return kit;
}

const Kit& two_feel_kit() {
    static const Kit kit = make_two_feel_kit();
    return kit;
}

const Kit& even_eighths_kit() {
    static const Kit kit = make_even_eighths_kit();
    return kit;
}

const Kit& latin_kit() {
    static const Kit kit = make_latin_kit();
    return kit;
}

const Kit& funk_kit() {
    static const Kit kit = make_funk_kit();
    return kit;
}

const Kit& shuffle_kit() {
    static const Kit kit = make_shuffle_kit();
    return kit;
}

const Kit& even_eighths_three_kit() {
    static const Kit kit = make_even_eighths_three_kit();
    return kit;
}

}  // namespace zub::Drums
