// Offline rendering: an accompaniment through the synthesizer into an audio
// file, as fast as the machine allows. The file holds what Play would let be
// heard with the same options (the count-in, the bars, the trainer's passes at
// their tempos), then a release tail for the last notes to ring out.
#pragma once

#include <functional>
#include <string>

#include "playback/accompaniment.h"
#include "playback/schedule.h"
#include "playback/synth.h"

namespace zub::playback {

inline constexpr double release_tail_seconds = 2.0;

struct Render_options {
    std::string soundfont;  // a path found by find_soundfont
    Play_options play;      // what is played; a loop needs passes (the trainer) to end
};

// Called now and then with the share done, 0 to 1; returning false cancels.
using Render_progress = std::function<bool(double done)>;

// The frames the file will hold: the schedule of play at its tempos, plus the
// release tail. Playback_error as schedule_of, and "A loop without an end
// cannot be rendered (give the passes)" for looping without passes.
long rendered_frames(const Accompaniment& accompaniment, const Play_options& play);
// The whole accompaniment with its count-in at tempo_bpm (0: the chart's).
long rendered_frames(const Accompaniment& accompaniment, double tempo_bpm);

// render(accompaniment, options, "take.flac") writes the file and returns
// true, or returns false when progress cancelled; either way no partial file
// is left. Each call loads the SoundFont into a synth of its own: a synth
// that has played keeps reverb and chorus state no reset clears, and the same
// seed must give the same samples. Playback_error for the options (as
// rendered_frames), the SoundFont or the disk ("Can't write output file:
// PATH"). Safe on a worker thread: it touches no state shared with live playback.
bool render(const Accompaniment& accompaniment, const Render_options& options, const std::string& path,
            const Render_progress& progress = {});

}  // namespace zub::playback
