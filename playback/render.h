// Offline rendering: an accompaniment through the synthesizer into an audio
// file, as fast as the machine allows. The file holds the count-in, every
// played bar at the tempo, and a release tail for the last notes to ring out.
#pragma once

#include <functional>
#include <string>

#include "playback/accompaniment.h"
#include "playback/synth.h"

namespace zub::playback {

inline constexpr double release_tail_seconds = 2.0;

struct Render_options {
    std::string soundfont;  // a path found by find_soundfont
    Mutes mutes;
    double tempo_bpm = 0;  // 0: the chart's tempo
};

// Called now and then with the share done, 0 to 1; returning false cancels.
using Render_progress = std::function<bool(double done)>;

// The frames the file will hold: (count-in + played bars) x 4 beats at the
// tempo, plus the release tail.
long rendered_frames(const Accompaniment& accompaniment, double tempo_bpm);

// render(accompaniment, options, "take.flac") writes the file and returns
// true, or returns false when progress cancelled; either way no partial file
// is left. Each call loads the SoundFont into a synth of its own: a synth
// that has played keeps reverb and chorus state no reset clears, and the same
// seed must give the same samples. Playback_error for the SoundFont or the
// disk ("Can't write output file: PATH"). Safe on a worker thread: it touches
// no state shared with live playback.
bool render(const Accompaniment& accompaniment, const Render_options& options, const std::string& path,
            const Render_progress& progress = {});

}  // namespace zub::playback
