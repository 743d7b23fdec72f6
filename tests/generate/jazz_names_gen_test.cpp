// The accompaniment of a chart written with the jazz chord names is the one of
// the same chart written with interval lists: voicings and scales come from the
// intervals, whatever the type is called.
#include <gtest/gtest.h>

#include "core/generate/zub2lite.h"
#include "smf_reader.h"

namespace zub {
namespace {

Chart chart_of(std::vector<Chart::Bar> bars) {
    const int count = static_cast<int>(bars.size());
    return Chart("Jazz", {4, 1}, "C", 140, std::move(bars), {1, count, 2}, {{1, 'A'}});
}

TEST(JazzNamesGen, NamedAndListedChartsPlayAlike) {
    const Chart named = chart_of({{{"Em7b5", 2}, {"A7alt", 2}}, {{"Dm9", 2}, {"G7b13", 2}}, {{"CMaj7#5", 4}},
                                  {{"F13#11", 2}, {"Bb7b9sus", 2}}, {{"Ebm69", 2}, {"Ab13sus", 2}},
                                  {{"Dbadd9", 2}, {"C5", 2}}, {{"BdimMaj7", 2}, {"E7susadd3", 2}}});
    const Chart listed = chart_of({{{"Em7b5", 2}, {"A:3.b5.#5.b7.b9.#9", 2}}, {{"Dm9", 2}, {"G:3.5.b7.b13", 2}},
                                   {{"C:3.#5.7", 4}}, {{"F:3.5.b7.9.#11.13", 2}, {"Bb:4.5.b7.b9", 2}},
                                   {{"Eb:b3.5.6.9", 2}, {"Ab:4.5.b7.9.13", 2}}, {{"Db:3.5.9", 2}, {"C:5", 2}},
                                   {{"B:b3.b5.7", 2}, {"E:3.4.5.b7", 2}}});
    for (std::uint64_t seed : {1u, 77u, 2026u}) {
        Zub2lite::init_random_with(seed);
        const std::string from_names = Zub2lite::gen(named);
        Zub2lite::init_random_with(seed);
        EXPECT_EQ(Zub2lite::gen(listed), from_names) << seed;
        EXPECT_EQ(testing::read_smf(from_names).tracks.size(), 4u);
    }
}

}  // namespace
}  // namespace zub
