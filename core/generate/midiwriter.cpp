#include "core/generate/midiwriter.h"

#include <algorithm>
#include <optional>
#include <regex>

#include "core/failure.h"
#include "core/generate/exact.h"
#include "core/generate/midiwriter_table.h"
#include "core/theory/note.h"

namespace zub::Midiwriter {

namespace {

constexpr std::size_t max_name_length = 256;

struct Midievent {
    mpq_class time;
    bool note_on;
    int note;
    int velocity;  // note on only
};

// Earlier first; at equal times a note off before a note on.
bool precedes(const Midievent& a, const Midievent& b) {
    const int order = cmp(a.time, b.time);
    if (order != 0) return order < 0;
    return !a.note_on && b.note_on;
}

void check_range(int value, int lo, int hi, const char* what) {
    if (value < lo || value > hi) throw Invalid_argument(std::string("Invalid ") + what + ": " + std::to_string(value));
}

void write_status(std::string& buffer, int status, int channel) {
    check_range(channel, 1, 16, "channel");
    write_8(buffer, status + channel - 1);
}

// A chunk: its type, the body's length, the body.
void write_chunk(std::string& buffer, std::string_view type, const std::string& body) {
    write_chunk_type(buffer, type);
    write_32(buffer, static_cast<long>(body.size()));
    write_string(buffer, body);
}

// The two MIDI events of every note, in reverse order of creation (each pair
// goes to the front, note on first and its note off in front of it), then
// stably sorted so that equal events keep that order.
std::vector<Midievent> midievents_of(const Midi_seq& seq) {
    std::vector<Midievent> created;
    created.reserve(2 * seq.size());
    for (const Event<Midi_payload>* event : seq.ordered()) {
        const int number = event->payload.first.to_notenum();
        created.push_back({event->time, true, number, event->payload.second});
        created.push_back({event->time + event->duration, false, number, 0});
    }
    std::reverse(created.begin(), created.end());
    std::stable_sort(created.begin(), created.end(), precedes);
    return created;
}

// The same events with whole tick counts, for the common case where every
// time lies on the tick grid and fits a machine integer: exact times then
// order exactly as their ticks do.
struct Tick_event {
    long tick;
    bool note_on;
    int note;
    int velocity;
};

bool tick_precedes(const Tick_event& a, const Tick_event& b) {
    if (a.tick != b.tick) return a.tick < b.tick;
    return !a.note_on && b.note_on;
}

// The tick events in writing order, or nothing when some time needs the exact path.
std::optional<std::vector<Tick_event>> tick_events_of(const Midi_seq& seq) {
    std::vector<Tick_event> created;
    created.reserve(2 * seq.size());
    for (const Event<Midi_payload>* event : seq.ordered()) {
        const auto on = Exact::small_ticks(event->time, ticks_per_quarter);
        const auto length = Exact::small_ticks(event->duration, ticks_per_quarter);
        if (!on || !length) return std::nullopt;
        const int number = event->payload.first.to_notenum();
        created.push_back({*on, true, number, event->payload.second});
        created.push_back({*on + *length, false, number, 0});
    }
    std::reverse(created.begin(), created.end());
    std::stable_sort(created.begin(), created.end(), tick_precedes);
    return created;
}

template <typename E>
void write_midievent(std::string& buffer, const E& event, int channel) {
    if (event.note_on)
        write_note_on(buffer, channel, event.note, event.velocity);
    else
        write_note_off(buffer, channel, event.note);
}

// The tonic's place on the circle of fifths, sharps positive: F# 6, G# 8, Fb -8.
int fifths(const Note& tonic) {
    static constexpr int letter_fifths[] = {0, 2, 4, -1, 1, 3, 5};  // C D E F G A B
    return letter_fifths[tonic.n()] + 7 * tonic.alt();
}

// A signature of more than seven accidentals as that of the enharmonic
// equivalent twelve fifths away: G# (8) as Ab (-4), C## (14) as D (2).
int enharmonic(int sharps) {
    while (sharps > 7) sharps -= 12;
    while (sharps < -7) sharps += 12;
    return sharps;
}

// The table's entry for its fifteen tonics; any other spelling (G#, E#, Fb,
// double accidentals) takes the signature of its enharmonic equivalent.
int major_signature(const Note& tonic) {
    const std::string name = tonic.to_string();
    for (const auto& [root, sharps] : key_signature_table())
        if (root == name) return sharps;
    return enharmonic(fifths(tonic));
}

int log2_floor(int denominator) {
    int log = 0;
    for (; denominator > 1; denominator /= 2) ++log;
    return log;
}

}  // namespace

void write_byte(std::string& buffer, long value) { buffer.push_back(static_cast<char>(value & 0xFF)); }
void write_8(std::string& buffer, long value) { write_byte(buffer, value); }

void write_16(std::string& buffer, long value) {
    write_byte(buffer, value >> 8);
    write_byte(buffer, value);
}

void write_24(std::string& buffer, long value) {
    write_byte(buffer, value >> 16);
    write_16(buffer, value);
}

void write_32(std::string& buffer, long value) {
    write_byte(buffer, value >> 24);
    write_24(buffer, value);
}

void write_string(std::string& buffer, std::string_view text) { buffer.append(text); }

void write_delta_time(std::string& buffer, long value) {
    if (value > max_delta_time) throw Failure("Value exceeds 0xfffffff: " + std::to_string(value));
    if (value < 0) throw Invalid_argument("Negative delta time: " + std::to_string(value));
    // 7-bit groups, most significant first; every byte but the last has bit 7 set.
    int shift = 21;
    while (shift > 0 && (value >> shift) == 0) shift -= 7;
    for (; shift > 0; shift -= 7) write_byte(buffer, 0x80 | ((value >> shift) & 0x7F));
    write_byte(buffer, value & 0x7F);
}

void write_chunk_type(std::string& buffer, std::string_view type) {
    if (type.size() != 4) throw Invalid_argument("Invalid chunk type: " + std::string(type));
    write_string(buffer, type);
}

void write_header_chunk(std::string& buffer, int track_count) {
    check_range(track_count, 0, 0xFFFF, "track count");
    // "MThd", length 6, format 1, number of tracks, ticks per quarter note.
    write_chunk_type(buffer, "MThd");
    write_32(buffer, 6);
    write_16(buffer, 1);
    write_16(buffer, track_count);
    write_16(buffer, ticks_per_quarter);
}

void write_sequence_or_track_name(std::string& buffer, std::string_view name) {
    if (name.size() > max_name_length)
        throw Failure("Sequence/track name exceeds 256 chars: " + std::string(name));
    // FF 03, length as a variable-length quantity, the bytes.
    write_8(buffer, 0xFF);
    write_8(buffer, 0x03);
    write_delta_time(buffer, static_cast<long>(name.size()));
    write_string(buffer, name);
}

void write_time_signature(std::string& buffer, std::pair<int, int> meter) {
    check_range(meter.first, 0, 255, "meter numerator");
    // FF 58 04, numerator, log2 of the denominator, clocks per click, 32nds per quarter.
    write_8(buffer, 0xFF);
    write_8(buffer, 0x58);
    write_8(buffer, 0x04);
    write_8(buffer, meter.first);
    write_8(buffer, log2_floor(meter.second));
    write_8(buffer, clocks_per_click);
    write_8(buffer, thirty_seconds_per_quarter);
}

void write_set_tempo(std::string& buffer, int tempo) {
    if (tempo == 0) throw Invalid_argument("Division_by_zero");
    const long microseconds = microseconds_per_minute / tempo;
    // Only 24 bits are written: a slower tempo (or a negative one) would be corrupted.
    if (tempo < 0 || microseconds > 0xFFFFFF) throw Invalid_argument("Invalid tempo: " + std::to_string(tempo));
    // FF 51 03, microseconds per quarter note.
    write_8(buffer, 0xFF);
    write_8(buffer, 0x51);
    write_8(buffer, 0x03);
    write_24(buffer, microseconds);
}

std::pair<int, int> key_signature(std::string_view key) {
    static const std::regex pattern("^([A-G](?:##|#|bb|b)?)(m)?$");
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_match(key.begin(), key.end(), match, pattern)) throw Failure("Invalid key: " + std::string(key));
    const Note tonic = Note::of_string(match[1].str());
    if (!match[2].matched) return {major_signature(tonic), 0};
    // A minor key takes its relative major's signature, a minor third up: G#m
    // has the five sharps of B, Dbm the four of E (Fb respelled).
    return {enharmonic(fifths(tonic) - 3), 1};
}

void write_key_signature(std::string& buffer, std::string_view key) {
    const auto [sharps, minor] = key_signature(key);
    // FF 59 02, sharps in two's complement, major 0 or minor 1.
    write_8(buffer, 0xFF);
    write_8(buffer, 0x59);
    write_8(buffer, 0x02);
    write_8(buffer, sharps);
    write_8(buffer, minor);
}

void write_end_of_track(std::string& buffer) {
    write_8(buffer, 0xFF);
    write_8(buffer, 0x2F);
    write_8(buffer, 0x00);
}

void write_program_change(std::string& buffer, int channel, int program) {
    check_range(program, 1, 128, "program");
    write_status(buffer, 0xC0, channel);
    write_8(buffer, program - 1);
}

void write_note_on(std::string& buffer, int channel, int note, int velocity) {
    check_range(note, 0, 127, "note number");
    check_range(velocity, 0, 127, "velocity");
    write_status(buffer, 0x90, channel);
    write_8(buffer, note);
    write_8(buffer, velocity);
}

void write_note_off(std::string& buffer, int channel, int note) {
    check_range(note, 0, 127, "note number");
    write_status(buffer, 0x80, channel);
    write_8(buffer, note);
    write_8(buffer, note_off_velocity);
}

void write_sequence(std::string& buffer, const Midi_seq& seq, int channel) {
    if (const auto events = tick_events_of(seq)) {
        long previous = 0;
        for (const Tick_event& event : *events) {
            write_delta_time(buffer, event.tick - previous);
            previous = event.tick;
            write_midievent(buffer, event, channel);
        }
        return;
    }
    // Some time is off the grid or very large: exact arithmetic throughout, so
    // the failure is the one the first offending event gives.
    mpq_class previous = 0;
    for (const Midievent& event : midievents_of(seq)) {
        write_delta_time(buffer, Exact::integer_of((event.time - previous) * ticks_per_quarter));
        previous = event.time;
        write_midievent(buffer, event, channel);
    }
}

void write_tempo_track_chunk(std::string& buffer, std::string_view name, std::pair<int, int> meter, int tempo,
                             std::string_view key) {
    std::string body;
    // Name, time signature, tempo and key at time 0; the end one beat later.
    write_delta_time(body, 0);
    write_sequence_or_track_name(body, name);
    write_delta_time(body, 0);
    write_time_signature(body, meter);
    write_delta_time(body, 0);
    write_set_tempo(body, tempo);
    write_delta_time(body, 0);
    write_key_signature(body, key);
    write_delta_time(body, ticks_per_quarter);
    write_end_of_track(body);
    write_chunk(buffer, "MTrk", body);
}

void write_instrument_track_chunk(std::string& buffer, const Track& track) {
    std::string body;
    // Name and program at time 0, the notes, the end one beat after the last note event.
    write_delta_time(body, 0);
    write_sequence_or_track_name(body, track.name);
    write_delta_time(body, 0);
    write_program_change(body, track.channel, track.program);
    write_sequence(body, track.seq, track.channel);
    write_delta_time(body, ticks_per_quarter);
    write_end_of_track(body);
    write_chunk(buffer, "MTrk", body);
}

std::string write(const std::vector<Track>& tracks, std::string_view name, std::pair<int, int> meter, int tempo,
                  std::string_view key) {
    std::string buffer;
    buffer.reserve(64 + 16 * tracks.size());
    // Header chunk, then the tempo track, then one chunk per instrument in list order.
    write_header_chunk(buffer, static_cast<int>(tracks.size()) + 1);
    write_tempo_track_chunk(buffer, name, meter, tempo, key);
    for (const Track& track : tracks) write_instrument_track_chunk(buffer, track);
    return buffer;
}

}  // namespace zub::Midiwriter
