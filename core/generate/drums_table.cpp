#include "core/generate/drums_table.h"

namespace zub::Drums {

namespace {

using Patterns::weighted;

Kit make_swing_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = true};
    kit.instruments.push_back(
        {.name = "rc",
         .notenum = 51,
         .velocity = 100,
         .normal = {weighted({{"|x.xxx.xx|", 70}, {"|xxx.x.xx|", 10}, {"|x.xxxxx.|", 10}, {"|x.x.xxx.|", 10}})},
         .fill = {weighted({{"|x.x.x...|", 50}, {"|x.x.....|", 50}})},
         .ending = Pattern::of_string("|....x...|")});
    // The pedal hi-hat on 2 and 4, every bar.
    kit.instruments.push_back({.name = "hh",
                               .notenum = 44,
                               .velocity = 80,
                               .normal = {weighted({{"|..x...x.|", 1}})},
                               .fill = {weighted({{"|..x...x.|", 1}})},
                               .ending = Pattern::of_string("|........|")});
    kit.instruments.push_back(
        {.name = "sd",
         .notenum = 38,
         .velocity = 70,
         .normal = {weighted(
             {{"|........|", 20}, {"|......x.|", 20}, {"|.....x..|", 20}, {"|..x....x|", 20}, {"|.x....x.|", 20}})},
         .fill = {weighted({{"|..x.xxxx|", 50}, {"|..xx.x.x|", 50}})},
         .ending = Pattern::of_string("|x..xx...........|")});
    // Feathered: four soft quarters felt more than heard, sometimes fewer.
    kit.instruments.push_back({.name = "bd",
                               .notenum = 36,
                               .velocity = 45,
                               .normal = {weighted({{"|x.x.x.x.|", 60}, {"|x...x...|", 20}, {"|x.......|", 20}})},
                               .fill = {weighted({{"|x.x.x.x.|", 50}, {"|x...x..x|", 50}})},
                               .ending = Pattern::of_string("|...xx...|")});
    // The ride's skip beats, 2 and 4, lead.
    kit.groove = {{mpq_class(0), 0.9}, {mpq_class(1, 2), 0.7}, {mpq_class(1), 1.0}, {mpq_class(3, 2), 0.7},
                  {mpq_class(2), 0.9}, {mpq_class(5, 2), 0.7}, {mpq_class(3), 1.0}, {mpq_class(7, 2), 0.7}};
    return kit;
}

}  // namespace

const Kit& swing_kit() {
    static const Kit kit = make_swing_kit();
    return kit;
}

const Kit& kit(Style style) {
    switch (style) {
        case Style::jazz_waltz: return waltz_kit();
        case Style::bossa_nova: return bossa_kit();
        case Style::ballad: return ballad_kit();
        case Style::two_feel: return two_feel_kit();
        case Style::even_eighths: return even_eighths_kit();
        case Style::latin: return latin_kit();
        case Style::funk: return funk_kit();
        case Style::shuffle: return shuffle_kit();
        case Style::swing: break;
    }
    return swing_kit();
}

}  // namespace zub::Drums
