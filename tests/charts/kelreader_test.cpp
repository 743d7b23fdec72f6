#include "core/charts/kelreader.h"

#include <gtest/gtest.h>

#include "core/charts/kelwriter.h"
#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

using Bars = std::vector<Chart::Bar>;

std::string failure_of(std::string_view text) {
    return testing::failure_of([&] { Kelreader::read_chart(text); });
}

TEST(Kelreader, HeaderFields) {
    Chart chart = Kelreader::read_chart(
        "Name: Example\nMeter: 4/4\nStyle: Bossa Nova\nKey: F\nTempo: 160\n"
        "Chorus: bars 1 to 4 (repeat 3 times)\nSections: 1A 3B\n| F | Gm7 C7 | _ F7 Bb _ | C7 |\n");
    EXPECT_EQ(chart, Chart("Example", {4, 4}, "F", 160,
                           Bars{{{"F", 4}}, {{"Gm7", 2}, {"C7", 2}}, {{"C7", 1}, {"F7", 1}, {"Bb", 2}}, {{"C7", 4}}},
                           {1, 4, 3}, {{1, 'A'}, {3, 'B'}}));
    EXPECT_EQ(Kelreader::read_chart(""), Chart());
}

TEST(Kelreader, ValuesAreComparedAsWritten) {
    struct Case {
        const char* text;
        Chart::Style style;
        const char* name;
    };
    const Case cases[] = {
        {"Meter: 3/4\n", {3, 1}, ""},
        {"Meter: 3/4 \n", {4, 1}, ""},
        {"Style: Jazz Waltz\n", {4, 8}, ""},
        {"Style: Bossa Nova \n", {4, 1}, ""},
        {"Style: Ballad\n", {4, 25}, ""},
        {"Style: Two-Feel\n", {4, 26}, ""},
        {"Style: Even 8ths\n", {4, 27}, ""},
        {"Style: Latin\n", {4, 28}, ""},
        {"Style: Funk\n", {4, 29}, ""},
        {"Style: Shuffle\n", {4, 30}, ""},
        {"Style: Rock\n", {4, 1}, ""},
        {"Name: Tune   \n", {4, 1}, "Tune"},
        {"Name:Tune\n", {4, 1}, "Tune"},
        {"Name: A\nName: B\n", {4, 1}, "B"},
    };
    for (const auto& c : cases) {
        Chart chart = Kelreader::read_chart(c.text);
        EXPECT_EQ(chart.style(), c.style) << c.text;
        EXPECT_EQ(chart.name(), c.name) << c.text;
    }
}

TEST(Kelreader, BarsAndHeldChords) {
    struct Case {
        const char* text;
        Bars bars;
    };
    const std::vector<Case> cases = {
        {"| C7 |", {{{"C7", 4}}}},
        {"| C7 | F7", {{{"C7", 4}}, {{"F7", 4}}}},
        {"| C7 _ _ F7 |", {{{"C7", 3}, {"F7", 1}}}},
        {"| Gm7 | _ F7 |", {{{"Gm7", 4}}, {{"Gm7", 2}, {"F7", 2}}}},
        {"| A B C |", {{{"A", 1}, {"B", 1}, {"C", 1}}}},
        {"Meter: 3/4\n| A B |\nMeter: 4/4\n| A B |", {{{"A", 1}, {"B", 1}}, {{"A", 2}, {"B", 2}}}},
        {"| F7 _ |\nKey: F\n| _ Bb |", {{{"F7", 4}}, {{"F7", 2}, {"Bb", 2}}}},
        {"| Hmaj |", {{{"Hmaj", 4}}}},
        // An interval list that has a name is read under it; one without stays.
        {"| B:3.5.b7.b13 C:3.b7 |", {{{"B7b13", 2}, {"C:3.b7", 2}}}},
        {"| Eb:b3.5.b7/Bb | _ |", {{{"Ebm7/Bb", 4}}, {{"Ebm7/Bb", 4}}}},
        // A file saved without a final newline keeps its last line, and one
        // saved on Windows gains no carriage returns.
        {"| C |\r\n| F |\r\n| G |", {{{"C", 4}}, {{"F", 4}}, {{"G", 4}}}},
        {"| C |\r", {{{"C", 4}}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Kelreader::read_chart(c.text).bars(), c.bars) << c.text;
    EXPECT_EQ(Kelreader::read_chart("Key: Eb\r\nName: X\r\n").key(), "Eb");
    EXPECT_EQ(Kelreader::read_chart("Sections: 1A 9A 17B 25A").sections(),
              (std::vector<Chart::Section>{{1, 'A'}, {9, 'A'}, {17, 'B'}, {25, 'A'}}));
}

// Lines of any length: a header or chorus value of a hundred thousand
// characters once overflowed the stack.
TEST(Kelreader, LongLinesAndInnerCarriageReturns) {
    const std::string long_name(100000, 'a');
    EXPECT_EQ(Kelreader::read_chart("Name: " + long_name + "\n").name(), long_name);
    const std::string long_chorus = "Chorus: bars 1 to 4 (repeat 3 times" + std::string(100000, ' ') + ")";
    EXPECT_EQ(failure_of(long_chorus), "Invalid chorus line: " + long_chorus.substr(8));
    const std::string long_bar = "|" + std::string(100000, ' ') + "C7 |";
    EXPECT_EQ(Kelreader::read_chart(long_bar).bars(), (Bars{{{"C7", 4}}}));
    // Only a carriage return that ends a line is part of the line ending.
    EXPECT_EQ(Kelreader::read_chart("Name: A\rB\r\n").name(), "A\rB");
    EXPECT_EQ(Kelreader::read_chart("Key: Bb\r\r\n").key(), "Bb\r");
    EXPECT_EQ(Kelreader::read_chart("Tempo:\t 96\r").tempo(), 96);
    EXPECT_EQ(Kelreader::read_chart("Sections:\r\n").sections(), std::vector<Chart::Section>{});
}

TEST(Kelreader, ErrorCases) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"name: Tune", "Invalid input line: name: Tune"},
        {" Name: Tune", "Invalid input line:  Name: Tune"},
        {" | C |", "Invalid input line:  | C |"},
        {"C7 F7", "Invalid input line: C7 F7"},
        {"Chorus: bars 1 to 4", "Invalid chorus line: bars 1 to 4"},
        {"Chorus: bars 1 to  4 (repeat 3 times)", "Invalid chorus line: bars 1 to  4 (repeat 3 times)"},
        {"Chorus: bars  to 4 (repeat 3 times)", "Invalid chorus line: bars  to 4 (repeat 3 times)"},
        {"Chorus: bars 1 to 4 (repeat -3 times)", "Invalid chorus line: bars 1 to 4 (repeat -3 times)"},
        {"Chorus: Bars 1 to 4 (repeat 3 times)", "Invalid chorus line: Bars 1 to 4 (repeat 3 times)"},
        {"Chorus", "Invalid input line: Chorus"},
        {"Names: X", "Invalid input line: Names: X"},
        {"Name : X", "Invalid input line: Name : X"},
        {":", "Invalid input line: :"},
        {"Chorus: bars 1 to 4 (repeat 3 times) ", "Invalid chorus line: bars 1 to 4 (repeat 3 times) "},
        {"Sections: 1A 12C", "Invalid section specification: 12C"},
        {"Sections: A1", "Invalid section specification: A1"},
        {"| _ C |", "First chord cannot be _"},
        {"Tempo: fast", "int_of_string"},
        {"Tempo: 99999999999", "int_of_string"},
        {"Chorus: bars 1 to 99999999999 (repeat 1 times)", "int_of_string"},
        {"| C7 || F7 |", "Empty bar in line: | C7 || F7 |"},
        {"| C7 | ", "Empty bar in line: | C7 | "},
    };
    for (const auto& c : cases) EXPECT_EQ(failure_of(c.text), c.message) << c.text;
    EXPECT_EQ(failure_of("Tempo: 132  "), "(no failure)");
}

TEST(Kelwriter, ReadingTheTextGivesTheSameChart) {
    const Chart charts[] = {
        Chart("Autumn", {4, 1}, "Gm", 140,
              Bars{{{"Cm7", 4}}, {{"F7", 2}, {"Bb7", 2}}, {{"EbMaj7", 3}, {"D7", 1}}, {{"Gm", 4}}, {{"C7#9/E", 4}}},
              {1, 5, 2}, {{1, 'A'}, {5, 'B'}}),
        Chart("Waltz", {3, 8}, "C", 180, Bars{{{"C", 3}}, {{"Dm7", 1}, {"G7", 2}}}, {1, 2, 1}, {}),
        Chart("Bossa", {4, 4}, "F", 120, Bars{{{"A", 1}, {"B", 1}, {"C", 1}}}, {1, 1, 1}, {}),
        Chart("Jazz names", {4, 1}, "C", 160,
              Bars{{{"D7b13", 2}, {"G7alt", 2}}, {{"CMaj7#5", 4}}, {{"F13#11/A", 4}}, {{"Bbm69", 2}, {"E7b9sus", 2}},
                   {{"Ab5", 1}, {"Dbsus2", 1}, {"Cm", 1}, {"BdimMaj7", 1}}},
              {1, 5, 1}, {}),
        Chart(),
    };
    for (const auto& chart : charts)
        EXPECT_EQ(Kelreader::read_chart(Kelwriter::write_chart(chart)), chart) << Kelwriter::write_chart(chart);
    EXPECT_EQ(Kelwriter::write_chart(charts[1]),
              "Name: Waltz\nMeter: 3/4\nStyle: Jazz Waltz\nKey: C\nTempo: 180\n"
              "Chorus: bars 1 to 2 (repeat 1 times)\n| C | Dm7 G7 _ |\n");
}

TEST(Kelwriter, ErrorCases) {
    auto failure_of = [](Chart::Bar bar) {
        return testing::failure_of([&] { Kelwriter::write_chart(Chart("", {4, 1}, "C", 120, {bar}, {1, 1, 1}, {})); });
    };
    EXPECT_EQ(failure_of({{"", 4}}), "Cannot write chord \"\" in a text chart");
    EXPECT_EQ(failure_of({{"C 7", 4}}), "Cannot write chord \"C 7\" in a text chart");
    EXPECT_EQ(failure_of({{"_", 4}}), "Cannot write chord \"_\" in a text chart");
    EXPECT_EQ(failure_of({}), "Cannot write an empty bar in a text chart");
    EXPECT_EQ(failure_of({{"C", 0}}), "Cannot write a chord of 0 beats in a text chart");
}

// A line break in a header value would come back as lines of its own.
TEST(Kelwriter, HeaderValuesStayOnTheirLine) {
    auto failure_of = [](std::string name, std::string key) {
        return testing::failure_of([&] { Kelwriter::write_chart(Chart(name, {4, 1}, key, 120, {}, {1, 1, 1}, {})); });
    };
    EXPECT_EQ(failure_of("Blues\n| C |", "C"), "Cannot write name \"Blues\n| C |\" in a text chart");
    EXPECT_EQ(failure_of("Blues", "F\r"), "Cannot write key \"F\r\" in a text chart");
    EXPECT_EQ(failure_of("Blues in F", "F"), "(no failure)");
}

}  // namespace
}  // namespace zub
