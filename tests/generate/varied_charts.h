// Charts that exercise the accompaniment's corners, shared by the sweeps over
// many seeds: every chord type, roots spelled at the edges of the note names,
// slash basses, one-beat chords and a long chart.
#pragma once

#include <string>
#include <vector>

#include "core/charts/chart.h"

namespace zub::testing {

struct Named_chart {
    std::string name;
    Chart chart;
    int seeds;  // how many seeds the sweep tries
};

// The charts in the given meter and style code; bars are filled to the meter.
std::vector<Named_chart> varied_charts(int meter, int style);

}  // namespace zub::testing
