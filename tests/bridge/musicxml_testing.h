// Charts for the MusicXML tests: text charts, or bars written as "C - - F"
// ("-" an empty slot) on the new-document template.
#pragma once

#include <string>
#include <vector>

#include "bridge/chart_dictionary.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "bridge/plist.h"
#include "plist_testing.h"

namespace zub::testing {

// chartOfText("Name: X\n| C | F G |\n") -> the chart dictionary the text chart reader makes of it.
inline Plist chartOfText(const std::string& text) {
    return chartFromDocumentBytes(text, MyConstants::shared().newDocumentChartTemplate().at("Font"));
}

// A bar from "C - - F", with a section mark character code.
inline Plist barOf(const std::string& slots, std::int64_t mark = no_section_mark) {
    return bar_dictionary(slot_words(slots), {}, mark);
}

// The new-document template with these bars, meter and chorus (begin, end, repeats).
inline Plist chartOfBars(const Plist::Array& bars, std::int64_t meter = 4, std::int64_t begin = 1,
                         std::int64_t end = chorus_end_of_chart, std::int64_t repeats = 1) {
    const Plist& chart = MyConstants::shared().newDocumentChartTemplate();
    return chart.with("Chords", Plist::make_array(bars))
        .with("Style", chart.dictionary_at("Style").with("Meter", Plist::make_integer(meter)))
        .with("Chorus", Plist::make_dictionary({{"Begin", Plist::make_integer(begin)},
                                                {"End", Plist::make_integer(end)},
                                                {"Repeats", Plist::make_integer(repeats)}}));
}

}  // namespace zub::testing
