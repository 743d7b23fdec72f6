#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/generate/pattern.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::message_of;
using testing::not_found;
using testing::q;

// "start+duration" for every note, separated by spaces.
std::string notes_of(const char* text) {
    std::string listed;
    const Pattern pattern = Pattern::of_string(text);
    for (const auto& note : pattern.notes())
        listed += (listed.empty() ? "" : " ") + note.start.get_str() + "+" + note.duration.get_str();
    return listed;
}

TEST(Pattern, ReadsNotesRestsHeldStepsAndPickups) {
    struct Case {
        const char* text;
        const char* notes;
    };
    for (const Case& c : {
             Case{"|x.xxx.xx|", "0+1/8 1/4+1/8 3/8+1/8 1/2+1/8 3/4+1/8 7/8+1/8"},
             Case{"|........|", ""},
             Case{"|x...x...|x.x.x.x.|", "0+1/8 1/2+1/8 1+1/8 5/4+1/8 3/2+1/8 7/4+1/8"},
             Case{"|x-.x----|", "0+1/4 3/8+5/8"},
             Case{"x|-..x....|", "-1/8+1/4 3/8+1/8"},
             Case{"x|--------|", "-1/8+9/8"},
             Case{"|x..xx...........|", "0+1/16 3/16+1/16 1/4+1/16"},
             Case{"|o==x-|", "0+3/5 3/5+2/5"},
             Case{"|x-|-x|", "0+3/2 3/2+1/2"},
             Case{"|x. x|x.", "0+1/4 3/4+1/4 1+1/4"},
         })
        EXPECT_EQ(notes_of(c.text), c.notes) << c.text;
}

TEST(Pattern, TextAfterTheLastBarLineContinuesTheGrid) {
    EXPECT_EQ(notes_of("|x...|x."), "0+1/4 1+1/4");
    EXPECT_EQ(notes_of("..|x.|..x"), "0+1/2 2+1/2");
}

TEST(Pattern, PrintsOnTheFinestGridItNeeds) {
    struct Case {
        const char* text;
        const char* printed;
    };
    for (const Case& c : {
             Case{"|x-.x....|", "|x-.x....|"},
             Case{"x|-..x....|", "x|-..x....|"},
             Case{"|x...x...|x.x.x.x.|", "|x...x...|x.x.x.x.|"},
             Case{"|x.x.|", "|x.x.|"},
             Case{"|x-x-|", "|xx|"},
             Case{"|........|", "||"},
             Case{"|x...|x.", "|x...|x...|"},
             Case{"|x--.x--.|", "|x--.x--.|"},
             Case{"|x===|x===|", "|x|x|"},
             Case{"|o-x-|", "|xx|"},
         })
        EXPECT_EQ(Pattern::of_string(c.text).to_string(), c.printed) << c.text;
}

TEST(Pattern, PrintedTextReadsBackAsTheSamePattern) {
    for (const char* text : {"|x.xxx.xx|", "x|-..x....|", "|x..xx...........|", "...|x-x-|--..|", "|x--.x--.|",
                             "|x===|x===|"}) {
        const Pattern pattern = Pattern::of_string(text);
        EXPECT_EQ(Pattern::of_string(pattern.to_string()), pattern) << text;
    }
}

TEST(Pattern, CommonDenomIsTheGridOfTheFractionalParts) {
    struct Case {
        std::vector<mpq_class> values;
        long grid;
    };
    for (const Case& c : {Case{{q("0"), q("3/16"), q("1/4")}, 16}, Case{{q("1"), q("3/8")}, 8},
                          Case{{q("-1/8"), q("9/8")}, 8}, Case{{q("1/3"), q("1/4")}, 12}, Case{{q("2"), q("5")}, 1},
                          Case{{}, 1}})
        EXPECT_EQ(Patterns::common_denom(c.values), c.grid);
}

TEST(Pattern, TokensCoverTheWholeText) {
    const auto tokens = Patterns::tokens("x--.o== x=");
    EXPECT_EQ(tokens, (std::vector<std::string>{"x--", ".", "o==", " ", "x="}));
    EXPECT_TRUE(Patterns::tokens("").empty());
}

TEST(Pattern, SplitsAtAnIndex) {
    using Split = std::pair<std::string, std::string>;
    EXPECT_EQ(Patterns::split_at_index_string("x|--|", 1), (Split{"x", "|--|"}));
    EXPECT_EQ(Patterns::split_at_index_string("x|--|", 0), (Split{"", "x|--|"}));
    EXPECT_EQ(Patterns::split_at_index_string("x|--|", 5), (Split{"x|--|", ""}));
}

TEST(Pattern, ErrorCases) {
    for (const char* text : {"x...", "|x...", "x...|", ""})
        EXPECT_EQ(message_of<Failure>([&] { Pattern::of_string(text); }),
                  std::string("Pattern contains less than two barlines: ") + text);
    EXPECT_EQ(message_of<Failure>([] { Pattern::of_string("|x...|x..|"); }), "Bar with inconsistent length: x..");
    EXPECT_EQ(message_of<Failure>([] { Pattern::of_string("|x...|x...|x.|x...|"); }),
              "Bar with inconsistent length: x.");
    EXPECT_EQ(message_of<Invalid_argument>([] { Pattern::of_string("|||"); }), "Division_by_zero");
    for (const char* text : {"|x.-.|", "|=...|", "|x-=.|", "|xa..|", "|x..X|"})
        EXPECT_TRUE(not_found([&] { Pattern::of_string(text); })) << text;
    EXPECT_TRUE(not_found([] { Patterns::tokens("x.-"); }));
    EXPECT_EQ(message_of<Invalid_argument>([] { Patterns::split_at_index_string("x|", 9); }), "Index out of range: 9");
}

}  // namespace
}  // namespace zub
