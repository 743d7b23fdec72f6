// Imports BiaB song files (old layout: format byte 187 or 188; new layout:
// any other format byte) into a chart record. Only what a chart holds is read:
// title, style, key, tempo, section marks, chords with their beats, chorus.
// Files are untrusted: every malformed file fails with a message, nothing is
// read past the end of the data.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "core/charts/chart.h"

namespace zub::Biabreader {

// read_chart(bytes) -> the chart. Failures, each a Failure with its message:
// "Truncated BiaB file", "Invalid BiaB key code: 0", "Invalid BiaB chord root: 18",
// "Invalid BiaB section mark: 3", "Invalid BiaB chorus end: 65",
// "Unknown BiaB chord code: 27", "First chord type cannot be 0",
// "lengths of roots and types differ by more than 1",
// "Impossible empty bar in adjust_for_meter".
Chart read_chart(std::string_view bytes);

// As read_chart, over the rest of a byte stream.
Chart read_chart_stream(std::istream& in);

// As read_chart, over the bytes of a file; "Cannot open file: PATH" when it
// cannot be read.
Chart read_file(const std::string& path);

}  // namespace zub::Biabreader
