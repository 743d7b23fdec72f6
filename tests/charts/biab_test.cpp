#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/charts/biabreader.h"
#include "core/charts/biabwriter.h"
#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

using Bytes = std::vector<int>;

std::string to_bytes(const Bytes& values) {
    std::string bytes;
    for (int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

void append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

// A new-layout head: format 68, title "T", style, key code, tempo 120.
Bytes new_head(int style = 1, int key = 1) { return {68, 1, 'T', 0, 59, style, key, 120, 0}; }

// One run list covering all 1020 slots: values of the given lengths, then filler.
Bytes runs(const std::vector<std::pair<int, int>>& values) {
    Bytes out;
    int slots = 0;
    for (auto [value, length] : values) {
        out.push_back(value);
        if (length > 1) append(out, {0, length - 1});
        slots += length;
    }
    for (; slots <= 765; slots += 255) append(out, {0, 255});
    if (slots < 1020) append(out, {0, 1020 - slots});
    return out;
}

Bytes new_file(const std::vector<std::pair<int, int>>& types, const std::vector<std::pair<int, int>>& roots,
               int style = 1, Bytes sections = {1, 0, 254}) {
    Bytes file = new_head(style);
    file.push_back(1);
    append(file, sections);
    append(file, runs(types));
    append(file, runs(roots));
    append(file, {1, 1, 4, 1});
    return file;
}

using Bar = std::vector<Chart::Entry>;

std::vector<Bar> bars_of(const Chart& chart) { return chart.bars(); }

Chart chart_of(std::vector<Bar> bars, int meter = 4, std::vector<Chart::Section> sections = {},
               std::string key = "C") {
    int count = static_cast<int>(bars.size());
    return Chart("Song", {meter, meter == 3 ? 8 : 1}, key, 140, std::move(bars), {1, count, 1},
                 std::move(sections));
}

std::string failure_of(const std::string& bytes) {
    return testing::failure_of([&] { Biabreader::read_chart(bytes); });
}

// A core failure or an invalid argument.
std::string write_failure_of(const Chart& chart) {
    return testing::message_of<std::exception>([&] { Biabwriter::write_chart(chart); });
}

TEST(Biabreader, NewLayoutSingleRunIsOneBarOfTheLastChord) {
    Bytes file = new_head();
    append(file, {1, 1, 0, 254});
    append(file, {64, 0, 255, 0, 255, 0, 255, 0, 254});
    append(file, {1, 0, 255, 0, 255, 0, 255, 0, 254});
    append(file, {1, 1, 1, 1});
    Chart chart = Biabreader::read_chart(to_bytes(file));
    EXPECT_EQ(chart.name(), "T");
    EXPECT_EQ(chart.key(), "C");
    EXPECT_EQ(chart.tempo(), 120);
    EXPECT_EQ(bars_of(chart), (std::vector<Bar>{{{"C7", 4}}}));
    EXPECT_EQ(chart.chorus().repeats, 3);
}

TEST(Biabreader, HeldChordsCrossBarLines) {
    // Types X=64 (C7) 3 slots, Y=19 (m7) 3 slots, then the last run Z=1.
    Chart chart = Biabreader::read_chart(to_bytes(new_file({{64, 3}, {19, 3}, {1, 1}}, {{1, 3}, {3, 3}, {6, 1}})));
    EXPECT_EQ(bars_of(chart), (std::vector<Bar>{{{"C7", 3}, {"Dm7", 1}}, {{"Dm7", 2}, {"F", 2}}}));
}

TEST(Biabreader, WaltzBarsLoseTheirFourthBeat) {
    Chart chart = Biabreader::read_chart(to_bytes(new_file({{64, 2}, {65, 2}, {64, 3}, {65, 1}}, {{1, 2}, {6, 2}, {1, 3}, {6, 1}}, 8)));
    EXPECT_EQ(chart.style().meter, 3);
    EXPECT_EQ(chart.style().type, 8);
    EXPECT_EQ(bars_of(chart), (std::vector<Bar>{{{"C7", 2}, {"F13", 1}}, {{"C7", 3}}}));
}

TEST(Biabreader, SectionRunList) {
    Chart chart = Biabreader::read_chart(to_bytes(new_file({{64, 4}}, {{1, 4}}, 1, {1, 0, 7, 2, 0, 7, 1, 0, 238})));
    EXPECT_EQ(chart.sections(), (std::vector<Chart::Section>{{1, 'A'}, {9, 'B'}, {17, 'A'}}));
}

TEST(Biabreader, HeadFields) {
    struct Case { int key; const char* name; };
    for (auto c : {Case{1, "C"}, Case{11, "Bb"}, Case{17, "A#"}, Case{18, "Cm"}, Case{27, "Am"}, Case{34, "A#m"}}) {
        Bytes file = new_file({{64, 4}}, {{1, 4}});
        file[6] = c.key;
        EXPECT_EQ(Biabreader::read_chart(to_bytes(file)).key(), c.name);
    }
    Bytes spaced = new_file({{64, 4}}, {{1, 4}});
    spaced.erase(spaced.begin() + 1, spaced.begin() + 3);
    spaced.insert(spaced.begin() + 1, {5, 'T', 'u', 0, ' ', ' '});
    EXPECT_EQ(Biabreader::read_chart(to_bytes(spaced)).name(), std::string("Tu\0", 3));
}

TEST(Biabreader, RootBytesCarryTheBass) {
    struct Case { int root; const char* symbol; };
    const Case cases[] = {
        {1 + 18 * 7, "C7/G"}, {11 + 18 * 4, "Bb7/D"}, {13, "C#7"}, {15 + 18 * 10, "F#7/E"}, {12 + 18, "B7/C"},
    };
    for (const auto& c : cases) {
        Chart chart = Biabreader::read_chart(to_bytes(new_file({{64, 4}}, {{c.root, 4}})));
        EXPECT_EQ(chart.bars().at(0).at(0).symbol, c.symbol) << c.root;
    }
}

// Old layout: 64 marks, 256 types, 256 roots, one skipped byte, chorus.
Bytes old_file(int format, const std::string& title, const Bytes& types, const Bytes& roots, int end) {
    Bytes file = {format, static_cast<int>(title.size())};
    for (char c : title) file.push_back(c);
    for (std::size_t i = title.size(); i < 60; ++i) file.push_back(0);
    append(file, {1, 6, 100, 0});
    Bytes marks(64, 0);
    marks[0] = 1;
    marks[8] = 2;
    append(file, marks);
    Bytes slots(256, 0), root_slots(256, 0);
    std::copy(types.begin(), types.end(), slots.begin());
    std::copy(roots.begin(), roots.end(), root_slots.begin());
    append(file, slots);
    append(file, root_slots);
    append(file, {0, 1, end, 2});
    return file;
}

TEST(Biabreader, OldLayout) {
    for (int format : {187, 188}) {
        Chart chart = Biabreader::read_chart(to_bytes(old_file(format, std::string(60, 'x'), {64, 0, 19, 0, 0, 0, 0, 1}, {1, 0, 3, 0, 0, 0, 0, 6}, 3)));
        EXPECT_EQ(chart.name(), std::string(60, 'x'));
        EXPECT_EQ(chart.key(), "F");
        EXPECT_EQ(chart.tempo(), 100);
        EXPECT_EQ(bars_of(chart), (std::vector<Bar>{{{"C7", 2}, {"Dm7", 2}}, {{"Dm7", 3}, {"F", 1}}, {{"F", 4}}}));
        EXPECT_EQ(chart.sections(), (std::vector<Chart::Section>{{1, 'A'}, {9, 'B'}}));
        EXPECT_EQ(chart.chorus().repeats, 2);
    }
    // Each file starts with no carried chord.
    Chart first = Biabreader::read_chart(to_bytes(old_file(187, "a", {0}, {0}, 1)));
    EXPECT_EQ(bars_of(first), (std::vector<Bar>{{{"", 4}}}));
}

TEST(Biabreader, ErrorCases) {
    Bytes good = new_file({{64, 4}}, {{1, 4}});
    for (std::size_t cut = 0; cut + 1 < good.size(); cut += 7)
        EXPECT_EQ(failure_of(to_bytes(Bytes(good.begin(), good.begin() + cut))), "Truncated BiaB file") << cut;

    Bytes bad_key = good;
    bad_key[6] = 35;
    EXPECT_EQ(failure_of(to_bytes(bad_key)), "Invalid BiaB key code: 35");
    bad_key[6] = 0;
    EXPECT_EQ(failure_of(to_bytes(bad_key)), "Invalid BiaB key code: 0");
    EXPECT_EQ(failure_of(to_bytes(new_file({{64, 4}}, {{18, 4}}))), "Invalid BiaB chord root: 18");
    EXPECT_EQ(failure_of(to_bytes(new_file({{27, 4}}, {{1, 4}}))), "Unknown BiaB chord code: 27");
    EXPECT_EQ(failure_of(to_bytes(new_file({{64, 1}, {64, 1}, {64, 1}}, {{1, 4}}))),
              "lengths of roots and types differ by more than 1");

    Bytes zero_first = new_head();
    append(zero_first, {1, 1, 0, 254, 0, 5});
    EXPECT_EQ(failure_of(to_bytes(zero_first)), "First chord type cannot be 0");

    Bytes mark3 = old_file(187, "a", {64}, {1}, 1);
    mark3[66] = 3;
    EXPECT_EQ(failure_of(to_bytes(mark3)), "Invalid BiaB section mark: 3");
    EXPECT_EQ(failure_of(to_bytes(old_file(187, "a", {64}, {1}, 65))), "Invalid BiaB chorus end: 65");
}

TEST(Biabwriter, LayoutOfOneBar) {
    std::string bytes = Biabwriter::write_chart(chart_of({{{"C7", 4}}}));
    Bytes expected = {68, 4, 'S', 'o', 'n', 'g', 0, 56, 1, 1, 140, 0, 1, 1, 0, 254};
    append(expected, {64, 0, 3, 0, 255, 0, 255, 0, 255, 0, 251});
    append(expected, {1, 0, 3, 0, 255, 0, 255, 0, 255, 0, 251});
    append(expected, {1, 1, 1, 1, 0x01, 0x00, 0x01, 1, 2, 5});
    ASSERT_GT(bytes.size(), expected.size() + 4);
    EXPECT_EQ(bytes.substr(0, expected.size()), to_bytes(expected));
    // the last four bytes hold the length of what comes before them
    std::size_t n = bytes.size() - 4;
    EXPECT_EQ(bytes.substr(n), to_bytes({static_cast<int>(n & 0xFF), static_cast<int>(n >> 8), 0, 0}));
    EXPECT_EQ(bytes.substr(n - 14, 4), to_bytes({0x00, 0x2E, 0x01, 0x01}));
}

TEST(Biabwriter, SectionsAndChordBytes) {
    auto head_length = 16u - 4u;
    std::string marked = Biabwriter::write_chart(chart_of({{{"C", 4}}}, 4, {{17, 'A'}, {1, 'A'}, {9, 'B'}}));
    EXPECT_EQ(marked.substr(head_length, 11), to_bytes({1, 1, 0, 7, 2, 0, 7, 1, 0, 238, 1}));

    struct Case { const char* symbol; int type; int root; };
    const Case cases[] = {
        {"C7/G", 64, 127}, {"Bb/D", 1, 83}, {"C", 1, 1}, {"F#7/E", 64, 15 + 18 * 10}, {"C7/E#", 64, 1},
        {"Dbm7", 19, 2}, {"C:3.5.b7", 64, 1},
    };
    for (const auto& c : cases) {
        std::string bytes = Biabwriter::write_chart(chart_of({{{c.symbol, 4}}}));
        EXPECT_EQ(bytes.substr(head_length + 4, 1), to_bytes({c.type})) << c.symbol;
        EXPECT_EQ(bytes.substr(head_length + 4 + 11, 1), to_bytes({c.root})) << c.symbol;
    }
}

TEST(Biabwriter, ReadingBackGivesTheSameChart) {
    std::vector<Bar> bars = {
        {{"Cm7", 2}, {"F7", 2}}, {{"BbMaj7", 4}}, {{"Em7b5", 1}, {"A7b9", 3}}, {{"Dm", 4}}, {{"C#m7/B", 4}},
    };
    Chart chart = chart_of(bars, 4, {{1, 'A'}, {3, 'B'}}, "Gm");
    Chart back = Biabreader::read_chart(Biabwriter::write_chart(chart));
    EXPECT_EQ(bars_of(back), bars);
    EXPECT_EQ(back.sections(), chart.sections());
    EXPECT_EQ(back.key(), "Gm");
    EXPECT_EQ(back.chorus().repeats, chart.chorus().repeats + 2);

    std::vector<Bar> waltz = {{{"C7", 3}}, {{"F", 1}, {"G7", 2}}};
    EXPECT_EQ(bars_of(Biabreader::read_chart(Biabwriter::write_chart(chart_of(waltz, 3)))), waltz);
}

TEST(Biabwriter, EachStyleGetsTheNearestBuiltInStyle) {
    const struct {
        int ours, biab;
    } cases[] = {{1, 1}, {4, 4}, {25, 9}, {26, 1}, {27, 11}, {28, 18}, {29, 16}, {30, 6}, {16, 16}, {19, 19}};
    for (const auto& c : cases) {
        const Chart chart("Song", {4, c.ours}, "C", 140, {{{"C7", 4}}}, {1, 1, 1}, {});
        EXPECT_EQ(Biabwriter::write_chart(chart).substr(8, 1), to_bytes({c.biab})) << c.ours;
    }
}

TEST(Biabwriter, JazzNamesReadBackAsWritten) {
    std::vector<Bar> bars = {
        {{"D7b13", 2}, {"G7alt", 2}}, {{"CMaj7#5", 4}}, {{"F13#11", 4}}, {{"Bbm69", 2}, {"A13sus", 2}},
        {{"Ebsus2/Bb", 4}}, {{"E7b9b13", 4}},
    };
    EXPECT_EQ(bars_of(Biabreader::read_chart(Biabwriter::write_chart(chart_of(bars)))), bars);
    // Interval lists with a name come back under the name.
    std::vector<Bar> lists = {{{"D:3.5.b7.b13", 4}}, {{"G:3.b5.#5.b7.b9.#9", 4}}};
    std::vector<Bar> named = {{{"D7b13", 4}}, {{"G7alt", 4}}};
    EXPECT_EQ(bars_of(Biabreader::read_chart(Biabwriter::write_chart(chart_of(lists)))), named);
}

// One chord without a code does not sink the export: the file holds the nearest
// code and says where; the rest reads back as written.
TEST(Biabwriter, ChordsWithoutACodeAreWrittenAsTheNearest) {
    std::vector<Bar> bars = {{{"Bdim7", 2}, {"C7#9b13", 2}}, {{"F7", 4}}, {{"Bdim7", 2}, {"Bdim7/D", 2}},
                             {{"Ebdim", 2}, {"G7b9#9", 2}}, {{"C13sus", 4}}};
    const Biabwriter::Song_file file = Biabwriter::write_song(chart_of(bars));
    const std::vector<Biabwriter::Approximation> expected = {
        {"Bdim7", "B:b3.b5", {1, 3}},
        {"Bdim7/D", "B:b3.b5/D", {3}},
        {"Ebdim", "Eb:b3.b5", {4}},
        {"G7b9#9", "G7b9", {4}},
    };
    EXPECT_EQ(file.approximations, expected);
    const std::vector<Bar> back = {{{"B:b3.b5", 2}, {"C7#9b13", 2}}, {{"F7", 4}}, {{"B:b3.b5", 2}, {"B:b3.b5/D", 2}},
                                   {{"Eb:b3.b5", 2}, {"G7b9", 2}}, {{"C13sus", 4}}};
    EXPECT_EQ(bars_of(Biabreader::read_chart(file.bytes)), back);
    EXPECT_EQ(Biabwriter::write_chart(chart_of(bars)), file.bytes);
    EXPECT_TRUE(Biabwriter::write_song(chart_of({{{"C7", 4}}})).approximations.empty());
}

TEST(Biabwriter, ErrorCases) {
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 4}}}, 4, {}, "H")), "Invalid key: H");
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 4}}}, 4, {{1, 'C'}})), "Invalid section type: C");
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 4}}}, 4, {{1, 'A'}, {1, 'B'}})), "char_of_int");
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 4}}}, 5)), "Unrecognized meter: 5");
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 3}}, {}}, 3)), "Illegal empty bar in adjust_bar_to_4_beats");
    // A chord's failure names its bar.
    EXPECT_EQ(write_failure_of(chart_of({{{"X7", 4}}})), "Bar 1: Unrecognized chord: X7");
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 4}}, {{"Cb7", 4}}})), "Bar 2: Cannot convert chord Cb7 to BiaB");
    EXPECT_EQ(write_failure_of(chart_of({{{"C", 4}}, {{"C", 2}, {"C:b2.b6", 2}}})),
              "Bar 2: Cannot convert chord C:b2.b6 to BiaB");
    EXPECT_EQ(write_failure_of(chart_of({{{"Cmaj7", 4}}})), "Bar 1: Unknown chord type: maj7");
    EXPECT_EQ(write_failure_of(chart_of({{{"C7", 0}}})), "Bar 1: Chord C7 has no beats");
    EXPECT_EQ(write_failure_of(chart_of(std::vector<Bar>(256, Bar{{"C", 4}}))),
              "Chart too long for BiaB format: 1024 beats (at most 1020)");
    Chart long_title("x" + std::string(60, 'y'), {4, 1}, "C", 120, {{{"C", 4}}}, {1, 1, 1}, {});
    EXPECT_EQ(write_failure_of(long_title), "char_of_int");
    Chart fast("", {4, 1}, "C", 65536, {{{"C", 4}}}, {1, 1, 1}, {});
    EXPECT_EQ(write_failure_of(fast), "Value out of range for BiaB file: 256");
}

}  // namespace
}  // namespace zub
