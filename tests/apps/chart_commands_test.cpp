#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/zub/cli.h"

namespace zub::cli {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result zub(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = run(args, out, err);
    return {status, out.str(), err.str()};
}

const std::string example = ZUB_RESOURCE_DIR "/examples/autumn-leaves.txt";

class ChartCommands : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("zub-cli-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
};

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

TEST_F(ChartCommands, ErrorCases) {
    std::ofstream(path("bad.txt")) << "Name: X\nthis is no chart\n";
    const Result bad = zub({"show", path("bad.txt")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, path("bad.txt") + ": Core exception in function Kelreader.read_chart - "
                                          "Invalid input line: this is no chart\n");
    EXPECT_EQ(zub({"show"}).status, 2);
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
