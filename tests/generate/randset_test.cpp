#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "core/generate/randset.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::not_found;

Randset<std::string> one_one_two() { return Randset<std::string>::create({{"a", 1.0}, {"b", 1.0}, {"c", 2.0}}); }

TEST(Randset, DrawsUpToAndIncludingAShareSelectIt) {
    const auto set = one_one_two();
    struct Case {
        double r;
        const char* value;
    };
    for (const Case& c : {Case{0.0, "a"}, Case{0.25, "a"}, Case{std::nextafter(0.25, 1.0), "b"}, Case{0.5, "b"},
                          Case{std::nextafter(0.5, 1.0), "c"}, Case{1.0 - 0x1p-52, "c"}})
        EXPECT_EQ(set.choose_at(c.r), c.value) << c.r;
}

TEST(Randset, SingleAlternativeAlwaysWins) {
    const auto set = Randset<int>::create({{7, 0.001}});
    Random::init(3);
    for (int k = 0; k < 100; ++k) ASSERT_EQ(set.choose(), 7);
}

TEST(Randset, FrequenciesFollowTheWeights) {
    const auto set = one_one_two();
    Random::init(11);
    std::map<std::string, int> counts;
    for (int k = 0; k < 40000; ++k) ++counts[set.choose()];
    EXPECT_NEAR(counts["a"], 10000, 400);
    EXPECT_NEAR(counts["b"], 10000, 400);
    EXPECT_NEAR(counts["c"], 20000, 400);
}

TEST(Randset, EveryChooseConsumesOneDraw) {
    const auto set = one_one_two();
    Random::init(5);
    set.choose();
    set.choose();
    const double third = Random::float_unit();
    Random::init(5);
    for (int k = 0; k < 2; ++k) Random::float_unit();
    EXPECT_EQ(Random::float_unit(), third);
}

TEST(Randset, ErrorCases) {
    EXPECT_TRUE(not_found([] { Randset<int>::create({}).choose(); }));
    EXPECT_TRUE(not_found([] { Randset<int>::create({{1, 0.0}, {2, 0.0}}).choose(); }));
}

}  // namespace
}  // namespace zub
