// A chart written with the jazz chord names is analysed exactly as the same
// chart written with interval lists: same key centers, roman numerals, arrows,
// brackets and key names. Checked on seeded random charts.
#include <gtest/gtest.h>

#include <random>

#include "core/analysis/kov.h"

namespace zub {
namespace {

using Bars = std::vector<Kov::Bar_chords>;

struct Spelling {
    const char* name;
    const char* list;
};

// Jazz names with their lists, and original names the charts mix them with.
const Spelling types[] = {
    {"7b13", ":3.5.b7.b13"},     {"7alt", ":3.b5.#5.b7.b9.#9"}, {"13#11", ":3.5.b7.9.#11.13"},
    {"11", ":3.5.b7.9.11"},      {"add9", ":3.5.9"},            {"madd9", ":b3.5.9"},
    {"m69", ":b3.5.6.9"},        {"mMaj9", ":b3.5.7.9"},        {"mb6", ":b3.5.b6"},
    {"m#5", ":b3.#5"},           {"Maj7#5", ":3.#5.7"},         {"Maj9#11", ":3.5.7.9.#11"},
    {"Maj13", ":3.5.7.9.11.13"}, {"7b9b13", ":3.5.b7.b9.b13"},  {"7b9#11", ":3.5.b7.b9.#11"},
    {"7b9#9", ":3.5.b7.b9.#9"},  {"7#9#11", ":3.5.b7.#9.#11"},  {"7#9b13", ":3.5.b7.#9.b13"},
    {"7b9sus", ":4.5.b7.b9"},    {"7b13sus", ":4.5.b7.b13"},    {"13sus", ":4.5.b7.9.13"},
    {"7susadd3", ":3.4.5.b7"},   {"sus2", ":2.5"},              {"5", ":5"},
    {"dimMaj7", ":b3.b5.7"},     {"m9b5", ":b3.b5.b7.9"},       {"m13", ":b3.5.b7.9.11.13"},
    {"m7#5", ":b3.#5.b7"},       {"9b13", ":3.5.b7.9.b13"},     {"13b9#11", ":3.5.b7.b9.#11.13"},
    {"7", ":3.5.b7"},            {"m7", ":b3.5.b7"},            {"Maj7", ":3.5.7"},
    {"m7b5", ":b3.b5.b7"},       {"", ":3.5"},                  {"m", ":b3.5"},
};

const char* const roots[] = {"C", "F", "Bb", "Eb", "Ab", "Db", "F#", "B", "E", "A", "D", "G"};

struct Twin_charts {
    Bars named;
    Bars listed;
};

Twin_charts random_charts(unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&random](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
    Twin_charts charts;
    const std::size_t bar_count = 4 + pick(13);
    for (std::size_t bar = 0; bar < bar_count; ++bar) {
        Kov::Bar_chords named, listed;
        const int chords = 1 + static_cast<int>(pick(2));
        for (int k = 0; k < chords; ++k) {
            const std::string root = roots[pick(std::size(roots))];
            const Spelling& type = types[pick(std::size(types))];
            named.push_back({root + type.name, 4 / chords});
            listed.push_back({root + type.list, 4 / chords});
        }
        charts.named.push_back(named);
        charts.listed.push_back(listed);
    }
    return charts;
}

// Everything of the result but the chord texts, which are as written.
void expect_same_analysis(const Analysis_result& named, const Analysis_result& listed, unsigned seed) {
    ASSERT_EQ(named.chords.size(), listed.chords.size()) << seed;
    for (std::size_t k = 0; k < named.chords.size(); ++k)
        EXPECT_EQ(named.chords[k].second, listed.chords[k].second) << "seed " << seed << " slot " << k;
    EXPECT_EQ(named.barlines, listed.barlines) << seed;
    EXPECT_EQ(named.arrows, listed.arrows) << seed;
    EXPECT_EQ(named.keys, listed.keys) << seed;
    EXPECT_EQ(named.brackets, listed.brackets) << seed;
}

TEST(JazzNamesAnalysis, NamedAndListedChartsAnalyseAlike) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const Twin_charts charts = random_charts(seed);
        const auto centers = Kov::partition(charts.named);
        EXPECT_EQ(Kov::partition(charts.listed), centers) << seed;
        expect_same_analysis(Kov::annotate(charts.named, centers), Kov::annotate(charts.listed, centers), seed);
    }
}

TEST(JazzNamesAnalysis, AlteredDominantsResolveLikeSevenths) {
    // D7b13 and G7alt lead to C as D7 and G7 do: the same labels and arrows.
    const Bars jazz = {{{"Am7", 4}}, {{"D7b13", 4}}, {{"Dm7", 2}, {"G7alt", 2}}, {{"CMaj7", 4}}};
    const Bars plain = {{{"Am7", 4}}, {{"D7", 4}}, {{"Dm7", 2}, {"G7", 2}}, {{"CMaj7", 4}}};
    const auto centers = Kov::partition(plain);
    EXPECT_EQ(Kov::partition(jazz), centers);
    expect_same_analysis(Kov::annotate(jazz, centers), Kov::annotate(plain, centers), 0);
}

}  // namespace
}  // namespace zub
