// A tiny Standard MIDI File reader for the tests, written apart from the writer
// so that a fault in one is not mirrored by the other: it checks the chunk
// framing and turns delta times back into absolute ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zub::testing {

struct Smf_event {
    long tick;                   // absolute, from the start of the track
    std::vector<std::uint8_t> bytes;  // status and data, or FF, type, length, data
};

struct Smf_track {
    long declared_length;
    std::vector<Smf_event> events;
};

struct Smf_file {
    int format;
    int division;
    std::vector<Smf_track> tracks;  // as many as the header declares
};

// Reads the whole file; throws std::runtime_error naming the offset of the
// first malformed byte (bad chunk type, a length past the end, an unterminated
// variable-length quantity, running status, a track not ending with FF 2F 00).
Smf_file read_smf(const std::string& bytes);

// A sounding note of a track: a note on (velocity above 0) paired with the next
// note off of the same number.
struct Smf_note {
    long tick;
    long length;
    int number;
    int velocity;
};

// The track's notes in note-on order; throws std::runtime_error for a note on
// that is never switched off.
std::vector<Smf_note> notes_of(const Smf_track& track);

// "90 3C 64" for the bytes of an event.
std::string hex(const std::vector<std::uint8_t>& bytes);

}  // namespace zub::testing
