// "zub analyze" finds the key centers of a chart (or takes them from --keys)
// and shows every chord's roman numeral, the arrows from dominants to their
// resolutions and the ii-V brackets, bar by bar; --plist prints the result as
// a property list instead.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <memory>

#include "apps/zub/command.h"
#include "apps/zub/song_option.h"
#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/analysis_result.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "bridge/playlist.h"
#include "bridge/plist_io.h"

namespace zub::cli {

namespace {

constexpr std::size_t bars_per_line = 4;

struct Options {
    std::string file;
    std::size_t song = 0;  // 0: the file's only song
    bool plist = false;
    std::string keys_text;  // empty: the key centers are found
    Plist::Array keys;
};

// "F:16,Dm:8" -> ({Key F, Beats 16}, {Key Dm, Beats 8}); false when malformed.
bool parse_keys(std::string_view text, Plist::Array& keys) {
    while (!text.empty()) {
        const auto end = text.find(',');
        const std::string_view item = text.substr(0, end);
        const auto colon = item.find(':');
        if (colon == std::string_view::npos || colon == 0) return false;
        int beats = 0;
        const std::string_view number = item.substr(colon + 1);
        auto [stop, error] = std::from_chars(number.data(), number.data() + number.size(), beats);
        if (number.empty() || error != std::errc() || stop != number.data() + number.size() || beats <= 0) return false;
        keys.push_back(Plist::make_dictionary({{"Key", Plist::make_string(std::string(item.substr(0, colon)))},
                                               {"Beats", Plist::make_integer(beats)}}));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return !keys.empty();
}

std::size_t display_width(std::string_view text) {
    std::size_t width = 0;
    for (unsigned char c : text) width += (c & 0xC0) != 0x80;
    return width;
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - display_width(text), ' ');
}

const char* arrow_mark(ArrowKind kind) {
    switch (kind) {
        case ArrowKind::none: return "";
        case ArrowKind::solid: return " ->";
        case ArrowKind::dotted: return " ~>";
        case ArrowKind::passthru1:
        case ArrowKind::passthru2: return " =>";
    }
    return "";
}

// One slot of the printed analysis.
struct Cell {
    std::string key, chord, roman;
    char bracket = ' ';  // '[' starts a bracket, ']' ends it, '-' or '.' runs under it
    char fill = ' ';     // '-' for a solid bracket, '.' for a dotted one
};

// One cell per annotated slot; an arrow, key or bracket beyond the annotations is left out.
std::vector<Cell> cells_of(const AnalysisResult& analysis) {
    std::vector<Cell> cells(analysis.annotations.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i].chord = analysis.annotations[i].chord;
        cells[i].roman = analysis.annotations[i].roman;
        if (i < analysis.arrows.size()) cells[i].roman += arrow_mark(analysis.arrows[i].kind);
        if (i < analysis.keyChanges.size() && !analysis.keyChanges[i].empty())
            cells[i].key = "[" + replaceWithUnicodeSharpsAndFlats(analysis.keyChanges[i]) + "]";
    }
    // A bracket runs under the slots from the ii chord to its V.
    for (std::size_t i = 0; i < analysis.brackets.size() && i < cells.size(); ++i) {
        const AnalysisBracket& bracket = analysis.brackets[i];
        if (bracket.kind == BracketKind::none || !bracket.destination) continue;
        const auto end = static_cast<std::size_t>(*bracket.destination);
        const char fill = bracket.kind == BracketKind::solid ? '-' : '.';
        for (std::size_t k = i; k <= end && k < cells.size(); ++k) {
            cells[k].bracket = k == i ? '[' : k == end ? ']' : fill;
            cells[k].fill = fill;
        }
    }
    return cells;
}

// The bracket under one slot: "[---", "----", "]   ".
std::string bracket_cell(const Cell& c, std::size_t width) {
    if (c.bracket == ' ') return std::string(width, ' ');
    if (c.bracket == ']') return "]" + std::string(width - 1, ' ');
    return std::string(1, c.bracket) + std::string(width - 1, c.fill);
}

void print_line(std::ostream& out, const std::vector<Cell>& cells, const std::vector<bool>& barlines,
                std::size_t from, std::size_t to) {
    std::string rows[4];
    for (std::size_t i = from; i < to && i < cells.size(); ++i) {
        const Cell& c = cells[i];
        const std::size_t width =
            std::max({display_width(c.key), display_width(c.chord), display_width(c.roman), std::size_t{1}}) + 1;
        if (i < barlines.size() && barlines[i]) {
            const bool inside = c.bracket != ' ' && c.bracket != '[';
            rows[0] += "  ";
            rows[1] += "| ";
            rows[2] += "  ";
            rows[3] += std::string(2, inside ? c.fill : ' ');
        }
        rows[0] += padded(c.key, width);
        rows[1] += padded(c.chord, width);
        rows[2] += padded(c.roman, width);
        rows[3] += bracket_cell(c, width);
    }
    rows[1] += "|";
    for (const auto& row : rows) {
        auto end = row.find_last_not_of(' ');
        if (end != std::string::npos) out << row.substr(0, end + 1) << '\n';
    }
}

void print_analysis(std::ostream& out, const Plist& centers, const Plist& analysis, const std::vector<bool>& barlines) {
    out << "Key centers:";
    for (const Plist& center : centers.as_array())
        out << ' ' << replaceWithUnicodeSharpsAndFlats(center.string_at("Key")) << " (" << center.integer_at("Beats")
            << " beats)";
    out << "\n\n";
    const std::vector<Cell> cells = cells_of(analysisResultOf(analysis));
    std::vector<std::size_t> bar_starts;
    for (std::size_t i = 0; i < barlines.size(); ++i)
        if (barlines[i]) bar_starts.push_back(i);
    for (std::size_t b = 0; b < bar_starts.size(); b += bars_per_line) {
        const std::size_t to = b + bars_per_line < bar_starts.size() ? bar_starts[b + bars_per_line] : cells.size();
        print_line(out, cells, barlines, bar_starts[b], to);
        out << '\n';
    }
}

int analyze(const Options& options, Io io) {
    const bool given_keys = !options.keys.empty();
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    const char* failure = given_keys ? "Kov cannot show the analysis for this chart (" : "Kov cannot analyze this chart (";
    try {
        const Plist chart = openChartSong(options.file, font, options.song);
        const Plist::Array& bars = chart.array_at("Chords");
        const Plist centers = given_keys ? Plist::make_array(options.keys) : kov_partition(bars);
        const Annotated_chart annotated = kov_annotate_with_barlines(bars, centers.as_array());
        if (options.plist)
            io.out << write_xml_plist(Plist::make_dictionary({{"KeyCenters", centers}, {"Analysis", annotated.analysis}}));
        else
            print_analysis(io.out, centers, annotated.analysis, annotated.barlines);
        return exit_ok;
    } catch (const Bridge_exception& e) {
        io.err << failure << e.reason() << ")\n";
    }
    return exit_failed;
}

Action declare_analyze(CLI::App& command) {
    auto options = std::make_shared<Options>();
    command.add_option("FILE", options->file, "the chart file")->required();
    add_song_option(command, options->song);
    command.add_option("--keys", options->keys_text, "the key centers to annotate under")
        ->type_name("KEY:BEATS,...")
        ->check(CLI::Validator(
            [](const std::string& text) {
                Plist::Array keys;
                return parse_keys(text, keys) ? std::string()
                                              : "wants KEY:BEATS,... with whole beats, not '" + text + "'";
            },
            "", "KEY:BEATS,..."));
    command.add_flag("--plist", options->plist, "print a property list");
    return [options](Io io) {
        if (!options->keys_text.empty()) parse_keys(options->keys_text, options->keys);
        return analyze(*options, io);
    };
}

}  // namespace

const Command analyze_command = {
    "analyze", "FILE [--song N] [--keys KEY:BEATS,...] [--plist]", "show the harmonic analysis of a chart",
    "Finds the key centers of the chart and shows each chord's roman numeral in\n"
    "its key, bar by bar: '->' marks a dominant resolving down a fifth, '~>' a\n"
    "tritone substitute, '=>' a resolution through a passing chord; a bracket\n"
    "line [---] runs under each ii-V ([...] when the ii is not a fifth above).\n"
    "--keys F:16,Dm:8 annotates under the given key centers instead.\n"
    "--plist prints the key centers and the analysis as a property list.\n",
    declare_analyze};

}  // namespace zub::cli
