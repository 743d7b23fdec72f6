// libFuzzer target: the zub commands' reading of a chart file as a whole. The
// first byte chooses what the rest is saved as (a chart document, a text
// chart or a BiaB song file, each told by its file name as the commands tell
// it); the file then goes through "zub show", "zub analyze" and "zub midi".
// Each must end in success or in a failure with its reason on the error
// stream; a crash, a hang, a leak or an escaping exception is a finding.
// The files live in a folder of this process's own under TMPDIR.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apps/zub/cli.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/my_constants.h"
#include "bridge/resources.h"

namespace {

namespace fs = std::filesystem;

// A chart document, a text chart, and BiaB song files of two style letters.
constexpr std::array<const char*, 4> chart_names = {"chart.zub", "chart.txt", "chart.sgu", "chart.mg1"};

const fs::path& folder() {
    static const fs::path path = [] {
        const fs::path made = fs::temp_directory_path() / ("zub_commands_fuzz." + std::to_string(::getpid()));
        fs::create_directories(made);
        return made;
    }();
    return path;
}

void write_file(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!file.flush()) std::abort();  // the machine, not the program, failed
}

// Runs one command; it must succeed, or fail (status 1) saying why.
void run_command(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = zub::cli::run(args, out, err);
    if (status != 0 && (status != 1 || err.str().empty())) std::abort();
}

// Nothing bounds how often a chart's chorus repeats, and the accompaniment
// plays every repeat: "repeat 100000 times" takes minutes and gigabytes. Such
// charts skip "zub midi", so that the fuzzer hunts faults rather than long
// tunes. Charts the bridge cannot open go through it, to fail there.
constexpr double most_bars_played = 1000;

bool plays_too_long(const std::string& path) {
    static const zub::Plist font = zub::MyConstants::shared().newDocumentChartTemplate().at("Font");
    try {
        const zub::Plist chart = zub::openChartFile(path, font);
        const zub::Plist& chorus = chart.dictionary_at("Chorus");
        const double chorus_bars =
            static_cast<double>(chorus.integer_at("End")) - static_cast<double>(chorus.integer_at("Begin")) + 1;
        const double repeats = static_cast<double>(chorus.integer_at("Repeats"));
        const double bars = static_cast<double>(chart.array_at("Chords").size());
        return bars + std::max(chorus_bars, 0.0) * (repeats - 1) > most_bars_played;
    } catch (...) {
        return false;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // As zub does: the prebuilt cache spares recomputing the compatibility table.
    zub::Entry_points::compatscales_set_cache_pathname(zub::cache_directory());
    folder();
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder(), ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string chart = (folder() / chart_names[data[0] % chart_names.size()]).string();
    const std::string midi = (folder() / "accompaniment.mid").string();
    write_file(chart, data + 1, size - 1);
    run_command({"show", chart});
    run_command({"analyze", chart});
    run_command({"analyze", "--plist", chart});
    if (!plays_too_long(chart)) run_command({"midi", "--seed", "1", "-o", midi, chart});
    return 0;
}
