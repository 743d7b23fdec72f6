// The compact run costs and partition against the full-matrix computation,
// on many random charts of jazz changes (fixed seeds, so failures repeat).
#include <gtest/gtest.h>

#include <random>

#include "core/analysis/segment.h"
#include "core/analysis/structana.h"
#include "core/theory/chord.h"
#include "core/theory/roman.h"
#include "segment_reference.h"

namespace zub {
namespace {

using namespace Segment;

// Progressions as roman chords with full chord-type names, each played in a random key.
const std::vector<std::vector<std::pair<const char*, const char*>>> progressions = {
    {{"II", "m7"}, {"V", "7"}, {"I", "Maj7"}},
    {{"I", "Maj7"}, {"VI", "m7"}, {"II", "m7"}, {"V", "7"}},
    {{"III", "m7"}, {"bIII", "m7"}, {"II", "m7"}, {"bII", "7"}},
    {{"I", ""}, {"bIII", ""}, {"bVI", ""}, {"bII", ""}},
    {{"II", "m7b5"}, {"V", "7b9"}, {"I", "m6"}},
    {{"IV", "Maj7"}, {"IV", "m6"}, {"I", "Maj7"}},
    {{"III", "7"}, {"VI", "7"}, {"II", "7"}, {"V", "7"}, {"I", "6"}},
    {{"I", "m7"}, {"IV", "7"}, {"bVII", "Maj7"}},
    {{"I", ""}, {"#I", "dim7"}, {"II", "m7"}, {"#II", "dim7"}},
    {{"II", "m7"}, {"bVI", "7"}, {"V", "7"}, {"I", "Maj7"}},
    {{"I", "7"}, {"IV", "7"}, {"I", "7"}, {"V", "7"}},
    {{"bVII", "9"}, {"I", "Maj7"}, {"VII", "m7b5"}, {"III", "7#9"}, {"VI", "m"}},
};
const std::vector<const char*> tonics = {"C", "F", "Bb", "Eb", "Ab", "Db", "Gb", "G", "D", "A", "E", "B", "F#", "C#"};
const std::vector<const char*> odd_types = {"sus", "7sus", "+", "mMaj7", "13", "dim", "m11", "69", "7#11"};

std::vector<Chord_entry> random_changes(unsigned seed, std::size_t phrases) {
    std::mt19937 random(seed);
    auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    std::vector<Chord_entry> chords;
    // Chords whose tones cannot be spelled in a far key are left out.
    auto add = [&](std::string symbol, int beats) {
        try {
            Chord::of_string(symbol);
            chords.emplace_back(std::move(symbol), beats);
        } catch (const Failure&) {
        }
    };
    Note tonic = Note::of_string(tonics[pick(tonics.size())]);
    for (std::size_t phrase = 0; phrase < phrases; ++phrase) {
        if (pick(3) == 0) tonic = Note::of_string(tonics[pick(tonics.size())]);
        if (pick(6) == 0) {
            add(tonics[pick(tonics.size())] + std::string(odd_types[pick(odd_types.size())]),
                static_cast<int>(1 + pick(8)));
            continue;
        }
        const int unit = std::vector<int>{1, 2, 2, 4, 4, 8}[pick(6)];
        const bool even = pick(2) == 0;
        for (const auto& [numeral, type] : progressions[pick(progressions.size())]) {
            try {
                const Note root = tonic.add_intvl(Roman::of_string(numeral).to_intvl());
                add(root.to_string() + type, even ? unit : static_cast<int>(1 + pick(8)));
            } catch (const Failure&) {
            }
        }
    }
    return chords;
}

struct Coverage {
    int zones = 0, lone = 0, modulations = 0, runs = 0;
};

void expect_same_as_reference(const std::vector<Ae>& elements, Coverage& coverage) {
    const std::size_t n = elements.size();
    const Reference::Cost_table reference = Reference::gen_c(elements);
    const Run_costs costs(elements);
    std::vector<Run_cost> column;
    for (std::size_t j = 0; j < n; ++j) {
        costs.column(j, column);
        ASSERT_EQ(column.size(), j + 1);
        for (std::size_t i = 0; i <= j; ++i) {
            ASSERT_EQ(column[i].cost, reference[i][j - i].first) << "run " << i << ".." << j;
            ASSERT_EQ(costs.name_of(column[i], i), reference[i][j - i].second) << "run " << i << ".." << j;
            if (column[i].key == key_lone) ++coverage.lone;
            ++coverage.runs;
        }
    }
    const auto back = optpart(costs);
    const auto reference_back = Reference::optpart(reference, n);
    ASSERT_EQ(back.size(), n);
    for (std::size_t j = 0; j < n; ++j) {
        ASSERT_EQ(back[j].start, reference_back[j].first) << "end " << j;
        ASSERT_EQ(back[j].key, reference_back[j].second) << "end " << j;
    }
    const auto segments = buildpart(back, elements);
    std::size_t covered = 0;
    for (const Key_segment& segment : segments) covered += segment.elements.size();
    EXPECT_EQ(covered, n);
    if (segments.size() > 1) ++coverage.modulations;
}

TEST(SegmentRandom, RunCostsAndPartitionMatchTheFullMatrices) {
    Coverage coverage;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        const std::vector<Ae> elements = Structana::structana(random_changes(seed, 1 + seed % 24));
        SCOPED_TRACE("seed " + std::to_string(seed) + ": " + to_string(elements));
        expect_same_as_reference(elements, coverage);
        if (HasFatalFailure()) return;
        // Count the charts in which some key has a zone, to be sure the charts exercise them.
        const Class_map majors = gen_clsm(elements);
        const Class_map minors = m_gen_clsm(elements);
        const auto durations = gen_dur(elements);
        bool zoned = false;
        for (const auto& [key, c] : majors)
            for (const Secondary_rule& rule : major_secondary_rules()) {
                const auto& c2 = key_intvl_is_minor_to_cls(key, rule.interval, rule.minor, majors, minors);
                for (int label : gen_z(c2, c, durations, rule.zone_classes, rule.test)) zoned = zoned || label % 2 == 1;
            }
        if (zoned) ++coverage.zones;
    }
    EXPECT_GT(coverage.zones, 30);
    EXPECT_GT(coverage.lone, 30);
    EXPECT_GT(coverage.modulations, 30);
}

}  // namespace
}  // namespace zub
