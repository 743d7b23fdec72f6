// The application's one live player. Its sound device (the audio driver of
// the preferences) and SoundFont are made once, on the first Play of any document, on a worker thread (an .sf3 takes
// about a second) and kept until the program ends. One document plays at a
// time: the one that last claimed the player.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>

#include "editor/transport/worker_thread.h"
#include "playback/live_player.h"

namespace zub {

class SharedPlayer : public QObject {
    Q_OBJECT
public:
    enum class State { none, loading, ready, failed };

    static SharedPlayer& shared();
    ~SharedPlayer() override;

    State state() const { return state_; }
    // The failure's one line ("No sound device: ...", "SoundFont not found: ..."); "" otherwise.
    const QString& failure() const { return failure_; }
    // The player once ready, else nullptr.
    playback::Live_player* player() const { return state_ == State::ready ? player_.get() : nullptr; }
    // The SoundFont of the player that is ready or loading; "" before the first load.
    const std::string& soundfont() const { return soundfont_; }

    // load(): starts loading unless loading or ready; a failed load is tried
    // again (a device may have appeared). ready() or failed(line) follows on the GUI thread.
    void load();

    // unload(): what plays stops, and the next load() reads the SoundFont
    // preference again. While a load runs, its player is dropped when made and
    // the preference loaded in its place: a Play waiting for it hears the new one.
    void unload();

    // claim(session): session plays from now on; the one before is told by claimed().
    void claim(QObject* session);
    QObject* owner() const { return owner_; }
    // release(session): session no longer plays (stopped, or gone).
    void release(QObject* session);

signals:
    void ready();
    void failed(const QString& line);
    void claimed(QObject* session);

private:
    SharedPlayer() = default;
    void loaded(const std::string& error);

    State state_ = State::none;
    QString failure_;
    std::string soundfont_;
    std::unique_ptr<playback::Live_player> player_;  // written by the loader, read after it finished
    bool stale_ = false;  // unloaded while loading
    QObject* owner_ = nullptr;
    WorkerThread loader_;  // last: destroyed first, waiting for a load still running
};

// The SoundFont the editor plays: the preference when set, else found as zub finds it.
// Playback_error when none is found (see find_soundfont).
std::string editorSoundfont();

}  // namespace zub
