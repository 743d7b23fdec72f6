#include "editor/model/form_mark_rules.h"

#include <algorithm>

#include "bridge/bridge_exception.h"
#include "bridge/form_marks.h"

namespace zub {

namespace {

std::string_view keyOf(FormFlag flag) {
    switch (flag) {
        case FormFlag::repeat_start:
            return "RepeatStart";
        case FormFlag::segno:
            return "Segno";
        case FormFlag::coda:
            return "Coda";
        case FormFlag::to_coda:
            return "ToCoda";
        case FormFlag::fine:
            return "Fine";
    }
    return "";
}

Plist without(const Plist& bar, std::string_view key) {
    Plist::Dictionary keys = bar.as_dictionary();
    if (auto found = keys.find(key); found != keys.end()) keys.erase(found);
    return Plist::make_dictionary(std::move(keys));
}

// One bar of the marked ones changed by change, the others as they are.
BarsChange changedBar(const Plist::Array& bars, BarRange marked, std::size_t bar, const Plist& changed) {
    Plist::Array result(bars.begin() + static_cast<std::ptrdiff_t>(marked.location),
                        bars.begin() + static_cast<std::ptrdiff_t>(marked.end()));
    result.at(bar - marked.location) = changed;
    return {marked, std::move(result)};
}

void checkMarked(const Plist::Array& bars, BarRange marked) {
    if (marked.length == 0 || marked.end() > bars.size())
        throw Bridge_exception("formMark", "Bar index out of range: " + std::to_string(marked.end()));
}

// The chart's meter as a time signature; a meter no mark can name (1, 9) stays unnamed.
std::string meterName(std::int64_t meter) {
    try {
        return timeSignatureOfMeter(meter);
    } catch (const Bridge_exception&) {
        return {};
    }
}

Plist::Array resized(const Plist::Array& slots, std::size_t count, const Plist& filler) {
    Plist::Array result(slots.begin(), slots.begin() + static_cast<std::ptrdiff_t>(std::min(count, slots.size())));
    while (result.size() < count) result.push_back(filler);
    return result;
}

}  // namespace

Plist barWithSlots(const Plist& bar, std::size_t count) {
    const Plist::Array& keys = bar.array_at("Keys");
    const Plist lastKey = keys.empty() ? Plist::make_string("") : keys.back();
    return bar.with("Chords", Plist::make_array(resized(bar.array_at("Chords"), count, Plist::make_string(""))))
        .with("Keys", Plist::make_array(resized(keys, count, lastKey)));
}

namespace {

Plist withTime(const Plist& bar, const std::string& time) {
    return time.empty() ? without(bar, "Time") : bar.with("Time", Plist::make_string(time));
}

}  // namespace

std::optional<BarRange> markedBars(BarRange selection, std::size_t barCount) {
    if (selection.length > 0) return selection.end() <= barCount ? std::optional(selection) : std::nullopt;
    if (selection.location < barCount) return BarRange{selection.location, 1};
    return std::nullopt;
}

bool hasFlag(const Plist& bar, FormFlag flag) {
    const Plist* value = bar.find(keyOf(flag));
    return value && value->kind() == Plist::Kind::boolean && value->as_boolean();
}

std::size_t flagBar(BarRange marked, FormFlag flag) {
    const bool opens = flag == FormFlag::repeat_start || flag == FormFlag::segno || flag == FormFlag::coda;
    return opens ? marked.location : marked.end() - 1;
}

BarsChange toggledFlag(const Plist::Array& bars, BarRange marked, FormFlag flag) {
    checkMarked(bars, marked);
    const std::size_t at = flagBar(marked, flag);
    const Plist& bar = bars[at];
    return changedBar(
        bars, marked, at,
        hasFlag(bar, flag) ? without(bar, keyOf(flag)) : bar.with(keyOf(flag), Plist::make_boolean(true)));
}

BarsChange withRepeatEnd(const Plist::Array& bars, BarRange marked, int times) {
    checkMarked(bars, marked);
    const std::size_t at = marked.end() - 1;
    const Plist& bar = bars[at];
    return changedBar(bars, marked, at,
                      times == 0 ? without(bar, "RepeatEnd") : bar.with("RepeatEnd", Plist::make_integer(times)));
}

BarsChange withEndings(const Plist::Array& bars, BarRange marked, const std::vector<int>& endings) {
    checkMarked(bars, marked);
    Plist::Array numbers;
    for (int ending : endings) numbers.push_back(Plist::make_integer(ending));
    BarsChange change{marked, {}};
    for (std::size_t i = marked.location; i < marked.end(); ++i)
        change.bars.push_back(endings.empty() ? without(bars[i], "Endings")
                                              : bars[i].with("Endings", Plist::make_array(numbers)));
    return change;
}

BarsChange withDirection(const Plist::Array& bars, BarRange marked, const std::string& direction) {
    checkMarked(bars, marked);
    const std::size_t at = marked.end() - 1;
    const Plist& bar = bars[at];
    return changedBar(
        bars, marked, at,
        direction.empty() ? without(bar, "Direction") : bar.with("Direction", Plist::make_string(direction)));
}

BarsChange withoutFormMarks(const Plist::Array& bars, BarRange marked) {
    checkMarked(bars, marked);
    BarsChange change{marked, {}};
    for (std::size_t i = marked.location; i < marked.end(); ++i) {
        Plist bar = bars[i];
        for (std::string_view key :
             {"RepeatStart", "RepeatEnd", "Endings", "Segno", "ToCoda", "Coda", "Fine", "Direction"})
            bar = without(bar, key);
        change.bars.push_back(bar);
    }
    return change;
}

std::string timeInForce(const Plist::Array& bars, std::size_t bar, std::int64_t chartMeter) {
    for (std::size_t i = std::min(bar + 1, bars.size()); i-- > 0;)
        if (const Plist* time = bars[i].find("Time")) return time->as_string();
    return meterName(chartMeter);
}

std::size_t slotsInForce(const Plist::Array& bars, std::size_t bar, std::int64_t chartMeter) {
    const std::string time = timeInForce(bars, bar, chartMeter);
    // Bars before any mark have the chart's meter, even one no time signature names.
    for (std::size_t i = std::min(bar + 1, bars.size()); i-- > 0;)
        if (bars[i].find("Time")) return timeSignatureSlots(time);
    return static_cast<std::size_t>(chartMeter);
}

BarsChange withTimeSignature(const Plist::Array& bars, BarRange marked, std::int64_t chartMeter,
                             const std::string& time) {
    checkMarked(bars, marked);
    const std::size_t slots = timeSignatureSlots(time);  // checks the name
    const std::string before =
        marked.location == 0 ? meterName(chartMeter) : timeInForce(bars, marked.location - 1, chartMeter);
    const bool barAfter = marked.end() < bars.size();
    const std::string after = barAfter ? timeInForce(bars, marked.end(), chartMeter) : std::string();
    BarsChange change{{marked.location, marked.length + (barAfter ? 1 : 0)}, {}};
    for (std::size_t i = marked.location; i < marked.end(); ++i) {
        const bool first = i == marked.location;
        change.bars.push_back(withTime(barWithSlots(bars[i], slots), first && time != before ? time : std::string()));
    }
    if (barAfter) {
        // The bar after keeps the meter it was in: a mark says so where the meter changes back.
        const Plist& next = bars[marked.end()];
        change.bars.push_back(after == time ? without(next, "Time") : withTime(next, after));
    }
    return change;
}

}  // namespace zub
