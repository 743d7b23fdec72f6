// The cell language of an iReal Pro progression read into written bars: the
// bars as the chart shows them, each with its cells and marks, before repeats,
// endings and jumps are played out.
//
//   "[*AT44C^7 A-7 |D-7 G7 Z" -> two 4/4 bars, the first marked A.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zub::Ireal_cells {

struct Cell {
    enum class Kind {
        chord,       // symbol holds our chord symbol: "Cm7", "F:2.3.5", "Bb7/D"
        empty,       // a blank or a slash: the chord before goes on
        no_chord,    // "n"
        repeat_bar,  // "x": the bar before again
        repeat_two,  // "r": the two bars before again (this bar and the next)
    };
    Kind kind = Kind::empty;
    std::string symbol;
};

enum class Jump { none, da_capo, dal_segno };
enum class Jump_end { end, coda, fine };

struct Written_bar {
    std::vector<Cell> cells;
    int beats = 4;             // beats of the time signature in force (dotted quarters in x/8)
    std::string time = "4/4";  // the time signature in force: "5/4", "6/8", "12/8" (2/2 reads as 4/4)
    char section = 0;          // as written: 'A' 'B' 'C' 'D' 'v' (verse) 'i' (intro), 0 none
    bool opens_repeat = false;
    bool closes_repeat = false;
    bool closes_block = false; // "]", "}" or "Z" after the bar
    int repeat_count = 0;      // from a "3x" or "x3" text, 0 when none
    int ending = -1;           // N1..N3 -> 1..3, N0 -> 0, -1 none
    bool segno = false;
    bool coda = false;         // a coda sign on this bar
    bool coda_first = false;   // ... standing before the bar's first cell
    bool fine = false;
    Jump jump = Jump::none;    // a D.C. or D.S. text: the jump follows this bar
    Jump_end jump_end = Jump_end::end;
    int jump_ending = 0;       // "al 2nd End." -> 2 (jump_end is then end)
};

// The written bars of a progression (substitutions already expanded).
// Failures, one line each: "Unknown token: %", "Unknown chord quality: C^7#13",
// "5/8 time is not supported", "Unknown time signature: T9",
// "Unclosed text: <D.C.", "Unclosed alternate chord: (C7", "Invalid bass: C/H".
std::vector<Written_bar> read_cells(std::string_view progression);

}  // namespace zub::Ireal_cells
