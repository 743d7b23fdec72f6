// A generated accompaniment read back from its MIDI file, for the style tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/charts/chart.h"
#include "core/generate/zub2lite.h"
#include "smf_reader.h"

namespace zub::testing {

struct Played {
    std::string time_signature;
    int drum_program = 0;
    std::vector<Smf_note> drums, piano, bass;
};

inline Played play(const Chart& chart, std::uint64_t seed) {
    Zub2lite::init_random_with(seed);
    const Smf_file file = read_smf(Zub2lite::gen(chart));
    Played played;
    for (const auto& e : file.tracks.at(0).events)
        if (e.bytes.size() == 7 && e.bytes[1] == 0x58) played.time_signature = hex(e.bytes);
    for (const auto& e : file.tracks.at(1).events)
        if (e.bytes.size() == 2 && (e.bytes[0] & 0xF0) == 0xC0) played.drum_program = e.bytes[1] + 1;
    played.drums = notes_of(file.tracks.at(1));
    played.piano = notes_of(file.tracks.at(2));
    played.bass = notes_of(file.tracks.at(3));
    return played;
}

inline std::vector<Smf_note> only(const std::vector<Smf_note>& notes, int number) {
    std::vector<Smf_note> kept;
    for (const Smf_note& n : notes)
        if (n.number == number) kept.push_back(n);
    return kept;
}

}  // namespace zub::testing
