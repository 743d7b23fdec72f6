// What the chart commands (show, convert, transpose) share: reading one chart
// (with --song and --for), the output formats OUT's extension names, and one
// way of reporting a file that cannot be read or written.
#pragma once

#include <cstddef>
#include <string>

#include "apps/zub/command.h"
#include "bridge/bridge_exception.h"
#include "bridge/plist.h"
#include "bridge/playlist.h"
#include "bridge/transposition.h"

namespace zub::cli {

// A chart that cannot be read or written: "FILE: reason".
struct Chart_error {
    std::string message;
};

// about(file, step) runs step, turning a Bridge_exception into Chart_error
// "file: reason"; a bare iReal Pro link, which may run to pages, is named "the link".
template <typename Step>
auto about(const std::string& file, Step step) {
    try {
        return step();
    } catch (const Bridge_exception& e) {
        throw Chart_error{(isIrealLink(file) ? std::string("the link") : file) + ": " + e.reason()};
    }
}

// run_chart_command(io, body) -> body's status, or 1 after printing a Chart_error.
template <typename Body>
int run_chart_command(Io io, Body&& body) {
    try {
        return body();
    } catch (const Chart_error& e) {
        io.err << e.message << '\n';
        return exit_failed;
    }
}

// The font description of charts read from files that carry none.
const Plist& template_font();

// Song N of path (0: its only song); Chart_error when it cannot be read.
Plist read_chart_file(const std::string& path, std::size_t song);

// The instrument of "--for": empty for concert pitch.
struct Part_option {
    std::string instrument;
    Instrument value() const { return instrument.empty() ? Instrument::concert : instrumentOfName(instrument); }
};

void add_part_option(CLI::App& command, Part_option& part);

// The part of a chart read as above.
Plist read_part(const std::string& path, std::size_t song, const Part_option& part);
Plist part_of(const std::string& path, const Plist& chart, const Part_option& part);

enum class Output_kind { document, text, biab, ireal_page, musicxml, folder, unknown };

// output_kind("out/") -> folder (so is an existing folder), "x.html" -> ireal_page,
// "x.musicxml" or "x.xml" -> musicxml, "x.zub" -> document, "x.txt" -> text, "x.sg1" -> biab.
Output_kind output_kind(const std::string& path);

// Refused before anything is read: "cannot tell the output format of 'x.doc': use ...".
std::string known_output_format(const std::string& path);

// Writes one chart in the format out's extension names (not a folder);
// analysed puts roman numerals into MusicXML. A chord BiaB has no code for is
// written as the nearest one, with a line on io.err:
// "out.sgu: warning: Bdim7 in bar 9 written as B:b3.b5, the nearest BiaB chord".
void write_chart(Io io, const std::string& out, const Plist& chart, bool analysed = false);

}  // namespace zub::cli
