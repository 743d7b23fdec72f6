// "zub show" prints a chart as a text chart; "zub convert" writes it as a
// chart document, a text chart or a BiaB file; "zub transpose" writes it in
// another key. Show and convert can give the part for a B♭, E♭ or F instrument.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>

#include "apps/zub/command.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/latin1.h"
#include "bridge/my_constants.h"
#include "bridge/transposition.h"

namespace zub::cli {

namespace {

// A chart that cannot be read or written: "FILE: reason".
struct Chart_error {
    std::string message;
};

template <typename Step>
auto about(const std::string& file, Step step) {
    try {
        return step();
    } catch (const Bridge_exception& e) {
        throw Chart_error{file + ": " + e.reason()};
    }
}

Plist read_chart_file(const std::string& path) {
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    return about(path, [&] { return openChartFile(path, font); });
}

int run_chart_command(Io io, auto&& body) {
    try {
        return body();
    } catch (const Chart_error& e) {
        io.err << e.message << '\n';
        return exit_failed;
    }
}

// The instrument of "--for": empty for concert pitch.
struct Part_option {
    std::string instrument;
    Instrument value() const { return instrument.empty() ? Instrument::concert : instrumentOfName(instrument); }
};

// Refused before anything is read: "--for G".
std::string known_instrument(const std::string& name) {
    try {
        instrumentOfName(name);
        return {};
    } catch (const Bridge_exception& e) {
        return e.reason();
    }
}

void add_part_option(CLI::App& command, Part_option& part) {
    command.add_option("--for", part.instrument, "show the part for a Bb, Eb or F instrument")
        ->option_text("Bb|Eb|F")
        ->check(CLI::Validator(known_instrument, "", "INSTRUMENT"));
}

Plist read_part(const std::string& path, const Part_option& part) {
    const Plist chart = read_chart_file(path);
    return about(path, [&] { return partForInstrument(chart, part.value()); });
}

int show(const std::string& file, const Part_option& part, Io io) {
    return run_chart_command(io, [&] {
        const Plist chart = read_part(file, part);
        io.out << latin1_to_utf8(about(file, [&] { return Entry_points::kelwriter_write_chart(chart); }));
        return exit_ok;
    });
}

Action declare_show(CLI::App& command) {
    auto file = std::make_shared<std::string>();
    auto part = std::make_shared<Part_option>();
    command.add_option("FILE", *file, "the chart file")->required();
    add_part_option(command, *part);
    return [file, part](Io io) { return show(*file, *part, io); };
}

enum class Output_kind { document, text, biab, unknown };

Output_kind output_kind(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".zub") return Output_kind::document;
    if (extension == ".txt") return Output_kind::text;
    if (isBiabFileName(path)) return Output_kind::biab;
    return Output_kind::unknown;
}

// The output's extension must name a format: refused before anything is read.
std::string known_output_format(const std::string& path) {
    if (output_kind(path) != Output_kind::unknown) return {};
    return "cannot tell the output format of '" + path + "': use .zub, .txt or .sgX";
}

// Writes the chart in the format out's extension names.
void write_chart(const std::string& out, const Plist& chart) {
    about(out, [&] {
        const Output_kind kind = output_kind(out);
        if (kind == Output_kind::document) {
            saveChartDocument(out, chart);
        } else if (kind == Output_kind::text) {
            writeFileAtomically(out, Entry_points::kelwriter_write_chart(chart));
        } else {
            const Plist::Data bytes = Entry_points::biabwriter_write_chart(chart);
            writeFileAtomically(out, std::string(bytes.begin(), bytes.end()));
        }
        return 0;
    });
}

int convert(const std::string& in, const std::string& out, const Part_option& part, Io io) {
    return run_chart_command(io, [&] {
        write_chart(out, read_part(in, part));
        return exit_ok;
    });
}

Action declare_convert(CLI::App& command) {
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    auto part = std::make_shared<Part_option>();
    command.add_option("IN", files->first, "the chart file to read")->required();
    command.add_option("OUT", files->second, "the file to write: .zub, .txt, .sgX or .mgX")
        ->required()
        ->check(CLI::Validator(known_output_format, "", "OUT"));
    add_part_option(command, *part);
    return [files, part](Io io) { return convert(files->first, files->second, *part, io); };
}

struct Transpose_options {
    std::string in, out, to;
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
        const Plist chart = read_chart_file(options.in);
        const Plist moved = about(options.in, [&] {
            return by_semitones ? transposeChartBy(chart, options.by) : transposeChartTo(chart, options.to);
        });
        write_chart(options.out, moved);
        return exit_ok;
    });
}

Action declare_transpose(CLI::App& command) {
    auto options = std::make_shared<Transpose_options>();
    command.add_option("FILE", options->in, "the chart file to read")->required();
    CLI::Option* to = command.add_option("--to", options->to, "the key to move the chart to")
                          ->option_text("KEY")
                          ->check(CLI::Validator(known_key, "", "KEY"));
    CLI::Option* by = command.add_option("--by", options->by, "move the chart up (or down) N semitones")
                          ->option_text("N")
                          ->check(CLI::Range(-11, 11));
    to->excludes(by);
    command.add_option("-o,--output", options->out, "the file to write: .zub, .txt, .sgX or .mgX")
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
    "show", "FILE [--for Bb|Eb|F]", "print a chart as a text chart",
    "FILE is a chart document (.zub), a text chart or a BiaB song file\n"
    "(.sgX, .mgX). Key centers and the font are not part of a text chart.\n"
    "--for prints the part for a Bb instrument (a major second up), an Eb\n"
    "instrument (a major sixth up) or an F instrument (a fifth up).\n",
    declare_show};

const Command convert_command = {
    "convert", "IN OUT [--for Bb|Eb|F]", "convert a chart to a chart document, text chart or BiaB file",
    "IN is any chart file zub can read. OUT's extension chooses the format:\n"
    ".zub a chart document, .txt a text chart, .sgX or .mgX a BiaB song file.\n"
    "OUT is replaced only when the whole file could be written.\n"
    "--for writes the part for a Bb, Eb or F instrument instead of concert pitch.\n",
    declare_convert};

const Command transpose_command = {
    "transpose", "FILE (--to KEY | --by N) -o OUT", "move a chart to another key",
    "--to names the new key (Eb, F#m); --by N moves the chart N semitones\n"
    "(-11 to 11) to the key there with the fewest accidentals. Roots, bass\n"
    "notes and key centers move by the interval between the two keys; chord\n"
    "types stay. OUT's extension chooses the format, as for 'zub convert'.\n",
    declare_transpose};

}  // namespace zub::cli
