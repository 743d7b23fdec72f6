#include "apps/zub/playback_options.h"

#include <CLI/CLI.hpp>

#include "apps/zub/seed_option.h"
#include "apps/zub/song_option.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "bridge/playlist.h"
#include "playback/playback_error.h"
#include "playback/soundfont.h"

namespace zub::cli {

void add_playback_options(CLI::App& command, Playback_options& options) {
    command.add_option("FILE", options.file, "the chart file")->required();
    add_song_option(command, options.song);
    add_seed_option(command, options.seed_text);
    command.add_option("--tempo", options.tempo_bpm, "beats a minute, instead of the chart's tempo")
        ->type_name("BPM")
        ->check(CLI::Range(20.0, 400.0));
    command.add_option("--soundfont", options.soundfont, "the General MIDI SoundFont to play with")
        ->type_name("PATH");
}

int with_accompaniment(const Playback_options& options, Io io,
                       const std::function<void(const playback::Accompaniment&, const std::string& soundfont)>& play) {
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    try {
        // The SoundFont first: without it, generating would be wasted.
        const std::string soundfont = playback::find_soundfont(options.soundfont);
        const Plist chart = openChartSong(options.file, font, options.song);
        play(playback::generate(chart, seed_of(options.seed_text)), soundfont);
        return exit_ok;
    } catch (const Bridge_exception& e) {
        io.err << "ZUB cannot generate accompaniment for this chart (" << e.reason() << ")\n";
    } catch (const playback::Playback_error& e) {
        io.err << e.what() << "\n";
    }
    return exit_failed;
}

}  // namespace zub::cli
