// Charts the editor's tests build, without a window: they need only the model.
#pragma once

#include <cstddef>
#include <string>

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

}  // namespace zub::testing
