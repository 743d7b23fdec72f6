// The jazz waltz's and the bossa nova's comping.
#include <climits>

#include "core/generate/piano_table.h"

namespace zub::Piano {

namespace {

using Patterns::weighted;

// Bars of three beats in six eighths: short chords on the "and" of 1, on 2 or
// on 3, sometimes held.
Comping make_waltz_comping() {
    return Comping{3,
                   3,
                   {weighted({{"|.x..x.|", 20},
                              {"|..x...|", 20},
                              {"|..x.x.|", 15},
                              {"|.x....|", 15},
                              {"|x-----|", 10},
                              {"|..x---|", 10},
                              {"|x...x.|", 10}}),
                    weighted({{"x|-...x.|", 10}, {"x|-.....|", 20}, {"x|------|", 10}}), 0.25},
                   {weighted({{"|x.....|", 20}, {"|.x....|", 20}, {"|x-....|", 10}}),
                    weighted({{"x|-.....|", 20}, {"x|---...|", 10}}), 0.25},
                   {weighted({{"|x-....|", 20}, {"|.x....|", 20}}), weighted({{"x|-.....|", 10}, {"x|......|", 20}}),
                    0.3},
                   true,
                   Pattern::of_string("|x--|"),
                   {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}},
                   2.3,
                   0.5,
                   64};
}

// Straight eighths, syncopated: anticipations on the "and" of 2 inside a
// chord and on the "and" of 4 into the next, a little softer than swing.
Comping make_bossa_comping() {
    return Comping{4,
                   4,
                   {weighted({{"|x-.x-...|", 30},
                              {"|x..x..x.|", 20},
                              {"|x-.x----|", 20},
                              {"|x-...x-.|", 15},
                              {"|..x..x..|", 15}}),
                    weighted({{"x|-..x-...|", 30}, {"x|-..x..x.|", 20}, {"x|-..x----|", 20}, {"x|-...x-..|", 15}}),
                    0.5},
                   {weighted({{"|x-......|", 30}, {"|.x-.....|", 20}}),
                    weighted({{"x|-.......|", 30}, {"x|---.....|", 20}}), 0.5},
                   {weighted({{"|x-......|", 30}, {"|.x......|", 20}}),
                    weighted({{"x|-.......|", 30}, {"x|........|", 20}}), 0.5},
                   false,
                   Pattern::of_string("|x---|"),
                   {{mpq_class(1), 75}, {mpq_class(LONG_MAX), 60}},
                   1.0,
                   0.5,
                   64};
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
