// "zub show" prints a chart as a text chart; "zub convert" writes it as a
// chart document, a text chart or a BiaB file.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>

#include "apps/zub/command.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/latin1.h"
#include "bridge/my_constants.h"

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

int show(const std::string& file, Io io) {
    return run_chart_command(io, [&] {
        const Plist chart = read_chart_file(file);
        io.out << latin1_to_utf8(about(file, [&] { return Entry_points::kelwriter_write_chart(chart); }));
        return exit_ok;
    });
}

Action declare_show(CLI::App& command) {
    auto file = std::make_shared<std::string>();
    command.add_option("FILE", *file, "the chart file")->required();
    return [file](Io io) { return show(*file, io); };
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

int convert(const std::string& in, const std::string& out, Io io) {
    return run_chart_command(io, [&] {
        const Plist chart = read_chart_file(in);
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
        return exit_ok;
    });
}

Action declare_convert(CLI::App& command) {
    auto files = std::make_shared<std::pair<std::string, std::string>>();
    command.add_option("IN", files->first, "the chart file to read")->required();
    command.add_option("OUT", files->second, "the file to write: .zub, .txt, .sgX or .mgX")
        ->required()
        ->check(CLI::Validator(known_output_format, "", "OUT"));
    return [files](Io io) { return convert(files->first, files->second, io); };
}

}  // namespace

const Command show_command = {
    "show", "FILE", "print a chart as a text chart",
    "FILE is a chart document (.zub), a text chart or a BiaB song file\n"
    "(.sgX, .mgX). Key centers and the font are not part of a text chart.\n",
    declare_show};

const Command convert_command = {
    "convert", "IN OUT", "convert a chart to a chart document, text chart or BiaB file",
    "IN is any chart file zub can read. OUT's extension chooses the format:\n"
    ".zub a chart document, .txt a text chart, .sgX or .mgX a BiaB song file.\n"
    "OUT is replaced only when the whole file could be written.\n",
    declare_convert};

}  // namespace zub::cli
