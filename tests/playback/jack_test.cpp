// Live playback through a real JACK server (jackd2's dummy backend): what our
// audio and MIDI ports send is recorded by a client of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <iostream>
#include <map>
#include <thread>

#include "jack_server.h"
#include "playback/live_player.h"
#include "playback/midi_events.h"
#include "playback/midi_port.h"
#include "playback/playback_error.h"
#include "playback/soundfont.h"
#include "short_chart.h"

namespace zub::playback {
namespace {

using namespace std::chrono_literals;

class Jack : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new Jack_server; }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (!server_->failure().empty()) FAIL() << server_->failure();
    }
    static bool within(std::chrono::milliseconds limit, const std::function<bool()>& done) {
        for (const auto until = std::chrono::steady_clock::now() + limit; !done();)
            if (std::chrono::steady_clock::now() > until) return false;
            else std::this_thread::sleep_for(2ms);
        return true;
    }
    static Sound_output midi_alone() {
        Sound_output output;
        output.driver = "none";
        output.midi_out = "jack";
        output.midi_connect = "recorder:midi_in";
        return output;
    }
    static inline Jack_server* server_ = nullptr;
};

std::vector<Jack_recorder::Heard> notes_of(const std::vector<Jack_recorder::Heard>& heard) {
    std::vector<Jack_recorder::Heard> notes;
    for (const auto& h : heard)
        if (h.message.note_on() || h.message.note_off()) notes.push_back(h);
    return notes;
}

void expect_every_note_released(const std::vector<Jack_recorder::Heard>& heard) {
    std::map<int, int> sounding;
    for (const auto& h : heard) {
        const int key = h.message.channel() * 128 + h.message.data1;
        if (h.message.note_on()) ++sounding[key];
        if (h.message.note_off()) --sounding[key];
    }
    for (const auto& [key, count] : sounding) EXPECT_EQ(count, 0) << "channel " << key / 128 << " note " << key % 128;
}

TEST_F(Jack, TheMidiPortSendsTheTrainersNotesInOrderAtItsTempos) {
    Jack_recorder recorder;
    Live_player player("", midi_alone());
    EXPECT_EQ(player.midi_port(), "zubaroo-midi:midi_out");
    // Bar 4 twice, at 300 then 400 bpm, without count-in: 0.8 s then 0.6 s.
    Play_options options;
    options.from_bar = 4;
    options.loop_last_bar = 4;
    options.passes = 2;
    options.tempo_bpm = 300;
    options.tempo_step_bpm = 100;
    options.count_in_bars = 0;
    player.play(short_accompaniment(), options);
    ASSERT_TRUE(within(5s, [&] { return !player.playing(); }));
    player.stop();
    std::this_thread::sleep_for(50ms);  // a few periods for the last messages

    // What the generator wrote for bar 4, twice, each at its pass's tempo.
    const Midi_events events = read_midi_events(short_accompaniment().midi);
    struct Expected {
        double frame;
        int channel, note;
    };
    std::vector<Expected> expected;
    double pass_start = 0;
    for (const double bpm : {300.0, 400.0}) {
        const double frames_a_tick = 60.0 * Jack_server::frames_per_second / (bpm * ticks_per_beat);
        for (const Midi_event& event : events.events)
            if (event.message.note_on() && event.tick >= 7 * bar && event.tick < 8 * bar)
                expected.push_back({pass_start + (event.tick - 7 * bar) * frames_a_tick, event.message.channel(),
                                    event.message.data1});
        pass_start += bar * frames_a_tick;
    }
    const std::vector<Jack_recorder::Heard> heard = notes_of(recorder.midi());
    std::vector<Jack_recorder::Heard> ons;
    for (const auto& h : heard)
        if (h.message.note_on()) ons.push_back(h);
    ASSERT_EQ(ons.size(), expected.size());
    ASSERT_FALSE(ons.empty());
    // The start: the note least delayed (the first may have been late itself).
    double start = ons.front().frame - expected.front().frame;
    for (std::size_t index = 0; index < ons.size(); ++index)
        start = std::min(start, ons[index].frame - expected[index].frame);
    std::size_t late = 0;
    for (std::size_t index = 0; index < ons.size(); ++index) {
        EXPECT_EQ(ons[index].message.channel(), expected[index].channel) << index;
        EXPECT_EQ(ons[index].message.data1, expected[index].note) << index;
        EXPECT_TRUE(expected[index].channel == 0 || expected[index].channel == 1 || expected[index].channel == 9);
        // On its frame, or whole periods off: a busy machine makes the server
        // skip cycles, whose notes go out at the next cycle the port gets. Within
        // a cycle every note keeps its frame, so the tempos are the trainer's.
        // A cycle our port alone missed is caught up at the start of the next.
        const double off = ons[index].frame - (start + expected[index].frame);
        const double cycles = std::round(off / Jack_server::period);
        const bool on_its_frame = std::abs(off - cycles * Jack_server::period) <= 1.0;
        const bool caught_up = off > 0 && ons[index].frame % Jack_server::period == 0;
        EXPECT_TRUE(on_its_frame || caught_up) << "note " << index << " off by " << off << " frames";
        late += !on_its_frame || cycles != 0;
    }
    if (late > 0) std::cout << "NOTE: " << late << " notes moved by skipped JACK cycles\n";
    expect_every_note_released(heard);
}

TEST_F(Jack, StopAndPauseReleaseEveryNote) {
    Jack_recorder recorder;
    Live_player player("", midi_alone());
    for (int round = 0; round < 2; ++round) {
        Play_options options;
        options.count_in_bars = round;  // the count-in's claves too
        player.play(short_accompaniment(), options);
        std::this_thread::sleep_for(std::chrono::milliseconds(700 + 300 * round));
    }
    player.stop();
    std::this_thread::sleep_for(50ms);
    const auto heard = notes_of(recorder.midi());
    EXPECT_GT(heard.size(), 4u);
    expect_every_note_released(heard);
}

TEST_F(Jack, OurAudioPortsCarrySound) {
    const std::string soundfont = find_soundfont("");
    Jack_recorder recorder;
    Sound_output output;
    output.driver = "jack";
    output.jack_autoconnect = false;
    Live_player player(soundfont, output);
    EXPECT_EQ(player.driver(), "jack");
    ASSERT_TRUE(recorder.connect("zubaroo:left", "recorder:in_1"));
    ASSERT_TRUE(recorder.connect("zubaroo:right", "recorder:in_2"));
    player.play(short_accompaniment(), {});
    EXPECT_TRUE(within(5s, [&] { return recorder.peak() > 0.05f; })) << "peak " << recorder.peak();
    player.stop();
}

// Containers and CI have no ALSA sequencer: what needs none is tested, and the output says the rest was not.
TEST(AlsaMidiOut, AsFarAsTheMachineAllows) {
    struct stat device {};
    if (::stat("/dev/snd/seq", &device) != 0) {
        try {
            open_midi_port("alsa", "");
            ADD_FAILURE() << "an ALSA port opened without /dev/snd/seq";
        } catch (const Playback_error& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with("No MIDI out: the ALSA sequencer could not be opened ("))
                << e.what();
        }
        const char* note = "no /dev/snd/seq here: ALSA MIDI out was tested only up to opening the sequencer "
                           "(load the snd-seq module, or run where /dev/snd/seq exists, to play through it)";
        std::cout << "NOTE: " << note << "\n";
        ::testing::Test::RecordProperty("alsa_midi_out", note);
        return;
    }
    Sound_output output;
    output.driver = "none";
    output.midi_out = "alsa";
    Live_player player("", output);
    EXPECT_NE(player.midi_port().find(':'), std::string::npos);
    Play_options options;
    options.from_bar = 4;
    options.loop_last_bar = 4;
    options.passes = 1;
    options.tempo_bpm = 400;
    options.count_in_bars = 0;
    player.play(short_accompaniment(), options);
    const auto until = std::chrono::steady_clock::now() + 5s;
    while (player.playing() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(player.playing());
}

TEST(MidiOut, ErrorCases) {
    try {
        open_midi_port("midi", "");
        ADD_FAILURE();
    } catch (const Playback_error& e) {
        EXPECT_STREQ(e.what(), "MIDI out is jack or alsa, not midi");
    }
}

}  // namespace
}  // namespace zub::playback
