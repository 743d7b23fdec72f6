#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apps/zub/cli.h"
#include "apps/zub_runner.h"

namespace zub::cli {
namespace {


const std::string example = ZUB_RESOURCE_DIR "/examples/autumn-leaves.txt";

class ChartCommands : public Scratch_folder {};

TEST_F(ChartCommands, ShowAndConvertKeepTheChart) {
    const Result shown = zub({"show", example});
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Name: Autumn Leaves\n"), std::string::npos);
    EXPECT_NE(shown.out.find("| Gm7 C7 | Fm7 Bb7 |"), std::string::npos);

    // text -> document -> text, and document -> BiaB -> text, keep every bar.
    ASSERT_EQ(zub({"convert", example, path("a.zub")}).status, 0);
    ASSERT_EQ(zub({"convert", path("a.zub"), path("a.txt")}).status, 0);
    EXPECT_EQ(zub({"show", path("a.txt")}).out, shown.out);
    ASSERT_EQ(zub({"convert", path("a.zub"), path("a.SG1")}).status, 0);
    const std::string from_biab = zub({"show", path("a.SG1")}).out;
    EXPECT_EQ(from_biab.substr(from_biab.find("\n|")), shown.out.substr(shown.out.find("\n|")));
}

// A chord BiaB has no code for is written as the nearest one and named on
// stderr; the export succeeds. One with no code near it fails, naming its bar.
TEST_F(ChartCommands, BiabExportWritesTheNearestChordAndSaysWhere) {
    const Result blues = zub({"convert", ZUB_RESOURCE_DIR "/examples/blues-in-f.txt", path("blues.sgu")});
    EXPECT_EQ(blues.status, 0) << blues.err;
    EXPECT_EQ(blues.err, path("blues.sgu") + ": warning: Bdim7 in bar 6 written as B:b3.b5, the nearest BiaB chord\n");
    EXPECT_TRUE(std::filesystem::exists(path("blues.sgu")));

    std::ofstream(path("far.txt")) << "Name: Far\n| C7 | C:b2.b6 |\n";
    const Result far = zub({"convert", path("far.txt"), path("far.sgu")});
    EXPECT_EQ(far.status, 1);
    EXPECT_EQ(far.err, path("far.sgu") + ": Bar 2: Cannot convert chord C:b2.b6 to BiaB\n");
    EXPECT_FALSE(std::filesystem::exists(path("far.sgu")));
}

// A text chart's interval list that has a name shows under it.
TEST_F(ChartCommands, ShowNamesIntervalLists) {
    std::ofstream(path("lists.txt")) << "Name: Lists\n| B:3.5.b7.b13 | C:3.b7 |\n";
    const Result shown = zub({"show", path("lists.txt")});
    EXPECT_NE(shown.out.find("| B7b13 | C:3.b7 |"), std::string::npos) << shown.out;
}

TEST_F(ChartCommands, ErrorCases) {
    std::ofstream(path("bad.txt")) << "Name: X\nthis is no chart\n";
    const Result bad = zub({"show", path("bad.txt")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, path("bad.txt") + ": Core exception in function Kelreader.read_chart - "
                                          "Invalid input line: this is no chart\n");
    EXPECT_EQ(zub({"convert", example, path("x.doc")}).status, 2);
    EXPECT_FALSE(std::filesystem::exists(path("x.doc")));

    // A chart BiaB cannot hold fails and leaves no file behind.
    std::ofstream(path("long.txt")) << "Name: " << std::string(70, 'x') << "\n| C |\n";
    const Result too_long = zub({"convert", path("long.txt"), path("long.sg1")});
    EXPECT_EQ(too_long.status, 1);
    EXPECT_NE(too_long.err.find(path("long.sg1") + ": "), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("long.sg1")));
}

}  // namespace
}  // namespace zub::cli
