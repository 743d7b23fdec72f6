// The sequencer plays a schedule of the accompaniment's MIDI events against
// a clock of audio frames: each call of advance() covers the next block of
// frames and hands every message due in it to a sink, with its frame offset
// in the block. Times are kept exact across blocks and across the legs of the
// schedule, so a tempo step or a loop's jump adds no gap and the same
// schedule gives the same frames offline, live, or as MIDI sent out.
//
// The audio thread's contract: advance() and finish() run on one thread at a
// time (the owner's lock) and neither locks, allocates nor does I/O; the
// tempo, the mutes and what is read back (tick, pass, tempo, done) are
// atomics that any thread may use.
#pragma once

#include <array>
#include <atomic>
#include <bitset>
#include <memory>

#include "playback/midi_events.h"
#include "playback/schedule.h"

namespace zub::playback {

class Sequencer {
public:
    // playing_bpm plays the legs of tempo 0; frames_per_second is the clock's rate.
    Sequencer(std::shared_ptr<const Midi_events> events, Schedule schedule, double playing_bpm, Mutes mutes,
              int frames_per_second);

    // advance(256, sink): sink(offset, message) for each message due in the
    // next 256 frames, offset 0 to 255, in order. Note-offs for every sounding
    // note come before a jump back and at the end of the schedule.
    template <typename Sink>
    void advance(int frames, Sink&& sink) {
        advance(frames, [](void* context, int offset, const Midi_message& message) {
            (*static_cast<std::remove_reference_t<Sink>*>(context))(offset, message);
        }, context_of(sink));
    }
    // Note-offs for every sounding note at offset 0; nothing plays after.
    template <typename Sink>
    void finish(Sink&& sink) {
        finish(0, [](void* context, int offset, const Midi_message& message) {
            (*static_cast<std::remove_reference_t<Sink>*>(context))(offset, message);
        }, context_of(sink));
    }

    // From any thread.
    bool done() const { return done_.load(); }
    // The tick (480 a beat from the count-in's first click) at the start of the
    // last block; -1 before the first block.
    int tick() const { return tick_.load(std::memory_order_relaxed); }
    // The trainer's pass now sounding, from 1; 0 outside the trainer.
    int pass() const { return schedule_.legs.empty() ? 0 : schedule_.legs[heard_leg_.load()].pass; }
    // The tempo now sounding, in beats a minute.
    double tempo_bpm() const;
    // set_tempo(90): legs without a tempo of their own play at 90 from the next block.
    void set_tempo(double playing_bpm) { playing_bpm_.store(playing_bpm); }
    // Newly muted channels get their note-offs in the next block; unmuted ones sound from their next note.
    void set_mutes(Mutes mutes) { muted_.store(mutes.channel_mask()); }

private:
    template <typename Sink>
    static void* context_of(Sink& sink) {
        return const_cast<void*>(static_cast<const void*>(&sink));
    }
    using Emit = void (*)(void* context, int offset, const Midi_message& message);
    void advance(int frames, Emit emit, void* context);
    void finish(int offset, Emit emit, void* context);
    void play(const Midi_message& message, int offset, Emit emit, void* context);
    void seek(int tick, int offset, Emit emit, void* context);
    void next_leg(int offset, Emit emit, void* context);
    void release(unsigned channels, int offset, Emit emit, void* context);
    double ticks_per_frame(const Leg& leg) const;
    double tick_at(double frame) const;
    void anchor(double frame, double tick, const Leg& leg);

    std::shared_ptr<const Midi_events> events_;
    const Schedule schedule_;
    const int frames_per_second_;
    std::atomic<double> playing_bpm_;
    std::atomic<unsigned> muted_;
    unsigned released_mutes_ = 0;  // the mutes whose notes have had their note-offs
    std::atomic<bool> done_{false};
    std::atomic<int> tick_{-1};
    std::atomic<std::size_t> leg_index_{0};
    std::atomic<std::size_t> heard_leg_{0};  // the leg at the start of the last block, as tick() is
    bool started_ = false;
    long clock_ = 0;           // frames played before this block
    double anchor_frame_ = 0;  // at this frame ...
    double anchor_tick_ = 0;   // ... this tick sounded,
    double anchor_rate_ = 1;   // and the ticks a frame since
    std::size_t next_ = 0;   // the next event to play
    std::array<std::bitset<128>, 16> sounding_;
};

}  // namespace zub::playback
