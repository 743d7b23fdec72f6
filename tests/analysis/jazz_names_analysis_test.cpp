// A chart written with the jazz chord names is analysed exactly as the same
// chart written with interval lists: same key centers, roman numerals, arrows,
// brackets and key names. Checked on seeded random charts.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/analysis/kov.h"
#include "core/theory/chordtype.h"

namespace zub {
namespace {

using Bars = std::vector<Kov::Bar_chords>;

struct Spelling {
    std::string name, list;
};

// Every chord type by its name and as its interval list.
const std::vector<Spelling>& types() {
    static const std::vector<Spelling> spellings = [] {
        std::vector<Spelling> all;
        for (const Chorddef& def : Chordtype::definitions())
            all.push_back({std::string(def.name), ":" + std::string(def.intervals)});
        return all;
    }();
    return spellings;
}

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
            const Spelling& type = types()[pick(types().size())];
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
