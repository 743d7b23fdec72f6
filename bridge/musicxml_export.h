// MusicXML 4.0 export of a chart: a score-partwise with one part of chord
// symbols - title, composer, tempo, key and time signature, one measure per
// bar, a <harmony> before a rest as long as each chord, rehearsal marks for
// section marks and repeat barlines around the chorus. With an analysis each
// chord also carries its roman numeral in its key center. No Qt.
#pragma once

#include <string>

#include "bridge/analysis_result.h"
#include "bridge/plist.h"

namespace zub {

// The MusicXML 4.0 score of a chart dictionary; with analysis (the chart's analysis from
// the editor or the core), each harmony carries its roman numeral and key center.
// A chart that fails checkChartDictionary, or a chord the core cannot read, throws
// Bridge_exception ("musicXmlOfChart", "Bar 3: Unknown chord type: maj").
std::string musicXmlOfChart(const Plist& chart, const AnalysisResult* analysis = nullptr);

// The same analysing the chart first (as 'zub analyze' does), for 'zub convert --analyze'.
// The analysis' failures come as Bridge_exception.
std::string analysedMusicXmlOfChart(const Plist& chart);

}  // namespace zub
