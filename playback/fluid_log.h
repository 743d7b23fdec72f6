// FluidSynth writes its warnings to standard error; the playback library
// reports its failures itself, as one line each, so FluidSynth is kept quiet.
#pragma once

namespace zub::playback {

// Idempotent; call before any FluidSynth call that may log. again: after
// FluidSynth's reasons were listened to for a while, quiet once more.
void silence_fluidsynth_log(bool again = false);

}  // namespace zub::playback
