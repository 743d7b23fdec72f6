// Each style's feel measured from the MIDI file it writes: where the hi-hat
// and the backbeat fall, the swing ratio at three tempos, straight styles with
// nothing off their grid, chord tones under each chord's arrival, the piano's
// register and dynamics, and the beat groups of the odd meters.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/charts/style_codes.h"
#include "core/generate/band.h"
#include "core/generate/figure_bass_table.h"
#include "core/theory/chord.h"
#include "played.h"

namespace zub {
namespace {

using testing::only;
using testing::play;
using testing::Played;
using testing::Smf_note;

constexpr long beat = 480;
constexpr int ride = 51, pedal_hihat = 44, snare = 38, brush_tap = 38, click = 75;

Chart standard(int code, int tempo, int meter = 4) {
    const auto bar = [meter](const char* a, const char* b) {
        return b == nullptr ? Chart::Bar{{a, meter}} : Chart::Bar{{a, meter - meter / 2}, {b, meter / 2}};
    };
    return Chart("Tune", {meter, code}, "Bb", tempo,
                 {bar("Cm7", nullptr), bar("F7", nullptr), bar("BbMaj7", nullptr), bar("EbMaj7", nullptr),
                  bar("Am7b5", nullptr), bar("D7b9", nullptr), bar("Gm7", "C7"), bar("Fm7", "Bb7")},
                 {1, 8, 2}, {{1, 'A'}, {5, 'B'}});
}

long count_in(int meter) { return 2 * meter * beat; }

// Positions (ticks within the bar) of the notes, over all bars but the last.
std::map<long, int> positions(const std::vector<Smf_note>& notes, int meter, int bars) {
    std::map<long, int> seen;
    for (const Smf_note& n : notes) {
        const long t = n.tick - count_in(meter);
        if (t >= 0 && t < (bars - 1) * meter * beat) ++seen[t % (meter * beat)];
    }
    return seen;
}

struct Backbeat {
    int code;
    int instrument;
    std::set<long> every_bar;  // positions heard in every bar but the last
    int program;
};

TEST(Feel, HiHatAndBackbeatWhereEachStylePutsThem) {
    const Backbeat cases[] = {
        {Style_codes::swing, pedal_hihat, {480, 1440}, 1},
        {Style_codes::two_feel, pedal_hihat, {480, 1440}, 1},
        {Style_codes::ballad, brush_tap, {480, 1440}, 41},
        {Style_codes::even_eighths, snare, {480, 1440}, 1},
        {Style_codes::funk, snare, {480, 1440}, 1},
        {Style_codes::shuffle, snare, {480, 1440}, 1},
    };
    for (const Backbeat& c : cases)
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            const Played p = play(standard(c.code, 120), seed);
            EXPECT_EQ(p.drum_program, c.program) << c.code;
            const auto seen = positions(only(p.drums, c.instrument), 4, 16);
            for (const long t : c.every_bar) {
                // Fill bars (before each section mark) may vary; the rest keep the backbeat.
                EXPECT_GE(seen.count(t) ? seen.at(t) : 0, 12) << c.code << " at " << t;
            }
        }
    // The swing's hi-hat never on 1 or 3, the bass drum well under the ride.
    const Played swing = play(standard(Style_codes::swing, 120), 3);
    for (const auto& [t, count] : positions(only(swing.drums, pedal_hihat), 4, 16))
        EXPECT_TRUE(t == 480 || t == 1440) << t;
    int loudest_kick = 0, softest_ride = 127;
    for (const Smf_note& n : swing.drums) {
        if (n.number == 36) loudest_kick = std::max(loudest_kick, n.velocity);
        if (n.number == ride) softest_ride = std::min(softest_ride, n.velocity);
    }
    EXPECT_LT(loudest_kick, softest_ride);
}

TEST(Feel, SwingRatioFallsWithTheTempo) {
    struct Case {
        int tempo;
        double low, high;
    };
    for (const Case& c : {Case{66, 2.3, 2.6}, Case{160, 1.9, 2.1}, Case{300, 1.2, 1.4}}) {
        const Played p = play(standard(Style_codes::swing, c.tempo), 2);
        // The ride's off-beat: the long note's share of the beat against the short one's.
        std::set<long> offbeats;
        for (const Smf_note& n : only(p.drums, ride))
            if (n.tick % beat != 0) offbeats.insert(n.tick % beat);
        ASSERT_EQ(offbeats.size(), 1u) << c.tempo;
        const double ratio = static_cast<double>(*offbeats.begin()) / static_cast<double>(beat - *offbeats.begin());
        EXPECT_GT(ratio, c.low) << c.tempo;
        EXPECT_LT(ratio, c.high) << c.tempo;
    }
}

TEST(Feel, StraightStylesStayOnTheirGrid) {
    struct Case {
        int code;
        long grid;  // ticks
    };
    for (const Case& c : {Case{Style_codes::even_eighths, 240}, Case{Style_codes::latin, 240},
                          Case{Style_codes::funk, 120}, Case{Style_codes::shuffle, 160},
                          Case{Style_codes::bossa_nova, 240}})
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            const Played p = play(standard(c.code, 100), seed);
            for (const auto* track : {&p.drums, &p.piano, &p.bass})
                for (const Smf_note& n : *track) EXPECT_EQ(n.tick % c.grid, 0) << c.code << ": " << n.tick;
        }
}

// The pitch classes of a chord.
std::set<int> tones(const char* symbol) {
    std::set<int> classes;
    for (const Note& n : Chord::of_string(symbol).notes()) classes.insert(n.semi());
    return classes;
}

TEST(Feel, ChordTonesUnderEachChordArrival) {
    const Chart chart = standard(Style_codes::swing, 120);
    for (const int code : {Style_codes::swing, Style_codes::ballad, Style_codes::two_feel, Style_codes::even_eighths,
                           Style_codes::latin, Style_codes::funk, Style_codes::shuffle, Style_codes::bossa_nova}) {
        int arrivals = 0, roots = 0;
        for (std::uint64_t seed = 1; seed <= 10; ++seed) {
            const Played p = play(standard(code, 120), seed);
            long bar_start = count_in(4);
            for (int played = 0; played < 16; ++played) {
                const Chart::Bar& bar = chart.bars()[static_cast<std::size_t>(played % 8)];
                long at = bar_start;
                for (const Chart::Entry& entry : bar) {
                    // The bass note sounding when the chord arrives, or the one that
                    // anticipated it on the beat before (the tumbao's, the bossa's).
                    const auto sounding = std::find_if(p.bass.rbegin(), p.bass.rend(), [at](const Smf_note& n) {
                        return n.tick <= at && (n.tick + n.length > at || (n.tick + n.length == at && n.tick >= at - beat));
                    });
                    if (sounding != p.bass.rend()) {
                        ++arrivals;
                        EXPECT_TRUE(tones(entry.symbol.c_str()).count(sounding->number % 12))
                            << code << " " << entry.symbol << " @" << at;
                        if (sounding->number % 12 == Chord::of_string(entry.symbol).root().semi()) ++roots;
                    }
                    at += entry.duration * beat;
                }
                bar_start += 4 * beat;
            }
        }
        EXPECT_GT(arrivals, 150) << code;
        EXPECT_GT(roots * 2, arrivals) << code;  // the root most often
    }
}

TEST(Feel, PianoFromD3UpWithShapedDynamics) {
    for (const int code : {Style_codes::swing, Style_codes::ballad, Style_codes::two_feel, Style_codes::even_eighths,
                           Style_codes::latin, Style_codes::funk, Style_codes::shuffle, Style_codes::bossa_nova,
                           Style_codes::jazz_waltz}) {
        const Played p = play(standard(code, 120, code == Style_codes::jazz_waltz ? 3 : 4), 4);
        std::set<int> velocities;
        for (const Smf_note& n : p.piano) {
            EXPECT_GE(n.number, 50) << code;  // D3
            velocities.insert(n.velocity);
        }
        EXPECT_GE(velocities.size(), 4u) << code;
    }
}

TEST(Feel, OddMetersCountInAndPlayInTheirGroups) {
    struct Case {
        int meter;
        std::vector<long> first_clicks;  // the count-in's first bar: each group's first beat
        std::vector<long> group_starts;
    };
    for (const Case& c : {Case{5, {0, 1440}, {0, 1440}}, Case{7, {0, 1920}, {0, 1920}}, Case{6, {0, 1440}, {0, 1440}},
                          Case{2, {0}, {0}}})
        for (const int code : {Style_codes::swing, Style_codes::even_eighths}) {
            const Played p = play(standard(code, 140, c.meter), 6);
            EXPECT_EQ(p.time_signature, testing::hex({0xFF, 0x58, 0x04, static_cast<std::uint8_t>(c.meter), 0x02,
                                                      0x18, 0x08}));
            std::vector<long> first, second;
            for (const Smf_note& n : only(p.drums, click))
                (n.tick < c.meter * beat ? first : second).push_back(n.tick - (n.tick < c.meter * beat ? 0 : c.meter * beat));
            EXPECT_EQ(first, c.first_clicks) << c.meter;
            EXPECT_EQ(second.size(), static_cast<std::size_t>(c.meter)) << c.meter;
            // Every group starts with a bass note, and nothing sounds past the end.
            const auto bass = positions(p.bass, c.meter, 16);
            for (const long t : c.group_starts) EXPECT_GE(bass.count(t) ? bass.at(t) : 0, 15) << c.meter << " " << t;
            for (const auto* track : {&p.drums, &p.piano, &p.bass})
                for (const Smf_note& n : *track) EXPECT_LE(n.tick, count_in(c.meter) + 16 * c.meter * beat);
        }
}

// A seed repeats its take, and the stream goes on to a different one.
TEST(Feel, ASeedReproducesEveryStyleAndMeter) {
    for (const int code : {Style_codes::swing, Style_codes::jazz_waltz, Style_codes::bossa_nova, Style_codes::ballad,
                           Style_codes::two_feel, Style_codes::even_eighths, Style_codes::latin, Style_codes::funk,
                           Style_codes::shuffle})
        for (const int meter : {4, 5, 7}) {
            const Chart chart = standard(code, 120, code == Style_codes::jazz_waltz ? 3 : meter);
            Zub2lite::init_random_with(21);
            const std::string first = Zub2lite::gen(chart);
            const std::string second = Zub2lite::gen(chart);
            Zub2lite::init_random_with(21);
            EXPECT_EQ(Zub2lite::gen(chart), first) << code << " in " << meter;
            EXPECT_NE(second, first) << code << " in " << meter;
        }
}

// Every table's notes fall on whole ticks: a pattern with a bar of the wrong
// length would put them between.
bool on_ticks(const Pattern& pattern, int beats) {
    return std::all_of(pattern.notes().begin(), pattern.notes().end(), [beats](const Pattern_note& n) {
        return mpq_class(n.start * beats * beat).get_den() == 1 && mpq_class(n.duration * beats * beat).get_den() == 1;
    });
}

bool all_on_ticks(const Randset<Pattern>& set, int beats) {
    return std::all_of(set.entries().begin(), set.entries().end(),
                       [beats](const auto& entry) { return on_ticks(entry.first, beats); });
}

TEST(Feel, EveryTableFallsOnWholeTicks) {
    std::vector<std::pair<Style, int>> played = {{Style::jazz_waltz, 3}};
    for (const Style style : {Style::swing, Style::bossa_nova, Style::ballad, Style::two_feel, Style::even_eighths,
                              Style::latin, Style::funk, Style::shuffle})
        played.emplace_back(style, 4);
    for (const int meter : {2, 5, 6, 7})
        for (const Style style : {Style::swing, Style::even_eighths}) played.emplace_back(style, meter);
    for (const auto& [style, meter] : played) {
            const Band& band = Bands::of(style, meter);
            for (const Drums::Instrument& i : band.kit.instruments) {
                for (const auto& set : i.normal) EXPECT_TRUE(all_on_ticks(set, meter)) << i.name << " " << meter;
                for (const auto& set : i.fill) EXPECT_TRUE(all_on_ticks(set, meter)) << i.name << " " << meter;
            }
            const Piano::Comping& c = band.comping;
            for (const Piano::Comp_sets* sets : {&c.bar_sets, &c.two_at_bar_start, &c.two_mid_bar}) {
                EXPECT_TRUE(all_on_ticks(sets->plain, sets->unit)) << Styles::name(style) << " " << meter;
                EXPECT_TRUE(all_on_ticks(sets->pickup, sets->unit)) << Styles::name(style) << " " << meter;
            }
        }
    for (const Figure_bass::Figures* f : {&Figure_bass::even_eighths(), &Figure_bass::latin(), &Figure_bass::funk(),
                                          &Figure_bass::shuffle()})
        for (const auto& [set, beats] : {std::pair{&f->four, 4}, std::pair{&f->three, 3}, std::pair{&f->two, 2}})
            for (const auto& entry : set->entries())
                EXPECT_TRUE(on_ticks(entry.first.rhythm, beats)) << entry.first.rhythm << " " << entry.first.roles;
}

}  // namespace
}  // namespace zub
