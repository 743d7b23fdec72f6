#include "bridge/played_form.h"

#include <algorithm>

#include "bridge/chart_dictionary.h"
#include "bridge/internal/form_keys.h"
#include "bridge/internal/form_walk.h"

namespace zub {

namespace {

std::vector<Bar_form> forms_of(const Plist::Array& bars) {
    std::vector<Bar_form> forms;
    forms.reserve(bars.size());
    for (const Plist& bar : bars) forms.push_back(barFormOf(bar));
    return forms;
}

int clamped(std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, -1, 1 << 30)); }

// The chord sounding at the start of each written bar, as the writing reads.
std::vector<std::string> written_carried(const Plist::Array& bars) {
    std::vector<std::string> carried;
    carried.reserve(bars.size());
    std::string sounding;
    for (const Plist& bar : bars) {
        carried.push_back(sounding);
        for (const Plist& slot : bar.array_at("Chords"))
            if (!slot.as_string().empty()) sounding = slot.as_string();
    }
    return carried;
}

Plist played_bar(const Plist& bar, const std::string& carried) {
    Plist played = withBarForm(bar, {});
    const Plist::Array& slots = bar.array_at("Chords");
    if (!slots.front().as_string().empty() || carried.empty()) return played;
    Plist::Array filled = slots;
    filled.front() = Plist::make_string(carried);
    return played.with("Chords", Plist::make_array(std::move(filled)));
}

}  // namespace

bool hasForm(const Plist& chart) {
    for (const Plist& bar : chart.array_at("Chords"))
        if (!barFormOf(bar).empty()) return true;
    return false;
}

std::vector<PlayedBar> playedBars(const Plist& chart, std::optional<int> choruses) {
    const Plist fixed = fixChorusEnd(chart);
    const Plist& chorus = fixed.dictionary_at("Chorus");
    const Plist::Array& bars = fixed.array_at("Chords");
    const Chorus_range range{clamped(chorus.integer_at("Begin")), clamped(chorus.integer_at("End")),
                             choruses ? *choruses : clamped(chorus.integer_at("Repeats"))};
    std::vector<PlayedBar> played;
    for (const Played_bar& bar : play_form(forms_of(bars), range))
        played.push_back({static_cast<std::size_t>(bar.bar), bar.pass});
    return played;
}

Plist playedChart(const Plist& chart, std::optional<int> choruses) {
    const Plist::Array& bars = chart.array_at("Chords");
    const std::vector<std::string> carried = written_carried(bars);
    Plist::Array played;
    std::size_t previous = bars.size();
    for (const PlayedBar& bar : playedBars(chart, choruses)) {
        // In writing order a bar's empty first slot continues the bar before anyway.
        const bool follows = bar.bar == previous + 1;
        played.push_back(follows ? withBarForm(bars[bar.bar], {}) : played_bar(bars[bar.bar], carried[bar.bar]));
        previous = bar.bar;
    }
    const auto count = static_cast<std::int64_t>(played.size());
    const Plist whole = Plist::make_dictionary({{"Begin", Plist::make_integer(1)},
                                                {"End", Plist::make_integer(count)},
                                                {"Repeats", Plist::make_integer(1)}});
    return chart.with("Chords", Plist::make_array(std::move(played))).with("Chorus", whole);
}

}  // namespace zub
