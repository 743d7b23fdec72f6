#include "core/generate/drums_table.h"

#include <utility>

namespace zub::Drums {

namespace {

using Weighted = std::vector<std::pair<const char*, double>>;

Randset<Pattern> patterns(const Weighted& texts) {
    std::vector<std::pair<Pattern, double>> weighted;
    for (const auto& [text, weight] : texts) weighted.emplace_back(Pattern::of_string(text), weight);
    return Randset<Pattern>::create(weighted);
}

std::vector<Instrument> make_instruments() {
    std::vector<Instrument> list;
    list.push_back({"rc", 51, 100,
                    patterns({{"|x.xxx.xx|", 70}, {"|xxx.x.xx|", 10}, {"|x.xxxxx.|", 10}, {"|x.x.xxx.|", 10}}),
                    patterns({{"|x.x.x...|", 50}, {"|x.x.....|", 50}}), Pattern::of_string("|....x...|")});
    list.push_back({"hh", 42, 100, patterns({{"|x...x...|", 80}, {"|x...x..x|", 20}}),
                    patterns({{"|x...x...|", 80}, {"|x..x....|", 20}}), Pattern::of_string("|........|")});
    list.push_back({"sd", 38, 80,
                    patterns({{"|........|", 20},
                              {"|......x.|", 20},
                              {"|.....x..|", 20},
                              {"|..x....x|", 20},
                              {"|.x....x.|", 20}}),
                    patterns({{"|..x.xxxx|", 50}, {"|..xx.x.x|", 50}}), Pattern::of_string("|x..xx...........|")});
    list.push_back({"bd", 36, 100,
                    patterns({{"|x...x...|", 20},
                              {"|x...x..x|", 20},
                              {"|x.......|", 20},
                              {"|....x...|", 20},
                              {"|....x..x|", 20}}),
                    patterns({{"|x...x...|", 50}, {"|x.......|", 50}}), Pattern::of_string("|...xx...|")});
    return list;
}

}  // namespace

const std::vector<Instrument>& instruments() {
    static const std::vector<Instrument> list = make_instruments();
    return list;
}

const Perform::Groove_table& groove_table() {
    static const Perform::Groove_table table = {
        {mpq_class(0), 1.0},    {mpq_class(1, 2), 0.7}, {mpq_class(1), 0.9},    {mpq_class(3, 2), 0.7},
        {mpq_class(2), 0.95},   {mpq_class(5, 2), 0.7}, {mpq_class(3), 0.9},    {mpq_class(7, 2), 0.7}};
    return table;
}

}  // namespace zub::Drums
