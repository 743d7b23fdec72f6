#include "core/charts/ireal_quality.h"

#include <gtest/gtest.h>

#include <set>

#include "core/failure.h"
#include "core/theory/chordtype.h"

namespace zub {
namespace {

// Every official quality, with the type it reads as and the quality it is written back as.
struct Mapping {
    std::string_view quality, type, written;
};
constexpr Mapping mappings[] = {
    {"", "", ""},           {"^7", "Maj7", "^7"},       {"^9", "Maj9", "^9"},         {"^13", "Maj13", "^13"},
    {"^7#11", "Maj7#11", "^7#11"}, {"^9#11", "Maj9#11", "^9#11"}, {"^7#5", "Maj7#5", "^7#5"},
    {"^", "Maj7", "^7"},    {"6", "6", "6"},            {"69", "69", "69"},           {"add9", "add9", "add9"},
    {"2", ":2.3.5", "2"},   {"5", "5", "5"},            {"+", "+", "+"},              {"o", ":b3.b5", "o"},
    {"o7", "dim7", "o7"},   {"h", "m7b5", "h7"},        {"h7", "m7b5", "h7"},         {"h9", "m9b5", "h9"},
    {"-", "m", "-"},        {"-7", "m7", "-7"},         {"-9", "m9", "-9"},           {"-11", "m11", "-11"},
    {"-6", "m6", "-6"},     {"-69", "m69", "-69"},      {"-^7", "mMaj7", "-^7"},      {"-^9", "mMaj9", "-^9"},
    {"-7b5", "m7b5", "h7"}, {"-b6", "mb6", "-b6"},      {"-#5", "m#5", "-#5"},        {"sus", "sus", "sus"},
    {"7sus", "7sus", "7sus"}, {"9sus", "9sus", "9sus"}, {"13sus", "13sus", "13sus"},  {"7b9sus", "7b9sus", "7b9sus"},
    {"7b13sus", "7b13sus", "7b13sus"}, {"7susadd3", "7susadd3", "7susadd3"},          {"7", "7", "7"},
    {"9", "9", "9"},        {"11", "11", "11"},         {"13", "13", "13"},           {"7b9", "7b9", "7b9"},
    {"7#9", "7#9", "7#9"},  {"7#11", "7#11", "7#11"},   {"7b13", "7b13", "7b13"},     {"7b5", "7b5", "7b5"},
    {"7#5", "7+", "7#5"},   {"9#11", "9#11", "9#11"},   {"9b5", "9b5", "9b5"},        {"9#5", "9+", "9#5"},
    {"13#11", "13#11", "13#11"}, {"13b9", "13b9", "13b9"}, {"13#9", "13#9", "13#9"},  {"7b9#5", "7#5b9", "7b9#5"},
    {"7b9b5", "7b5b9", "7b9b5"}, {"7b9#9", "7b9#9", "7b9#9"}, {"7b9b13", "7b9b13", "7b9b13"},
    {"7#9#5", "7#5#9", "7#9#5"}, {"7#9b5", "7b5#9", "7#9b5"}, {"7#9#11", "7#9#11", "7#9#11"},
    {"7b9#11", "7b9#11", "7b9#11"}, {"7alt", "7alt", "7alt"},
};

TEST(IrealQuality, EveryOfficialQualityReadsAndWritesBack) {
    std::set<std::string_view> covered;
    for (const auto& m : mappings) {
        SCOPED_TRACE(m.quality);
        EXPECT_EQ(Ireal_quality::type_of_quality(m.quality), m.type);
        EXPECT_EQ(Ireal_quality::quality_of_type(Chordtype::of_string(m.type)), m.written);
        covered.insert(m.quality);
    }
    for (std::string_view quality : Ireal_quality::official()) EXPECT_TRUE(covered.contains(quality)) << quality;
    EXPECT_EQ(covered.size(), Ireal_quality::official().size());
}

TEST(IrealQuality, LongestMatchKeepsSmallAndLargeApart) {
    const struct {
        std::string_view text;
        std::size_t length;
    } cases[] = {{"7b9sus |", 6}, {"7s", 1}, {"sus ", 3}, {"7alt", 4}, {"7al", 1},   {"^7#11", 5},
                 {"^ ", 1},       {"-^9", 3}, {"69", 2},  {"6/9", 1},  {"l ", 0},    {"h9", 2}};
    for (const auto& c : cases) EXPECT_EQ(Ireal_quality::longest_match(c.text), c.length) << c.text;
}

TEST(IrealQuality, TypesWithoutOfficialQualityTakeTheNearest) {
    const struct {
        std::string_view type, quality;
    } cases[] = {
        {":3.5.b7.b9.13", "13b9"},  // 5 in common with 13b9, one differs
        {"m13", "-11"},             // 5 of 6 shared with -11 (and -9 shares fewer)
        {"sus2", "2"},
        {"9b13", "9"},              // ties with 7b13: the earlier in the list
        {"13b9#11", "7b9#11"},
        {"dimMaj7", "o"},
        {":3", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ireal_quality::quality_of_type(Chordtype::of_string(c.type)), c.quality) << c.type;
    EXPECT_THROW(Ireal_quality::type_of_quality("^7#13"), Not_found);
}

}  // namespace
}  // namespace zub
