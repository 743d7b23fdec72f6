// One subcommand of the zub tool. Each command lives in a source file of its
// own and is listed in the table of cli.cpp; CLI11 parses every command's
// arguments, so all share one --help, one error form and one exit status for
// usage errors.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace zub::cli {

// Exit statuses shared by every command.
inline constexpr int exit_ok = 0;
inline constexpr int exit_failed = 1;  // the command ran but some input was bad
inline constexpr int exit_usage = 2;   // unknown command or option, missing or extra arguments

struct Io {
    std::ostream& out;
    std::ostream& err;
};

// What a command does once its arguments are parsed.
using Action = std::function<int(Io)>;

struct Command {
    std::string_view name;
    std::string_view synopsis;  // "SYMBOL..." after "zub <name> "
    std::string_view summary;   // one line for "zub --help"
    std::string_view details;   // further help text for "zub <name> --help"
    // Declares the command's arguments and options on its subcommand and
    // returns the action that runs with what they hold after parsing.
    Action (*declare)(CLI::App& command);
};

// The command for the symbols of chord printing, and the list of chord types.
extern const Command chord_command;
extern const Command chord_types_command;
// Reading, printing and converting chart files.
extern const Command show_command;
extern const Command list_command;
extern const Command convert_command;
extern const Command transpose_command;
// The harmonic analysis of a chart.
extern const Command analyze_command;
// The accompaniment as a MIDI file.
extern const Command midi_command;
// The accompaniment heard: rendered to an audio file, or played.
extern const Command render_command;
extern const Command play_command;

}  // namespace zub::cli
