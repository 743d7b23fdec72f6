// "zub midi" writes the accompaniment of a chart (drums, piano, bass after a
// two-bar count-in) to a Standard MIDI File. --seed N repeats a run exactly,
// as ZUB_SEED does; the seed used is reported so that any run can be repeated.
#include <charconv>
#include <cstdint>
#include <iostream>

#include "apps/zub/command.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/generation.h"
#include "bridge/my_constants.h"

namespace zub::cli {

namespace {

constexpr const char* failure = "ZUB cannot generate accompaniment for this chart (";

struct Options {
    std::string file;
    std::string output;
    bool given_seed = false;
    std::uint64_t seed = 0;
};

bool parse_seed(std::string_view text, std::uint64_t& seed) {
    auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    return !text.empty() && error == std::errc() && stop == text.data() + text.size();
}

int generate(const Options& options, Io io) {
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    try {
        const Plist chart = openChartFile(options.file, font);
        if (options.given_seed) Entry_points::zub2lite_init_random_with(options.seed);
        const Plist::Data bytes = Entry_points::zub2lite_gen(chart);
        writeFileAtomically(options.output, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        io.err << "seed " << Entry_points::zub2lite_seed() << "\n";
        return exit_ok;
    } catch (const Bridge_exception& e) {
        io.err << failure << e.reason() << ")\n";
    }
    return exit_failed;
}

int run_midi(const std::vector<std::string>& args, Io io) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            options.output = args[++i];
        } else if (args[i] == "--seed" && i + 1 < args.size()) {
            options.given_seed = true;
            if (!parse_seed(args[++i], options.seed)) {
                io.err << "zub midi: --seed wants a whole number, not '" << args[i] << "'\n";
                return exit_usage;
            }
        } else if (options.file.empty() && !args[i].starts_with("-")) {
            options.file = args[i];
        } else {
            io.err << "zub midi: unexpected argument '" << args[i] << "' (see 'zub midi --help')\n";
            return exit_usage;
        }
    }
    if (options.file.empty() || options.output.empty()) {
        io.err << "zub midi: expected FILE -o OUT.mid (see 'zub midi --help')\n";
        return exit_usage;
    }
    return generate(options, io);
}

}  // namespace

const Command midi_command = {
    "midi", "FILE -o OUT.mid [--seed N]", "write the accompaniment of a chart as a MIDI file",
    "Generates drums, piano and bass for the chart after a two-bar count-in and\n"
    "writes them as a Standard MIDI File. The seed used is printed on standard\n"
    "error; --seed N (or the environment variable ZUB_SEED) repeats a run exactly.\n",
    run_midi, "-o --seed"};

}  // namespace zub::cli
