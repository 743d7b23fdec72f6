#include <gtest/gtest.h>


#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "bridge/transposition.h"
#include "testing.h"
#include "plist_testing.h"

namespace zub {
namespace {


// A chart dictionary in key from bars written "C7 - F7 -" with key slots "Bb Bb - -"
// ("-" is an empty slot); display accidentals stand for what the editor stores.
Plist chart(const std::string& key, const std::vector<std::pair<std::string, std::string>>& bars) {
    Plist::Array array;
    for (const auto& [chords, keys] : bars)
        array.push_back(testing::bar_dictionary(testing::slot_words(replaceWithUnicodeSharpsAndFlats(chords)),
                                                testing::slot_words(keys), 'A'));
    return Plist::make_dictionary({
        {"Name", Plist::make_string("Tune")},
        {"Style", Plist::make_dictionary({{"Meter", Plist::make_integer(4)}, {"StyleType", Plist::make_integer(1)}})},
        {"Key", Plist::make_string(key)},
        {"Tempo", Plist::make_integer(132)},
        {"Chorus", Plist::make_dictionary({{"Begin", Plist::make_integer(1)},
                                           {"End", Plist::make_integer(2147483647)},
                                           {"Repeats", Plist::make_integer(2)}})},
        {"Chords", Plist::make_array(std::move(array))},
        {"Font", Plist::make_dictionary({{"FontName", Plist::make_string("Serif")}, {"PointSize", Plist::make_real(18)}})},
    });
}

// The chords (ASCII) and key slots of every bar: "Fm7 - Bb7 - [Cm Cm - -] | ...".
std::string bars_of(const Plist& chart) {
    std::string text;
    for (const Plist& bar : chart.array_at("Chords")) {
        if (!text.empty()) text += " | ";
        for (const Plist& chord : bar.array_at("Chords"))
            text += (chord.as_string().empty() ? "-" : replaceWithAsciiSharpsAndFlats(chord.as_string())) + " ";
        text += "[";
        for (const Plist& key : bar.array_at("Keys")) text += (key.as_string().empty() ? "-" : key.as_string()) + " ";
        text.back() = ']';
    }
    return text;
}

const Plist tune = chart("Bb", {{"Cm7 - F7 -", "Bb Bb Bb Bb"}, {"C#7 - - -", "Gm Gm - -"}, {"F#m7b5/C - - -", "- - - -"}});

TEST(Transposition, ChordsKeyAndKeySlotsMoveTheRestStays) {
    const Plist in_e = transposeChartTo(tune, "E");
    EXPECT_EQ(bars_of(in_e), "F#m7 - B7 - [E E E E] | G7 - - - [C#m C#m - -] | B#m7b5/F# - - - [- - - -]");
    EXPECT_EQ(in_e.string_at("Key"), "E");
    EXPECT_EQ(in_e.array_at("Chords")[1].array_at("Chords")[0].as_string(), "G7");
    EXPECT_EQ(in_e.array_at("Chords")[0].array_at("Chords")[0].as_string(), replaceWithUnicodeSharpsAndFlats("F#m7"));
    for (const char* key : {"Name", "Style", "Tempo", "Chorus", "Font"}) EXPECT_EQ(in_e.at(key), tune.at(key)) << key;
    EXPECT_EQ(in_e.array_at("Chords")[0].at("SectionMark"), tune.array_at("Chords")[0].at("SectionMark"));

    const Plist by_one = transposeChartBy(tune, 1);
    EXPECT_EQ(bars_of(by_one), "C#m7 - F#7 - [B B B B] | D7 - - - [G#m G#m - -] | Gm7b5/C# - - - [- - - -]");
    EXPECT_EQ(transposeChartBy(transposeChartBy(tune, 5), -5), tune);
}

// The written form stays on its bars, N.C. stays N.C., in a transposed chart and in a part.
TEST(Transposition, TheFormStays) {
    Plist::Array bars = chart("C", {{"N.C. - G7 -", "C C C C"}, {"C - - - -", "C C C C C"}}).array_at("Chords");
    bars[0] = bars[0].with("RepeatStart", Plist::make_boolean(true)).with("Segno", Plist::make_boolean(true));
    bars[1] = bars[1].with("RepeatEnd", Plist::make_integer(3)).with("Time", Plist::make_string("5/4"))
                  .with("Direction", Plist::make_string("D.S. al Fine"));
    const Plist marked = chart("C", {}).with("Chords", Plist::make_array(bars));
    for (const Plist& moved : {transposeChartTo(marked, "Eb"), partForInstrument(marked, Instrument::b_flat)}) {
        EXPECT_EQ(moved.array_at("Chords")[0].array_at("Chords")[0].as_string(), "N.C.");
        for (std::size_t k = 0; k < 2; ++k)
            for (const char* key : {"RepeatStart", "Segno", "RepeatEnd", "Time", "Direction"}) {
                const Plist* mark = bars[k].find(key);
                const Plist* kept = moved.array_at("Chords")[k].find(key);
                EXPECT_EQ(mark == nullptr, kept == nullptr) << key;
                if (mark && kept) {
                    EXPECT_EQ(*mark, *kept) << key;
                }
            }
    }
}

// Keys keep the form they came in: display accidentals stay display, ASCII stays ASCII.
// Each key-center area moves to its key as musicians write it, and its chords with it:
// from C to E, the area in E goes to Ab (not G#) and its B7 to Eb7, still the V7.
TEST(Transposition, EachKeyCenterAreaMovesToAWrittenKey) {
    const Plist in_c = chart("C", {{"Dm7 - G7 -", "C C C C"}, {"F#m7 - B7 -", "E E E E"}, {"Gm7 - C7 -", "F F - -"}});
    EXPECT_EQ(bars_of(transposeChartTo(in_c, "E")),
              "F#m7 - B7 - [E E E E] | Bbm7 - Eb7 - [Ab Ab Ab Ab] | Bm7 - E7 - [A A - -]");
    EXPECT_EQ(bars_of(transposeChartTo(in_c, "D#")),
              "Fm7 - Bb7 - [Eb Eb Eb Eb] | Am7 - D7 - [G G G G] | Bbm7 - Eb7 - [Ab Ab - -]");
    EXPECT_EQ(transposeChartTo(in_c, "D#").string_at("Key"), "Eb");
    const Plist in_a_minor = chart("Am", {{"Bm7b5 - E7 -", "Am Am Am Am"}});
    EXPECT_EQ(transposeChartBy(in_a_minor, 4).string_at("Key"), "C#m");  // not Dbm
    EXPECT_EQ(transposedKeyName("Am", 4), "C#m");
}

// A chart that stores no key centers moves by the areas its analysis finds,
// and its key slots stay empty: the area in E goes to Ab, not G#.
TEST(Transposition, AChartWithoutKeyCentersMovesByItsAnalysedAreas) {
    const Plist in_c = chart("C", {{"Dm7 - G7 -", "- - - -"}, {"CMaj7 - - -", "- - - -"},
                                   {"F#m7 - B7 -", "- - - -"}, {"EMaj7 - - -", "- - - -"},
                                   {"Dm7 - G7 -", "- - - -"}, {"CMaj7 - - -", "- - - -"}});
    EXPECT_EQ(bars_of(transposeChartTo(in_c, "E")),
              "F#m7 - B7 - [- - - -] | EMaj7 - - - [- - - -] | Bbm7 - Eb7 - [- - - -] | AbMaj7 - - - [- - - -] | "
              "F#m7 - B7 - [- - - -] | EMaj7 - - - [- - - -]");
}

TEST(Transposition, KeyNamesAsMusiciansWriteThem) {
    // The spellings themselves are the core's (Key::as_written); here the forms and what is no key.
    const std::vector<std::pair<std::string, std::string>> written = {
        {"D#", "Eb"}, {"Dbm", "C#m"}, {"G\u266F", "A\u266D"}, {"H", "H"}};
    for (const auto& [key, expected] : written) EXPECT_EQ(writtenKeyName(key), expected) << key;
    EXPECT_EQ(transposeTargetKeyNames("Gm"),
              (std::vector<std::string>{"Ebm", "Bbm", "Fm", "Cm", "Gm", "Dm", "Am", "Em", "Bm", "F#m", "C#m", "G#m"}));
    EXPECT_EQ(transposeTargetKeyNames("F#"),
              (std::vector<std::string>{"F#", "Db", "Ab", "Eb", "Bb", "F", "C", "G", "D", "A", "E", "B"}));
    EXPECT_EQ(transposeTargetKeyNames("D\u266Fm").front(), "D#m");
    EXPECT_EQ(transposeTargetKeyNames("H").front(), "Gb");
}

TEST(Transposition, KeysKeepTheirForm) {
    const Plist display = chart(replaceWithUnicodeSharpsAndFlats("Bb"), {{"C - - -", replaceWithUnicodeSharpsAndFlats("Bb Bb Gm Gm")}});
    const Plist in_a = transposeChartBy(display, -1);
    EXPECT_EQ(in_a.string_at("Key"), "A");
    EXPECT_EQ(transposeChartBy(display, -3).string_at("Key"), replaceWithUnicodeSharpsAndFlats("G"));
    EXPECT_EQ(transposeChartBy(display, 2).string_at("Key"), "C");
    EXPECT_EQ(transposeChartBy(display, 1).array_at("Chords")[0].array_at("Keys")[2].as_string(), "G#m");
    EXPECT_EQ(transposeChartBy(display, -4).string_at("Key"), replaceWithUnicodeSharpsAndFlats("Gb"));
    EXPECT_EQ(transposedKeyName(replaceWithUnicodeSharpsAndFlats("Ebm"), -1), "Dm");
    EXPECT_EQ(transposedKeyName("F#", 0), "Gb");
}

TEST(Transposition, KeyCenterLists) {
    const Plist centers = Plist::make_array({
        Plist::make_dictionary({{"Key", Plist::make_string("Gm")}, {"Beats", Plist::make_integer(8)}}),
        Plist::make_dictionary({{"Key", Plist::make_string(replaceWithUnicodeSharpsAndFlats("Bb"))}, {"Beats", Plist::make_integer(4)}}),
        Plist::make_dictionary({{"Key", Plist::make_string("")}, {"Beats", Plist::make_integer(6)}}),
    });
    const Plist moved = transposeKeyCenters(centers, "Bb", "Eb");
    ASSERT_EQ(moved.as_array().size(), 3u);
    EXPECT_EQ(moved.as_array()[0].string_at("Key"), "Cm");
    EXPECT_EQ(moved.as_array()[1].string_at("Key"), replaceWithUnicodeSharpsAndFlats("Eb"));
    EXPECT_EQ(moved.as_array()[1].integer_at("Beats"), 4);
    EXPECT_EQ(moved.as_array()[2].string_at("Key"), "");
}

TEST(Transposition, PartsForTransposingInstruments) {
    const Plist in_c = chart("C", {{"Dm7 - G7 -", "C C C C"}, {"CMaj7 - - -", "C C C C"}});
    const struct {
        Instrument instrument;
        const char* key;
        const char* bars;
    } parts[] = {
        {Instrument::concert, "C", "Dm7 - G7 - [C C C C] | CMaj7 - - - [C C C C]"},
        {Instrument::b_flat, "D", "Em7 - A7 - [D D D D] | DMaj7 - - - [D D D D]"},
        {Instrument::e_flat, "A", "Bm7 - E7 - [A A A A] | AMaj7 - - - [A A A A]"},
        {Instrument::f, "G", "Am7 - D7 - [G G G G] | GMaj7 - - - [G G G G]"},
    };
    for (const auto& part : parts) {
        const Plist shown = partForInstrument(in_c, part.instrument);
        EXPECT_EQ(shown.string_at("Key"), part.key);
        EXPECT_EQ(bars_of(shown), part.bars);
        EXPECT_EQ(partKey("C", part.instrument), part.key);
    }
    // A part is spelled with the fewest accidentals: concert B's E♭ part is in A♭, not G♯.
    EXPECT_EQ(partKey("B", Instrument::e_flat), "Ab");
    EXPECT_EQ(partKey("Eb", Instrument::b_flat), "F");
    EXPECT_EQ(partTitle(Instrument::e_flat), replaceWithUnicodeSharpsAndFlats("Eb part"));
    EXPECT_EQ(partTitle(Instrument::concert), "Concert");
    for (const char* name : {"Bb", "B\u266D", "Eb", "F", "Concert"})
        EXPECT_EQ(instrumentName(instrumentOfName(name)), replaceWithUnicodeSharpsAndFlats(replaceWithAsciiSharpsAndFlats(name)));

    // Typing C7 in the E♭ part of a chart in C stores E♭7.
    EXPECT_EQ(concertChordOfPart("C7", "C", Instrument::e_flat), replaceWithUnicodeSharpsAndFlats("Eb7"));
    EXPECT_EQ(concertChordOfPart(replaceWithUnicodeSharpsAndFlats("F#m7/C#"), "Bb", Instrument::b_flat),
              replaceWithUnicodeSharpsAndFlats("Em7/B"));
    EXPECT_EQ(concertChordOfPart("", "C", Instrument::f), "");
    EXPECT_EQ(concertChordOfPart("G7", "Am", Instrument::f), "C7");  // the F part of A minor is in E minor
}

TEST(Transposition, ErrorCases) {
    const auto failure = [](auto&& action) { return testing::named_reason_of(action); };
    EXPECT_EQ(failure([] { transposeChartTo(tune, "H"); }), "transposeChartTo / Invalid key: H");
    EXPECT_EQ(failure([] { transposeChartTo(tune, "Ebm"); }),
              "transposeChartTo / Cannot transpose from Bb to Ebm: the modes differ");
    EXPECT_EQ(failure([] { transposeChartBy(tune, 12); }), "transposeChartBy / Invalid number of semitones: 12");
    EXPECT_EQ(failure([] { transposeChartBy(tune, -40000000000); }),
              "transposeChartBy / Invalid number of semitones: -40000000000");
    EXPECT_EQ(failure([] { transposeChartBy(chart("X", {{"C - - -", "- - - -"}}), 1); }),
              "transposeChartBy / Invalid key: X");
    EXPECT_EQ(failure([] { transposeChartBy(chart("C", {{"C - - -", "- - - -"}, {"H7 - - -", "- - - -"}}), 1); }),
              "transposeChartBy / Bar 2: Invalid chord: H7");
    EXPECT_EQ(failure([] { transposeChartBy(chart("C", {{"C - - -", "- - Xm - "}}), 1); }),
              "transposeChartBy / Bar 1: Invalid key: Xm");
    EXPECT_EQ(testing::message_of<Bridge_exception>(
                  [] { transposeChartBy(tune.with("Key", Plist::make_integer(3)), 1); }),
              "Wrong type for key Key: expected string, found integer");
    EXPECT_EQ(failure([] { instrumentOfName("G"); }), "instrumentOfName / Unknown instrument: G (use Bb, Eb or F)");
    EXPECT_EQ(failure([] { transposeKeyCenters(Plist::make_array({}), "C", "Q"); }),
              "transposeKeyCenters / Invalid key: Q");
}

}  // namespace
}  // namespace zub
