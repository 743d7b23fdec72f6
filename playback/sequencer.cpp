#include "playback/sequencer.h"

#include <algorithm>

namespace zub::playback {

namespace {

constexpr unsigned all_channels = 0xffff;

}  // namespace

Sequencer::Sequencer(std::shared_ptr<const Midi_events> events, Schedule schedule, double playing_bpm, Mutes mutes,
                     int frames_per_second)
    : events_(std::move(events)),
      schedule_(std::move(schedule)),
      frames_per_second_(frames_per_second),
      playing_bpm_(playing_bpm),
      muted_(mutes.channel_mask()),
      released_mutes_(mutes.channel_mask()) {
    if (schedule_.legs.empty()) done_ = true;
}

double Sequencer::tempo_bpm() const {
    if (schedule_.legs.empty()) return playing_bpm_.load();
    const Leg& leg = schedule_.legs[heard_leg_.load()];
    return leg.tempo_bpm > 0 ? leg.tempo_bpm : playing_bpm_.load();
}

double Sequencer::ticks_per_frame(const Leg& leg) const {
    const double bpm = leg.tempo_bpm > 0 ? leg.tempo_bpm : playing_bpm_.load(std::memory_order_relaxed);
    return bpm * events_->ticks_per_beat / (60.0 * frames_per_second_);
}

double Sequencer::tick_at(double frame) const { return anchor_tick_ + (frame - anchor_frame_) * anchor_rate_; }

void Sequencer::anchor(double frame, double tick, const Leg& leg) {
    anchor_frame_ = frame;
    anchor_tick_ = tick;
    anchor_rate_ = ticks_per_frame(leg);
}

// Each time is worked out from the last anchor (a leg's start, or a change of
// tempo), never summed block by block: blocks of any size give the same frames.
void Sequencer::advance(int frames, Emit emit, void* context) {
    if (done_.load(std::memory_order_relaxed)) return;
    const unsigned muted = muted_.load(std::memory_order_relaxed);
    release(muted & ~released_mutes_, 0, emit, context);
    released_mutes_ = muted;
    if (!started_) {
        started_ = true;
        anchor(0, schedule_.legs.front().start_tick, schedule_.legs.front());
        seek(schedule_.legs.front().start_tick, 0, emit, context);
    }
    if (const Leg& leg = schedule_.legs[leg_index_.load(std::memory_order_relaxed)]; ticks_per_frame(leg) != anchor_rate_)
        anchor(clock_, tick_at(clock_), leg);
    tick_.store(static_cast<int>(tick_at(clock_)), std::memory_order_relaxed);
    heard_leg_.store(leg_index_.load(std::memory_order_relaxed), std::memory_order_relaxed);
    const std::vector<Midi_event>& events = events_->events;
    while (!done_.load(std::memory_order_relaxed)) {
        const Leg& leg = schedule_.legs[leg_index_.load(std::memory_order_relaxed)];
        const bool event_due = next_ < events.size() && events[next_].tick < leg.end_tick;
        const double target = event_due ? events[next_].tick : leg.end_tick;
        const double due = anchor_frame_ + (target - anchor_tick_) / anchor_rate_;
        // A frame worked out as 23999.99999 is frame 24000.
        const double offset = due - static_cast<double>(clock_) + 1e-6;
        if (offset >= frames) break;
        const int at = std::max(0, static_cast<int>(offset));
        if (event_due) {
            play(events[next_++].message, at, emit, context);
        } else {
            next_leg(at, emit, context);
            if (!done_.load(std::memory_order_relaxed)) {
                const Leg& next = schedule_.legs[leg_index_.load(std::memory_order_relaxed)];
                anchor(due, next.start_tick, next);
            }
        }
    }
    clock_ += frames;
}

void Sequencer::next_leg(int offset, Emit emit, void* context) {
    const std::size_t leg = leg_index_.load(std::memory_order_relaxed);
    std::size_t next = leg + 1;
    if (next == schedule_.legs.size()) {
        if (!schedule_.repeat_from) {
            tick_.store(schedule_.legs[leg].end_tick, std::memory_order_relaxed);
            // At the end's own offset: a port drops a message written before one already in its block.
            return finish(offset, emit, context);
        }
        next = *schedule_.repeat_from;
    }
    leg_index_.store(next);
    // A leg that goes on where the last ended (the count-in into bar 1) keeps its notes.
    if (schedule_.legs[next].start_tick != schedule_.legs[leg].end_tick) {
        release(all_channels, offset, emit, context);
        seek(schedule_.legs[next].start_tick, offset, emit, context);
    }
}

void Sequencer::finish(int offset, Emit emit, void* context) {
    if (done_.load()) return;
    release(all_channels, offset, emit, context);
    done_.store(true);
}

// From tick on: the controllers and programs set before it are sent again,
// the notes are not.
void Sequencer::seek(int tick, int offset, Emit emit, void* context) {
    const std::vector<Midi_event>& events = events_->events;
    next_ = static_cast<std::size_t>(
        std::lower_bound(events.begin(), events.end(), tick,
                         [](const Midi_event& event, int at) { return event.tick < at; }) -
        events.begin());
    for (std::size_t index = 0; index < next_; ++index)
        if (!events[index].message.note_on() && !events[index].message.note_off())
            emit(context, offset, events[index].message);
}

void Sequencer::play(const Midi_message& message, int offset, Emit emit, void* context) {
    const int channel = message.channel();
    if (message.note_on()) {
        if (muted_.load(std::memory_order_relaxed) >> channel & 1u) return;
        sounding_[channel].set(message.data1);
    } else if (message.note_off()) {
        if (!sounding_[channel].test(message.data1)) return;
        sounding_[channel].reset(message.data1);
    }
    emit(context, offset, message);
}

void Sequencer::release(unsigned channels, int offset, Emit emit, void* context) {
    for (int channel = 0; channel < 16; ++channel) {
        if (!(channels >> channel & 1u) || sounding_[channel].none()) continue;
        for (int note = 0; note < 128; ++note)
            if (sounding_[channel].test(note)) emit(context, offset, note_off_of(channel, note));
        sounding_[channel].reset();
    }
}

}  // namespace zub::playback
