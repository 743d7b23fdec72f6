// FluidSynth writes its warnings to standard error; the playback library
// reports its failures itself, as one line each, so FluidSynth is kept quiet.
#pragma once

namespace zub::playback {

// Idempotent; call before any FluidSynth call that may log.
void silence_fluidsynth_log();

}  // namespace zub::playback
