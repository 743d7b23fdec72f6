#include "apps/zub/playback_options.h"

#include <CLI/CLI.hpp>

#include <charconv>

#include "apps/zub/seed_option.h"
#include "apps/zub/song_option.h"

namespace zub::cli {

namespace {

std::optional<int> bar_number(std::string_view text) {
    int bar = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), bar);
    if (error != std::errc() || end != text.data() + text.size() || bar < 1) return std::nullopt;
    return bar;
}

}  // namespace

std::optional<std::pair<int, int>> bar_range_of(const std::string& text) {
    const std::size_t dash = text.find('-');
    const auto first = bar_number(std::string_view(text).substr(0, dash));
    const auto last = dash == std::string::npos ? first : bar_number(std::string_view(text).substr(dash + 1));
    if (!first || !last || *last < *first) return std::nullopt;
    return std::pair{*first, *last};
}

void add_playback_options(CLI::App& command, Playback_options& options) {
    command.add_option("FILE", options.file, "the chart file")->required();
    add_song_option(command, options.song);
    add_seed_option(command, options.seed_text);
    command.add_option("--tempo", options.tempo_bpm, "beats a minute, instead of the chart's tempo (the first pass's)")
        ->type_name("BPM")
        ->check(CLI::Range(20.0, 400.0));
    command.add_option("--soundfont", options.soundfont, "the General MIDI SoundFont to play with")
        ->type_name("PATH");
    command.add_option("--bars", options.bars, "play only these bars of the chart (their first playing)")
        ->type_name("FIRST-LAST")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return bar_range_of(text) ? std::string() : "wants FIRST-LAST, bars from 1, not '" + text + "'";
            },
            "", "FIRST-LAST"));
    command.add_option("--passes", options.passes, "play the bars (or the chart) this many times, then stop")
        ->type_name("N")
        ->check(CLI::Range(1, 999));
    command.add_option("--tempo-step", options.tempo_step_bpm, "add this to the tempo at each pass (up to 400)")
        ->type_name("BPM")
        ->check(CLI::Range(-200.0, 200.0));
    command.add_option("--count-in", options.count_in_bars, "bars of clicks before the first bar")
        ->type_name("0|1|2")
        ->check(CLI::IsMember({0, 1, 2}));
    command.add_flag("--count-in-each-pass", options.count_in_each_pass, "the count-in again before every pass");
}

}  // namespace zub::cli
