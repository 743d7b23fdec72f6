#include "playback/render.h"

#include <array>
#include <cmath>
#include <memory>

#include "playback/audio_file.h"
#include "playback/playback_error.h"
#include "playback/sequencer.h"

namespace zub::playback {

namespace {

constexpr int block_frames = 1024;
constexpr int progress_blocks = 64;  // about 1.5 s of sound between progress calls

double playing_bpm(const Accompaniment& accompaniment, const Play_options& play) {
    return play.tempo_bpm > 0 ? play.tempo_bpm : accompaniment.tempo;
}

Schedule finite_schedule(const Accompaniment& accompaniment, const Play_options& play) {
    Schedule schedule = schedule_of(accompaniment, play);
    if (schedule.repeat_from) throw Playback_error("A loop without an end cannot be rendered (give the passes)");
    return schedule;
}

long frames_of(double seconds) { return std::lround(seconds * sample_rate); }

// Renders frames frames from the synth into the file, block by block.
bool render_frames(Synth& synth, Sequencer& sequencer, Audio_file_writer& file, long frames, long& done, long total,
                   const Render_progress& progress) {
    std::array<float, 2 * block_frames> block;
    for (long left = frames; left > 0;) {
        const int count = static_cast<int>(std::min<long>(left, block_frames));
        render_interleaved(synth, sequencer, block.data(), count);
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

long rendered_frames(const Accompaniment& accompaniment, const Play_options& play) {
    const Schedule schedule = finite_schedule(accompaniment, play);
    return frames_of(schedule_seconds(schedule, accompaniment.time_map.ticks_per_beat(),
                                      playing_bpm(accompaniment, play)) +
                     release_tail_seconds);
}

long rendered_frames(const Accompaniment& accompaniment, double tempo_bpm) {
    Play_options play;
    play.tempo_bpm = tempo_bpm;
    return rendered_frames(accompaniment, play);
}

bool render(const Accompaniment& accompaniment, const Render_options& options, const std::string& path,
            const Render_progress& progress) {
    Schedule schedule = finite_schedule(accompaniment, options.play);
    const long total = rendered_frames(accompaniment, options.play);
    Audio_file_writer file(path);  // before the long load: a folder that cannot be written fails first
    Synth synth(options.soundfont);
    Sequencer sequencer(std::make_shared<const Midi_events>(read_midi_events(accompaniment.midi)), std::move(schedule),
                        playing_bpm(accompaniment, options.play), options.play.mutes, sample_rate);
    long done = 0;
    // The sequencer releases every note where the schedule ends; they ring out in the tail.
    if (!render_frames(synth, sequencer, file, total, done, total, progress)) return false;
    file.commit();
    if (progress) progress(1.0);
    return true;
}

}  // namespace zub::playback
