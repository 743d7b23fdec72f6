#include "core/analysis/kov.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

using Bars = std::vector<Kov::Bar_chords>;
using Centers = std::vector<Kov::Key_center>;

const Bars autumn_leaves_a = {
    {{"Cm7", 4}}, {{"F7", 4}}, {{"BbMaj7", 4}}, {{"EbMaj7", 4}},
    {{"Am7b5", 4}}, {{"D7", 4}}, {{"Gm", 4}}, {{"Gm", 4}},
};

std::vector<std::string> labels_of(const Analysis_result& result) {
    std::vector<std::string> labels;
    for (const auto& [chord, label] : result.chords) labels.push_back(chord + " " + label);
    return labels;
}

TEST(Kov, PartitionFindsKeyCenters) {
    EXPECT_EQ(Kov::partition({}), Centers{});
    EXPECT_EQ(Kov::partition({{{"Dm7", 2}, {"G7", 2}}, {{"C", 4}}}), (Centers{{"C", 8}}));
    Centers centers = Kov::partition(autumn_leaves_a);
    int total = 0;
    for (const auto& center : centers) total += center.second;
    EXPECT_EQ(total, 32);
    // The keys of six sharps or flats are named as their chords are written.
    EXPECT_EQ(Kov::partition({{{"G#m7", 2}, {"C#7", 2}}, {{"F#", 4}}}), (Centers{{"F#", 8}}));
    EXPECT_EQ(Kov::partition({{{"Abm7", 2}, {"Db7", 2}}, {{"Gb", 4}}}), (Centers{{"Gb", 8}}));
    EXPECT_EQ(Kov::partition({{{"E#m7b5", 2}, {"A#7", 2}}, {{"D#m", 4}}}), (Centers{{"D#m", 8}}));
    EXPECT_EQ(Kov::partition({{{"Fm7b5", 2}, {"Bb7", 2}}, {{"Ebm", 4}}}), (Centers{{"Ebm", 8}}));
}

TEST(Kov, AnnotateUnderGivenKeyCenters) {
    auto result = Kov::annotate({{{"Dm7", 2}, {"G7", 2}}, {{"C", 4}}}, {{"C", 8}});
    EXPECT_EQ(labels_of(result), (std::vector<std::string>{"Dm7 IIm7", "G7 V7", "C I"}));
    EXPECT_EQ(result.keys[0], "C");

    // Under F for the first half, the ii-V is not grouped across the boundary.
    auto split = Kov::annotate({{{"Dm7", 4}}, {{"G7", 4}}, {{"C", 4}}}, {{"F", 4}, {"C", 8}});
    EXPECT_EQ(labels_of(split), (std::vector<std::string>{"Dm7 VIm7", "G7 V7", "C I"}));
    EXPECT_EQ(split.keys[1], "C");
    EXPECT_FALSE(split.brackets[0]);

    auto relative = Kov::annotate(autumn_leaves_a, {{"Bb", 16}, {"Gm", 16}});
    EXPECT_EQ(labels_of(relative).at(5), "D7 V7");
}

TEST(Kov, ErrorCases) {
    auto failure_of = [](const Centers& centers) {
        return testing::failure_of([&] { Kov::annotate({{{"C", 4}}, {{"F", 4}}}, centers); });
    };
    EXPECT_EQ(failure_of({{"C", 12}}), "Not enough chords for repartitioning");
    EXPECT_EQ(failure_of({{"C", 2}, {"F", 6}}), "Not enough chords for repartitioning");
    EXPECT_EQ(failure_of({{"C", 4}}), "(no failure)");  // chords after the last key center are left out
    EXPECT_EQ(failure_of({{"H", 8}}), "Invalid note: H");
    EXPECT_THROW(Kov::partition({{{"Cmaj7", 4}}}), Failure);
}

}  // namespace
}  // namespace zub
