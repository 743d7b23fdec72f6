// Names the core knows, for menus, completion and printing: the keys of the
// analysis, the chord-type names and the canonical form of a chord symbol.
// Text is the core's, with ASCII "#" and "b"; callers convert for display.
// Failures come as Bridge_exception with the core's message as the reason.
#pragma once

#include <string>
#include <vector>

namespace zub {

// The 24 keys of the analysis in the order that decides its ties: the major
// keys "Gb", "Db", ... "B", then the minor keys "Ebm", "Bbm", ... "G#m".
std::vector<std::string> analysisKeyNames();

// Every chord-type name, in no particular order; the major triad's name is "".
std::vector<std::string> chordTypeNames();

// chordPrintName("C7#5") -> "C7+"; Bridge_exception ("chordPrintName",
// "Unknown chord type: maj7") for "Cmaj7".
std::string chordPrintName(const std::string& symbol);

// namedChordSymbol("B:3.5.b7.b13") -> "B7b13": a type written as an interval
// list that has a name, under its name; any other symbol as written. Never fails.
std::string namedChordSymbol(const std::string& symbol);

}  // namespace zub
