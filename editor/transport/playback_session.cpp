#include "editor/transport/playback_session.h"

#include <QRandomGenerator>

#include <algorithm>
#include <string>

#include "bridge/generation.h"
#include "editor/model/chart_model.h"
#include "editor/transport/shared_player.h"

namespace zub {

namespace {

// Polled well within a display frame (16 ms), so the playhead is drawn within one of the player.
constexpr int follow_milliseconds = 10;

// A seed short enough to read off the screen and type after "zub render --seed".
std::uint64_t drawnSeed() { return QRandomGenerator::global()->bounded(1u, 1000000u); }

std::uint64_t firstSeed() { return Entry_points::zub2lite_environment_seed().value_or(drawnSeed()); }

}  // namespace

PlaybackSession::PlaybackSession(ChartModel& model, QObject* parent)
    : QObject(parent), model_(model), seed_(firstSeed()) {
    timer_.setInterval(follow_milliseconds);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PlaybackSession::follow);
    // Every change that the notes depend on; the name and the analysis are not among them.
    connect(&model_, &ChartModel::chartReset, this, &PlaybackSession::chartChanged);
    connect(&model_, &ChartModel::barsReplaced, this, &PlaybackSession::chartChanged);
    connect(&model_, &ChartModel::barsChanged, this, &PlaybackSession::chartChanged);
    connect(&model_, &ChartModel::chorusChanged, this, &PlaybackSession::chartChanged);
    connect(&model_, &ChartModel::tempoChanged, this, &PlaybackSession::chartChanged);
    connect(&model_, &ChartModel::propertiesChanged, this, &PlaybackSession::chartChanged);
    SharedPlayer& shared = SharedPlayer::shared();
    connect(&shared, &SharedPlayer::ready, this, &PlaybackSession::soundsReady);
    connect(&shared, &SharedPlayer::failed, this, &PlaybackSession::soundsFailed);
    // Another document took the player: this one has stopped.
    connect(&shared, &SharedPlayer::claimed, this, [this](QObject* owner) {
        if (owner != this && state_ != State::stopped) {
            timer_.stop();
            paused_tick_.reset();
            setPlayhead({});
            setState(State::stopped);
        }
    });
}

PlaybackSession::~PlaybackSession() { SharedPlayer::shared().release(this); }

bool PlaybackSession::owns() const { return SharedPlayer::shared().owner() == this; }

std::shared_ptr<const playback::Accompaniment> PlaybackSession::accompaniment() {
    if (!kept_) kept_ = std::make_shared<const playback::Accompaniment>(playback::generate(model_.chart(), seed_));
    return kept_;
}

double PlaybackSession::tempoBpm() const {
    if (settings_.tempoPercent == 100) return 0;
    return static_cast<double>(model_.tempo()) * settings_.tempoPercent / 100.0;
}

void PlaybackSession::chartChanged() { kept_.reset(); }

void PlaybackSession::newAccompaniment() {
    std::uint64_t seed = seed_;
    while (seed == seed_) seed = drawnSeed();
    seed_ = seed;
    kept_.reset();
    emit seedChanged(seed_);
}

void PlaybackSession::play(std::optional<int> fromBar) {
    Request request;
    request.fromBar = fromBar;
    // Play with nothing new asked resumes a pause.
    if (state_ == State::paused && !fromBar) {
        request.fromBar = last_.fromBar;
        request.fromTick = paused_tick_;
        request.fromPass = paused_pass_;
    }
    SharedPlayer& shared = SharedPlayer::shared();
    if (shared.state() == SharedPlayer::State::ready) return start(request);
    pending_ = request;
    setState(State::loading);
    emit message(tr("Loading sounds…"));
    shared.load();
}

void PlaybackSession::soundsReady() {
    if (state_ != State::loading) return;
    emit message({});
    start(pending_);
}

void PlaybackSession::soundsFailed(const QString& line) {
    if (state_ != State::loading) return;
    setState(State::stopped);
    emit message(line);
}

playback::Play_options PlaybackSession::optionsFor(const Request& request,
                                                   const playback::Accompaniment& accompaniment) const {
    playback::Play_options options;
    options.tempo_bpm = tempoBpm();
    options.mutes = settings_.mutes;
    options.from_bar = request.fromBar;
    options.count_in_bars = request.countIn ? settings_.countInBars : 0;
    options.count_in_each_pass = settings_.countInEachPass;
    const auto bars = static_cast<std::size_t>(accompaniment.time_map.chart_bars());
    if (loop_ && loop_->location < bars) {
        options.looping = !settings_.trainer.on;
        options.from_bar = static_cast<int>(loop_->location) + 1;
        options.loop_last_bar = static_cast<int>(std::min(loop_->end(), bars));
    }
    if (settings_.trainer.on) {
        options.passes = settings_.trainer.passes;
        options.tempo_step_bpm = settings_.trainer.stepBpm;
        if (settings_.trainer.startBpm > 0) options.tempo_bpm = settings_.trainer.startBpm;
        options.from_pass = request.fromPass;
    }
    options.from_tick = request.fromTick;
    // A pause on a chart since shortened starts again from the top.
    if (options.from_tick && *options.from_tick >= accompaniment.time_map.total_ticks()) options.from_tick.reset();
    return options;
}

playback::Play_options PlaybackSession::renderOptions() {
    playback::Play_options options = optionsFor({}, *accompaniment());
    if (options.looping) {
        options.looping = false;
        options.from_bar.reset();
        options.loop_last_bar.reset();
    }
    return options;
}

void PlaybackSession::start(const Request& request) {
    try {
        std::shared_ptr<const playback::Accompaniment> accompaniment = this->accompaniment();
        const playback::Play_options options = optionsFor(request, *accompaniment);
        SharedPlayer& shared = SharedPlayer::shared();
        shared.claim(this);
        shared.player()->set_volume(settings_.volumePercent / 100.0);
        shared.player()->play(*accompaniment, options);
        playing_ = std::move(accompaniment);
        looping_ = options.looping;
        playing_passes_ = options.passes;
        if (looping_) loop_ticks_ = playback::loop_ticks(*playing_, options.from_bar, options.loop_last_bar);
    } catch (const std::exception& e) {
        timer_.stop();
        setState(State::stopped);
        emit message(QString::fromUtf8(e.what()));
        return;
    }
    last_ = request;
    paused_tick_.reset();
    emit message({});
    setState(State::playing);
    timer_.start();
}

void PlaybackSession::playPause() {
    if (state_ == State::playing || state_ == State::loading)
        pause();
    else
        play();
}

void PlaybackSession::pause() {
    if (state_ == State::loading) return setState(State::stopped);
    if (state_ != State::playing) return;
    timer_.stop();
    if (playback::Live_player* player = SharedPlayer::shared().player(); player && owns()) {
        if (const int tick = player->tick(); tick >= 0) paused_tick_ = tick;
        paused_pass_ = std::max(1, player->pass());
        player->stop();
    }
    setState(paused_tick_ ? State::paused : State::stopped);
}

void PlaybackSession::stop() {
    timer_.stop();
    SharedPlayer::shared().release(this);
    paused_tick_.reset();
    setPlayhead({});
    showTrainer(nullptr);
    setState(State::stopped);
}

void PlaybackSession::showTrainer(const playback::Live_player* player) {
    QString line;
    if (player && playing_passes_ > 0 && player->pass() > 0)
        line = tr("Pass %1/%2 at %3 bpm").arg(player->pass()).arg(playing_passes_).arg(qRound(player->tempo_bpm()));
    if (line == trainer_line_) return;
    trainer_line_ = line;
    emit trainerChanged(line);
}

void PlaybackSession::follow() {
    playback::Live_player* player = SharedPlayer::shared().player();
    if (!player || !owns() || !playing_) return stop();
    if (!player->playing()) return stop();
    int tick = player->tick();
    if (tick < 0) return;  // the first block is not out yet
    // The player jumps back at the first block past the loop's end: that block already sounds from the start.
    if (looping_ && tick >= loop_ticks_.end) tick = loop_ticks_.start + (tick - loop_ticks_.end);
    if (!looping_ && tick >= playing_->time_map.total_ticks()) {
        // The last bar has been played; its notes ring out.
        timer_.stop();
        setPlayhead({});
        return setState(State::stopped);
    }
    showTrainer(player);
    setPlayhead(playheadAt(playing_->time_map, tick, [this](std::size_t bar) -> std::size_t {
        return bar < model_.barCount() ? model_.slotCount(bar) : 0;
    }));
}

void PlaybackSession::setCountInBars(int bars) { settings_.countInBars = std::clamp(bars, 0, 2); }

void PlaybackSession::setCountInEachPass(bool on) { settings_.countInEachPass = on; }

void PlaybackSession::setTrainer(const TrainerSettings& trainer) { settings_.trainer = trainer; }

void PlaybackSession::setTempoPercent(int percent) {
    settings_.tempoPercent = percent;
    // The player's position is in beats, so the playhead needs no change.
    if (playback::Live_player* player = SharedPlayer::shared().player(); player && owns())
        player->set_tempo(tempoBpm());
}

void PlaybackSession::setMutes(playback::Mutes mutes) {
    settings_.mutes = mutes;
    if (playback::Live_player* player = SharedPlayer::shared().player(); player && owns()) player->set_mutes(mutes);
}

void PlaybackSession::setVolumePercent(int percent) {
    settings_.volumePercent = percent;
    if (playback::Live_player* player = SharedPlayer::shared().player(); player && owns())
        player->set_volume(percent / 100.0);
}

void PlaybackSession::setLoop(std::optional<BarRange> bars) {
    if (bars && bars->length == 0) bars.reset();
    loop_ = bars;
    if (state_ != State::playing) return;
    // Looping starts at the loop, at once; ending it plays on from where the player is.
    Request request;
    request.countIn = false;
    if (playback::Live_player* player = SharedPlayer::shared().player(); !loop_ && player && player->tick() >= 0)
        request.fromTick = player->tick();
    start(request);
}

void PlaybackSession::setState(State state) {
    if (state == state_) return;
    state_ = state;
    emit stateChanged(state_);
}

void PlaybackSession::setPlayhead(const Playhead& playhead) {
    if (playhead == playhead_) return;
    playhead_ = playhead;
    emit playheadChanged(playhead_);
}

}  // namespace zub
