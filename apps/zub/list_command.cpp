// "zub list" prints the songs of a chart file, one line each, for scripts
// and for choosing the --song of the other commands.
#include <CLI/CLI.hpp>

#include <memory>

#include "apps/zub/chart_io.h"
#include "apps/zub/command.h"
#include "bridge/playlist.h"

namespace zub::cli {

namespace {

void print_listing(std::ostream& out, const SongListing& song) {
    out << song.number << '\t' << song.title << '\t';
    if (!song.reason.empty()) {
        out << "cannot be read: " << song.reason << '\n';
        return;
    }
    out << song.composer << '\t' << song.key << '\t' << song.style << '\t' << song.bars << '\n';
}

int list(const std::string& file, Io io) {
    return run_chart_command(io, [&] {
        for (const SongListing& song : about(file, [&] { return listChartFile(file, template_font()); }))
            print_listing(io.out, song);
        return exit_ok;
    });
}

Action declare_list(CLI::App& command) {
    auto file = std::make_shared<std::string>();
    command.add_option("FILE", *file, "the chart file or playlist")->required();
    return [file](Io io) { return list(*file, io); };
}

}  // namespace

const Command list_command = {
    "list", "FILE", "list the songs of a playlist (or of any chart file)",
    "Prints one line per song, its fields separated by tabs: the number (from\n"
    "1, as --song takes it), title, composer, key, style and bars as played.\n"
    "A song that cannot be read shows its number, its title and\n"
    "'cannot be read: REASON' instead. FILE is anything 'zub show' reads; a\n"
    "chart that is no playlist lists as its one song.\n",
    declare_list};

}  // namespace zub::cli
