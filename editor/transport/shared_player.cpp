#include "editor/transport/shared_player.h"

#include "editor/app/preferences.h"
#include "playback/soundfont.h"

namespace zub {

SharedPlayer& SharedPlayer::shared() {
    static SharedPlayer player;
    return player;
}

// At exit a load still running is waited for (by loader_): the worker writes into this object.
SharedPlayer::~SharedPlayer() = default;

std::string editorSoundfont() { return playback::find_soundfont(Preferences::shared().soundFont().toStdString()); }

void SharedPlayer::load() {
    if (state_ == State::loading || state_ == State::ready) return;
    state_ = State::loading;
    failure_.clear();
    playback::Sound_output output;
    try {
        soundfont_ = editorSoundfont();  // reads the preferences, which live on the GUI thread
        output.driver = Preferences::shared().audioDriver().toStdString();
        output.jack_autoconnect = Preferences::shared().jackAutoconnect();
        output.midi_out = Preferences::shared().midiOut().toStdString();
        output.midi_connect = Preferences::shared().midiConnect().toStdString();
    } catch (const std::exception& e) {
        state_ = State::failed;
        failure_ = QString::fromUtf8(e.what());
        emit failed(failure_);
        return;
    }
    loader_.run([this, soundfont = soundfont_,
                 output] { player_ = std::make_unique<playback::Live_player>(soundfont, output); },
                [this](const std::string& error) { loaded(error); });
}

void SharedPlayer::loaded(const std::string& error) {
    if (stale_) {
        stale_ = false;
        player_.reset();
        state_ = State::none;
        return load();
    }
    if (player_) {
        state_ = State::ready;
        emit ready();
        return;
    }
    state_ = State::failed;
    failure_ = QString::fromStdString(error);
    emit failed(failure_);
}

void SharedPlayer::unload() {
    // Nothing plays yet; the Play waiting for the sounds waits on for the new ones.
    if (state_ == State::loading) {
        stale_ = true;
        return;
    }
    claim(nullptr);  // every session stops
    player_.reset();
    state_ = State::none;
    failure_.clear();
}

void SharedPlayer::claim(QObject* session) {
    if (owner_ == session) return;
    owner_ = session;
    emit claimed(session);
}

void SharedPlayer::release(QObject* session) {
    if (owner_ != session) return;
    owner_ = nullptr;
    if (player_) player_->stop();
}

}  // namespace zub
