// The accompaniment's MIDI file read back into one list of timed channel
// messages, the form the sequencer plays: every track merged, in tick order.
// The player reads the generator's own bytes, but checks every length.
#pragma once

#include <cstdint>
#include <vector>

#include "bridge/plist.h"

namespace zub::playback {

// One channel message: a status byte (0x90 | channel for a note-on) and its data.
struct Midi_message {
    std::uint8_t status = 0, data1 = 0, data2 = 0;
    std::uint8_t size = 3;  // 2 for a program change or channel pressure
    int channel() const { return status & 0x0f; }
    int type() const { return status & 0xf0; }
    bool note_on() const { return type() == 0x90 && data2 > 0; }
    bool note_off() const { return type() == 0x80 || (type() == 0x90 && data2 == 0); }
    bool operator==(const Midi_message&) const = default;
};

struct Midi_event {
    int tick;
    Midi_message message;
};

struct Midi_events {
    int ticks_per_beat = 480;
    // Sorted by tick; at one tick, note-offs before note-ons, so a repeated
    // note is released before it sounds again.
    std::vector<Midi_event> events;
};

// read_midi_events(bytes of a format 1 file) -> its note and controller
// events; meta and system exclusive events are left out. Playback_error
// "Cannot play the accompaniment's MIDI data" for bytes that are not a
// Standard MIDI File (a length past the end, SMPTE time, a status missing).
Midi_events read_midi_events(const Plist::Data& bytes);

// note_off(0x90 | 2, 60) -> {0x82, 60, 0}.
inline Midi_message note_off_of(int channel, int note) {
    return {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(note), 0, 3};
}

}  // namespace zub::playback
