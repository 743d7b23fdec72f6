#include "bridge/played_form.h"

#include <algorithm>
#include <string>

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

// The time signature in force at each written bar; none where the chart's meter holds.
std::vector<std::optional<Time_signature>> written_times(const std::vector<Bar_form>& forms) {
    std::vector<std::optional<Time_signature>> times;
    times.reserve(forms.size());
    std::optional<Time_signature> in_force;
    for (const Bar_form& form : forms) {
        if (form.time) in_force = form.time;
        times.push_back(in_force);
    }
    return times;
}

// The chart's meter as a time signature, for a played bar that returns to it.
std::optional<Time_signature> meter_signature(const Plist& chart) {
    const std::int64_t meter = chart.dictionary_at("Style").integer_at("Meter");
    if (meter < 2 || meter > 7) return std::nullopt;
    return Time_signature::of_beats(static_cast<int>(meter));
}

Plist with_first_chord(const Plist& bar, const std::string& carried) {
    const Plist::Array& slots = bar.array_at("Chords");
    if (!slots.front().as_string().empty() || carried.empty()) return bar;
    Plist::Array filled = slots;
    filled.front() = Plist::make_string(carried);
    return bar.with("Chords", Plist::make_array(std::move(filled)));
}

}  // namespace

bool hasForm(const Plist& chart) {
    for (const Plist& bar : chart.array_at("Chords"))
        if (!barFormOf(bar).empty()) return true;
    return false;
}

namespace {

std::vector<PlayedBar> played_bars(const Plist& chart, const std::vector<Bar_form>& forms, std::optional<int> choruses) {
    const Plist& chorus = chart.dictionary_at("Chorus");
    const auto bars = static_cast<std::int64_t>(forms.size());
    const std::int64_t end = chorus.integer_at("End");
    const Chorus_range range{clamped(chorus.integer_at("Begin")), clamped(end == chorus_end_of_chart ? bars : end),
                             choruses ? *choruses : clamped(chorus.integer_at("Repeats"))};
    std::vector<PlayedBar> played;
    for (const Played_bar& bar : play_form(forms, range)) played.push_back({static_cast<std::size_t>(bar.bar), bar.pass});
    return played;
}

}  // namespace

std::vector<PlayedBar> playedBars(const Plist& chart, std::optional<int> choruses) {
    return played_bars(chart, forms_of(chart.array_at("Chords")), choruses);
}

Plist playedChart(const Plist& chart, std::optional<int> choruses) {
    const Plist::Array& bars = chart.array_at("Chords");
    const std::vector<Bar_form> forms = forms_of(bars);
    const std::vector<std::string> carried = written_carried(bars);
    const auto times = written_times(forms);
    const std::optional<Time_signature> meter = meter_signature(chart);
    Plist::Array played;
    std::size_t previous = bars.size();
    std::optional<Time_signature> in_force;
    for (const PlayedBar& bar : played_bars(chart, forms, choruses)) {
        // In writing order a bar's empty first slot continues the bar before anyway.
        const bool follows = bar.bar == previous + 1;
        Plist one = withBarForm(follows ? bars[bar.bar] : with_first_chord(bars[bar.bar], carried[bar.bar]), {});
        // The meter where it changes in playing order.
        const std::optional<Time_signature> time = times[bar.bar] ? times[bar.bar] : meter;
        if (time != in_force && !(played.empty() && time == meter)) {
            Bar_form marks;
            marks.time = time;
            one = withBarForm(one, marks);
        }
        in_force = time;
        played.push_back(std::move(one));
        previous = bar.bar;
    }
    const auto count = static_cast<std::int64_t>(played.size());
    const Plist whole = Plist::make_dictionary({{"Begin", Plist::make_integer(1)},
                                                {"End", Plist::make_integer(count)},
                                                {"Repeats", Plist::make_integer(1)}});
    return chart.with("Chords", Plist::make_array(std::move(played))).with("Chorus", whole);
}

}  // namespace zub
