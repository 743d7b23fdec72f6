#include <gtest/gtest.h>

#include "bridge/latin1.h"

namespace zub {
namespace {

TEST(Latin1, ConvertsCharactersUpToU00FF) {
    const struct {
        std::string utf8, latin1;
    } cases[] = {
        {"", ""},
        {"Bb7#11", "Bb7#11"},
        {"Caf\u00E9", "Caf\xE9"},
        {"\u00FF\u0080", "\xFF\x80"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8_to_latin1(c.utf8), c.latin1) << c.utf8;
        EXPECT_EQ(latin1_to_utf8(c.latin1), c.utf8) << c.utf8;
    }
}

TEST(Latin1, RefusesWhatDoesNotFit) {
    for (const std::string utf8 : {"B\u266D", "\u6771\u4EAC", "\u0100", "\U0001F3B7", "\xC3", "\xE9t\xE9", "\xC0\x80",
                                   "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"}) {
        EXPECT_FALSE(utf8_to_latin1(utf8).has_value()) << utf8;
    }
}

TEST(Latin1, ValidatesUtf8) {
    EXPECT_TRUE(is_valid_utf8("F\u266F \u6771 \U0001F3B7"));
    for (const std::string bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80", "\xE2\x99"})
        EXPECT_FALSE(is_valid_utf8(bad)) << bad;
}

TEST(Latin1, EveryByteRoundTrips) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(utf8_to_latin1(latin1_to_utf8(all)), all);
}

}  // namespace
}  // namespace zub
