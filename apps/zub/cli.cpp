#include "apps/zub/cli.h"

#include <algorithm>
#include <array>

#include "apps/zub/command.h"

namespace zub::cli {

namespace {

const std::array<const Command*, 6> commands = {&chord_command, &chord_types_command, &show_command,
                                                &convert_command, &analyze_command, &midi_command};

void print_usage(std::ostream& out) {
    out << "usage: zub COMMAND [ARGS...]\n\n"
           "Zubaroo's command-line tool for jazz chord charts.\n\n"
           "commands:\n";
    for (const Command* command : commands) {
        std::string head = "  " + std::string(command->name);
        head.resize(std::max<std::size_t>(head.size() + 2, 16), ' ');
        out << head << command->summary << '\n';
    }
    out << "\nRun 'zub COMMAND --help' for the usage of one command.\n";
}

void print_command_usage(const Command& command, std::ostream& out) {
    out << "usage: zub " << command.name;
    if (!command.synopsis.empty()) out << ' ' << command.synopsis;
    out << "\n\n" << command.summary << '\n';
    if (!command.details.empty()) out << '\n' << command.details;
}

// Whether option is one of the space-separated options the command reads itself.
bool takes_option(const Command& command, std::string_view option) {
    std::string_view rest = command.options;
    while (!rest.empty()) {
        const auto end = rest.find(' ');
        if (rest.substr(0, end) == option) return true;
        if (end == std::string_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return false;
}

const Command* find_command(std::string_view name) {
    for (const Command* command : commands)
        if (command->name == name) return command;
    return nullptr;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        print_usage(err);
        return exit_usage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        print_usage(out);
        return exit_ok;
    }
    const Command* command = find_command(args[0]);
    if (command == nullptr) {
        err << "zub: unknown command '" << args[0] << "' (see 'zub --help')\n";
        return exit_usage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& arg : rest) {
        if (arg == "--help" || arg == "-h") {
            print_command_usage(*command, out);
            return exit_ok;
        }
    }
    for (const std::string& arg : rest) {
        // A lone "-" may name standard input; anything else with a dash is an option we lack.
        const bool own = takes_option(*command, arg);
        if (arg.size() > 1 && arg[0] == '-' && !own) {
            err << "zub " << command->name << ": unknown option '" << arg << "' (see 'zub " << command->name
                << " --help')\n";
            return exit_usage;
        }
    }
    return command->run(rest, Io{out, err});
}

}  // namespace zub::cli
