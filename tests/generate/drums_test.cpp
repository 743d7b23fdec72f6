#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/generate/drums.h"
#include "core/generate/random.h"

namespace zub {
namespace {

// "notenum@time+duration:velocity" for every event, in time order.
std::string listed(const Midi_seq& seq) {
    std::string text;
    for (const auto& e : seq.events())
        text += (text.empty() ? "" : " ") + std::to_string(e.payload.first.to_notenum()) + "@" + e.time.get_str() +
                "+" + e.duration.get_str() + ":" + std::to_string(e.payload.second);
    return text;
}

TEST(Drums, OneBarIsTheEndingFigure) {
    Random::init(1);
    // Snare sixteenths swung (at 120 bpm by 90 ticks); the sixteenth at 3/4 is off the beat.
    EXPECT_EQ(listed(Drums::gen({}, 1)),
              "38@0+1/4:63 38@15/16+1/16:70 38@1+1/4:70 36@27/16+5/16:31 36@2+1/2:40 51@2+1/2:90");
}

TEST(Drums, FillBarBeforeEachSectionMark) {
    Random::init(7);
    const auto tracks = Drums::gen_trks({{1, 'A'}, {5, 'B'}}, 8);
    ASSERT_EQ(tracks.size(), 4u);
    const char* names[] = {"rc", "hh", "sd", "bd"};
    const std::map<std::string, std::vector<std::string>> fills = {
        {"rc", {"|x.x.x...|", "|x.x.....|"}},
        {"hh", {"|..x...x.|", "|..x...x.|"}},
        {"sd", {"|..x.xxxx|", "|..xx.x.x|"}},
        {"bd", {"|x.x.x.x.|", "|x...x..x|"}}};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(tracks[k].first, names[k]);
        const auto bars = tracks[k].second.events();
        ASSERT_EQ(bars.size(), 8u);
        for (std::size_t b = 0; b < 8; ++b) EXPECT_EQ(bars[b].time, 4 * static_cast<long>(b));
        const auto& fill = fills.at(names[k]);
        const std::string bar4 = bars[3].payload.to_string();
        EXPECT_TRUE(bar4 == fill[0] || bar4 == fill[1]) << names[k] << " " << bar4;
    }
    // The snare fill patterns never occur in the normal table.
    for (std::size_t b : {0u, 1u, 2u, 4u, 5u, 6u}) {
        const std::string bar = tracks[2].second.events()[b].payload.to_string();
        EXPECT_NE(bar, "|..x.xxxx|");
        EXPECT_NE(bar, "|..xx.x.x|");
    }
    EXPECT_EQ(tracks[2].second.events()[7].payload.to_string(), "|x..xx...........|");
}

TEST(Drums, OneDrawPerInstrumentPerBarButTheLast) {
    Random::init(3);
    Drums::gen({}, 5);
    const double after = Random::float_unit();
    Random::init(3);
    for (int k = 0; k < 16; ++k) Random::float_unit();
    EXPECT_EQ(after, Random::float_unit());
}

TEST(Drums, VelocitiesFromInstrumentAndGroove) {
    Random::init(5);
    struct Range {
        int low, high;
    };
    // The ride leads on 2 and 4; the pedal hi-hat and the feathered bass drum stay well under it.
    const std::map<int, Range> ranges = {{51, {63, 100}}, {44, {56, 80}}, {38, {49, 70}}, {36, {31, 45}}};
    for (const auto& e : Drums::gen({}, 16).events()) {
        const Range& range = ranges.at(e.payload.first.to_notenum());
        EXPECT_GE(e.payload.second, range.low);
        EXPECT_LE(e.payload.second, range.high);
        EXPECT_EQ(mpq_class(e.time * 480).get_den(), 1u);
    }
}

}  // namespace
}  // namespace zub
