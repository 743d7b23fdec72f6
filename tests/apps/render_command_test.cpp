#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "apps/zub_runner.h"

namespace zub::cli {
namespace {

// Bar 1, the chorus 2-3 twice, bar 4: 8 bars with the count-in, 32 beats, 4.8 s at 400, then the 2 s tail.
constexpr const char* short_chart =
    "Name: Short\nMeter: 4/4\nStyle: Swing\nKey: C\nTempo: 400\nChorus: bars 2 to 3 (repeat 2 times)\n"
    "| C7 | F7 G7 | Dm7 | C7 |\n";
const std::string advice = " (install the Debian package musescore-general-soundfont-small, or use --soundfont PATH)";

std::string scratch(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "zub-render-command-test";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

// Files of their own for each test: ctest runs the tests of this file in parallel processes.
std::string own(const std::string& name) {
    return scratch(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" + name);
}

std::string chart_file() {
    const std::string path = own("short.txt");
    std::ofstream(path) << short_chart;
    return path;
}

long frames_of(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return -1;
    sf_close(file);
    return info.frames;
}

bool have_soundfont() {
    return zub({"render", "/no/such/chart.txt", "-o", own("x.wav")}).err.find("SoundFont") == std::string::npos;
}

TEST(ZubRender, WritesTheTake) {
    if (!have_soundfont()) FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
    const std::string out = scratch("take.flac");
    std::filesystem::remove(out);
    const Result result = zub({"render", chart_file(), "-o", out, "--seed", "42", "--mute", "piano,bass"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "seed 42\n");  // no progress bar: standard error is no terminal here
    EXPECT_EQ(frames_of(out), std::lround(6.8 * 44100));
}

TEST(ZubRender, ErrorCases) {
    const std::string out = own("failed.wav");
    std::filesystem::remove(out);
    const std::string unkeyed = own("unkeyed.txt");
    std::ofstream(unkeyed) << "Key: H\n| C | F |\n";
    const std::string not_a_soundfont = own("notes.sf2");
    std::ofstream(not_a_soundfont) << "not a SoundFont\n";
    const std::string chart = chart_file();

    const std::vector<std::pair<std::vector<std::string>, std::string>> failures = {
        {{"render", chart, "-o", out, "--soundfont", "/no/such.sf2"}, "SoundFont not found: /no/such.sf2" + advice},
        {{"render", chart, "-o", out, "--soundfont", not_a_soundfont}, "Not a SoundFont: " + not_a_soundfont + advice},
    };
    for (const auto& [args, message] : failures) {
        const Result result = zub(args);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, message + "\n");
    }
    if (have_soundfont()) {
        const std::vector<std::pair<std::vector<std::string>, std::string>> more = {
            {{"render", unkeyed, "-o", out, "--seed", "7"},
             "ZUB cannot generate accompaniment for this chart (Core exception in function Zub2lite.gen - Gen error "
             "(Invalid key: H): random seed = 7)"},
            {{"render", "/no/such/chart.txt", "-o", out},
             "ZUB cannot generate accompaniment for this chart (Can't read input file: /no/such/chart.txt)"},
            {{"render", chart, "-o", scratch("no/folder/take.wav")},
             "Can't write output file: " + scratch("no/folder/take.wav")},
        };
        for (const auto& [args, message] : more) {
            const Result result = zub(args);
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.err, message + "\n");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out));

    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"render", chart}, {"render", chart, "-o", scratch("take.mp3")},
          {"render", chart, "-o", out, "--mute", "guitar"}, {"render", chart, "-o", out, "--tempo", "0"},
          {"render", chart, "-o", out, "--seed", "-3"}}) {
        EXPECT_EQ(zub(usage).status, 2) << usage.back();
    }
}

// What zub play would have sounded, through FluidSynth's file driver.
class ZubPlay : public ::testing::Test {
protected:
    void SetUp() override {
        if (!have_soundfont()) FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
        ::setenv("ZUB_AUDIO_DRIVER", "file", 1);
        ::setenv("ZUB_AUDIO_FILE", heard.c_str(), 1);
        std::filesystem::remove(heard);
    }
    void TearDown() override {
        ::unsetenv("ZUB_AUDIO_DRIVER");
        ::unsetenv("ZUB_AUDIO_FILE");
    }
    const std::string heard = own("heard.wav");
};

// The bar each display line names, in order.
std::vector<std::string> bars_shown(const std::string& out) {
    std::vector<std::string> bars;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) bars.push_back(line.substr(0, line.find("  beat")));
    return bars;
}

TEST_F(ZubPlay, ShowsEveryBarAndSoundsThem) {
    const Result result = zub({"play", chart_file(), "--seed", "3"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "seed 3\n");
    EXPECT_EQ(bars_shown(result.out), (std::vector<std::string>{"count-in 1", "count-in 2", "bar 1", "bar 2", "bar 3",
                                                                "bar 2", "bar 3", "bar 4"}))
        << result.out;
    EXPECT_NE(result.out.find("bar 2  beat 1  pass 2/2  F7  0:"), std::string::npos) << result.out;
    EXPECT_GT(frames_of(heard), 44100 * 4);
}

TEST_F(ZubPlay, ErrorCases) {
    EXPECT_EQ(zub({"play", chart_file(), "--from", "5"}).err, "Bar 5 is not played (the chart has 4 bars)\n");
    EXPECT_EQ(zub({"play", chart_file(), "--from", "0"}).status, 2);
    ::setenv("ZUB_AUDIO_DRIVER", "nosuchdriver", 1);
    const Result result = zub({"play", chart_file()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "No sound device: the audio driver nosuchdriver could not be opened\n");
}

}  // namespace
}  // namespace zub::cli
