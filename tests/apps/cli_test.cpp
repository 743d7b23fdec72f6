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

    // --lenient takes musicians' spellings; what no respelling makes a chord still fails.
    const Result lenient = zub({"chord", "--lenient", "Cmaj7", "D-7", "G7alt/B", "C6/9", "F\u00F8", "Cmaj"});
    EXPECT_EQ(lenient.status, 1);
    EXPECT_EQ(lenient.out, "CMaj7\nDm7\nG7alt/B\nC69\nFm7b5\nerror: Unknown chord type: maj\n");
}

TEST(ZubChordTypes, ListsSortedNamesWithTheEmptyOneFirst) {
    const Result listed = zub({"chord-types"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out.substr(0, 6), "\n+\n11\n");
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 68);
}

// Every usage error: status 2, nothing on standard output, one line on
// standard error in the same form, naming the command and its help.
TEST(Zub, UsageErrorsExitTwoWithOneLine) {
    const std::string blues = ZUB_RESOURCE_DIR "/examples/blues-in-f.txt";
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"transcribe"}, "zub: unknown command 'transcribe' (see 'zub --help')\n"},
        {{"--fast"}, "zub: A subcommand is required (see 'zub --help')\n"},
        {{"chord", "--fast", "C"}, "zub chord: The following argument was not expected: --fast (see 'zub chord --help')\n"},
        {{"chord"}, "zub chord: SYMBOL is required (see 'zub chord --help')\n"},
        {{"chord-types", "x"}, "zub chord-types: The following argument was not expected: x (see 'zub chord-types --help')\n"},
        {{"show"}, "zub show: FILE is required (see 'zub show --help')\n"},
        {{"show", blues, "x"}, "zub show: The following argument was not expected: x (see 'zub show --help')\n"},
        {{"convert", blues}, "zub convert: OUT is required (see 'zub convert --help')\n"},
        {{"convert", blues, "out.doc"},
         "zub convert: OUT: cannot tell the output format of 'out.doc': use .zub, .txt, .sgX, .html, .musicxml or a folder/ (see 'zub convert --help')\n"},
        {{"analyze", blues, "--keys", "F16"},
         "zub analyze: --keys: wants KEY:BEATS,... with whole beats, not 'F16' (see 'zub analyze --help')\n"},
        {{"analyze", blues, "--keys"}, "zub analyze: --keys: 1 required KEY:BEATS,... missing (see 'zub analyze --help')\n"},
        {{"midi", blues}, "zub midi: -o is required (see 'zub midi --help')\n"},
        {{"midi", blues, "-o", "x.mid", "--seed", "x1"},
         "zub midi: --seed: wants a whole number, not 'x1' (see 'zub midi --help')\n"},
    };
    for (const auto& c : cases) {
        const Result result = zub(c.args);
        EXPECT_EQ(result.status, 2) << c.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, c.err);
    }
    const Result none = zub({});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err.rfind("usage: zub COMMAND", 0), 0u);
}

// Every command answers --help alike: usage line, summary, its arguments and options.
TEST(Zub, HelpGoesToStandardOutput) {
    const Result help = zub({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: zub COMMAND [ARGS...]\n", 0), 0u);
    for (const char* command : {"chord", "chord-types", "show", "convert", "analyze", "midi"}) {
        EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
        for (const char* flag : {"--help", "-h"}) {
            const Result one = zub({command, flag});
            EXPECT_EQ(one.status, 0) << command;
            EXPECT_EQ(one.err, "");
            EXPECT_EQ(one.out.rfind(std::string("usage: zub ") + command, 0), 0u) << one.out;
            EXPECT_NE(one.out.find("options:\n  -h,--help "), std::string::npos) << one.out;
        }
    }
    EXPECT_EQ(zub({"chord", "--help"}).out.rfind("usage: zub chord [--lenient] SYMBOL...\n\nprint chord symbols in canonical form\n", 0), 0u);
    EXPECT_NE(zub({"analyze", "--help"}).out.find("  --keys KEY:BEATS,...  "), std::string::npos);
    EXPECT_EQ(zub({"help"}).out, help.out);
}

}  // namespace
}  // namespace zub::cli
