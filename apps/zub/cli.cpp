#include "apps/zub/cli.h"

#include <CLI/CLI.hpp>

#include <array>
#include <map>
#include <memory>

#include "apps/zub/command.h"
#include "bridge/bridge_exception.h"

namespace zub::cli {

namespace {

const std::array<const Command*, 10> commands = {&chord_command,   &chord_types_command, &show_command,
                                                 &list_command,    &convert_command,     &transpose_command,
                                                 &analyze_command, &midi_command,        &render_command,
                                                 &play_command};

// Help in one layout for the tool and every command: the usage line, the
// summary, the arguments and options CLI11 knows, then the further text.
class Help : public CLI::Formatter {
public:
    explicit Help(std::string usage) : usage_(std::move(usage)) {
        label("Positionals", "arguments");
        label("REQUIRED", "");
        column_width(24);
    }

    // An argument shows its name alone, an option the name of its value: "--keys KEY:BEATS,...".
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_positional() ? std::string() : CLI::Formatter::make_option_opts(option);
    }

    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode mode) const override {
        return "usage: " + usage_ + "\n\n" + app->get_description() + "\n" + make_positionals(app) +
               make_groups(app, mode) + make_subcommands(app, mode) + make_footer(app);
    }

    std::string make_footer(const CLI::App* app) const override {
        return app->get_footer().empty() ? std::string() : "\n" + app->get_footer();
    }

private:
    std::string usage_;
};

bool is_command(std::string_view name) {
    for (const Command* command : commands)
        if (command->name == name) return true;
    return false;
}

// One line on standard error: "zub analyze: FILE is required (see 'zub analyze --help')".
int usage_error(std::ostream& err, const std::string& where, const std::string& message) {
    err << where << ": " << message << " (see '" << where << " --help')\n";
    return exit_usage;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CLI::App zub("Zubaroo's command-line tool for jazz chord charts.", "zub");
    zub.formatter(std::make_shared<Help>("zub COMMAND [ARGS...]"));
    zub.footer("Run 'zub COMMAND --help' for the usage of one command.\n");
    zub.require_subcommand(1);
    zub.get_help_ptr()->group("options");
    std::map<const CLI::App*, Action> actions;
    for (const Command* command : commands) {
        CLI::App* sub = zub.add_subcommand(std::string(command->name), std::string(command->summary));
        std::string usage = "zub " + std::string(command->name);
        if (!command->synopsis.empty()) usage += " " + std::string(command->synopsis);
        sub->group("commands");
        sub->get_help_ptr()->group("options");
        sub->option_defaults()->group("options");
        sub->formatter(std::make_shared<Help>(usage));
        sub->footer(std::string(command->details));
        actions[sub] = command->declare(*sub);
    }

    if (args.empty()) {
        err << zub.help();
        return exit_usage;
    }
    if (args[0] == "help") {
        out << zub.help();
        return exit_ok;
    }
    if (!args[0].starts_with("-") && !is_command(args[0]))
        return usage_error(err, "zub", "unknown command '" + args[0] + "'");
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
    try {
        zub.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << zub.help();
        return exit_ok;
    } catch (const CLI::ParseError& e) {
        const auto chosen = zub.get_subcommands();
        return usage_error(err, chosen.empty() ? "zub" : "zub " + chosen.front()->get_name(), e.what());
    }
    const CLI::App* chosen = zub.get_subcommands().front();
    try {
        return actions.at(chosen)(Io{out, err});
    } catch (const Bridge_exception& e) {
        // What no command reports itself, such as a missing resource table.
        err << "zub " << chosen->get_name() << ": " << e.reason() << '\n';
        return exit_failed;
    }
}

}  // namespace zub::cli
