// The analysis reads function, not pitch: a chart and its transpositions into
// all twelve keys get the same key centers, moved with the chords, and the
// same roman numerals, for the example charts and for generated ones; a chart
// spelled with other accidentals gets the same key centers. Every key center
// is named as musicians write keys.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <tuple>

#include "core/analysis/kov.h"
#include "core/analysis/segment_table.h"
#include "core/charts/kelreader.h"
#include "core/charts/transpose.h"
#include "core/theory/chord.h"
#include "core/theory/roman.h"

namespace zub {
namespace {

std::vector<Kov::Bar_chords> bars_of(const Chart& chart) {
    std::vector<Kov::Bar_chords> bars;
    for (const Chart::Bar& bar : chart.bars()) {
        Kov::Bar_chords& chords = bars.emplace_back();
        for (const Chart::Entry& entry : bar) chords.emplace_back(entry.symbol, entry.duration);
    }
    return bars;
}

std::vector<std::string> labels_of(const Analysis_result& result) {
    std::vector<std::string> labels;
    for (const auto& chord : result.chords) labels.push_back(chord.second);
    return labels;
}

// A key musicians write: no double accidental, no D#, G#, A# or Cb major, no Dbm or Gbm.
void expect_written_keys(const std::vector<Kov::Key_center>& centers) {
    for (const auto& [name, beats] : centers) {
        const Key key = Key::of_string(name);
        EXPECT_EQ(key.as_written(), key) << name;
    }
}

// Key centers by pitch and mode: F# and Gb are both written, and a chart chooses by its spelling.
std::vector<std::tuple<int, bool, int>> by_pitch(const std::vector<Kov::Key_center>& centers) {
    std::vector<std::tuple<int, bool, int>> pitches;
    for (const auto& [name, beats] : centers) {
        const Key key = Key::of_string(name);
        pitches.emplace_back(key.tonic().semi(), key.mode() == Key::Mode::minor, beats);
    }
    return pitches;
}

// Every root and bass note by its other name where one has at most one accidental (F# as Gb, C as B#).
Chart respelled(const Chart& chart, bool sharps) {
    auto other = [&](Note note) {
        for (int n = 0; n < 7; ++n)
            if (const Note candidate = Note::of_n_alt(n, sharps ? 1 : -1); candidate.semi() == note.semi())
                return candidate;
        return note;
    };
    std::vector<Chart::Bar> bars;
    for (const Chart::Bar& bar : chart.bars()) {
        Chart::Bar& moved = bars.emplace_back();
        for (const Chart::Entry& entry : bar) {
            const Chord chord = Chord::of_string(entry.symbol);
            const std::size_t root = Note::name_length(entry.symbol);
            const std::string type = entry.symbol.substr(root, entry.symbol.find('/') - root);
            std::string symbol = other(chord.root()).to_string() + type;
            if (entry.symbol.find('/') != std::string::npos) symbol += "/" + other(chord.bass()).to_string();
            moved.push_back({symbol, entry.duration});
        }
    }
    return Chart(chart.name(), chart.style(), chart.key(), chart.tempo(), std::move(bars), chart.chorus(), {});
}

// Every transposition from five semitones down to six up, moving each key-center
// area on its own: the partition finds the moved key centers. Returns how many
// keys give the same labels.
int same_analysis_in_every_key(const Chart& chart) {
    const auto bars = bars_of(chart);
    const auto centers = Kov::partition(bars);
    const auto labels = labels_of(Kov::annotate(bars, centers));
    expect_written_keys(centers);
    for (bool sharps : {false, true}) {
        const auto respelled_bars = bars_of(respelled(chart, sharps));
        const auto respelled_centers = Kov::partition(respelled_bars);
        EXPECT_EQ(by_pitch(respelled_centers), by_pitch(centers)) << (sharps ? "sharps" : "flats");
        EXPECT_EQ(labels_of(Kov::annotate(respelled_bars, respelled_centers)), labels) << (sharps ? "sharps" : "flats");
    }
    int same = 0;
    for (int semitones = -5; semitones <= 6; ++semitones) {
        const Transposition move = Transposition::by(Key::of_string(chart.key()), semitones);
        const Chart moved = Transpose::chart(chart, move.to(), centers);
        for (const Chart::Bar& bar : moved.bars())
            for (const Chart::Entry& entry : bar)
                EXPECT_LE(std::abs(Chord::of_string(entry.symbol).root().alt()), 1) << entry.symbol;
        const auto moved_bars = bars_of(moved);
        const auto moved_centers = Transpose::key_centers(centers, move);
        expect_written_keys(moved_centers);
        EXPECT_EQ(by_pitch(Kov::partition(moved_bars)), by_pitch(moved_centers)) << "to " << move.to().to_string();
        if (labels_of(Kov::annotate(moved_bars, moved_centers)) == labels) ++same;
    }
    return same;
}

TEST(TransposeAnalysis, ExampleChartsReadTheSameInEveryKey) {
    for (const char* name : {"autumn-leaves.txt", "blues-in-f.txt"}) {
        SCOPED_TRACE(name);
        const Chart chart = Kelreader::read_file(std::string(ZUB_RESOURCE_DIR "/examples/") + name);
        EXPECT_EQ(same_analysis_in_every_key(chart), 12);
    }
}

// Jazz progressions as roman chords.
const std::vector<std::vector<std::pair<const char*, const char*>>> progressions = {
    {{"II", "m7"}, {"V", "7"}, {"I", "Maj7"}},
    {{"I", "Maj7"}, {"VI", "m7"}, {"II", "m7"}, {"V", "7"}},
    {{"III", "m7"}, {"bIII", "m7"}, {"II", "m7"}, {"bII", "7"}},
    {{"II", "m7b5"}, {"V", "7b9"}, {"I", "m6"}},
    {{"I", "m7"}, {"IV", "7"}, {"bVII", "Maj7"}},
    {{"IV", "Maj7"}, {"IV", "m6"}, {"I", "Maj7"}},
    {{"III", "7"}, {"VI", "7"}, {"II", "7"}, {"V", "7"}, {"I", "6"}},
    {{"I", ""}, {"#I", "dim7"}, {"II", "m7"}, {"#II", "dim7"}},
    {{"II", "m7"}, {"bVI", "7"}, {"V", "7"}, {"I", "Maj7"}},
    {{"I", "7"}, {"IV", "7"}, {"I", "7"}, {"V", "7"}},
};
const std::vector<const char*> tonics = {"C", "F", "Bb", "Eb", "Ab", "Db", "G", "D", "A", "E"};

// Phrases in the chart's key and now and then in another.
Chart generated_chart(unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    const std::string key = tonics[pick(tonics.size())];
    Note tonic = Note::of_string(key);
    std::vector<Chart::Bar> bars;
    for (std::size_t phrase = 0, phrases = 2 + pick(6); phrase < phrases; ++phrase) {
        if (pick(3) == 0) tonic = Note::of_string(tonics[pick(tonics.size())]);
        for (const auto& [numeral, type] : progressions[pick(progressions.size())]) {
            // Written without double accidentals, as a musician would (Ebb7, the bII7 of Db, as D7).
            Note root = tonic.add_intvl(Roman::of_string(numeral).to_intvl());
            if (root.alt() < -1 || root.alt() > 1) root = Key::of_string("C").moved_by(root.semi()).tonic();
            const std::string symbol = root.to_string() + type;
            if (pick(2) == 0) {
                bars.push_back({{symbol, 4}});
            } else {
                bars.push_back({{symbol, 2}, {symbol, 2}});
            }
        }
    }
    return Chart("Generated", {4, 1}, key, 120, std::move(bars), {1, 1, 1}, {});
}

std::string text_of(const Chart& chart) {
    std::ostringstream text;
    text << chart;
    return text.str();
}

TEST(TransposeAnalysis, GeneratedChartsReadTheSameInEveryKey) {
    const int charts = 100;
    int same = 0;
    for (unsigned seed = 1; seed <= charts; ++seed) {
        const Chart chart = generated_chart(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text_of(chart));
        same += same_analysis_in_every_key(chart);
        if (HasFailure()) return;
    }
    std::cout << "the same labels in " << same << " of " << charts * 12 << " transpositions\n";
    EXPECT_GE(same, charts * 12 * 99 / 100);
}

}  // namespace
}  // namespace zub
