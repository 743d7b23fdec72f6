#include "editor/transport/shared_player.h"

#include <QThread>

#include "editor/app/preferences.h"
#include "playback/soundfont.h"

namespace zub {

SharedPlayer& SharedPlayer::shared() {
    static SharedPlayer player;
    return player;
}

// At exit a load still running is waited for: the worker writes into this object.
SharedPlayer::~SharedPlayer() {
    if (loader_) {
        loader_->wait();
        delete loader_;
    }
}

std::string editorSoundfont() { return playback::find_soundfont(Preferences::shared().soundFont().toStdString()); }

void SharedPlayer::load() {
    if (state_ == State::loading || state_ == State::ready) return;
    state_ = State::loading;
    failure_.clear();
    std::string soundfont;
    try {
        soundfont = editorSoundfont();  // reads the preferences, which live on the GUI thread
    } catch (const std::exception& e) {
        state_ = State::failed;
        failure_ = QString::fromUtf8(e.what());
        emit failed(failure_);
        return;
    }
    loader_ = QThread::create([this, soundfont] {
        try {
            player_ = std::make_unique<playback::Live_player>(soundfont);
        } catch (const std::exception& e) {
            load_error_ = e.what();
        }
    });
    connect(loader_, &QThread::finished, this, &SharedPlayer::loaded);
    loader_->start();
}

void SharedPlayer::loaded() {
    loader_->deleteLater();
    loader_ = nullptr;
    if (player_) {
        state_ = State::ready;
        emit ready();
        return;
    }
    state_ = State::failed;
    failure_ = QString::fromStdString(load_error_);
    load_error_.clear();
    emit failed(failure_);
}

void SharedPlayer::unload() {
    if (state_ == State::loading) return;
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
