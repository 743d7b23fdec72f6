#include <gtest/gtest.h>

#include <sstream>

#include "apps/zub/cli.h"
#include "apps/zub_runner.h"

namespace zub::cli {
namespace {


TEST(ZubChord, PrintsOneLinePerSymbol) {
    const Result ok = zub({"chord", "C7#5", "B\u266D7", "F\u266Fm7b5"});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "C7+\nBb7\nF#m7b5\n");

    const Result bad = zub({"chord", "Cmaj7", "C7"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "error: Unknown chord type: maj7\nC7\n");
}

TEST(ZubChordTypes, ListsSortedNamesWithTheEmptyOneFirst) {
    const Result listed = zub({"chord-types"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out.substr(0, 6), "\n+\n11\n");
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 68);
}

TEST(Zub, UsageErrorsExitTwoWithOneLine) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"transpose"}, {"chord", "--fast", "C"}, {}, {"chord"}, {"chord-types", "x"}}) {
        const Result result = zub(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_TRUE(result.out.empty());
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_EQ(zub({"transpose"}).err, "zub: unknown command 'transpose' (see 'zub --help')\n");
}

TEST(Zub, HelpGoesToStandardOutput) {
    EXPECT_EQ(zub({"--help"}).status, 0);
    EXPECT_NE(zub({"--help"}).out.find("chord-types"), std::string::npos);
    const Result chord_help = zub({"chord", "--help"});
    EXPECT_EQ(chord_help.status, 0);
    EXPECT_EQ(chord_help.out.rfind("usage: zub chord SYMBOL...", 0), 0u);
}

}  // namespace
}  // namespace zub::cli
