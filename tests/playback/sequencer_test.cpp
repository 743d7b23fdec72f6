#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "playback/midi_events.h"
#include "playback/playback_error.h"
#include "playback/sequencer.h"

namespace zub::playback {
namespace {

constexpr int rate = 48000;

struct Heard {
    long frame;
    Midi_message message;
};

// One note a beat on the bass's channel (1) for a bar, numbers 60 to 63, half a beat long.
std::shared_ptr<const Midi_events> one_bar() {
    auto events = std::make_shared<Midi_events>();
    events->events.push_back({0, {0xc1, 33, 0, 2}});  // a program change, sent again after every jump
    for (int beat = 0; beat < 4; ++beat) {
        events->events.push_back({beat * 480, {0x91, static_cast<std::uint8_t>(60 + beat), 100, 3}});
        events->events.push_back({beat * 480 + 240, {0x81, static_cast<std::uint8_t>(60 + beat), 0, 3}});
    }
    return events;
}

std::vector<Heard> run(Sequencer& sequencer, long frames, int block = 256) {
    std::vector<Heard> heard;
    for (long start = 0; start < frames && !sequencer.done(); start += block) {
        int last = 0;  // a JACK port drops a message offset before the one written last
        sequencer.advance(block, [&](int offset, const Midi_message& message) {
            EXPECT_GE(offset, last);
            EXPECT_LT(offset, block);
            last = offset;
            heard.push_back({start + offset, message});
        });
    }
    return heard;
}

std::vector<long> note_on_frames(const std::vector<Heard>& heard) {
    std::vector<long> frames;
    for (const Heard& h : heard)
        if (h.message.note_on()) frames.push_back(h.frame);
    return frames;
}

// Every note-on has its note-off after it, and nothing sounds at the end.
void expect_every_note_released(const std::vector<Heard>& heard) {
    std::map<int, int> sounding;
    for (const Heard& h : heard) {
        const int key = h.message.channel() * 128 + h.message.data1;
        if (h.message.note_on()) ++sounding[key];
        if (h.message.note_off()) {
            EXPECT_EQ(--sounding[key], 0) << "a note-off without its note-on";
        }
    }
    for (const auto& [key, count] : sounding) EXPECT_EQ(count, 0) << "note " << key % 128 << " hangs";
}

TEST(Sequencer, ATempoStepBetweenPassesKeepsTheBeatExact) {
    // Pass 1 at 120 (24000 frames a beat), pass 2 at 240 (12000): pass 2's first beat at 96000.
    Sequencer sequencer(one_bar(), {{{0, 1920, 120, 1}, {0, 1920, 240, 2}}, {}}, 100, {}, rate);
    const std::vector<Heard> heard = run(sequencer, 200000);
    EXPECT_EQ(note_on_frames(heard),
              (std::vector<long>{0, 24000, 48000, 72000, 96000, 108000, 120000, 132000}));
    EXPECT_TRUE(sequencer.done());
    expect_every_note_released(heard);
}

TEST(Sequencer, BlocksOfAnySizeGiveTheSameFrames) {
    const Schedule schedule{{{960, 1920, 90, 1}, {0, 1920, 150, 2}}, {}};
    Sequencer small(one_bar(), schedule, 100, {}, rate), large(one_bar(), schedule, 100, {}, rate);
    EXPECT_EQ(note_on_frames(run(small, 400000, 64)), note_on_frames(run(large, 400000, 4096)));
}

TEST(Sequencer, ALoopReleasesItsNotesAndPlaysTheProgramAgain) {
    // Beats 3 and 4 less 100 ticks, the last note cut by the jump back; at 240,
    // 12000 frames a beat, so a pass is 21500 frames.
    Sequencer sequencer(one_bar(), {{{960, 1920 - 100, 0, 0}}, 0}, 240, {}, rate);
    const std::vector<Heard> heard = run(sequencer, 44000);
    EXPECT_EQ(note_on_frames(heard), (std::vector<long>{0, 12000, 21500, 33500, 43000}));
    int programs = 0;
    for (const Heard& h : heard) programs += h.message.type() == 0xc0;
    EXPECT_EQ(programs, 3);  // at the start and after each of the two jumps back
    EXPECT_FALSE(sequencer.done());
    std::vector<Heard> stopped = heard;
    sequencer.finish([&](int, const Midi_message& message) { stopped.push_back({36000, message}); });
    expect_every_note_released(stopped);
}

TEST(Sequencer, TheEndReleasesWhatSoundsOnItsOwnFrame) {
    // At 120 the last note starts at frame 72000 and the schedule ends 20 ticks
    // later, at 73000, inside the same block of 4096.
    Sequencer sequencer(one_bar(), {{{0, 1460, 120, 0}}, {}}, 120, {}, rate);
    const std::vector<Heard> heard = run(sequencer, 200000, 4096);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.back().frame, 73000);
    EXPECT_EQ(heard.back().message, note_off_of(1, 63));
    expect_every_note_released(heard);
}

TEST(Sequencer, AMuteReleasesWhatSoundsAndDropsTheNoteOns) {
    Sequencer sequencer(one_bar(), {{{0, 1920, 120, 0}}, {}}, 120, {}, rate);
    std::vector<Heard> heard = run(sequencer, 256);  // the first note sounds
    Mutes bass;
    bass.bass = true;
    sequencer.set_mutes(bass);
    const std::vector<Heard> rest = run(sequencer, 200000);
    ASSERT_FALSE(rest.empty());
    EXPECT_EQ(rest.front().message, note_off_of(1, 60));  // at once
    EXPECT_TRUE(note_on_frames(rest).empty());
    heard.insert(heard.end(), rest.begin(), rest.end());
    expect_every_note_released(heard);
}

TEST(MidiEvents, ErrorCases) {
    const std::vector<Plist::Data> table = {
        {},                                                         // nothing
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0},            // a header cut short
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0xe7, 0x28},   // SMPTE time
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xe0,       // a track longer than the file
         'M', 'T', 'r', 'k', 0, 0, 0, 9, 0, 0x90, 60},
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xe0,       // running status with nothing before
         'M', 'T', 'r', 'k', 0, 0, 0, 3, 0, 60, 100},
        {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xe0,       // a delta time of five bytes
         'M', 'T', 'r', 'k', 0, 0, 0, 5, 0x81, 0x81, 0x81, 0x81, 0x01},
    };
    for (std::size_t row = 0; row < table.size(); ++row) {
        try {
            read_midi_events(table[row]);
            ADD_FAILURE() << "row " << row << " was read";
        } catch (const Playback_error& e) {
            EXPECT_STREQ(e.what(), "Cannot play the accompaniment's MIDI data") << row;
        }
    }
}

TEST(MidiEvents, TracksMergeInTickOrderWithRunningStatus) {
    const Plist::Data file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 1, 0xe0,
                              // track 1: a tempo, a note at 0 and its note-off by running status at 480
                              'M', 'T', 'r', 'k', 0, 0, 0, 19, 0, 0xff, 0x51, 3, 7, 0xa1, 0x20, 0, 0x90, 60, 100,
                              0x83, 0x60, 60, 0, 0, 0xff, 0x2f, 0,
                              // track 2: a note on at 480
                              'M', 'T', 'r', 'k', 0, 0, 0, 9, 0x83, 0x60, 0x91, 40, 90, 0, 0xff, 0x2f, 0};
    const Midi_events read = read_midi_events(file);
    EXPECT_EQ(read.ticks_per_beat, 480);
    ASSERT_EQ(read.events.size(), 3u);
    EXPECT_EQ(read.events[0].tick, 0);
    EXPECT_TRUE(read.events[1].message.note_off());  // the note-off first at 480
    EXPECT_EQ(read.events[2].message, (Midi_message{0x91, 40, 90, 3}));
}

}  // namespace
}  // namespace zub::playback
