// What the Form menu's commands do to the bars, without a display: which bars
// of the selection a mark goes on, and the bar dictionaries afterwards. A mark
// that opens something (start repeat, segno, coda) goes on the first selected
// bar, one taken after its bar (end repeat, To Coda, D.C./D.S., Fine) on the
// last, an ending on every selected bar. An insertion point before a bar
// stands for that bar. Each rule returns the bars that change, as one
// in-place change of the same number of bars.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/plist.h"
#include "editor/model/bar_operations.h"

namespace zub {

// The marks that are on or off ("RepeatStart", "Segno", "Coda", "ToCoda", "Fine").
enum class FormFlag { repeat_start, segno, coda, to_coda, fine };

struct BarsChange {
    BarRange range;  // the bars replaced, as many as bars holds
    Plist::Array bars;
};

// markedBars({2, 0}, 8) -> {2, 1}; ({2, 3}, 8) -> {2, 3}; none after the last bar.
std::optional<BarRange> markedBars(BarRange selection, std::size_t barCount);

// hasFlag(bar, FormFlag::segno) -> whether the bar carries it.
bool hasFlag(const Plist& bar, FormFlag flag);
// The bar a flag goes on within the marked bars: the first or the last.
std::size_t flagBar(BarRange marked, FormFlag flag);

// toggledFlag(bars, {2, 3}, FormFlag::fine): Fine on bar 4 when it has none, else off.
BarsChange toggledFlag(const Plist::Array& bars, BarRange marked, FormFlag flag);
// withRepeatEnd(bars, {2, 3}, 3): bar 4 ends a repeat played 3 times; 0 takes the end away.
BarsChange withRepeatEnd(const Plist::Array& bars, BarRange marked, int times);
// withEndings(bars, {4, 2}, {2}): bars 4 and 5 form the 2nd ending; {} takes the ending away.
BarsChange withEndings(const Plist::Array& bars, BarRange marked, const std::vector<int>& endings);
// withDirection(bars, {2, 3}, "D.S. al Coda") after bar 4; "" takes it away.
BarsChange withDirection(const Plist::Array& bars, BarRange marked, const std::string& direction);
// withoutFormMarks(bars, marked): every mark but the time signature taken off the marked bars.
BarsChange withoutFormMarks(const Plist::Array& bars, BarRange marked);

// barWithSlots(bar, 3): three slots, chords past the third dropped, new slots empty, the
// bar's last key center running on into them.
Plist barWithSlots(const Plist& bar, std::size_t count);

// The time signature in force at each bar: its own "Time", else the one before, else the chart's meter.
std::string timeInForce(const Plist::Array& bars, std::size_t bar, std::int64_t chartMeter);
// slotsInForce(bars, bar, 4) -> the slots of a blank bar written after bar: its meter's.
std::size_t slotsInForce(const Plist::Array& bars, std::size_t bar, std::int64_t chartMeter);
// withTimeSignature(bars, {4, 2}, 4, "3/4"): bars 4 and 5 get three slots (chords past
// the third are dropped, key centers run on), bar 4 the mark "Time" "3/4", and bar 6 the
// mark of the meter it was in ("4/4"), so that the rest of the chart keeps its meter.
// A mark the meter before already gives is left out.
BarsChange withTimeSignature(const Plist::Array& bars, BarRange marked, std::int64_t chartMeter,
                             const std::string& time);

}  // namespace zub
