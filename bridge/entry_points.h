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
// "Biabwriter.write_chart": the BiaB file of a chart dictionary, as played (BiaB keeps no form).
Plist::Data biabwriter_write_chart(const Plist& chart);
// The text chart of a chart dictionary, in the core's bytes (ISO Latin 1): its bars as
// written, form marks left out ("N.C." stays a chord token); give it playedChart(chart)
// for the chart as played.
// The core registers no name for its text chart writer, so this calls it
// directly: Bridge_exception ("kelwriter_write_chart", "Cannot write chord \"C 7\" in a text chart").
std::string kelwriter_write_chart(const Plist& chart);
// "Compatscales.set_cache_pathname".
void compatscales_set_cache_pathname(const std::string& directory);

}  // namespace zub::Entry_points
