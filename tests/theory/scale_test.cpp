#include <gtest/gtest.h>

#include <algorithm>

#include "core/failure.h"
#include "core/theory/scale.h"
#include "core/theory/scaletype.h"

namespace zub {
namespace {

std::string spelled(const std::vector<Note>& notes) {
    std::string text;
    for (const Note& note : notes) text.append(text.empty() ? "" : " ").append(note.to_string());
    return text;
}

std::string failure_of(auto&& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

TEST(Scaletype, FiveNamedTypes) {
    struct Case {
        const char* name;
        const char* intervals;
    };
    for (const Case& c : {Case{"major", "2.3.4.5.6.7"}, Case{"harmonic minor", "2.b3.4.5.b6.7"},
                          Case{"melodic minor", "2.b3.4.5.6.7"}, Case{"diminished", "b2.#2.3.b5.5.6.b7"},
                          Case{"whole tone", "2.3.b5.#5.b7"}}) {
        EXPECT_EQ(Scaletype::of_string(c.name).to_string(), c.intervals) << c.name;
        EXPECT_EQ(Scaletype::to_string(Intvllist::of_string(c.intervals)), c.name);
    }
    std::vector<std::string> names = Scaletype::all_names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"diminished", "harmonic minor", "major", "melodic minor", "whole tone"}));
    EXPECT_EQ(Scaletype::names_in_order().front(), "major");
    EXPECT_EQ(Scaletype::names_in_order().back(), "whole tone");
}

TEST(Scaletype, ExplicitListsAndUnknownNames) {
    EXPECT_EQ(Scaletype::of_string(":b3.2.5").to_string(), "2.b3.5");
    EXPECT_EQ(Scaletype::to_string(Intvllist::of_string("2.b3.5")), ":2.b3.5");
    EXPECT_THROW(Scaletype::of_string("Major"), Not_found);
    EXPECT_THROW(Scaletype::of_string(""), Not_found);
    EXPECT_EQ(Scaletype::nth(Scaletype::of_string("diminished"), 2).to_string(), "#2");
    EXPECT_THROW(Scaletype::nth(Scaletype::of_string("whole tone"), 4), Not_found);
}

TEST(Scale, ParsesAndPrints) {
    struct Case {
        const char* text;
        const char* printed;
        const char* notes;
    };
    for (const Case& c : {
             Case{"C major", "C major", "C D E F G A B"},
             Case{"Cmajor", "C major", "C D E F G A B"},
             Case{"C\tmajor", "C major", "C D E F G A B"},
             Case{"C \t major", "C major", "C D E F G A B"},
             Case{"Eb harmonic minor", "Eb harmonic minor", "Eb F Gb Ab Bb Cb D"},
             Case{"Bbmelodic minor", "Bb melodic minor", "Bb C Db Eb F G A"},
             Case{"C diminished", "C diminished", "C Db D# E Gb G A Bb"},
             Case{"C whole tone", "C whole tone", "C D E Gb G# Bb"},
             Case{"F##major", "F## major", "F## G## A## B# C## D## E##"},
             Case{"C:2.b3.4.5.6.b7", "C:2.b3.4.5.6.b7", "C D Eb F G A Bb"},
             Case{"D :b7.3", "D:3.b7", "D F# C"},
             Case{"G:2.3.4.5.6.7", "G major", "G A B C D E F#"},
         }) {
        const Scale scale = Scale::of_string(c.text);
        EXPECT_EQ(scale.to_string(), c.printed) << c.text;
        EXPECT_EQ(spelled(scale.notes()), c.notes) << c.text;
        EXPECT_EQ(Scale::of_string(scale.to_string()), scale) << c.text;
    }
}

TEST(Scale, ErrorCases) {
    struct Case {
        const char* text;
        const char* message;
    };
    for (const Case& c : {
             Case{"A", "Invalid scale: A"},
             Case{"", "Invalid scale: "},
             Case{"c major", "Invalid scale: c major"},
             Case{" C major", "Invalid scale:  C major"},
             Case{"C Major", "Unknown scale type: Major"},
             Case{"Cb", "Unknown scale type: b"},  // the root gives back its flat to leave a type
             Case{"C##", "Unknown scale type: #"},
             Case{"C  ", "Unknown scale type:  "},
             Case{"C major ", "Unknown scale type: major "},
             Case{"C:2..3", "Invalid interval: "},
             Case{"C:2.14", "Invalid interval: 14"},
             Case{"B##major", "B## + 2 results in invalid note"},
         })
        EXPECT_EQ(failure_of([&] { Scale::of_string(c.text); }), c.message) << c.text;
}

TEST(Scale, NthAndAccessors) {
    const Scale diminished = Scale::of_string("C diminished");
    EXPECT_EQ(diminished.nth(2).to_string(), "D#");
    EXPECT_THROW(diminished.nth(1), Not_found);  // the root is not in the interval list
    EXPECT_EQ(Scale::of_string("Eb major").nth(7).to_string(), "D");
    EXPECT_THROW(Scale::of_string("C whole tone").nth(4), Not_found);
    EXPECT_EQ(diminished.root().to_string(), "C");
    EXPECT_EQ(Scaletype::to_string(diminished.scaletype()), "diminished");
    EXPECT_EQ(spelled(diminished.notes_above_root()), "Db D# E Gb G A Bb");
}

TEST(Scale, CompareByRootThenType) {
    const auto scale = [](const char* text) { return Scale::of_string(text); };
    EXPECT_LT(Scale::compare(scale("C whole tone"), scale("D major")), 0);
    EXPECT_LT(Scale::compare(scale("C harmonic minor"), scale("C melodic minor")), 0);
    EXPECT_GT(Scale::compare(scale("C# major"), scale("C major")), 0);
    EXPECT_EQ(Scale::compare(scale("C major"), scale("C:2.3.4.5.6.7")), 0);
}

}  // namespace
}  // namespace zub
