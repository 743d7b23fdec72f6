// Which part a document shows: saved in the chart dictionary under the optional
// key "ShowFor" ("Bb", "Eb" or "F"). A chart without it is shown at concert
// pitch, so documents written before parts existed read as they always did.
#pragma once

#include "bridge/plist.h"
#include "bridge/transposition.h"

namespace zub {

// shownInstrumentOf(chart with ShowFor "Eb") -> Instrument::e_flat; concert when the
// key is absent or names no instrument (a document is never refused for it).
Instrument shownInstrumentOf(const Plist& chart);

// withShownInstrument(chart, Instrument::b_flat) -> the chart with ShowFor "Bb";
// for concert pitch, the chart without ShowFor.
Plist withShownInstrument(const Plist& chart, Instrument instrument);

}  // namespace zub
