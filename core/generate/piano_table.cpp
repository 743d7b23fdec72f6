#include "core/generate/piano_table.h"

#include <climits>

namespace zub::Piano {

namespace {

using Patterns::weighted;

Comping make_swing_comping() {
    return Comping{4,
                   4,
                   {weighted({{"|x-.x....|", 20},
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
                    weighted({{"x|-..x....|", 10}, {"x|--...x..|", 10}, {"x|----..x.|", 10}, {"x|--------|", 10}}),
                    0.25},
                   {weighted({{"|x.......|", 20}, {"|x-......|", 20}, {"|..x-....|", 10}, {"|.x......|", 10}}),
                    weighted({{"x|----....|", 10}, {"x|-.......|", 20}}), 0.25},
                   {weighted({{"|x-......|", 30}, {"|.x......|", 10}, {"|.x--....|", 10}}),
                    weighted({{"x|-.......|", 10}, {"x|........|", 30}}), 0.3},
                   true,
                   Pattern::of_string("|x---|"),
                   {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}},
                   2.3,
                   0.5,
                   64};
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
        case Style::swing: break;
    }
    return swing_comping();
}

}  // namespace zub::Piano
