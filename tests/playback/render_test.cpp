#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "playback/playback_error.h"
#include "playback/render.h"
#include "playback/soundfont.h"

namespace zub::playback {
namespace {

// Bar 1, the chorus 2-3 twice, bar 4: six bars after the count-in, 32 beats, 6.4 s at 300.
constexpr const char* short_chart =
    "Name: Short\nMeter: 4/4\nStyle: Swing\nKey: C\nTempo: 300\nChorus: bars 2 to 3 (repeat 2 times)\n"
    "| C7 | F7 G7 | Dm7 | C7 |\n";

std::string scratch(const std::string& name) {
    const auto dir = std::filesystem::temp_directory_path() / "zub-render-test";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

struct Sound {
    long frames = 0;
    int rate = 0, channels = 0;
    std::vector<float> samples;
    double rms() const {
        double sum = 0;
        for (float s : samples) sum += double(s) * s;
        return samples.empty() ? 0 : std::sqrt(sum / samples.size());
    }
};

Sound read_sound(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    Sound sound{info.frames, info.samplerate, info.channels, std::vector<float>(info.frames * info.channels)};
    sf_readf_float(file, sound.samples.data(), info.frames);
    sf_close(file);
    return sound;
}

class Render : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            soundfont_ = find_soundfont("");
        } catch (const Playback_error&) {
            return;
        }
        const Plist font = MyConstants::shared().newDocumentChartTemplate().at("Font");
        accompaniment_ = new Accompaniment(generate(chartFromDocumentBytes(short_chart, font), 7));
    }
    static void TearDownTestSuite() {
        delete accompaniment_;
        accompaniment_ = nullptr;
    }
    void SetUp() override {
        if (!accompaniment_) FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
    }
    static Sound rendered(const std::string& name, Mutes mutes = {}) {
        const std::string path = scratch(name);
        Render_options options{soundfont_, {}};
        options.play.mutes = mutes;
        EXPECT_TRUE(render(*accompaniment_, options, path));
        return read_sound(path);
    }

    // The whole accompaniment, rendered once for the tests that compare with it.
    static const Sound& whole() {
        static const Sound sound = rendered("whole.wav");
        return sound;
    }

    static inline std::string soundfont_;
    static inline Accompaniment* accompaniment_ = nullptr;
};

TEST_F(Render, LastsTheCountInTheBarsAndTheTail) {
    const Sound& sound = whole();
    EXPECT_EQ(sound.rate, 44100);
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.frames, std::lround((32 * 60.0 / 300 + 2.0) * 44100));
    EXPECT_GT(sound.rms(), 0.01);
    // At half the tempo the bars take twice as long; the tail does not change.
    EXPECT_EQ(rendered_frames(*accompaniment_, 150), std::lround((32 * 60.0 / 150 + 2.0) * 44100));
    EXPECT_EQ(rendered("again.wav").samples, sound.samples);  // same seed, same samples
}

TEST_F(Render, EachMuteLowersTheLevel) {
    const double level = whole().rms();
    const std::vector<std::pair<const char*, Mutes>> table = {
        {"drums", {true, false, false}}, {"piano", {false, true, false}}, {"bass", {false, false, true}}};
    for (const auto& [track, mutes] : table) EXPECT_LT(rendered(std::string(track) + ".wav", mutes).rms(), level * 0.97)
            << track;
    // Everything muted, count-in included: silence, but for the reverb's last bit of noise.
    EXPECT_LT(rendered("none.wav", {true, true, true}).rms(), 1e-4);
}

// The longest run of frames quieter than -60 dB on both channels, from frame first to frame last.
long longest_silence(const Sound& sound, long first, long last) {
    long longest = 0, run = 0;
    for (long frame = std::max(0L, first); frame < std::min(sound.frames, last); ++frame) {
        const bool quiet = std::abs(sound.samples[2 * frame]) < 1e-3f && std::abs(sound.samples[2 * frame + 1]) < 1e-3f;
        run = quiet ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(Render, TheTrainersPassesFollowEachOtherWithoutAGap) {
    // Bars 2-3 three times, 240, 300 and 360 bpm, after a bar's count-in at 240:
    // 12 beats at 240 (3 s), 8 at 300 (1.6 s), 8 at 360 (1.333 s), then the tail.
    Render_options options{soundfont_, {}};
    options.play.from_bar = 2;
    options.play.loop_last_bar = 3;
    options.play.passes = 3;
    options.play.tempo_bpm = 240;
    options.play.tempo_step_bpm = 60;
    options.play.count_in_bars = 1;
    const std::string path = scratch("trainer.wav");
    ASSERT_TRUE(render(*accompaniment_, options, path));
    const Sound sound = read_sound(path);
    EXPECT_EQ(sound.frames, std::lround((3.0 + 1.6 + 8 * 60.0 / 360 + 2.0) * 44100));
    constexpr long period = 256;  // the smallest audio period the players use
    for (const double boundary : {3.0, 4.6}) {
        const long at = std::lround(boundary * 44100);
        EXPECT_LT(longest_silence(sound, at - 4410, at + 4410), period) << "at " << boundary << " s";
    }
    // The measure hears silence where there is some: the end of the tail.
    EXPECT_GT(longest_silence(sound, sound.frames - 4410, sound.frames), period);
}

TEST_F(Render, EveryFormat) {
    for (const char* name : {"take.flac", "take.OGG"}) {
        const Sound sound = rendered(name);
        EXPECT_NEAR(sound.frames, std::lround(8.4 * 44100), 2048) << name;
        EXPECT_GT(sound.rms(), 0.01) << name;
    }
}

TEST_F(Render, CancelledOrFailedLeavesNoFile) {
    const std::string path = scratch("cancelled.wav");
    std::filesystem::remove(path);
    EXPECT_FALSE(render(*accompaniment_, {soundfont_, {}}, path, [](double) { return false; }));
    EXPECT_FALSE(std::filesystem::exists(path));
    for (const auto& entry : std::filesystem::directory_iterator(scratch("")))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".cancelled.wav")) << entry.path();
    const std::string no_folder = scratch("no/such/folder/take.wav");
    try {
        render(*accompaniment_, {soundfont_, {}}, no_folder);
        ADD_FAILURE();
    } catch (const Playback_error& e) {
        EXPECT_EQ(std::string(e.what()), "Can't write output file: " + no_folder);
    }
}

}  // namespace
}  // namespace zub::playback
