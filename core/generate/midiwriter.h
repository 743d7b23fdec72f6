// The Standard MIDI File writer: a format-1 file at 480 ticks per quarter note,
// a tempo track (name, time signature, tempo, key signature) and one track per
// instrument, returned as bytes; the writer does no file input or output.
// Times stay exact rational beats up to here and become ticks only while
// writing; a time off the tick grid is an error, never rounded.
//
// Failures: "Sequence/track name exceeds 256 chars: <name>", "Invalid key: <key>",
// "Value exceeds 0xfffffff: <ticks>", "integer argument required" for a time off
// the grid. Caller faults are Invalid_argument: a tempo of 0 ("Division_by_zero")
// or one whose microseconds per beat do not fit 24 bits, a channel outside 1..16,
// a program outside 1..128, a note or velocity outside 0..127, a meter numerator
// outside 0..255, a note before the start of the piece.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gmpxx.h>

#include "core/generate/seq.h"
#include "core/theory/midinote.h"

namespace zub {

// What sounds: a MIDI note and its velocity 0..127.
using Midi_payload = std::pair<Midinote, int>;
using Midi_seq = Seq<Midi_payload>;

struct Track {
    Midi_seq seq;
    std::string name;  // written byte for byte
    int channel;       // 1..16
    int program;       // General MIDI program 1..128
};

namespace Midiwriter {

inline constexpr int ticks_per_quarter = 480;
inline constexpr int clocks_per_click = 24;
inline constexpr int thirty_seconds_per_quarter = 8;
inline constexpr int note_off_velocity = 64;
inline constexpr long microseconds_per_minute = 60000000;
inline constexpr long max_delta_time = 0xFFFFFFF;

// The whole file: write(tracks, "Blues", {4, 4}, 120, "Bb") -> "MThd" ... .
std::string write(const std::vector<Track>& tracks, std::string_view name, std::pair<int, int> meter, int tempo,
                  std::string_view key);

// The pieces write is made of, each appending to buffer.

void write_byte(std::string& buffer, long value);  // the low 8 bits
void write_8(std::string& buffer, long value);     // the same
void write_16(std::string& buffer, long value);    // low 16 bits, most significant byte first
void write_24(std::string& buffer, long value);
void write_32(std::string& buffer, long value);
void write_string(std::string& buffer, std::string_view text);
// 0 -> 00, 480 -> 83 60; "Value exceeds 0xfffffff: 268435456" above four 7-bit groups.
void write_delta_time(std::string& buffer, long value);
// "MThd"; Invalid_argument "Invalid chunk type: MTr" unless exactly 4 characters.
void write_chunk_type(std::string& buffer, std::string_view type);
void write_header_chunk(std::string& buffer, int track_count);

// Meta events, without their delta time.
void write_sequence_or_track_name(std::string& buffer, std::string_view name);
// (4, 4) -> FF 58 04 04 02 18 08; (3, 8) -> ... 03 03 18 08.
void write_time_signature(std::string& buffer, std::pair<int, int> meter);
// 120 -> FF 51 03 07 A1 20.
void write_set_tempo(std::string& buffer, int tempo);
// "Bb" -> FF 59 02 FE 00; "Am" -> ... 00 01 (its relative major's signature);
// "A#m" -> ... 07 01.
void write_key_signature(std::string& buffer, std::string_view key);
void write_end_of_track(std::string& buffer);

// Channel events, without their delta time; channel counted from 1.
void write_program_change(std::string& buffer, int channel, int program);
void write_note_on(std::string& buffer, int channel, int note, int velocity);
void write_note_off(std::string& buffer, int channel, int note);

// Every note of seq as a note on and a note off, each with its delta time, in
// time order with note offs before note ons at equal times.
void write_sequence(std::string& buffer, const Midi_seq& seq, int channel);
void write_tempo_track_chunk(std::string& buffer, std::string_view name, std::pair<int, int> meter, int tempo,
                             std::string_view key);
void write_instrument_track_chunk(std::string& buffer, const Track& track);

// Key signature data (sharps, negative for flats; 1 for minor): "F#" -> (6, 0);
// a tonic outside the table as its enharmonic equivalent, "G#" -> (-4, 0);
// a minor key as its relative major, "Am" -> (0, 1), "G#m" -> (5, 1), "Dbm" ->
// (4, 1). "Invalid key: H" for anything but a note name with an optional "m".
std::pair<int, int> key_signature(std::string_view key);

}  // namespace Midiwriter

}  // namespace zub
