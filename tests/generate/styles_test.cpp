#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/generate/style.h"
#include "core/generate/zub2lite.h"
#include "generate_testing.h"
#include "played.h"
#include "smf_reader.h"

namespace zub {
namespace {

using testing::Smf_note;

constexpr long beat = 480;
constexpr int click = 75, ride = 51, hihat = 42, pedal_hihat = 44, bass_drum = 36, side_stick = 37;

TEST(Styles, ChosenFromMeterAndStyleCode) {
    struct Case {
        Chart::Style chart;
        Style style;
    };
    for (const Case& c : {Case{{3, 8}, Style::jazz_waltz},  Case{{3, 1}, Style::jazz_waltz},
                          Case{{3, 17}, Style::jazz_waltz}, Case{{4, 4}, Style::bossa_nova},
                          Case{{4, 1}, Style::swing},       Case{{4, 8}, Style::swing},
                          Case{{4, 0}, Style::swing},       Case{{4, 25}, Style::ballad},
                          Case{{4, 26}, Style::two_feel},   Case{{4, 27}, Style::even_eighths},
                          Case{{4, 28}, Style::latin},      Case{{4, 29}, Style::funk},
                          Case{{4, 30}, Style::shuffle},    Case{{4, 6}, Style::shuffle},
                          Case{{4, 16}, Style::funk},       Case{{4, 18}, Style::latin},
                          Case{{4, 12}, Style::even_eighths}, Case{{5, 1}, Style::swing},
                          Case{{5, 28}, Style::even_eighths}, Case{{7, 27}, Style::even_eighths},
                          Case{{6, 25}, Style::swing},      Case{{2, 1}, Style::swing}})
        EXPECT_EQ(Styles::style_of(c.chart), c.style) << c.chart.meter << "/" << c.chart.type;
    for (const int meter : {8, 1, 12, 0, -3})
        EXPECT_EQ(testing::message_of<Failure>([&] {
                      Styles::style_of({meter, 4});
                  }),
                  "Chart not in 4/4 time: " + std::to_string(meter));
}

using testing::only;
using testing::play;
using testing::Played;

// Positions within the bar (ticks) of the notes in bar b after the count-in.
std::set<long> in_bar(const std::vector<Smf_note>& notes, long count_in, long bar, long b) {
    std::set<long> positions;
    for (const Smf_note& n : notes)
        if (n.tick >= count_in + b * bar && n.tick < count_in + (b + 1) * bar)
            positions.insert(n.tick - count_in - b * bar);
    return positions;
}

Chart waltz() {
    return Chart("Waltz", {3, 8}, "Bb", 160,
                 {{{"BbMaj7", 3}},
                  {{"D7", 3}},
                  {{"EbMaj7", 3}},
                  {{"G7", 3}},
                  {{"Cm7", 3}},
                  {{"G7", 3}},
                  {{"Cm7", 2}, {"F7", 1}},
                  {{"Bb", 3}}},
                 {1, 8, 2}, {{1, 'A'}, {5, 'B'}});
}

TEST(Styles, WaltzPlaysInThree) {
    const long bar = 3 * beat, count_in = 2 * bar, bars = 16;
    bool walked = false, two_feel = false;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        const Played p = play(waltz(), seed);
        EXPECT_EQ(p.time_signature, "FF 58 04 03 02 18 08");
        // The count-in: two bars of three clicks, and nothing else before the band.
        std::vector<long> clicks;
        for (const Smf_note& n : p.drums) {
            if (n.number == click)
                clicks.push_back(n.tick);
            else
                EXPECT_GE(n.tick, count_in);
        }
        EXPECT_EQ(clicks, (std::vector<long>{0, 480, 960, 1440, 1920, 2400}));
        for (long b = 0; b < bars; ++b) {
            // The ride on 1, 2, the swung "and" of 2 and 3 (at 160 bpm, 2:1); the hi-hat on 2 and 3.
            const std::set<long> rides = in_bar(only(p.drums, ride), count_in, bar, b);
            for (const long t : rides) EXPECT_TRUE(t == 0 || t == 480 || t == 800 || t == 960 || t == 1280) << t;
            if (b + 1 < bars) {
                EXPECT_TRUE(rides.count(0)) << "bar " << b;
            }
            EXPECT_TRUE(only(p.drums, hihat).empty());
            for (const long t : in_bar(only(p.drums, pedal_hihat), count_in, bar, b))
                EXPECT_TRUE(t == 480 || t == 960) << t;
            // The bass starts every bar and plays on the beats (or a split beat's swung eighth).
            const std::set<long> bass = in_bar(p.bass, count_in, bar, b);
            EXPECT_TRUE(bass.count(0)) << "seed " << seed << " bar " << b;
            for (const long t : bass) EXPECT_TRUE(t % beat == 0 || t % beat == 320) << t;
            if (b + 1 < bars && b % 8 != 6) {
                walked = walked || bass == std::set<long>{0, 480, 960};
                two_feel = two_feel || bass == std::set<long>{0} || bass == std::set<long>{0, 960};
            }
        }
        for (const Smf_note& n : p.bass) EXPECT_LT(n.tick, count_in + bars * bar);
        // Comping in three: on the beats or their swung "and" (a pickup starts on the last "and" before a chord).
        for (const Smf_note& n : p.piano) {
            EXPECT_TRUE(n.tick % beat == 0 || n.tick % beat == 320) << n.tick;
            EXPECT_GE(n.tick, count_in - beat + 320);
            EXPECT_LE(n.tick + n.length, count_in + bars * bar);
        }
    }
    EXPECT_TRUE(walked);
    EXPECT_TRUE(two_feel);
}

Chart bossa() {
    return Chart("Bossa", {4, 4}, "C", 140,
                 {{{"Dm7", 4}},
                  {{"G7", 4}},
                  {{"CMaj7", 4}},
                  {{"CMaj7", 4}},
                  {{"Dm7", 2}, {"G7", 2}},
                  {{"Em7", 2}, {"A7b9", 2}},
                  {{"Dm7", 4}},
                  {{"Db7", 4}}},
                 {1, 8, 2}, {{1, 'A'}, {5, 'B'}});
}

TEST(Styles, BossaNovaIsStraightWithItsClaveAndBassFigure) {
    const long bar = 4 * beat, count_in = 2 * bar, bars = 16;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        const Played p = play(bossa(), seed);
        EXPECT_EQ(p.time_signature, "FF 58 04 04 02 18 08");
        for (const auto* track : {&p.drums, &p.piano, &p.bass})
            for (const Smf_note& n : *track) {
                EXPECT_EQ(n.tick % (beat / 2), 0) << n.number << "@" << n.tick;
                EXPECT_EQ(n.length % (beat / 2), 0) << n.number << "@" << n.tick;
            }
        for (const Smf_note& n : p.piano) EXPECT_LE(n.velocity, 75);
        for (long b = 0; b + 1 < bars; ++b) {
            // Clave over two bars: eighths 1, 4, 7, then 3, 6; a fill may add the last eighth.
            const std::set<long> clave = b % 2 == 0 ? std::set<long>{0, 720, 1440} : std::set<long>{480, 1200};
            std::set<long> stick = in_bar(only(p.drums, side_stick), count_in, bar, b);
            stick.erase(1680);
            EXPECT_EQ(stick, clave) << "bar " << b;
            EXPECT_EQ(in_bar(only(p.drums, hihat), count_in, bar, b).size(), 8u);
            for (const long t : in_bar(only(p.drums, bass_drum), count_in, bar, b))
                EXPECT_TRUE(t == 0 || t == 720 || t == 960 || t == 1680) << t;
            // The bass: dotted quarter, eighth pickup, dotted quarter, eighth pickup.
            EXPECT_EQ(in_bar(p.bass, count_in, bar, b), (std::set<long>{0, 720, 960, 1680})) << "bar " << b;
        }
        for (const Smf_note& n : p.bass) {
            const long position = (n.tick - count_in) % (2 * beat);
            const bool last = n.tick >= count_in + (bars - 1) * bar;
            EXPECT_EQ(n.length, last ? bar : (position == 0 ? 720 : 240)) << n.tick;
        }
    }
}

}  // namespace
}  // namespace zub
