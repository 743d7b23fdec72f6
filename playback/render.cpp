#include "playback/render.h"

#include <fluidsynth.h>

#include <array>
#include <cmath>

#include "playback/audio_file.h"

namespace zub::playback {

namespace {

constexpr int block_frames = 1024;
constexpr int progress_blocks = 64;  // about 1.5 s of sound between progress calls

double effective_tempo(const Accompaniment& accompaniment, double tempo_bpm) {
    return tempo_bpm > 0 ? tempo_bpm : accompaniment.tempo;
}

// Renders frames frames from the synth into the file, block by block.
bool render_frames(Synth& synth, Audio_file_writer& file, long frames, long& done, long total,
                   const Render_progress& progress) {
    std::array<float, 2 * block_frames> block;
    for (long left = frames; left > 0;) {
        const int count = static_cast<int>(std::min<long>(left, block_frames));
        fluid_synth_write_float(synth.handle(), count, block.data(), 0, 2, block.data(), 1, 2);
        file.write(block.data(), count);
        left -= count;
        done += count;
        if (progress && done % (block_frames * progress_blocks) < block_frames &&
            !progress(static_cast<double>(done) / static_cast<double>(total)))
            return false;
    }
    return true;
}

}  // namespace

long rendered_frames(const Accompaniment& accompaniment, double tempo_bpm) {
    const double seconds = accompaniment.time_map.total_beats() * 60.0 / effective_tempo(accompaniment, tempo_bpm);
    return std::lround((seconds + release_tail_seconds) * sample_rate);
}

bool render(const Accompaniment& accompaniment, const Render_options& options, const std::string& path,
            const Render_progress& progress) {
    Audio_file_writer file(path);  // first: a folder that cannot be written fails before the long load
    Synth synth(options.soundfont);
    const long total = rendered_frames(accompaniment, options.tempo_bpm);
    const long tail = std::lround(release_tail_seconds * sample_rate);
    long done = 0;
    {
        Midi_playback playback(synth, accompaniment.midi, options.tempo_bpm, options.mutes);
        playback.play_from(0);
        if (!render_frames(synth, file, total - tail, done, total, progress)) return false;
        // The chart has ended: every note is released and rings out in the tail.
        playback.stop();
    }
    if (!render_frames(synth, file, tail, done, total, progress)) return false;
    file.commit();
    if (progress) progress(1.0);
    return true;
}

}  // namespace zub::playback
