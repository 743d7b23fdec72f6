// "zub midi" writes the accompaniment of a chart (drums, piano, bass after a
// two-bar count-in) to a Standard MIDI File. --seed N repeats a run exactly,
// as ZUB_SEED does; the seed used is reported so that any run can be repeated.
#include <CLI/CLI.hpp>

#include <memory>

#include "apps/zub/command.h"
#include "apps/zub/song_option.h"
#include "apps/zub/seed_option.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/generation.h"
#include "bridge/my_constants.h"
#include "bridge/playlist.h"
#include "bridge/style_names.h"

namespace zub::cli {

namespace {

constexpr const char* failure = "ZUB cannot generate accompaniment for this chart (";

struct Options {
    std::string file;
    std::size_t song = 0;  // 0: the file's only song
    std::string output;
    std::string seed_text;  // empty: the generator's own seed
    std::string style;      // empty: the chart's own
};

int generate(const Options& options, Io io) {
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    try {
        const Plist opened = openChartSong(options.file, font, options.song);
        const Plist chart = options.style.empty() ? opened : chartWithStyle(opened, *styleCodeOfName(options.style));
        if (const auto seed = Entry_points::zub2lite_seed_of(options.seed_text)) Entry_points::zub2lite_init_random_with(*seed);
        const Plist::Data bytes = Entry_points::zub2lite_gen(chart);
        writeFileAtomically(options.output, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        io.err << "seed " << Entry_points::zub2lite_seed() << "\n";
        return exit_ok;
    } catch (const Bridge_exception& e) {
        io.err << failure << e.reason() << ")\n";
    }
    return exit_failed;
}

Action declare_midi(CLI::App& command) {
    auto options = std::make_shared<Options>();
    command.add_option("FILE", options->file, "the chart file")->required();
    add_song_option(command, options->song);
    command.add_option("-o", options->output, "the MIDI file to write")->type_name("OUT.mid")->required();
    add_seed_option(command, options->seed_text);
    command.add_option("--style", options->style, "play the chart in this style")
        ->type_name("NAME")
        ->check(CLI::IsMember(styleNames()));
    return [options](Io io) { return generate(*options, io); };
}

}  // namespace

const Command midi_command = {
    "midi", "FILE [--song N] -o OUT.mid [--seed N] [--style NAME]", "write the accompaniment of a chart as a MIDI file",
    "Generates drums, piano and bass for the chart after a two-bar count-in and\n"
    "writes them as a Standard MIDI File. The style follows the chart (or --style):\n"
    "Swing, Bossa Nova, Ballad, Two-Feel, Even 8ths, Latin, Funk or Shuffle in 4/4;\n"
    "a chart in 3/4 is played as a jazz waltz; 2/4, 5/4 (3+2), 6/4 (3+3) and 7/4\n"
    "(4+3) swing, or play even eighths in a straight style; other meters are\n"
    "refused. The seed used is printed on standard error; --seed N (or the\n"
    "environment variable ZUB_SEED) repeats a run exactly.\n",
    declare_midi};

}  // namespace zub::cli
