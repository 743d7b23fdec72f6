#include "core/generate/drums_table.h"

namespace zub::Drums {

namespace {

using Patterns::weighted;

Kit make_swing_kit() {
    Kit kit;
    kit.instruments.push_back(
        {"rc", 51, 100, {weighted({{"|x.xxx.xx|", 70}, {"|xxx.x.xx|", 10}, {"|x.xxxxx.|", 10}, {"|x.x.xxx.|", 10}})},
         {weighted({{"|x.x.x...|", 50}, {"|x.x.....|", 50}})}, Pattern::of_string("|....x...|")});
    kit.instruments.push_back({"hh", 42, 100, {weighted({{"|x...x...|", 80}, {"|x...x..x|", 20}})},
                               {weighted({{"|x...x...|", 80}, {"|x..x....|", 20}})}, Pattern::of_string("|........|")});
    kit.instruments.push_back({"sd", 38, 80,
                               {weighted({{"|........|", 20},
                                          {"|......x.|", 20},
                                          {"|.....x..|", 20},
                                          {"|..x....x|", 20},
                                          {"|.x....x.|", 20}})},
                               {weighted({{"|..x.xxxx|", 50}, {"|..xx.x.x|", 50}})},
                               Pattern::of_string("|x..xx...........|")});
    kit.instruments.push_back({"bd", 36, 100,
                               {weighted({{"|x...x...|", 20},
                                          {"|x...x..x|", 20},
                                          {"|x.......|", 20},
                                          {"|....x...|", 20},
                                          {"|....x..x|", 20}})},
                               {weighted({{"|x...x...|", 50}, {"|x.......|", 50}})}, Pattern::of_string("|...xx...|")});
    kit.groove = {{mpq_class(0), 1.0},  {mpq_class(1, 2), 0.7}, {mpq_class(1), 0.9},  {mpq_class(3, 2), 0.7},
                  {mpq_class(2), 0.95}, {mpq_class(5, 2), 0.7}, {mpq_class(3), 0.9},  {mpq_class(7, 2), 0.7}};
    kit.bar_beats = 4;
    kit.swing_ratio = 2.3;
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
        case Style::swing: break;
    }
    return swing_kit();
}

}  // namespace zub::Drums
