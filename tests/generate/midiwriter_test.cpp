#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/generate/midiwriter.h"
#include "generate_testing.h"
#include "smf_reader.h"

namespace zub {
namespace {

using testing::hex;
using testing::message_of;
using testing::q;
using testing::read_smf;

Midi_seq notes(const std::vector<std::tuple<const char*, const char*, const char*, int>>& listed) {
    Midi_seq seq = Midi_seq::create();
    for (const auto& [time, duration, note, velocity] : listed)
        seq = seq.add(q(time), q(duration), {Midinote::of_string(note), velocity});
    return seq;
}

std::string hex_of(const std::string& bytes) {
    return hex(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::string written(const std::function<void(std::string&)>& writer) {
    std::string buffer;
    writer(buffer);
    return hex_of(buffer);
}

// The events of one track as "tick:bytes", separated by " | ".
std::string track_events(const testing::Smf_track& track) {
    std::string text;
    for (const auto& event : track.events)
        text += (text.empty() ? "" : " | ") + std::to_string(event.tick) + ":" + hex(event.bytes);
    return text;
}

using namespace Midiwriter;

// Beyond what the whole-file tests below show: a byte keeps its low eight bits, and four bytes their order.
TEST(Midiwriter, IntegersAreWrittenMostSignificantByteFirst) {
    EXPECT_EQ(written([](auto& b) { write_8(b, 0x1FF); }), "FF");
    EXPECT_EQ(written([](auto& b) { write_32(b, 0x12345678); }), "12 34 56 78");
}

TEST(Midiwriter, DeltaTimesAreVariableLengthQuantities) {
    struct Case {
        long value;
        const char* bytes;
    };
    for (const Case& c : {Case{0, "00"}, Case{64, "40"}, Case{127, "7F"}, Case{128, "81 00"}, Case{480, "83 60"},
                          Case{16383, "FF 7F"}, Case{16384, "81 80 00"}, Case{2097151, "FF FF 7F"},
                          Case{2097152, "81 80 80 00"}, Case{268435455, "FF FF FF 7F"}})
        EXPECT_EQ(written([&](auto& b) { write_delta_time(b, c.value); }), c.bytes) << c.value;
}

TEST(Midiwriter, MetaEvents) {
    struct Case {
        std::function<void(std::string&)> writer;
        const char* bytes;
    };
    for (const Case& c : {
             Case{[](auto& b) { write_time_signature(b, {3, 8}); }, "FF 58 04 03 03 18 08"},
             Case{[](auto& b) { write_time_signature(b, {6, 16}); }, "FF 58 04 06 04 18 08"},
             Case{[](auto& b) { write_time_signature(b, {5, 6}); }, "FF 58 04 05 02 18 08"},
             Case{[](auto& b) { write_time_signature(b, {2, 1}); }, "FF 58 04 02 00 18 08"},
             Case{[](auto& b) { write_time_signature(b, {2, 0}); }, "FF 58 04 02 00 18 08"},
             Case{[](auto& b) { write_set_tempo(b, 60); }, "FF 51 03 0F 42 40"},
             Case{[](auto& b) { write_set_tempo(b, 7); }, "FF 51 03 82 CA 24"},
             Case{[](auto& b) { write_key_signature(b, "A#m"); }, "FF 59 02 07 01"},
             Case{[](auto& b) { write_sequence_or_track_name(b, ""); }, "FF 03 00"},
         })
        EXPECT_EQ(written(c.writer), c.bytes);
}

TEST(Midiwriter, LongNamesTakeATwoByteLength) {
    const std::string name(200, 'a');
    const std::string bytes = written([&](auto& b) { write_sequence_or_track_name(b, name); });
    EXPECT_EQ(bytes.substr(0, 14), "FF 03 81 48 61");
    EXPECT_EQ(written([&](auto& b) { write_sequence_or_track_name(b, std::string(256, 'z')); }).substr(0, 11),
              "FF 03 82 00");
}

TEST(Midiwriter, ChannelEventsCountChannelsAndProgramsFromOne) {
    EXPECT_EQ(written([](auto& b) { write_program_change(b, 10, 1); }), "C9 00");
    EXPECT_EQ(written([](auto& b) { write_program_change(b, 1, 128); }), "C0 7F");
    EXPECT_EQ(written([](auto& b) { write_note_on(b, 1, 60, 100); }), "90 3C 64");
    EXPECT_EQ(written([](auto& b) { write_note_on(b, 16, 127, 0); }), "9F 7F 00");
    EXPECT_EQ(written([](auto& b) { write_note_off(b, 2, 0); }), "81 00 40");
}

TEST(Midiwriter, KeySignatures) {
    struct Case {
        const char* key;
        int sharps;
        int minor;
    };
    for (const Case& c : {
             Case{"C", 0, 0},    Case{"G", 1, 0},    Case{"D", 2, 0},    Case{"A", 3, 0},    Case{"E", 4, 0},
             Case{"B", 5, 0},    Case{"F#", 6, 0},   Case{"C#", 7, 0},   Case{"F", -1, 0},   Case{"Bb", -2, 0},
             Case{"Eb", -3, 0},  Case{"Ab", -4, 0},  Case{"Db", -5, 0},  Case{"Gb", -6, 0},  Case{"Cb", -7, 0},
             // Minor keys: the relative major's signature.
             Case{"Am", 0, 1},   Case{"Em", 1, 1},   Case{"Bm", 2, 1},   Case{"F#m", 3, 1},  Case{"C#m", 4, 1},
             Case{"G#m", 5, 1},  Case{"D#m", 6, 1},  Case{"A#m", 7, 1},  Case{"Dm", -1, 1},  Case{"Gm", -2, 1},
             Case{"Cm", -3, 1},  Case{"Fm", -4, 1},  Case{"Bbm", -5, 1}, Case{"Ebm", -6, 1}, Case{"Abm", -7, 1},
             // Relative majors beyond seven accidentals (Fb, Bbb, Ebb) respelled: E, A, D.
             Case{"Dbm", 4, 1},  Case{"Gbm", 3, 1},  Case{"Cbm", 2, 1},
             // Tonics outside the table take their enharmonic equivalent's signature.
             Case{"G#", -4, 0},  Case{"D#", -3, 0},  Case{"A#", -2, 0},  Case{"E#", -1, 0},  Case{"B#", 0, 0},
             Case{"Fb", 4, 0},   Case{"C##", 2, 0},  Case{"Ebb", 2, 0},  Case{"Bbb", 3, 0},  Case{"F##", 1, 0},
             Case{"E#m", -4, 1}, Case{"B#m", -3, 1}, Case{"Fbm", 1, 1},  Case{"Bbbm", 0, 1}, Case{"A##m", 2, 1},
         })
        EXPECT_EQ(key_signature(c.key), (std::pair<int, int>{c.sharps, c.minor})) << c.key;
}

TEST(Midiwriter, NoteOffsComeBeforeNoteOnsAtEqualTimes) {
    std::string body;
    write_sequence(body, notes({{"0", "2", "C4", 90}, {"2", "1", "C4", 80}}), 1);
    EXPECT_EQ(hex_of(body), "00 90 3C 5A 87 40 80 3C 40 00 90 3C 50 83 60 80 3C 40");
}

TEST(Midiwriter, SimultaneousNotesKeepTheWorkingListOrder) {
    // Each note's pair goes to the front of the working list, so notes added
    // together come out newest first, both their note ons and their note offs.
    std::string body;
    write_sequence(body, notes({{"0", "1", "C4", 64}, {"0", "1", "E4", 64}}), 1);
    EXPECT_EQ(hex_of(body), "00 90 40 40 00 90 3C 40 83 60 80 40 40 00 80 3C 40");
}

TEST(Midiwriter, ThirdsOfABeatFallOnWholeTicks) {
    std::string body;
    write_sequence(body, notes({{"1/3", "1/3", "G2", 100}}), 3);
    // 160 ticks to the note on, 160 more to the note off.
    EXPECT_EQ(hex_of(body), "81 20 92 2B 64 81 20 82 2B 40");
}

TEST(Midiwriter, WholeFileByteForByte) {
    const std::string bytes =
        write({{notes({{"1/2", "1/2", "A4", 100}}), "Bass", 2, 33}}, "Tune", {4, 4}, 120, "Bb");
    const std::string expected =
        // header chunk: "MThd", length 6, format 1, 2 tracks, 480 ticks per quarter
        "4D 54 68 64 00 00 00 06 00 01 00 02 01 E0 "
        // tempo track: "MTrk", length 34
        "4D 54 72 6B 00 00 00 22 "
        "00 FF 03 04 54 75 6E 65 "        // name "Tune"
        "00 FF 58 04 04 02 18 08 "        // 4/4
        "00 FF 51 03 07 A1 20 "           // 500000 us per beat
        "00 FF 59 02 FE 00 "              // two flats, major
        "83 60 FF 2F 00 "                 // end one beat later
        // bass track: "MTrk", length 26
        "4D 54 72 6B 00 00 00 1A "
        "00 FF 03 04 42 61 73 73 "        // name "Bass"
        "00 C1 20 "                       // channel 2, program 33
        "81 70 91 45 64 "                 // note on A4 at tick 240
        "81 70 81 45 40 "                 // note off at tick 480
        "83 60 FF 2F 00";                 // end at tick 960
    EXPECT_EQ(hex_of(bytes), expected);
}

TEST(Midiwriter, AnEmptyTrackStillHasItsFrame) {
    const std::string bytes = write({{Midi_seq::create(), "Drums", 10, 1}}, "", {4, 4}, 120, "C");
    const auto smf = read_smf(bytes);
    ASSERT_EQ(smf.tracks.size(), 2U);
    EXPECT_EQ(track_events(smf.tracks[1]), "0:FF 03 05 44 72 75 6D 73 | 0:C9 00 | 480:FF 2F 00");
}

// Three tracks of a short tune, read back event by event.
std::string three_track_tune() {
    const Midi_seq drums = notes({{"0", "1/4", "C2", 110}, {"1/2", "1/4", "F#2", 70}, {"1", "1/4", "D2", 90},
                                  {"1", "1/4", "F#2", 70}, {"3/2", "1/4", "F#2", 60}});
    const Midi_seq piano = notes({{"0", "3/2", "E4", 80}, {"0", "3/2", "Bb4", 80}, {"5/3", "1/3", "D5", 72}});
    const Midi_seq bass = notes({{"0", "1", "C2", 100}, {"1", "1", "C2", 95}, {"2", "1/2", "G1", 90}});
    return write({{drums, "Drums", 10, 1}, {piano, "Piano", 1, 1}, {bass, "Bass", 2, 33}}, "Blue Bossa", {4, 4}, 140,
                 "Cm");
}

TEST(Midiwriter, ThreeTrackFileReadsBack) {
    const std::string bytes = three_track_tune();
    const auto smf = read_smf(bytes);
    EXPECT_EQ(smf.format, 1);
    EXPECT_EQ(smf.division, 480);
    ASSERT_EQ(smf.tracks.size(), 4U);
    // Every declared length was the exact body (the reader checked framing); the
    // bodies add up to the file minus the header and the track preambles.
    long bodies = 0;
    for (const auto& track : smf.tracks) bodies += track.declared_length;
    EXPECT_EQ(static_cast<std::size_t>(bodies), bytes.size() - 14 - 4 * 8);

    EXPECT_EQ(track_events(smf.tracks[0]),
              "0:FF 03 0A 42 6C 75 65 20 42 6F 73 73 61 | 0:FF 58 04 04 02 18 08 | 0:FF 51 03 06 8A 1B"
              " | 0:FF 59 02 FD 01 | 480:FF 2F 00");
    EXPECT_EQ(track_events(smf.tracks[1]),
              "0:FF 03 05 44 72 75 6D 73 | 0:C9 00 | 0:99 24 6E | 120:89 24 40 | 240:99 2A 46 | 360:89 2A 40"
              " | 480:99 2A 46 | 480:99 26 5A | 600:89 2A 40 | 600:89 26 40 | 720:99 2A 3C | 840:89 2A 40"
              " | 1320:FF 2F 00");
    EXPECT_EQ(track_events(smf.tracks[2]),
              "0:FF 03 05 50 69 61 6E 6F | 0:C0 00 | 0:90 46 50 | 0:90 40 50 | 720:80 46 40 | 720:80 40 40"
              " | 800:90 4A 48 | 960:80 4A 40 | 1440:FF 2F 00");
    EXPECT_EQ(track_events(smf.tracks[3]),
              "0:FF 03 04 42 61 73 73 | 0:C1 20 | 0:91 24 64 | 480:81 24 40 | 480:91 24 5F | 960:81 24 40"
              " | 960:91 1F 5A | 1200:81 1F 40 | 1680:FF 2F 00");
}

TEST(Midiwriter, ErrorCases) {
    std::string buffer;
    EXPECT_EQ(message_of<Failure>([&] { write_sequence_or_track_name(buffer, std::string(257, 'n')); }),
              "Sequence/track name exceeds 256 chars: " + std::string(257, 'n'));
    for (const char* key : {"H", "c", "C###", "Cbbb", "C#b", "Am7", "am", "", "m", "Cmm", " C", "C ", "Bbmaj", "Cm#"})
        EXPECT_EQ(message_of<Failure>([&] { key_signature(key); }), std::string("Invalid key: ") + key);
    EXPECT_EQ(message_of<Failure>([&] { write_delta_time(buffer, 268435456); }), "Value exceeds 0xfffffff: 268435456");
    EXPECT_EQ(message_of<Failure>([&] { write_sequence(buffer, notes({{"1/7", "1", "C4", 1}}), 1); }),
              "integer argument required");
    EXPECT_EQ(message_of<Failure>([&] { write_sequence(buffer, notes({{"0", "1/960", "C4", 1}}), 1); }),
              "integer argument required");
    EXPECT_EQ(message_of<Failure>([&] { write_sequence(buffer, notes({{"600000", "1", "C4", 1}}), 1); }),
              "Value exceeds 0xfffffff: 288000000");
    EXPECT_EQ(message_of<Failure>([&] { write_sequence(buffer, notes({{"2199023255552", "1", "C4", 1}}), 1); }),
              "Value exceeds 0xfffffff: 1055531162664960");
    // An off-grid note later in time still fails first with the earlier overflow.
    EXPECT_EQ(message_of<Failure>([&] {
                  write_sequence(buffer, notes({{"600000", "1", "C4", 1}, {"4200015/7", "1", "C4", 1}}), 1);
              }),
              "Value exceeds 0xfffffff: 288000000");
    EXPECT_EQ(message_of<Failure>([] { write({}, "t", {4, 4}, 120, "H"); }), "Invalid key: H");

    struct Fault {
        std::function<void(std::string&)> writer;
        const char* message;
    };
    for (const Fault& f : {
             Fault{[](auto& b) { write_chunk_type(b, "MTr"); }, "Invalid chunk type: MTr"},
             Fault{[](auto& b) { write_chunk_type(b, "MTrkk"); }, "Invalid chunk type: MTrkk"},
             Fault{[](auto& b) { write_program_change(b, 0, 1); }, "Invalid channel: 0"},
             Fault{[](auto& b) { write_program_change(b, 17, 1); }, "Invalid channel: 17"},
             Fault{[](auto& b) { write_program_change(b, 1, 0); }, "Invalid program: 0"},
             Fault{[](auto& b) { write_program_change(b, 1, 129); }, "Invalid program: 129"},
             Fault{[](auto& b) { write_note_on(b, 1, 128, 1); }, "Invalid note number: 128"},
             Fault{[](auto& b) { write_note_on(b, 1, -1, 1); }, "Invalid note number: -1"},
             Fault{[](auto& b) { write_note_on(b, 1, 60, 128); }, "Invalid velocity: 128"},
             Fault{[](auto& b) { write_note_on(b, 1, 60, -3); }, "Invalid velocity: -3"},
             Fault{[](auto& b) { write_note_off(b, 1, 200); }, "Invalid note number: 200"},
             Fault{[](auto& b) { write_note_off(b, 18, 60); }, "Invalid channel: 18"},
             Fault{[](auto& b) { write_set_tempo(b, 0); }, "Division_by_zero"},
             Fault{[](auto& b) { write_set_tempo(b, 3); }, "Invalid tempo: 3"},
             Fault{[](auto& b) { write_set_tempo(b, -120); }, "Invalid tempo: -120"},
             Fault{[](auto& b) { write_time_signature(b, {256, 4}); }, "Invalid meter numerator: 256"},
             Fault{[](auto& b) { write_delta_time(b, -1); }, "Negative delta time: -1"},
             Fault{[](auto& b) { write_sequence(b, notes({{"-1", "2", "C4", 1}}), 1); }, "Negative delta time: -480"},
             Fault{[](auto& b) { write_header_chunk(b, 65536); }, "Invalid track count: 65536"},
         })
        EXPECT_EQ(message_of<Invalid_argument>([&] { f.writer(buffer); }), f.message);
}

}  // namespace
}  // namespace zub
