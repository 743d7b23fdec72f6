#include "core/analysis/annotate.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

// "Dm7 IIm7", "G7 V7 ->4" (Solid), "Db7 subV7 ~>4" (Dotted), "D7 ... =>2,4" (via a passing chord).
std::string describe(const Annotated_chord& c) {
    std::string text = c.chord.to_string() + " " + c.label;
    switch (c.arrow.kind()) {
        case Arrow::Kind::None: break;
        case Arrow::Kind::Solid: text += " ->" + c.arrow.first().get_str(); break;
        case Arrow::Kind::Dotted: text += " ~>" + c.arrow.first().get_str(); break;
        case Arrow::Kind::Via_passthru:
            text += " =>" + c.arrow.first().get_str() + "," + c.arrow.second().get_str();
            break;
    }
    return text;
}

void flatten(const Annotated& element, std::vector<std::string>& out) {
    if (element.is(Ae::Tag::Chord)) {
        out.push_back(describe(element.annotated_chord()));
        return;
    }
    for (const auto& member : element.members()) flatten(member, out);
}

std::vector<std::string> labels(const std::string& key, const std::vector<Chord_entry>& chords) {
    std::vector<std::string> out;
    for (const auto& segment : Annotate::annotate({{key, Structana::structana(chords)}}))
        for (const auto& element : segment.elements) flatten(element, out);
    return out;
}

using Labels = std::vector<std::string>;

TEST(Annotate, LabelsAndArrowsInAKey) {
    struct Case {
        const char* what;
        const char* key;
        std::vector<Chord_entry> chords;
        Labels expected;
    };
    const std::vector<Case> cases = {
        {"ii V I", "C", {{"Dm7", 2}, {"G7", 2}, {"C", 4}}, {"Dm7 IIm7", "G7 V7 ->4", "C I"}},
        {"secondary dominant", "C", {{"A7", 4}, {"Dm7", 4}}, {"A7 V7/II ->4", "Dm7 IIm7"}},
        {"tritone substitute", "C", {{"Db7", 4}, {"C", 4}}, {"Db7 subV7 ~>4", "C I"}},
        {"substitute of a secondary dominant, heading a chain", "C", {{"Ab7", 4}, {"G7", 4}}, {"Ab7 (subV7/V) ~>4", "G7 V7"}},
        {"dominant that does not resolve", "C", {{"D7", 4}, {"F", 4}}, {"D7 (II7)", "F IV"}},
        {"ii-V to a minor chord", "C", {{"Bm7b5", 2}, {"E7", 2}, {"Am", 4}},
         {"Bm7b5 VIIm7b5", "E7 V7/VI ->4", "Am VIm"}},
        {"chain of dominants", "C", {{"E7", 4}, {"A7", 4}, {"D7", 4}, {"G7", 4}, {"C", 4}},
         {"E7 (V7/VI) ->4", "A7  ->8", "D7  ->12", "G7 V7 ->16", "C I"}},
        {"last chord of the segment", "C", {{"C", 4}, {"G7", 4}}, {"C I", "G7 V7"}},
        {"minor key", "Am", {{"Bm7b5", 2}, {"E7", 2}, {"Am", 4}}, {"Bm7b5 IIm7b5", "E7 V7 ->4", "Am Im"}},
        {"full chords are kept", "F", {{"Gm9", 2}, {"C13", 2}, {"FMaj7", 4}}, {"Gm9 IIm7", "C13 V7 ->4", "FMaj7 I"}},
    };
    for (const auto& c : cases) EXPECT_EQ(labels(c.key, c.chords), c.expected) << c.what;
}

TEST(Annotate, NonDiatonicTwoHasNoLabel) {
    // Ebm7 Ab7 is a ii-V in Db, heard in C.
    EXPECT_EQ(labels("C", {{"Ebm7", 2}, {"Ab7", 2}, {"Db", 4}}), (Labels{"Ebm7 ", "Ab7 V7/bII ->4", "Db bII"}));
}

TEST(Annotate, PassingDominantPointsThroughToItsTarget) {
    Chordelem d7(0, 4, Simplchord::of_chord_name("D7"));
    Chordelem ab7(4, 2, Simplchord::of_chord_name("Ab7"));
    Chordelem g7(6, 2, Simplchord::of_chord_name("G7"));
    Chordelem c(8, 4, Simplchord::of_chord_name("C"));
    std::vector<Ae> elements = {Ae::chord(d7), Ae::passthru(Ae::chord(ab7), Ae::chord(g7)), Ae::chord(c)};
    auto segments = Annotate::annotate({{"C", elements}});
    std::vector<std::string> out;
    for (const auto& element : segments.at(0).elements) flatten(element, out);
    EXPECT_EQ(out, (Labels{"D7 V7/V =>4,6", "Ab7 subV7/V ~>6", "G7 V7 ->8", "C I"}));
}

TEST(Annotate, ErrorCases) {
    auto failure_of = [](const std::vector<Segment::Key_segment>& segments) {
        return testing::failure_of([&] { Annotate::annotate(segments); });
    };
    Ae c = Ae::chord(Chordelem(0, 4, Simplchord::of_chord_name("C")));
    Ae g7 = Ae::chord(Chordelem(4, 4, Simplchord::of_chord_name("G7")));
    EXPECT_EQ(failure_of({{"H", {c}}}), "Invalid note: H");
    EXPECT_EQ(failure_of({{"C", {Ae::extdom({Ae::extdom({g7, c}), c})}}}), "Head of Extdom must be Chord or Twofive");
    EXPECT_EQ(failure_of({{"C", {Ae::extdom({c, g7})}}}), "No annotation for chord");
    Ae d7 = Ae::chord(Chordelem(0, 4, Simplchord::of_chord_name("D7")));
    EXPECT_EQ(failure_of({{"C", {Ae::extdom({d7, Ae::extdom({g7, c}), c})}}}),
              "Extdom may contain only chords, twofives, and passthrus");
    // A root no interval spells over the key is read by its pitch.
    EXPECT_EQ(labels("Dbb", {{"B#7", 4}, {"C", 4}}), (Labels{"B#7 (I7)", "C I"}));
}

}  // namespace
}  // namespace zub
