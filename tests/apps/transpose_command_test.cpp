#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "apps/zub_runner.h"

namespace zub::cli {
namespace {

class ZubTranspose : public Scratch_folder {
protected:
    void SetUp() override {
        Scratch_folder::SetUp();
        std::ofstream(path("tune.txt")) << "Name: Tune\nKey: Bb\n"
                                           "| Cm7 F7 | BbMaj7 | Am7b5 D7b9 | Gm | C#7 | F#m7b5/C |\n";
    }
    // The key line and the bars of a text chart that zub shows.
    std::string shown(const std::string& file, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"show", file};
        args.insert(args.end(), more.begin(), more.end());
        const Result result = zub(args);
        EXPECT_EQ(result.status, 0) << result.err;
        const std::string& out = result.out;
        const std::size_t key = out.find("Key: ");
        std::string bars = out.substr(out.find("\n|") + 1);
        for (std::size_t at; (at = bars.find("|\n|")) != std::string::npos;) bars.replace(at, 3, "|");
        return out.substr(key, out.find('\n', key) - key) + " " + bars;
    }
};

TEST_F(ZubTranspose, WritesTheChartInTheNewKey) {
    const struct {
        std::vector<std::string> how;
        const char* out;
        std::string expected;
    } cases[] = {
        // The last bar lies in an area of its own, which moves to a written key of its own.
        {{"--to", "Eb"}, "eb.txt", "Key: Eb | Fm7 Bb7 | EbMaj7 | Dm7b5 G7b9 | Cm | F#7 | Bm7b5/F |\n"},
        {{"--to", "E"}, "e.zub", "Key: E | F#m7 B7 | EMaj7 | D#m7b5 G#7b9 | C#m | G7 | Cm7b5/Gb |\n"},
        {{"--by", "1"}, "b.zub", "Key: B | C#m7 F#7 | BMaj7 | A#m7b5 D#7b9 | G#m | D7 | Gm7b5/Db |\n"},
        {{"--by", "-4"}, "gb.SG1", "Key: Gb | Abm7 Db7 | GbMaj7 | Fm7b5 Bb7b9 | Ebm | A7 | Dm7b5/Ab |\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"transpose", path("tune.txt")};
        args.insert(args.end(), c.how.begin(), c.how.end());
        args.insert(args.end(), {"-o", path(c.out)});
        const Result result = zub(args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(shown(path(c.out)), c.expected) << c.out;
    }
}

TEST_F(ZubTranspose, PartsForTransposingInstruments) {
    EXPECT_EQ(shown(path("tune.txt"), {"--for", "Eb"}), "Key: G | Am7 D7 | GMaj7 | F#m7b5 B7b9 | Em | A#7 | D#m7b5/A |\n");
    ASSERT_EQ(zub({"convert", path("tune.txt"), path("alto.zub"), "--for", "Eb"}).status, 0);
    EXPECT_EQ(shown(path("alto.zub")), shown(path("tune.txt"), {"--for", "Eb"}));
}

TEST_F(ZubTranspose, ErrorCases) {
    const std::string tune = path("tune.txt");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {{"transpose", tune, "-o", path("x.txt")}, 2, "zub transpose: --to or --by is required (see 'zub transpose --help')\n"},
        {{"transpose", tune, "--to", "H", "-o", path("x.txt")}, 2, "zub transpose: --to: Invalid key: H (see 'zub transpose --help')\n"},
        {{"transpose", tune, "--to", "Eb", "--by", "2", "-o", path("x.txt")}, 2,
         "zub transpose: --to excludes --by (see 'zub transpose --help')\n"},
        {{"transpose", tune, "--by", "12", "-o", path("x.txt")}, 2,
         "zub transpose: --by: Value 12 not in range -11 to 11 (see 'zub transpose --help')\n"},
        {{"transpose", tune, "--by", "two", "-o", path("x.txt")}, 2, ""},
        {{"transpose", tune, "--by", "2"}, 2, "zub transpose: --output is required (see 'zub transpose --help')\n"},
        {{"transpose", tune, "--by", "2", "-o", path("x.doc")}, 2, ""},
        {{"transpose", tune, "--to", "Dm", "-o", path("x.txt")}, 1, tune + ": Cannot transpose from Bb to Dm: the modes differ\n"},
        {{"transpose", path("none.txt"), "--by", "1", "-o", path("x.txt")}, 1,
         path("none.txt") + ": Can't read input file: " + path("none.txt") + "\n"},
        {{"show", tune, "--for", "G"}, 2, "zub show: --for: Unknown instrument: G (use Bb, Eb or F) (see 'zub show --help')\n"},
        {{"convert", tune, path("x.txt"), "--for", "A"}, 2, ""},
    };
    for (const auto& c : cases) {
        const Result result = zub(c.args);
        EXPECT_EQ(result.status, c.status) << c.args[2];
        if (!c.err.empty()) {
            EXPECT_EQ(result.err, c.err);
        }
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(path("x.txt")));
        EXPECT_FALSE(std::filesystem::exists(path("x.doc")));
    }
    // A chord with no root fails with its bar, and no file is written.
    std::ofstream(path("bad.txt")) << "Key: C\n| C | H7 |\n";
    const Result bad = zub({"transpose", path("bad.txt"), "--by", "1", "-o", path("x.txt")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, path("bad.txt") + ": Bar 2: Invalid chord: H7\n");
    EXPECT_FALSE(std::filesystem::exists(path("x.txt")));
}

}  // namespace
}  // namespace zub::cli
