// "zub chord" prints chord symbols in canonical form; "zub chord-types" lists
// the chord-type names.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>

#include "apps/zub/command.h"
#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "bridge/chord_spelling.h"
#include "bridge/core_names.h"

namespace zub::cli {

namespace {

int print_chords(const std::vector<std::string>& symbols, bool lenient, Io io) {
    int status = exit_ok;
    for (const std::string& symbol : symbols) {
        try {
            io.out << (lenient ? Chord_spelling::lenient_printname(symbol)
                               : chordPrintName(replaceWithAsciiSharpsAndFlats(symbol)))
                   << '\n';
        } catch (const Bridge_exception& failure) {
            io.out << "error: " << failure.reason() << '\n';
            status = exit_failed;
        }
    }
    return status;
}

Action declare_chord(CLI::App& command) {
    auto symbols = std::make_shared<std::vector<std::string>>();
    auto lenient = std::make_shared<bool>(false);
    command.add_option("SYMBOL", *symbols, "a chord symbol such as Bb7#11/D")->required();
    command.add_flag("--lenient", *lenient, "also take the spellings musicians write (Cmaj7, C-7, C\u00F8, G7alt, C6/9)");
    return [symbols, lenient](Io io) { return print_chords(*symbols, *lenient, io); };
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
    "chord", "[--lenient] SYMBOL...", "print chord symbols in canonical form",
    "Prints one line per symbol: its canonical name (C7#5 gives C7+) or\n"
    "'error: ' and the reason. Sharps and flats may be written # and b or\n"
    "\u266F and \u266D. With --lenient, the spellings musicians write are taken\n"
    "too and printed as the names (Cmaj7 gives CMaj7, C-7 Cm7, G7alt/B G7alt/B).\n"
    "Exit status 1 when any symbol is invalid.\n",
    declare_chord};

const Command chord_types_command = {
    "chord-types", "", "list the chord-type names, one per line",
    "The major triad has the empty name and prints as an empty line.\n", declare_chord_types};

}  // namespace zub::cli
