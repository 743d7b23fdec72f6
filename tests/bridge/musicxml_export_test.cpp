#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "bridge/bridge_exception.h"
#include "bridge/musicxml_export.h"
#include "bridge/style_names.h"
#include "bridge/xml_writer.h"
#include "tests/bridge/musicxml_summary.h"
#include "tests/bridge/musicxml_testing.h"
#include "testing.h"

namespace zub {

namespace {

using testing::barOf;
using testing::chartOfBars;
using testing::measuresOf;

Plist::Array barsOf(const std::vector<std::string>& bars) {
    Plist::Array result;
    for (const std::string& bar : bars) result.push_back(barOf(bar));
    return result;
}

// The measures after the first, whose opening carries the attributes and the tempo.
std::vector<std::string> later_measures(const Plist& chart, const AnalysisResult* analysis = nullptr) {
    std::vector<std::string> measures = measuresOf(musicXmlOfChart(chart, analysis));
    measures.erase(measures.begin());
    return measures;
}

}  // namespace

TEST(MusicXmlExport, EachChordIsAHarmonyBeforeRestsOfItsBeats) {
    const struct {
        std::int64_t meter;
        std::string bar;
        std::string measure;
    } cases[] = {
        {4, "C - - -", "C R4"},
        {4, "C - - F", "C r3h. F r1q"},
        {4, "Dm7 - G7 -", "Dm7 r2h G7 r2h"},
        {4, "- - G7 -", "r2h G7 r2h"},  // the first two beats hold the chord of the bar before
        {4, "- - - -", "R4"},
        {6, "C - - - - F", "C r4w r1q F r1q"},
        {8, "C - - - - - - G", "C r6w. r1q G r1q"},
        {8, "C - - - - - - -", "C R8"},
        {4, "B\u266D7\u266F5/D - E\u266DMaj7 -", "Bb7+/D r2h EbMaj7 r2h"},
        {4, "C:3.b7 - C:3.5.b7.b13 -", "C:3.b7 r2h C7b13 r2h"},
        {4, "F##m7/Gbb - - -", "F##m7/Gbb R4"},
    };
    for (const auto& c : cases) {
        const Plist chart = chartOfBars({barOf(c.bar), barOf(c.bar), barOf(c.bar)}, c.meter);
        EXPECT_EQ(later_measures(chart).at(0), c.measure) << c.bar;
    }
}

TEST(MusicXmlExport, TheFirstMeasureOpensWithKeyTimeAndTempo) {
    const Plist chart = chartOfBars({barOf("- - F7 -")}).with("Key", Plist::make_string("E\u266Dm"))
                            .with("Tempo", Plist::make_integer(96));
    EXPECT_EQ(measuresOf(musicXmlOfChart(chart)), std::vector<std::string>{"time4 tempo96 r2h F7 r2h |light-heavy"});
    const std::string xml = musicXmlOfChart(chart);
    EXPECT_NE(xml.find("<fifths>-6</fifths>\n          <mode>minor</mode>"), std::string::npos);
    EXPECT_NE(xml.find("<divisions>1</divisions>"), std::string::npos);
    EXPECT_NE(xml.find("<sound tempo=\"96\"/>"), std::string::npos);
    // Without a key or a tempo, those are left out.
    const std::string bare =
        musicXmlOfChart(chart.with("Key", Plist::make_string("H")).with("Tempo", Plist::make_integer(0)));
    EXPECT_EQ(bare.find("<key>"), std::string::npos);
    EXPECT_EQ(bare.find("tempo"), std::string::npos);
}

TEST(MusicXmlExport, TheStyleIsNamedAboveTheFirstBarUnlessItIsPlainSwing) {
    const struct {
        std::int64_t code;
        const char* words;
    } cases[] = {{1, nullptr}, {0, nullptr}, {4, "Bossa Nova"}, {25, "Ballad"}, {28, "Latin"}, {30, "Shuffle"}};
    for (const auto& c : cases) {
        const std::string xml = musicXmlOfChart(chartWithStyle(chartOfBars({barOf("C - - -")}), c.code));
        if (c.words == nullptr) EXPECT_EQ(xml.find("<words>"), std::string::npos) << c.code;
        else EXPECT_NE(xml.find(std::string("<words>") + c.words + "</words>"), std::string::npos) << c.code;
    }
}

TEST(MusicXmlExport, BarsOfAnotherLengthChangeTheTimeSignature) {
    const Plist chart = chartOfBars(barsOf({"C - - -", "F -", "G - - -", "C - - - -"}), 4);
    EXPECT_EQ(later_measures(chart), (std::vector<std::string>{"time2 F R2", "time4 G R4", "time5 C R5 |light-heavy"}));
}

TEST(MusicXmlExport, TheChorusIsRepeatedAndSectionsAreMarked) {
    Plist::Array bars = barsOf({"C - - -", "D - - -", "E - - -", "F - - -", "G - - -", "A - - -"});
    bars[0] = barOf("C - - -", 'A');
    bars[3] = barOf("F - - -", 'B');
    // Bars 1 and 6 are an intro and a coda around a chorus played three times.
    EXPECT_EQ(later_measures(chartOfBars(bars, 4, 2, 5, 3)), (std::vector<std::string>{
                                                                 "|heavy-light:forward D R4",
                                                                 "E R4 |light-light",
                                                                 "[B] F R4",
                                                                 "'3x' G R4 |light-heavy:backward3",
                                                                 "A R4 |light-heavy",
                                                             }));
    EXPECT_EQ(measuresOf(musicXmlOfChart(chartOfBars(bars, 4, 2, 5, 3)))[0], "time4 tempo120 [A] C R4");
    // Played once, or a chorus outside the chart: no repeat, only sections.
    const std::vector<std::string> plain = {"D R4", "E R4 |light-light", "[B] F R4", "G R4", "A R4 |light-heavy"};
    EXPECT_EQ(later_measures(chartOfBars(bars, 4, 2, 5, 1)), plain);
    EXPECT_EQ(later_measures(chartOfBars(bars, 4, 2, 9, 3)), plain);
    EXPECT_EQ(later_measures(chartOfBars(bars, 4, 5, 2, 3)), plain);
    // The whole chart repeated, its end given as "through the last bar".
    EXPECT_EQ(later_measures(chartOfBars(bars, 4, 1, chorus_end_of_chart, 2)).back(),
              "'2x' A R4 |light-heavy:backward2");
}

TEST(MusicXmlExport, TitleAndComposer) {
    const Plist chart = chartOfBars({barOf("C - - -")}).with("Name", Plist::make_string("Stella"));
    const std::string plain = musicXmlOfChart(chart);
    EXPECT_NE(plain.find("<work-title>Stella</work-title>"), std::string::npos);
    EXPECT_EQ(plain.find("<creator"), std::string::npos);
    const std::string with = musicXmlOfChart(chart.with("Composer", Plist::make_string("Victor Young")));
    EXPECT_NE(with.find("<creator type=\"composer\">Victor Young</creator>"), std::string::npos);
    EXPECT_EQ(musicXmlOfChart(chart.with("Name", Plist::make_string(""))).find("<work>"), std::string::npos);
}

TEST(MusicXmlExport, TextThatXmlCannotHoldIsReplaced) {
    const Plist chart = chartOfBars({barOf("C - - -", '<'), barOf("D - - -", 200), barOf("E - - -", 7)})
                            .with("Name", Plist::make_string("Tom & \"Jerry\" <3 \x01\xff"));
    const std::string xml = musicXmlOfChart(chart);
    EXPECT_NE(xml.find("<work-title>Tom &amp; &quot;Jerry&quot; &lt;3 \uFFFD\uFFFD</work-title>"), std::string::npos);
    const std::vector<std::string> measures = measuresOf(xml);
    EXPECT_EQ(measures[0], "time4 tempo120 [&lt;] C R4 |light-light");
    EXPECT_EQ(measures[1], "[\u00C8] D R4 |light-light");
    EXPECT_EQ(measures[2], "[7] E R4 |light-heavy");  // a control code shown as its number
}

TEST(MusicXmlExport, AChartWithoutBarsIsOneEmptyMeasure) {
    EXPECT_EQ(measuresOf(musicXmlOfChart(chartOfBars({}, 3))), std::vector<std::string>{"time3 tempo120 R3"});
    EXPECT_EQ(measuresOf(analysedMusicXmlOfChart(chartOfBars({}, 3))), std::vector<std::string>{"time3 tempo120 R3"});
}

TEST(MusicXmlExport, NumeralsOfAGivenAnalysisStandBesideTheirChords) {
    const Plist chart = chartOfBars(barsOf({"Dm7 - G7 -", "C - - -", "B\u266D7 - - -", "Bm7\u266D5 - E7 -", "Am - - -"}));
    AnalysisResult analysis;
    analysis.annotations = {{"Dm7", "IIm7"}, {"G7", "V7"}, {"C", "I"},          {"B\u266D7", "\u266DVII7"},
                            {"Bm7\u266D5", "IIm7\u266D5"}, {"E7", "V7"}, {"Am", "Im"}};
    analysis.keyChanges = {"C", "", "", "", "Am", "", ""};
    EXPECT_EQ(later_measures(chartOfBars({barOf("C - - -")}), &analysis), std::vector<std::string>{});
    EXPECT_EQ(measuresOf(musicXmlOfChart(chart, &analysis)),
              (std::vector<std::string>{
                  "time4 tempo120 Dm7 {IIm7=2@0major} r2h G7 {V7=5@0major} r2h",
                  "C {I=1@0major} R4",
                  "Bb7 {\u266DVII7=7-1@0major} R4",
                  "Bm7b5 {IIm7\u266D5=2@0minor} r2h E7 {V7=5@0minor} r2h",
                  "Am {Im=1@0minor} R4 |light-heavy",
              }));
}

TEST(MusicXmlExport, AnalysisThatDoesNotFitLeavesChordsWithoutNumerals) {
    const Plist chart = chartOfBars(barsOf({"C - - -", "F - - -"}));
    AnalysisResult analysis;
    analysis.annotations = {{"C", "I"}, {"F", ""}};  // a chord the analysis left unlabelled
    analysis.keyChanges = {"", ""};                   // and no key center named: the chart's key
    EXPECT_EQ(measuresOf(musicXmlOfChart(chart, &analysis)),
              (std::vector<std::string>{"time4 tempo120 C {I=1@0major} R4", "F R4 |light-heavy"}));
    analysis.keyChanges = {"X", ""};  // a key center that is no key: no numeral
    EXPECT_EQ(measuresOf(musicXmlOfChart(chart, &analysis))[0], "time4 tempo120 C R4");
}

TEST(MusicXmlExport, AnalysedAsZubAnalyzeDoes) {
    const Plist chart = testing::chartOfText(
        "Key: Gm\nTempo: 132\n| Cm7 | F7 | BbMaj7 | EbMaj7 |\n| Am7b5 | D7b9 | Gm | Gm |\n");
    const std::vector<std::string> measures = measuresOf(analysedMusicXmlOfChart(chart));
    ASSERT_EQ(measures.size(), 8u);
    EXPECT_EQ(measures[1], "F7 {V7=5@-2major} R4");
    EXPECT_EQ(measures[5], "D7b9 {V7=5@-2minor} R4");
    EXPECT_EQ(measures[6], "Gm {Im=1@-2minor} R4");
}

TEST(MusicXmlExport, ErrorCases) {
    const Plist good = chartOfBars(barsOf({"C - - -", "D - - -"}));
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { musicXmlOfChart(chartOfBars(barsOf({"C - - -", "C - Dmaj -"}))); }, "Bar 2: Unknown chord type: maj"},
        {[&] { musicXmlOfChart(chartOfBars(barsOf({"C/D/E - - -"}))); }, "Bar 1: Invalid chord: C/D/E"},
        {[&] { analysedMusicXmlOfChart(chartOfBars(barsOf({"C - Dmaj -"}))); }, "Unknown chord type: maj"},
        {[&] { musicXmlOfChart(good.with("Composer", Plist::make_integer(3))); },
         "Wrong type for key Composer: expected string, found integer"},
        {[&] { musicXmlOfChart(Plist::make_dictionary({})); }, "Missing key: Name"},
    };
    for (const auto& [action, reason] : cases) {
        const std::string got = testing::message_of<Bridge_exception>(action);
        EXPECT_NE(got.find(reason), std::string::npos) << got;
    }
}

TEST(XmlWriter, EscapesWhatXmlCannotHoldAsText) {
    const std::pair<std::string, std::string> cases[] = {
        {"a<b & \"c\" > d", "a&lt;b &amp; &quot;c&quot; &gt; d"},
        {"B\u266D7 \u00E9t\u00E9 \U0001D11E", "B\u266D7 \u00E9t\u00E9 \U0001D11E"},  // UTF-8 passes whole
        {"tab\tnew\nline\r", "tab\tnew\nline\r"},
        {std::string("nul\0x", 5), "nul\uFFFDx"},
        {"bell\x07", "bell\uFFFD"},
        {"\xff\xfe", "\uFFFD\uFFFD"},                   // bytes that start nothing
        {"\xC3", "\uFFFD"},                             // a sequence cut short
        {"\xC3(", "\uFFFD("},                           // a lead byte without its continuation
        {"\xC0\xAF", "\uFFFD\uFFFD"},                   // an overlong "/"
        {"\xED\xA0\x80", "\uFFFD\uFFFD\uFFFD"},         // a surrogate
        {"\xEF\xBF\xBF", "\uFFFD\uFFFD\uFFFD"},         // U+FFFF, no character
        {"\xF4\x90\x80\x80", "\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"", ""},
    };
    for (const auto& [text, escaped] : cases) EXPECT_EQ(escapedXml(text), escaped) << text;
}

// Random charts: every measure lasts its bar's beats, and every chord that
// starts in it is one harmony, right before a rest.
TEST(MusicXmlExport, RandomChartsKeepEveryBeatAndChord) {
    const std::vector<std::string> chords = {"C", "Dm7", "G7\u266D9", "F\u266Fm7\u266D5", "B\u266D/D", "E:3.b7", "A7alt"};
    std::mt19937 random(22);
    for (int round = 0; round < 50; ++round) {
        const std::int64_t meter = 1 + static_cast<std::int64_t>(random() % 12);
        Plist::Array bars;
        std::vector<std::size_t> beats, starts;
        for (std::size_t bar = random() % 9; bar > 0; --bar) {
            std::string slots;
            const std::size_t length = random() % 3 == 0 ? 1 + random() % 13 : static_cast<std::size_t>(meter);
            std::size_t count = 0;
            for (std::size_t k = 0; k < length; ++k) {
                const bool starts_chord = random() % 3 == 0;
                slots += (starts_chord ? chords[random() % chords.size()] : "-") + " ";
                count += starts_chord;
            }
            bars.push_back(barOf(slots, random() % 4 == 0 ? 'A' : no_section_mark));
            beats.push_back(length);
            starts.push_back(count);
        }
        const std::vector<std::string> measures = measuresOf(musicXmlOfChart(chartOfBars(bars, meter)));
        ASSERT_EQ(measures.size(), std::max<std::size_t>(bars.size(), 1));
        for (std::size_t bar = 0; bar < bars.size(); ++bar) {
            std::size_t total = 0, harmonies = 0;
            bool waiting = false;  // a harmony not yet followed by its rest
            std::istringstream tokens(measures[bar]);
            for (std::string token; tokens >> token;) {
                if (token[0] == 'r' || token[0] == 'R') {
                    total += std::stoul(token.substr(1));
                    waiting = false;
                } else if (std::string("ABCDEFG").find(token[0]) != std::string::npos) {
                    EXPECT_FALSE(waiting) << measures[bar];
                    ++harmonies;
                    waiting = true;
                }
            }
            EXPECT_EQ(total, beats[bar]) << measures[bar];
            EXPECT_EQ(harmonies, starts[bar]) << measures[bar];
            EXPECT_FALSE(waiting) << measures[bar];
        }
    }
}

}  // namespace zub
