// The editor's calls into the core, one wrapper per named entry point: each
// converts its arguments, calls the entry point and converts the result.
// Failures come as Bridge_exception (see CoreFunction and the conversions).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "bridge/plist.h"

namespace zub::Entry_points {

// "Chordtype.all_names": every chord-type name, in no particular order.
std::vector<std::string> chordtype_all_names();
// "chord_printname": chord_printname("C7#5") -> "C7+".
std::string chord_printname(const std::string& symbol);
// "Kelreader.read_chart" and "Biabreader.read_chart": the chart dictionary of
// a file's bytes, with the given font description.
Plist kelreader_read_chart(std::string_view bytes, const Plist& font);
Plist biabreader_read_chart(std::string_view bytes, const Plist& font);
// A chord a BiaB file holds as the nearest chord BiaB has a code for: as the
// chart has it ("Bdim7"), as the file holds it ("B:b3.b5"), and its bars (from 1).
struct Biab_approximation {
    std::string symbol;
    std::string written;
    std::vector<int> bars;
};
// approximationLine(Bdim7, B:b3.b5, bars 6 and 18) -> "Bdim7 in bars 6, 18 written as B:b3.b5".
std::string approximationLine(const Biab_approximation& approximation);

// The BiaB file of a chart dictionary, and the chords it holds as others.
// The chart as played (BiaB keeps no form), N.C. held as the chord before.
// Calls the core's writer directly, for those chords: Bridge_exception
// ("biabwriter_write_chart", "Bar 3: Cannot convert chord Cb7 to BiaB").
struct Biab_song {
    Plist::Data bytes;
    std::vector<Biab_approximation> approximations;
};
Biab_song biabwriter_write_chart(const Plist& chart);
// The text chart of a chart dictionary, in the core's bytes (ISO Latin 1): its bars as
// written, form marks left out ("N.C." stays a chord token); give it playedChart(chart)
// for the chart as played.
// The core registers no name for its text chart writer, so this calls it
// directly: Bridge_exception ("kelwriter_write_chart", "Cannot write chord \"C 7\" in a text chart").
std::string kelwriter_write_chart(const Plist& chart);
// "Compatscales.set_cache_pathname".
void compatscales_set_cache_pathname(const std::string& directory);

}  // namespace zub::Entry_points
