// The drum generator's fixed data: instruments, pattern tables, groove.
#pragma once
#include <string>
#include <vector>
#include "core/generate/pattern.h"
#include "core/generate/perform.h"
#include "core/generate/randset.h"

namespace zub::Drums {

struct Instrument {
    std::string name;          // "rc", "hh", "sd", "bd"
    int notenum;               // General MIDI drum map
    int velocity;
    Randset<Pattern> normal;   // ordinary bars
    Randset<Pattern> fill;     // the bar before a section mark
    Pattern ending;            // the last bar
};

// In instrument order; parsed once.
const std::vector<Instrument>& instruments();
const Perform::Groove_table& groove_table();
inline constexpr double swing_ratio = 2.3;

}  // namespace zub::Drums
