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
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return scratch(std::string(test->test_suite_name()) + "." + test->name() + "-" + name);
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

// The trainer's renders last what the schedule says, worked out by hand at the chart's 400.
TEST(ZubRender, TheTrainersPassesAndCountIns) {
    if (!have_soundfont()) FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
    struct Row {
        std::vector<std::string> options;
        double seconds;  // before the 2 s tail
    };
    const Row table[] = {
        // bars 2-3 (8 beats) four times from 120 by 20, after 8 beats' count-in at 120
        {{"--bars", "2-3", "--passes", "4", "--tempo", "120", "--tempo-step", "20"},
         8 * 60.0 / 120 + 8 * 60.0 / 120 + 8 * 60.0 / 140 + 8 * 60.0 / 160 + 8 * 60.0 / 180},
        // bar 4 once, no count-in, at the chart's tempo
        {{"--bars", "4", "--count-in", "0"}, 4 * 60.0 / 400},
        // bar 1 twice, a bar's count-in before each, 200 then 250
        {{"--bars", "1-1", "--passes", "2", "--tempo", "200", "--tempo-step", "50", "--count-in", "1",
          "--count-in-each-pass"},
         8 * 60.0 / 200 + 8 * 60.0 / 250},
        // the whole chart (24 beats) twice, 400 then held at 400, a bar's count-in
        {{"--passes", "2", "--tempo-step", "30", "--count-in", "1"}, 28 * 60.0 / 400 + 24 * 60.0 / 400},
    };
    for (const Row& row : table) {
        const std::string out = own("trainer.wav");
        std::vector<std::string> args = {"render", chart_file(), "-o", out, "--seed", "5"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const Result result = zub(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(frames_of(out), std::lround((row.seconds + 2.0) * 44100)) << row.options[1];
    }
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
          {"render", chart, "-o", out, "--seed", "-3"}, {"render", chart, "-o", out, "--bars", "3-2"},
          {"render", chart, "-o", out, "--bars", "0-2"}, {"render", chart, "-o", out, "--count-in", "3"},
          {"render", chart, "-o", out, "--passes", "0"}}) {
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
    // Then FluidSynth's reason, in its own words.
    EXPECT_TRUE(result.err.starts_with("No sound device: the audio driver nosuchdriver could not be opened (")) << result.err;
    EXPECT_EQ(zub({"play", chart_file(), "--driver", "oss"}).status, 2);
    EXPECT_EQ(zub({"play", chart_file(), "--bars", "5-6"}).err, "Bar 5 is not played (the chart has 4 bars)\n");
}

TEST_F(ZubPlay, TheTrainerShowsItsPassAndTempo) {
    const Result result = zub({"play", chart_file(), "--seed", "3", "--bars", "4", "--passes", "2", "--tempo", "300",
                               "--tempo-step", "100", "--count-in", "1"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(bars_shown(result.out), (std::vector<std::string>{"count-in 2", "bar 4", "bar 4"})) << result.out;
    EXPECT_NE(result.out.find("bar 4  beat 1  C7  trainer 1/2 at 300 bpm"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("bar 4  beat 1  C7  trainer 2/2 at 400 bpm"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace zub::cli
