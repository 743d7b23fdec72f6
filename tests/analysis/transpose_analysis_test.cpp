// The analysis reads function, not pitch: a chart and its transpositions into
// all twelve keys get the same key centers, moved with the chords, and the
// same roman numerals: for the example charts, and for generated ones.
//
// The analysis reads spelled notes, so two kinds of move are left out, and
// counted: those where the rule respells a root or bass note (Fb7, the bII7
// of Eb, is written E7 in a move from Ab to Gb, and the analysis reads E7
// before Eb as #I7 and groups it differently), and those where a key center
// lands outside the 24 keys the analysis tries (a modulation to Bb in Ab
// moves to F# in E, a key the analysis knows only as Gb). And the partition
// breaks ties between equally cheap readings by the order of its keys, which
// a move rotates (Ebm7b5 Ab7b9 Dbm6 reads as Ab then Dbm, but moved to A as
// Am throughout), so for generated charts it is the labels under the moved key
// centers that are compared; the example charts are partitioned afresh too.
#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <sstream>

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

bool among_analysis_keys(const std::string& name) {
    for (std::string_view key : major_key_names)
        if (name == key) return true;
    for (std::string_view tonic : minor_key_tonics)
        if (name == std::string(tonic) + "m") return true;
    return false;
}

// Whether every note moves by the plain spelled interval and every key center
// lands on a key the analysis tries: then the analysis must read the same.
bool spelled_alike(const Chart& chart, const std::vector<Kov::Key_center>& centers, const Transposition& move) {
    auto moved_plainly = [&](Note note) { return move.note(note) == note.add_intvl(move.interval()); };
    for (const Chart::Bar& bar : chart.bars())
        for (const Chart::Entry& entry : bar) {
            const Chord chord = Chord::of_string(entry.symbol);
            if (!moved_plainly(chord.root()) || !moved_plainly(chord.bass())) return false;
        }
    for (const auto& [name, beats] : centers)
        if (!moved_plainly(Key::of_string(name).tonic()) || !among_analysis_keys(move.key_name(name))) return false;
    return true;
}

// Every transposition from five semitones down to six up: the labels under the
// moved key centers are the same, and for an example chart the partition finds
// those key centers. Returns how many keys were compared.
int expect_same_analysis_in_every_key(const Chart& chart, bool example) {
    const auto bars = bars_of(chart);
    const auto centers = Kov::partition(bars);
    const auto labels = labels_of(Kov::annotate(bars, centers));
    int compared = 0;
    for (int semitones = -5; semitones <= 6; ++semitones) {
        const Transposition move = Transposition::by(Key::of_string(chart.key()), semitones);
        if (!example && !spelled_alike(chart, centers, move)) continue;
        const auto moved_bars = bars_of(Transpose::chart(chart, move.to()));
        const auto moved_centers = Transpose::key_centers(centers, move);
        SCOPED_TRACE("to " + move.to().to_string());
        if (example) {
            EXPECT_EQ(Kov::partition(moved_bars), moved_centers);
        }
        EXPECT_EQ(labels_of(Kov::annotate(moved_bars, moved_centers)), labels);
        ++compared;
    }
    return compared;
}

TEST(TransposeAnalysis, ExampleChartsReadTheSameInEveryKey) {
    for (const char* name : {"autumn-leaves.txt", "blues-in-f.txt"}) {
        SCOPED_TRACE(name);
        const Chart chart = Kelreader::read_file(std::string(ZUB_RESOURCE_DIR "/examples/") + name);
        EXPECT_EQ(expect_same_analysis_in_every_key(chart, true), 12);
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
            const std::string symbol = tonic.add_intvl(Roman::of_string(numeral).to_intvl()).to_string() + type;
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
    int compared = 0;
    for (unsigned seed = 1; seed <= charts; ++seed) {
        const Chart chart = generated_chart(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text_of(chart));
        compared += expect_same_analysis_in_every_key(chart, false);
        if (HasFailure()) return;
    }
    std::cout << "compared " << compared << " of " << charts * 12 << " transpositions\n";
    EXPECT_GT(compared, charts * 12 / 3);
}

}  // namespace
}  // namespace zub
