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

struct PlaybackSettings {
    bool countIn = true;
    int tempoPercent = 100;  // of the chart's tempo, without generating again
    playback::Mutes mutes;
    int volumePercent = 100;
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

    void setCountIn(bool on);
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

private:
    struct Request {
        std::optional<int> fromBar;   // none: from the start
        std::optional<int> fromTick;  // a pause's tick, to resume at
    };
    void start(const Request& request);
    playback::Play_options optionsFor(const Request& request, const playback::Accompaniment& accompaniment) const;
    void chartChanged();
    void setState(State state);
    void setPlayhead(const Playhead& playhead);
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
    Playhead playhead_;
    QTimer timer_;
};

}  // namespace zub
