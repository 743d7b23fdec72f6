#include <gtest/gtest.h>

#include "bridge/accidentals.h"

namespace zub {
namespace {

TEST(Accidentals, DisplayAndAsciiForms) {
    const struct {
        std::string ascii, display;
    } cases[] = {
        {"", ""},
        {"C7", "C7"},
        {"Bb7#11", "B\u266D7\u266F11"},
        {"F#m7b5/Bb", "F\u266Fm7\u266D5/B\u266D"},
        {"bb##", "\u266D\u266D\u266F\u266F"},
        {"Caf\u00E9", "Caf\u00E9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replaceWithUnicodeSharpsAndFlats(c.ascii), c.display) << c.ascii;
        EXPECT_EQ(replaceWithAsciiSharpsAndFlats(c.display), c.ascii) << c.ascii;
    }
}

TEST(Accidentals, ReplaceAll) {
    EXPECT_EQ(replace_all("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(replace_all("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replace_all("abc", "", "x"), "abc");
    EXPECT_EQ(replace_all("", "a", "x"), "");
}

}  // namespace
}  // namespace zub
