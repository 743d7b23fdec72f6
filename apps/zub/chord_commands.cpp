// "zub chord" prints chord symbols in canonical form; "zub chord-types" lists
// the chord-type names.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

#include "apps/zub/command.h"
#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "bridge/core_names.h"

namespace zub::cli {

namespace {

int print_chords(const std::vector<std::string>& symbols, Io io) {
    int status = exit_ok;
    for (const std::string& symbol : symbols) {
        try {
            io.out << chordPrintName(replaceWithAsciiSharpsAndFlats(symbol)) << '\n';
        } catch (const Bridge_exception& failure) {
            io.out << "error: " << failure.reason() << '\n';
            status = exit_failed;
        }
    }
    return status;
}

Action declare_chord(CLI::App& command) {
    auto symbols = std::make_shared<std::vector<std::string>>();
    command.add_option("SYMBOL", *symbols, "a chord symbol such as Bb7#11/D")->required();
    return [symbols](Io io) { return print_chords(*symbols, io); };
}

int print_chord_types(Io io) {
    std::vector<std::string> names = chordTypeNames();
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) io.out << name << '\n';
    return exit_ok;
}

Action declare_chord_types(CLI::App&) { return print_chord_types; }

}  // namespace

const Command chord_command = {
    "chord", "SYMBOL...", "print chord symbols in canonical form",
    "Prints one line per symbol: its canonical name (C7#5 gives C7+) or\n"
    "'error: ' and the reason. Sharps and flats may be written # and b or\n"
    "\u266F and \u266D. Exit status 1 when any symbol is invalid.\n",
    declare_chord};

const Command chord_types_command = {
    "chord-types", "", "list the chord-type names, one per line",
    "The major triad has the empty name and prints as an empty line.\n", declare_chord_types};

}  // namespace zub::cli
