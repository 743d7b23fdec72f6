// The time map against the MIDI file the generator writes, for random charts
// in every style, in the chart's meter and changing meter from bar to bar: the file's beat and bar, the count-in's claves, the end, and
// bar by bar the bass's note on the downbeat. Each bar holds a slash chord
// over a random bass note; the bossa nova plays that note on every downbeat,
// the walking basses on nearly every one (they may land elsewhere), so the
// note names the chart bar the generator wrote there. A map a bar off would
// match about one downbeat in twelve.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "generate/smf_reader.h"
#include "playback/accompaniment.h"

namespace zub::playback {
namespace {

using testing::Smf_note;

constexpr const char* notes[] = {"C", "Db", "D", "Eb", "E", "F", "F#", "G", "Ab", "A", "Bb", "B"};
constexpr int claves = 75;

struct Random_chart {
    std::string text;
    std::vector<int> basses;  // per chart bar, the slash chord's bass as a pitch class
    int begin, end, repeats;
};

Random_chart random_chart(std::mt19937& random, const char* meter, const char* style) {
    Random_chart chart;
    const int bars = 1 + static_cast<int>(random() % 12);
    chart.begin = 1 + static_cast<int>(random() % bars);
    chart.end = chart.begin + static_cast<int>(random() % (bars - chart.begin + 1));
    chart.repeats = 1 + static_cast<int>(random() % 3);
    chart.text = "Name: Random\nMeter: " + std::string(meter) + "\nStyle: " + style + "\nKey: C\nTempo: 160\n" +
                 "Chorus: bars " + std::to_string(chart.begin) + " to " + std::to_string(chart.end) + " (repeat " +
                 std::to_string(chart.repeats) + " times)\n";
    for (int bar = 0; bar < bars; ++bar) {
        // A major triad over its third: "Eb/G".
        const int root = static_cast<int>(random() % 12);
        chart.basses.push_back((root + 4) % 12);
        chart.text += std::string("| ") + notes[root] + "/" + notes[chart.basses.back()] + " ";
    }
    chart.text += "|\n";
    return chart;
}

// The plain reference: the bars written out in playing order, as (chart bar, pass).
std::vector<std::pair<int, int>> written_out(const Random_chart& chart) {
    std::vector<std::pair<int, int>> played;
    for (int bar = 1; bar < chart.begin; ++bar) played.push_back({bar, 0});
    for (int pass = 1; pass <= chart.repeats; ++pass)
        for (int bar = chart.begin; bar <= chart.end; ++bar) played.push_back({bar, pass});
    for (int bar = chart.end + 1; bar <= static_cast<int>(chart.basses.size()); ++bar) played.push_back({bar, 0});
    return played;
}

// The numerator of the tempo track's time signature (FF 58 04 nn dd cc bb).
int meter_of(const testing::Smf_file& file) {
    for (const auto& event : file.tracks.at(0).events)
        if (event.bytes.size() == 7 && event.bytes[0] == 0xFF && event.bytes[1] == 0x58) return event.bytes[3];
    return 0;
}

const Smf_note* note_at(const std::vector<Smf_note>& notes, long tick) {
    for (const Smf_note& note : notes)
        if (note.tick == tick) return &note;
    return nullptr;
}

struct Downbeats {
    int played = 0;
    int on_the_bass = 0;  // where the bass plays the bass note of the chart bar the map names
};

void check_against_midi(const Random_chart& chart, const Accompaniment& accompaniment, const std::string& about,
                        Downbeats& downbeats) {
    const Time_map& map = accompaniment.time_map;
    const testing::Smf_file file = testing::read_smf(std::string(accompaniment.midi.begin(), accompaniment.midi.end()));
    ASSERT_EQ(file.tracks.size(), 4u) << about;
    EXPECT_EQ(file.division, map.ticks_per_beat()) << about;
    EXPECT_EQ(meter_of(file), map.beats_per_bar()) << about;
    const auto drums = testing::notes_of(file.tracks[1]), piano = testing::notes_of(file.tracks[2]),
               bass = testing::notes_of(file.tracks[3]);

    // The count-in: claves alone, from the first tick to where the chart's first bar begins.
    ASSERT_NE(note_at(drums, 0), nullptr) << about;
    for (const Smf_note& note : drums) {
        if (note.tick < map.count_in_ticks()) {
            EXPECT_EQ(note.number, claves) << about << ", tick " << note.tick;
        }
    }
    for (const auto* track : {&piano, &bass}) {
        ASSERT_FALSE(track->empty()) << about;
        EXPECT_GE(track->front().tick, map.count_in_ticks()) << about;
        for (const Smf_note& note : *track) EXPECT_LT(note.tick, map.total_ticks()) << about;
    }

    // Bar by bar: the bar, pass and place the map gives, and the bass on the downbeat plays its chord's bass.
    const auto played = written_out(chart);
    ASSERT_EQ(map.played_bars(), static_cast<int>(played.size())) << about;
    long downbeat = map.count_in_ticks();
    for (int index = 0; index < map.played_bars(); ++index) {
        const long bar_ticks = static_cast<long>(map.beats_of_played(index)) * map.ticks_per_beat();
        const Played_position at = map.at_tick(downbeat);
        const int passes = chart.repeats;
        EXPECT_EQ(at, (Played_position{false, played[index].first, 0, played[index].second, passes, index}))
            << about << ", played bar " << index;
        EXPECT_EQ(map.at_tick(downbeat + bar_ticks - 1).slot, map.beats_of_played(index) - 1) << about;
        const Smf_note* note = note_at(bass, downbeat);
        ASSERT_NE(note, nullptr) << about << ": no bass note on the downbeat of played bar " << index;
        ++downbeats.played;
        if (note->number % 12 == chart.basses.at(static_cast<std::size_t>(at.bar - 1))) ++downbeats.on_the_bass;
        downbeat += bar_ticks;
    }
    for (const auto* track : {&drums, &piano, &bass})
        EXPECT_LE(track->back().tick, map.total_ticks()) << about << ": a note after the last bar";
}

// The chart with bar k of beats[k % beats.size()] beats, a time signature where it changes.
Plist with_meters(const Plist& chart, const std::vector<int>& beats) {
    Plist::Array bars = chart.array_at("Chords");
    std::size_t in_force = static_cast<std::size_t>(chart.dictionary_at("Style").integer_at("Meter"));
    for (std::size_t k = 0; k < bars.size(); ++k) {
        const auto length = static_cast<std::size_t>(beats[k % beats.size()]);
        Plist::Array chords(length, Plist::make_string("")), keys(length, Plist::make_string(""));
        chords.front() = bars[k].array_at("Chords").front();
        bars[k] = bars[k].with("Chords", Plist::make_array(chords)).with("Keys", Plist::make_array(keys));
        if (length != in_force) bars[k] = bars[k].with("Time", Plist::make_string(std::to_string(length) + "/4"));
        in_force = length;
    }
    return chart.with("Chords", Plist::make_array(bars));
}

TEST(TimeMapMidi, EveryPlayedBarIsTheBarTheGeneratorWrote) {
    struct Style {
        const char* meter;
        const char* name;
        int percent_on_the_bass;  // of the downbeats, at least
    };
    const Style styles[] = {{"4/4", "Swing", 85}, {"4/4", "Bossa Nova", 100}, {"3/4", "Jazz Waltz", 75}};
    const Plist font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    std::mt19937 random(2028);
    for (const Style& style : styles) {
        Downbeats downbeats;
        for (int trial = 0; trial < 12; ++trial) {
            const Random_chart chart = random_chart(random, style.meter, style.name);
            const std::uint64_t seed = random();
            const std::string about = std::string(style.name) + " seed " + std::to_string(seed) + "\n" + chart.text;
            const Plist written = chartFromDocumentBytes(chart.text, font);
            check_against_midi(chart, generate(written, seed), about, downbeats);
            // Bars of 2, 3, 5 and 6 beats among those of the meter, each a bar long.
            const std::vector<int> mixed = {2, 4, 3, 6, 5};
            check_against_midi(chart, generate(with_meters(written, mixed), seed), about + "(changing meters)", downbeats);
        }
        EXPECT_GE(downbeats.on_the_bass * 100, downbeats.played * style.percent_on_the_bass)
            << style.name << ": " << downbeats.on_the_bass << " of " << downbeats.played << " downbeats";
    }
}

}  // namespace
}  // namespace zub::playback
