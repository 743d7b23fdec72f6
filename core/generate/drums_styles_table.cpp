// The jazz waltz's and the bossa nova's drum kits.
#include "core/generate/drums_table.h"

namespace zub::Drums {

namespace {

using Patterns::weighted;

// Three beats of six eighths: the ride on 1, 2, the swung "and" of 2 and 3,
// the pedal hi-hat on 2 and 3, a feathered bass drum on 1.
Kit make_waltz_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 3, .swung = true};
    kit.instruments.push_back({.name = "rc",
                               .notenum = 51,
                               .velocity = 100,
                               .normal = {weighted({{"|x.xxx.|", 70}, {"|x.x.x.|", 15}, {"|x.xxxx|", 15}})},
                               .fill = {weighted({{"|x.x.x.|", 50}, {"|x.x...|", 50}})},
                               .ending = Pattern::of_string("|....x.|")});
    kit.instruments.push_back({.name = "hh",
                               .notenum = 44,
                               .velocity = 80,
                               .normal = {weighted({{"|..x.x.|", 70}, {"|..x...|", 30}})},
                               .fill = {weighted({{"|..x.x.|", 100}})},
                               .ending = Pattern::of_string("|......|")});
    kit.instruments.push_back(
        {.name = "sd",
         .notenum = 38,
         .velocity = 70,
         .normal = {weighted({{"|......|", 40}, {"|.....x|", 20}, {"|...x..|", 20}, {"|.x....|", 20}})},
         .fill = {weighted({{"|..x.xx|", 50}, {"|.xx.xx|", 50}})},
         .ending = Pattern::of_string("|x..xx.......|")});
    kit.instruments.push_back({.name = "bd",
                               .notenum = 36,
                               .velocity = 45,
                               .normal = {weighted({{"|x.....|", 60}, {"|......|", 30}, {"|x...x.|", 10}})},
                               .fill = {weighted({{"|x.....|", 50}, {"|x...x.|", 50}})},
                               .ending = Pattern::of_string("|...xx.|")});
    kit.groove = {{mpq_class(0), 1.0},    {mpq_class(1, 2), 0.7}, {mpq_class(1), 0.9},
                  {mpq_class(3, 2), 0.7}, {mpq_class(2), 0.9},    {mpq_class(5, 2), 0.7}};
    return kit;
}

// Straight eighths: the side-stick clave over two bars (eighths 1, 4, 7, then
// 3, 6), closed hi-hat on every eighth, bass drum on 1 and 3 with the pickup
// on the "and" before each.
Kit make_bossa_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swung = false};
    kit.instruments.push_back(
        {.name = "ss",
         .notenum = 37,
         .velocity = 90,
         .normal = {weighted({{"|x..x..x.|", 1}}), weighted({{"|..x..x..|", 1}})},
         .fill = {weighted({{"|x..x..x.|", 1}}), weighted({{"|..x..x..|", 50}, {"|..x..x.x|", 50}})},
         .ending = Pattern::of_string("|x.......|")});
    kit.instruments.push_back({.name = "hh",
                               .notenum = 42,
                               .velocity = 75,
                               .normal = {weighted({{"|xxxxxxxx|", 1}})},
                               .fill = {weighted({{"|xxxxxxxx|", 1}})},
                               .ending = Pattern::of_string("|x.......|")});
    kit.instruments.push_back({.name = "bd",
                               .notenum = 36,
                               .velocity = 85,
                               .normal = {weighted({{"|x..xx..x|", 80}, {"|x..xx...|", 20}})},
                               .fill = {weighted({{"|x..xx..x|", 1}})},
                               .ending = Pattern::of_string("|x.......|")});
    kit.groove = {{mpq_class(0), 1.0},  {mpq_class(1, 2), 0.75}, {mpq_class(1), 0.85}, {mpq_class(3, 2), 0.75},
                  {mpq_class(2), 0.95}, {mpq_class(5, 2), 0.75}, {mpq_class(3), 0.85}, {mpq_class(7, 2), 0.75}};
    return kit;
}

}  // namespace

const Kit& waltz_kit() {
    static const Kit kit = make_waltz_kit();
    return kit;
}

const Kit& bossa_kit() {
    static const Kit kit = make_bossa_kit();
    return kit;
}

}  // namespace zub::Drums
