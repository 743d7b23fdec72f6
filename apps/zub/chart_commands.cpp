// "zub show" prints a chart as a text chart; "zub transpose" writes it in
// another key. Show can give the part for a B♭, E♭ or F instrument.
#include <CLI/CLI.hpp>

#include <memory>
#include <optional>

#include "apps/zub/chart_io.h"
#include "apps/zub/command.h"
#include "apps/zub/song_option.h"
#include "bridge/bridge_exception.h"
#include "bridge/entry_points.h"
#include "bridge/latin1.h"
#include "bridge/played_form.h"
#include "bridge/transposition.h"

namespace zub::cli {

namespace {

struct Show_options {
    std::string file;
    std::size_t song = 0;
    Part_option part;
    bool played = false;
    std::optional<int> choruses;
};

int show(const Show_options& options, Io io) {
    return run_chart_command(io, [&] {
        const Plist written = read_part(options.file, options.song, options.part);
        const Plist chart =
            options.played ? about(options.file, [&] { return playedChart(written, options.choruses); }) : written;
        io.out << latin1_to_utf8(about(options.file, [&] { return Entry_points::kelwriter_write_chart(chart); }));
        return exit_ok;
    });
}

Action declare_show(CLI::App& command) {
    auto options = std::make_shared<Show_options>();
    command.add_option("FILE", options->file, "the chart file")->required();
    add_song_option(command, options->song);
    add_part_option(command, options->part);
    CLI::Option* played =
        command.add_flag("--played", options->played, "print the chart as played, every bar in playing order");
    command.add_option("--choruses", options->choruses, "with --played: how many times the chorus is played")
        ->option_text("N")
        ->check(CLI::Range(1, 999))
        ->needs(played);
    return [options](Io io) { return show(*options, io); };
}

struct Transpose_options {
    std::string in, out, to;
    std::size_t song = 0;
    int by = 0;
};

// Refused before anything is read: "--to H".
std::string known_key(const std::string& name) {
    try {
        transposedKeyName(name, 0);
        return {};
    } catch (const Bridge_exception& e) {
        return e.reason();
    }
}

int transpose(const Transpose_options& options, bool by_semitones, Io io) {
    return run_chart_command(io, [&] {
        const Plist chart = read_chart_file(options.in, options.song);
        const Plist moved = about(options.in, [&] {
            return by_semitones ? transposeChartBy(chart, options.by) : transposeChartTo(chart, options.to);
        });
        write_chart(io, options.out, moved);
        return exit_ok;
    });
}

Action declare_transpose(CLI::App& command) {
    auto options = std::make_shared<Transpose_options>();
    command.add_option("FILE", options->in, "the chart file to read")->required();
    add_song_option(command, options->song);
    CLI::Option* to = command
                          .add_option("--to", options->to,
                                      "the key to move the chart to, written as musicians write it (D# gives Eb)")
                          ->option_text("KEY")
                          ->check(CLI::Validator(known_key, "", "KEY"));
    CLI::Option* by = command.add_option("--by", options->by, "move the chart up (or down) N semitones")
                          ->option_text("N")
                          ->check(CLI::Range(-11, 11));
    to->excludes(by);
    command.add_option("-o,--output", options->out, "the file to write: .zub, .txt, .sgX, .html, .musicxml")
        ->option_text("OUT")
        ->required()
        ->check(CLI::Validator(known_output_format, "", "OUT"));
    command.callback([to, by] {
        if (to->count() == 0 && by->count() == 0) throw CLI::RequiredError("--to or --by");
    });
    return [options, by](Io io) { return transpose(*options, by->count() > 0, io); };
}

}  // namespace

const Command show_command = {
    "show", "FILE [--song N] [--for Bb|Eb|F] [--played [--choruses N]]", "print a chart as a text chart",
    "FILE is a chart document (.zub), a text chart, a BiaB song file (.sgX,\n"
    ".mgX), a file holding iReal Pro links (.txt, .html) or a bare irealb://\n"
    "link. --song N reads song N of a playlist (see 'zub list'). Key centers,\n"
    "the font and the form's marks (repeats, endings, D.C./D.S.) are not part\n"
    "of a text chart: the bars are printed as written.\n"
    "--played prints the chart as played instead: every bar in playing order,\n"
    "the chorus played N times (--choruses N; the chart's own count without it).\n"
    "--for prints the part for a Bb instrument (a major second up), an Eb\n"
    "instrument (a major sixth up) or an F instrument (a fifth up).\n",
    declare_show};

const Command transpose_command = {
    "transpose", "FILE [--song N] (--to KEY | --by N) -o OUT", "move a chart to another key",
    "--to names the new key (Eb, F#m); --by N moves the chart N semitones\n"
    "(-11 to 11) to the key there with the fewest accidentals. Each key-center\n"
    "area (stored, or found by the analysis) moves to its own key as musicians\n"
    "write it, its roots and bass notes keeping their interval to the area's\n"
    "tonic; chord types stay. OUT's extension chooses the format, as for\n"
    "'zub convert'.\n",
    declare_transpose};

}  // namespace zub::cli
