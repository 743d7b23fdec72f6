#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apps/zub_runner.h"

namespace zub::cli {
namespace {

const std::string blues = ZUB_RESOURCE_DIR "/examples/blues-in-f.txt";

class ZubMidi : public Scratch_folder {};

TEST_F(ZubMidi, SeedRepeatsTheFile) {
    const std::string first = path("first.mid");
    const std::string second = path("second.mid");
    const Result a = zub({"midi", blues, "-o", first, "--seed", "42"});
    EXPECT_EQ(a.status, 0) << a.err;
    EXPECT_NE(a.err.find("seed 42\n"), std::string::npos) << a.err;
    EXPECT_EQ(zub({"midi", blues, "-o", second, "--seed", "42"}).status, 0);
    EXPECT_EQ(contents(first).substr(0, 4), "MThd");
    EXPECT_EQ(contents(first), contents(second));
}

TEST_F(ZubMidi, ErrorCases) {
    const std::string unkeyed = path("unkeyed.txt");
    std::ofstream(unkeyed) << "Key: H\n| C | F |\n";
    const std::string out = path("unkeyed.mid");
    const Result failed = zub({"midi", unkeyed, "-o", out, "--seed", "7"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("ZUB cannot generate accompaniment for this chart ("), std::string::npos) << failed.err;
    EXPECT_NE(failed.err.find("Gen error (Invalid key: H): random seed = 7)"), std::string::npos) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    EXPECT_EQ(zub({"midi", blues, "-o", out, "--seed", "-3"}).status, 2);
    EXPECT_EQ(zub({"midi", "/no/such/chart.txt", "-o", out}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace zub::cli
