#include "apps/zub/chart_io.h"

#include <CLI/CLI.hpp>

#include <filesystem>

#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/musicxml_export.h"
#include "bridge/my_constants.h"
#include "bridge/played_form.h"
#include "bridge/playlist.h"

namespace zub::cli {

const Plist& template_font() { return MyConstants::shared().newDocumentChartTemplate().at("Font"); }

Plist read_chart_file(const std::string& path, std::size_t song) {
    return about(path, [&] { return openChartSong(path, template_font(), song); });
}

namespace {

// Refused before anything is read: "--for G".
std::string known_instrument(const std::string& name) {
    try {
        instrumentOfName(name);
        return {};
    } catch (const Bridge_exception& e) {
        return e.reason();
    }
}

}  // namespace

void add_part_option(CLI::App& command, Part_option& part) {
    command.add_option("--for", part.instrument, "show the part for a Bb, Eb or F instrument")
        ->option_text("Bb|Eb|F")
        ->check(CLI::Validator(known_instrument, "", "INSTRUMENT"));
}

Plist part_of(const std::string& path, const Plist& chart, const Part_option& part) {
    return about(path, [&] { return partForInstrument(chart, part.value()); });
}

Plist read_part(const std::string& path, std::size_t song, const Part_option& part) {
    return part_of(path, read_chart_file(path, song), part);
}

Output_kind output_kind(const std::string& path) {
    if (path.ends_with('/') || std::filesystem::is_directory(path)) return Output_kind::folder;
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".zub") return Output_kind::document;
    if (extension == ".txt") return Output_kind::text;
    if (extension == ".html" || extension == ".htm") return Output_kind::ireal_page;
    if (extension == ".musicxml" || extension == ".xml") return Output_kind::musicxml;
    if (isBiabFileName(path)) return Output_kind::biab;
    return Output_kind::unknown;
}

std::string known_output_format(const std::string& path) {
    if (output_kind(path) != Output_kind::unknown) return {};
    return "cannot tell the output format of '" + path + "': use .zub, .txt, .sgX, .html, .musicxml or a folder/";
}

void write_chart(Io io, const std::string& out, const Plist& chart, bool analysed) {
    about(out, [&] {
        switch (output_kind(out)) {
        case Output_kind::document:
            saveChartDocument(out, chart);
            break;
        case Output_kind::text:
            // A text chart has no repeat signs: it gets the chart as played.
            writeFileAtomically(out, Entry_points::kelwriter_write_chart(hasForm(chart) ? playedChart(chart) : chart));
            break;
        case Output_kind::ireal_page:
            writeFileAtomically(out, irealHtml({chart}, ""));
            break;
        case Output_kind::musicxml:
            writeFileAtomically(out, analysed ? analysedMusicXmlOfChart(chart) : musicXmlOfChart(chart));
            break;
        case Output_kind::biab: {
            const Entry_points::Biab_song song = Entry_points::biabwriter_write_chart(chart);
            writeFileAtomically(out, std::string(song.bytes.begin(), song.bytes.end()));
            for (const auto& approximation : song.approximations)
                io.err << out << ": warning: " << Entry_points::approximationLine(approximation)
                       << ", the nearest BiaB chord\n";
            break;
        }
        case Output_kind::folder:
        case Output_kind::unknown:
            throw Bridge_exception("write_chart", "Not a chart file: " + out);
        }
        return 0;
    });
}

}  // namespace zub::cli
