#include "core/generate/drums_table.h"

namespace zub::Drums {

namespace {

using Patterns::weighted;

Kit make_swing_kit() {
    Kit kit{.instruments = {}, .groove = {}, .bar_beats = 4, .swing_ratio = 2.3};
    kit.instruments.push_back(
        {.name = "rc",
         .notenum = 51,
         .velocity = 100,
         .normal = {weighted({{"|x.xxx.xx|", 70}, {"|xxx.x.xx|", 10}, {"|x.xxxxx.|", 10}, {"|x.x.xxx.|", 10}})},
         .fill = {weighted({{"|x.x.x...|", 50}, {"|x.x.....|", 50}})},
         .ending = Pattern::of_string("|....x...|")});
    kit.instruments.push_back({.name = "hh",
                               .notenum = 42,
                               .velocity = 100,
                               .normal = {weighted({{"|x...x...|", 80}, {"|x...x..x|", 20}})},
                               .fill = {weighted({{"|x...x...|", 80}, {"|x..x....|", 20}})},
                               .ending = Pattern::of_string("|........|")});
    kit.instruments.push_back(
        {.name = "sd",
         .notenum = 38,
         .velocity = 80,
         .normal = {weighted(
             {{"|........|", 20}, {"|......x.|", 20}, {"|.....x..|", 20}, {"|..x....x|", 20}, {"|.x....x.|", 20}})},
         .fill = {weighted({{"|..x.xxxx|", 50}, {"|..xx.x.x|", 50}})},
         .ending = Pattern::of_string("|x..xx...........|")});
    kit.instruments.push_back(
        {.name = "bd",
         .notenum = 36,
         .velocity = 100,
         .normal = {weighted(
             {{"|x...x...|", 20}, {"|x...x..x|", 20}, {"|x.......|", 20}, {"|....x...|", 20}, {"|....x..x|", 20}})},
         .fill = {weighted({{"|x...x...|", 50}, {"|x.......|", 50}})},
         .ending = Pattern::of_string("|...xx...|")});
    kit.groove = {{mpq_class(0), 1.0},  {mpq_class(1, 2), 0.7}, {mpq_class(1), 0.9}, {mpq_class(3, 2), 0.7},
                  {mpq_class(2), 0.95}, {mpq_class(5, 2), 0.7}, {mpq_class(3), 0.9}, {mpq_class(7, 2), 0.7}};
    return kit;
}

}  // namespace

const Kit& swing_kit() {
    static const Kit kit = make_swing_kit();
    return kit;
}

const Kit& kit(Style style) {
    if (style == Style::jazz_waltz) return waltz_kit();
    if (style == Style::bossa_nova) return bossa_kit();
    return swing_kit();
}

}  // namespace zub::Drums
