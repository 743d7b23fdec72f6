// The chart most playback tests play: bar 1, the chorus 2-3 twice, bar 4,
// played 1 2 3 2 3 4 after the two count-in bars, at 300 (0.8 s a bar).
#pragma once

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "playback/accompaniment.h"

namespace zub::playback {

inline constexpr const char* short_chart =
    "Name: Short\nMeter: 4/4\nStyle: Swing\nKey: C\nTempo: 300\nChorus: bars 2 to 3 (repeat 2 times)\n"
    "| C7 | F7 G7 | Dm7 | C7 |\n";

// The MIDI file's ticks, which the player counts in.
inline constexpr int ticks_per_beat = 480;
inline constexpr int bar = 4 * ticks_per_beat;

inline const Accompaniment& short_accompaniment() {
    static const Accompaniment accompaniment =
        generate(chartFromDocumentBytes(short_chart, MyConstants::shared().newDocumentChartTemplate().at("Font")), 7);
    return accompaniment;
}

}  // namespace zub::playback
