#include "core/generate/piano_table.h"

#include <climits>
#include <utility>
#include <vector>

namespace zub::Piano {

namespace {

Randset<Pattern> patterns(const std::vector<std::pair<const char*, double>>& texts) {
    std::vector<std::pair<Pattern, double>> weighted;
    for (const auto& [text, weight] : texts) weighted.emplace_back(Pattern::of_string(text), weight);
    return Randset<Pattern>::create(weighted);
}

}  // namespace

const Randset<Pattern>& four_beats(bool pickup) {
    static const Randset<Pattern> plain = patterns({{"|x-.x....|", 20},
                                                    {"|x-.x--..|", 20},
                                                    {"|x-.x----|", 20},
                                                    {"|x---.x--|", 20},
                                                    {"|x-----x.|", 20},
                                                    {"|.x..x-..|", 10},
                                                    {"|.x...x..|", 20},
                                                    {"|..x-.x--|", 10},
                                                    {"|..x-....|", 10},
                                                    {"|...x....|", 10},
                                                    {"|.....x..|", 10}});
    static const Randset<Pattern> early =
        patterns({{"x|-..x....|", 10}, {"x|--...x..|", 10}, {"x|----..x.|", 10}, {"x|--------|", 10}});
    return pickup ? early : plain;
}

const Randset<Pattern>& two_beats_bar_start(bool pickup) {
    static const Randset<Pattern> plain =
        patterns({{"|x.......|", 20}, {"|x-......|", 20}, {"|..x-....|", 10}, {"|.x......|", 10}});
    static const Randset<Pattern> early = patterns({{"x|----....|", 10}, {"x|-.......|", 20}});
    return pickup ? early : plain;
}

const Randset<Pattern>& two_beats_mid_bar(bool pickup) {
    static const Randset<Pattern> plain = patterns({{"|x-......|", 30}, {"|.x......|", 10}, {"|.x--....|", 10}});
    static const Randset<Pattern> early = patterns({{"x|-.......|", 10}, {"x|........|", 30}});
    return pickup ? early : plain;
}

const Pattern& last_chord_pattern() {
    static const Pattern pattern = Pattern::of_string("|x---|");
    return pattern;
}

const Perform::Duration_velocity_table& duration_velocities() {
    static const Perform::Duration_velocity_table table = {{mpq_class(1), 90}, {mpq_class(LONG_MAX), 70}};
    return table;
}

}  // namespace zub::Piano
