#include "apps/zub/sound/accompaniment_run.h"

#include "apps/zub/seed_option.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/generation.h"
#include "bridge/my_constants.h"
#include "bridge/playlist.h"
#include "playback/playback_error.h"
#include "playback/soundfont.h"

namespace zub::cli {

playback::Play_options play_options_of(const Playback_options& options, bool looping) {
    playback::Play_options play;
    play.tempo_bpm = options.tempo_bpm;
    play.passes = options.passes;
    play.tempo_step_bpm = options.tempo_step_bpm;
    play.count_in_bars = options.count_in_bars;
    play.count_in_each_pass = options.count_in_each_pass;
    play.looping = looping;
    if (const auto bars = bar_range_of(options.bars)) {
        play.from_bar = bars->first;
        play.loop_last_bar = bars->second;
        if (!looping && play.passes == 0) play.passes = 1;
    }
    return play;
}

int with_accompaniment(const Playback_options& options, Io io,
                       const std::function<void(const playback::Accompaniment&, const std::string& soundfont)>& play) {
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    try {
        // The SoundFont first: without it, generating would be wasted.
        const std::string soundfont = playback::find_soundfont(options.soundfont);
        const Plist chart = openChartSong(options.file, font, options.song);
        play(playback::generate(chart, Entry_points::zub2lite_seed_of(options.seed_text)), soundfont);
        return exit_ok;
    } catch (const Bridge_exception& e) {
        io.err << "ZUB cannot generate accompaniment for this chart (" << e.reason() << ")\n";
    } catch (const playback::Playback_error& e) {
        io.err << e.what() << "\n";
    }
    return exit_failed;
}

}  // namespace zub::cli
