#include "core/generate/bass_table.h"

namespace zub::Bass {

const Randset<int>& split_beats() {
    static const Randset<int> set = Randset<int>::create({{0, 0.4}, {1, 0.2}, {2, 0.3}, {3, 0.0}});
    return set;
}

const Perform::Groove_table& groove_table() {
    static const Perform::Groove_table table = {
        {mpq_class(0), 1.0},  {mpq_class(1, 2), 0.7}, {mpq_class(1), 0.8},  {mpq_class(3, 2), 0.7},
        {mpq_class(2), 0.9},  {mpq_class(5, 2), 0.7}, {mpq_class(3), 0.8},  {mpq_class(7, 2), 0.7}};
    return table;
}

const Randset<int>& two_feel_figures() {
    static const Randset<int> set = Randset<int>::create({{dotted_half, 0.5}, {half_and_quarter, 0.5}});
    return set;
}

const Walk& swing_walk() {
    static const Walk walk = {4, groove_table(), 0.0};
    return walk;
}

const Walk& waltz_walk() {
    static const Walk walk = {3,
                              {{mpq_class(0), 1.0},
                               {mpq_class(1, 2), 0.7},
                               {mpq_class(1), 0.8},
                               {mpq_class(3, 2), 0.7},
                               {mpq_class(2), 0.8},
                               {mpq_class(5, 2), 0.7}},
                              0.3};
    return walk;
}

const Walk& two_feel_walk() {
    static const Walk walk = {4, groove_table(), 0.0, Placement::half_notes, 0.0};
    return walk;
}

const Walk& ballad_walk() {
    static const Walk walk = {4,
                              {{mpq_class(0), 0.85}, {mpq_class(2), 0.8}, {mpq_class(3, 2), 0.65}, {mpq_class(7, 2), 0.65}},
                              0.0,
                              Placement::half_notes_with_pickups,
                              0.4};
    return walk;
}

}  // namespace zub::Bass
