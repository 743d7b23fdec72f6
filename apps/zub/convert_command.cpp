// "zub convert" writes a chart as a chart document, a text chart, a BiaB
// file, an iReal Pro page or MusicXML; a playlist into a folder of chart
// documents; and a folder of charts into one iReal Pro playlist.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "apps/zub/chart_io.h"
#include "apps/zub/command.h"
#include "apps/zub/song_option.h"
#include "bridge/chart_document.h"
#include "bridge/playlist.h"

namespace zub::cli {

namespace {

namespace fs = std::filesystem;

struct Options {
    std::string in, out;
    std::size_t song = 0;
    Part_option part;
    bool analyze = false;
};

// One skipped song on standard error: "0007 Giant Steps: 5/4 time is not supported".
void report_skipped(Io io, std::size_t number, const std::string& title, const std::string& reason) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%04zu", number);
    io.err << digits << ' ' << title << ": " << reason << '\n';
}

// Every song of a playlist (or the one chart of another file) as NNNN-Title.zub in the folder.
int convert_to_folder(const Options& options, Io io) {
    const fs::path folder(options.out);
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) throw Chart_error{options.out + ": Can't create folder"};
    const std::optional<Playlist> playlist = about(options.in, [&] { return openPlaylist(options.in); });
    if (!playlist) {
        const Plist chart = read_part(options.in, options.song, options.part);
        write_chart(io, (folder / songFileName(1, chart.string_at("Name"))).string(), chart);
        return exit_ok;
    }
    const std::size_t first = options.song == 0 ? 1 : options.song;
    const std::size_t last = options.song == 0 ? playlist->size() : options.song;
    bool skipped = false;
    struct Song {
        std::size_t number;
        std::string title;
    };
    std::vector<Song> songs;
    std::vector<File_to_write> files;
    for (std::size_t number = first; number <= last; ++number) {
        const std::string title = about(options.in, [&] { return playlist->title(number); });
        try {
            const Plist chart = partForInstrument(playlist->chart(number, template_font()), options.part.value());
            files.push_back({(folder / songFileName(number, title)).string(), chartDocumentBytes(chart)});
            songs.push_back({number, title});
        } catch (const Bridge_exception& e) {
            report_skipped(io, number, title, e.reason());
            skipped = true;
        }
    }
    // All files in one batch: a thousand songs cost one sync of the disk, not a thousand.
    const std::vector<std::string> failures = writeFilesAtomically(files);
    for (std::size_t k = 0; k < failures.size(); ++k) {
        if (failures[k].empty()) continue;
        report_skipped(io, songs[k].number, songs[k].title, failures[k]);
        skipped = true;
    }
    return skipped ? exit_failed : exit_ok;
}

// The folder's name, also for "songs/" and "songs/.".
std::string folder_name(const std::string& path) {
    const fs::path absolute = fs::absolute(fs::path(path)).lexically_normal();
    const fs::path name = absolute.has_filename() ? absolute.filename() : absolute.parent_path().filename();
    return name.string();
}

// Every chart file of a folder, in the order of their names, as one playlist named after the folder.
int convert_folder_to_page(const Options& options, Io io) {
    std::vector<fs::path> files;
    std::error_code error, not_there;
    for (const auto& entry : fs::directory_iterator(options.in, error))
        if (entry.is_regular_file() && isChartFileName(entry.path().string()) &&
            !fs::equivalent(entry.path(), options.out, not_there))
            files.push_back(entry.path());
    if (error) throw Chart_error{options.in + ": Can't read folder"};
    std::sort(files.begin(), files.end());
    std::vector<Plist> charts;
    bool skipped = false;
    for (const fs::path& file : files) {
        try {
            charts.push_back(partForInstrument(openChartFile(file.string(), template_font()), options.part.value()));
        } catch (const Bridge_exception& e) {
            io.err << file.string() << ": " << e.reason() << '\n';
            skipped = true;
        }
    }
    if (charts.empty()) throw Chart_error{options.in + ": No chart in this folder"};
    about(options.out, [&] { return (writeFileAtomically(options.out, irealHtml(charts, folder_name(options.in))), 0); });
    return skipped ? exit_failed : exit_ok;
}

// Every readable song of a playlist into one page of the same name (a song that
// cannot be read is reported as for a folder). false when IN holds no playlist of several songs.
bool convert_playlist_to_page(const Options& options, Io io, int& status) {
    const std::optional<Playlist> playlist = about(options.in, [&] { return openPlaylist(options.in); });
    if (!playlist || playlist->size() < 2) return false;
    std::vector<Plist> charts;
    status = exit_ok;
    for (std::size_t number = 1; number <= playlist->size(); ++number) {
        try {
            charts.push_back(partForInstrument(playlist->chart(number, template_font()), options.part.value()));
        } catch (const Bridge_exception& e) {
            report_skipped(io, number, playlist->title(number), e.reason());
            status = exit_failed;
        }
    }
    if (charts.empty()) throw Chart_error{options.in + ": No song of this playlist can be read"};
    about(options.out, [&] { return (writeFileAtomically(options.out, irealHtml(charts, playlist->name())), 0); });
    return true;
}

int convert(const Options& options, Io io) {
    return run_chart_command(io, [&] {
        const Output_kind kind = output_kind(options.out);
        if (options.analyze && kind != Output_kind::musicxml)
            throw Chart_error{"--analyze goes with MusicXML output (.musicxml) only"};
        if (kind == Output_kind::folder) return convert_to_folder(options, io);
        if (fs::is_directory(options.in)) {
            if (kind != Output_kind::ireal_page) throw Chart_error{options.in + ": a folder converts to an .html playlist only"};
            return convert_folder_to_page(options, io);
        }
        if (int status = exit_ok; kind == Output_kind::ireal_page && options.song == 0 &&
                                  convert_playlist_to_page(options, io, status))
            return status;
        write_chart(io, options.out, read_part(options.in, options.song, options.part), options.analyze);
        return exit_ok;
    });
}

Action declare_convert(CLI::App& command) {
    auto options = std::make_shared<Options>();
    command.add_option("IN", options->in, "the chart file (or folder) to read")->required();
    command.add_option("OUT", options->out, "the file or folder to write")
        ->required()
        ->check(CLI::Validator(known_output_format, "", "OUT"));
    add_song_option(command, options->song);
    add_part_option(command, options->part);
    command.add_flag("--analyze", options->analyze, "put the roman numerals of the analysis into MusicXML");
    return [options](Io io) { return convert(*options, io); };
}

}  // namespace

const Command convert_command = {
    "convert", "IN OUT [--song N] [--for Bb|Eb|F] [--analyze]", "convert charts between formats",
    "IN is any chart file zub can read (see 'zub show'), or a folder of charts.\n"
    "OUT's extension chooses the format: .zub a chart document, .txt a text\n"
    "chart, .sgX or .mgX a BiaB song file, .html an iReal Pro playlist page,\n"
    ".musicxml (or .xml) MusicXML 4.0, with --analyze carrying each chord's\n"
    "roman numeral. A file is replaced only when all of it could be written.\n"
    "OUT a folder (one that exists, or a name ending in '/'): every song of\n"
    "the playlist IN becomes a chart document there, named 0042-Title.zub;\n"
    "a song that cannot be converted is reported on standard error as\n"
    "'0042 Title: reason', the others are still written, and the exit\n"
    "status is 1. IN a playlist and OUT .html: its songs in a page of the same\n"
    "name. IN a folder and OUT .html: every chart file of the folder (.zub,\n"
    ".txt, .html, .sgX) in one playlist named after the folder.\n"
    "--song N converts song N of a playlist only.\n"
    "--for writes the part for a Bb, Eb or F instrument instead of concert pitch.\n",
    declare_convert};

}  // namespace zub::cli
