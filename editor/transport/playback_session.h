// A document's playback: the accompaniment generated on the first Play and
// kept until the chart changes or the user asks for a new one (a new seed),
// the transport's settings, and the playhead that follows the application's
// shared player. Edits while playing are heard from the next Play: what
// plays keeps its own accompaniment, and the playhead lights only bars the
// chart still has.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <optional>

#include "editor/model/bar_operations.h"
#include "editor/transport/playhead.h"
#include "playback/accompaniment.h"
#include "playback/live_player.h"

namespace zub {

class ChartModel;

// The tempo trainer: the loop's bars (or the chart) passes times, from a
// start tempo a step faster each pass.
struct TrainerSettings {
    bool on = false;
    int passes = 4;
    int startBpm = 0;  // 0: the tempo the transport plays at
    int stepBpm = 10;
    bool operator==(const TrainerSettings&) const = default;
};

struct PlaybackSettings {
    int countInBars = 2;           // 0, 1 or 2, before Play and Play from Selected Bar
    bool countInEachPass = false;  // and before every pass of a loop or the trainer
    int tempoPercent = 100;        // of the chart's tempo, without generating again
    playback::Mutes mutes;
    int volumePercent = 100;
    TrainerSettings trainer;
};

class PlaybackSession : public QObject {
    Q_OBJECT
public:
    enum class State { stopped, loading, playing, paused };
    Q_ENUM(State)

    // The seed of the first accompaniment: $ZUB_SEED when it holds a whole number, else drawn.
    PlaybackSession(ChartModel& model, QObject* parent = nullptr);
    ~PlaybackSession() override;

    State state() const { return state_; }
    const Playhead& playhead() const { return playhead_; }
    std::uint64_t seed() const { return seed_; }
    const PlaybackSettings& settings() const { return settings_; }

    // play(): from a pause where it paused, else from the start (the count-in
    // when on). play(5): chart bar 5 (counted from 1) at its first playing,
    // without count-in. While a loop is set, play() starts at its first bar.
    // The first Play of the program loads the sounds first ("Loading
    // sounds…"). A chart that cannot be played leaves the session stopped
    // with message(line).
    void play(std::optional<int> fromBar = std::nullopt);
    // Pause while playing (or loading), else play().
    void playPause();
    void pause();
    void stop();
    // A new seed; what plays goes on, the next Play plays the new accompaniment.
    void newAccompaniment();

    // The accompaniment of the chart as it stands at this seed, generated when
    // none is kept. Bridge_exception for a chart the generator refuses.
    std::shared_ptr<const playback::Accompaniment> accompaniment();
    // The tempo to play at, in beats a minute; 0 for the chart's own.
    double tempoBpm() const;
    // What Export Audio renders: what Play plays from the top, the count-in
    // and the trainer's passes included; a loop without the trainer has no
    // end, so the whole chart is rendered in its place.
    playback::Play_options renderOptions();

    void setCountInBars(int bars);
    void setCountInEachPass(bool on);
    // Heard from the next Play.
    void setTrainer(const TrainerSettings& trainer);
    void setTempoPercent(int percent);
    void setMutes(playback::Mutes mutes);
    void setVolumePercent(int percent);
    // setLoop({4, 2}): bars 5 and 6 repeat until stopped, from now if playing;
    // none plays on from where it is to the end. Bars the chart has lost are left out.
    void setLoop(std::optional<BarRange> bars);
    const std::optional<BarRange>& loop() const { return loop_; }

    // follow(): the playhead from the player's position; the timer calls it
    // every 10 ms while playing, well within a display frame.
    void follow();

signals:
    void stateChanged(zub::PlaybackSession::State state);
    void playheadChanged(const zub::Playhead& playhead);
    void seedChanged(quint64 seed);
    // One line for the transport: "Loading sounds…", a failure; "" clears it.
    void message(const QString& line);
    // The trainer's pass and tempo as the transport shows them ("Pass 2/4 at 140 bpm"); "" without.
    void trainerChanged(const QString& line);

private:
    struct Request {
        std::optional<int> fromBar;   // none: from the start
        std::optional<int> fromTick;  // a pause's tick, to resume at
        int fromPass = 1;             // the trainer's pass it paused in
        bool countIn = true;          // the count-in chosen; false to start at once
    };
    void start(const Request& request);
    playback::Play_options optionsFor(const Request& request, const playback::Accompaniment& accompaniment) const;
    void chartChanged();
    void setState(State state);
    void setPlayhead(const Playhead& playhead);
    void showTrainer(const playback::Live_player* player);
    void soundsReady();
    void soundsFailed(const QString& line);
    bool owns() const;

    ChartModel& model_;
    std::uint64_t seed_;
    PlaybackSettings settings_;
    std::optional<BarRange> loop_;
    std::shared_ptr<const playback::Accompaniment> kept_;     // for the chart as it stands
    std::shared_ptr<const playback::Accompaniment> playing_;  // what the player plays
    bool looping_ = false;                                    // what plays loops
    playback::Loop_ticks loop_ticks_{0, 0};                   // between these ticks
    State state_ = State::stopped;
    Request pending_;  // while loading
    Request last_;     // the last play's bars, for a pause resumed
    std::optional<int> paused_tick_;
    int paused_pass_ = 1;
    int playing_passes_ = 0;  // the trainer's passes of what plays; 0 without
    QString trainer_line_;
    Playhead playhead_;
    QTimer timer_;
};

}  // namespace zub
