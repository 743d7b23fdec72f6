// Helpers shared by the generator tests.
#pragma once

#include <gmpxx.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "core/failure.h"
#include "core/generate/chordseq.h"
#include "testing.h"

namespace zub::testing {

// Whether action throws Not_found.
inline bool not_found(auto&& action) {
    try {
        action();
    } catch (const Not_found&) {
        return true;
    }
    return false;
}

inline mpq_class q(const char* text) { return mpq_class(text); }

// The whole file's bytes; empty when it cannot be read.
inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// chords({{0, 2, "Dm7"}, {2, 2, "G7"}}) -> a chord sequence of those (start beat, beats, symbol).
inline Chord_seq chords(const std::vector<std::tuple<int, int, const char*>>& listed) {
    Chord_seq seq = Chord_seq::create();
    for (const auto& [time, duration, symbol] : listed) seq = seq.add(mpq_class(time), mpq_class(duration), symbol);
    return seq;
}

}  // namespace zub::testing
