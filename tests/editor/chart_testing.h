// Charts the editor's tests build, without a window: they need only the model.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "bridge/chart_dictionary.h"
#include "bridge/my_constants.h"
#include "bridge/plist.h"
#include "editor/model/chorus.h"

namespace zub::testing {

// n four-beat bars; bar i holds "D<i+1>" in its first slot, so moved bars can be told apart.
inline Plist chartOfBars(std::size_t n, Chorus chorus = {}) {
    Plist::Array bars;
    for (std::size_t i = 0; i < n; ++i) {
        Plist bar = oneBlankBar(4).as_array().front();
        Plist::Array chords = bar.array_at("Chords");
        chords[0] = Plist::make_string("D" + std::to_string(i + 1));
        bars.push_back(bar.with("Chords", Plist::make_array(chords)));
    }
    return MyConstants::shared().newDocumentChartTemplate().with("Chords", Plist::make_array(bars)).with(
        "Chorus", chorus.to_plist());
}

// The first-slot marker of every bar, to see where the bars of chartOfBars went.
inline std::vector<std::string> markers(const Plist::Array& bars) {
    std::vector<std::string> out;
    for (const Plist& bar : bars) out.push_back(bar.array_at("Chords")[0].as_string());
    return out;
}

// A bar's form marks as one line, keys in order: "Endings=1,2 RepeatEnd=3 Segno Time=3/4".
inline std::string formMarksText(const Plist& bar) {
    std::string out;
    for (const auto& [key, value] : bar.as_dictionary()) {
        if (key == "Chords" || key == "Keys" || key == "SectionMark") continue;
        out += (out.empty() ? "" : " ") + key;
        if (value.kind() == Plist::Kind::integer) out += "=" + std::to_string(value.as_integer());
        if (value.kind() == Plist::Kind::string) out += "=" + value.as_string();
        if (value.kind() == Plist::Kind::array)
            for (std::size_t k = 0; k < value.as_array().size(); ++k)
                out += (k == 0 ? "=" : ",") + std::to_string(value.as_array()[k].as_integer());
    }
    return out;
}

// A bar's slots and form marks: "3 Time=3/4".
inline std::string slotsAndMarksText(const Plist& bar) {
    const std::string marks = formMarksText(bar);
    return std::to_string(bar.array_at("Chords").size()) + (marks.empty() ? "" : " " + marks);
}

}  // namespace zub::testing
