// Export Audio: the accompaniment rendered to a WAV, FLAC or Ogg file on a
// worker thread, with a progress dialog that cancels it. The window stays
// responsive; a cancelled or failed render leaves no file (and keeps an old one).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <string>

#include "editor/transport/worker_thread.h"
#include "playback/accompaniment.h"
#include "playback/render.h"

class QProgressDialog;
class QWidget;

namespace zub {

class AudioExport : public QObject {
    Q_OBJECT
public:
    enum class Outcome { written, cancelled, failed };
    Q_ENUM(Outcome)

    explicit AudioExport(QObject* parent = nullptr);
    // Waits for a render still running, cancelled first.
    ~AudioExport() override;

    // start(accompaniment, options, "take.flac"): renders on a worker thread; finished() follows.
    void start(std::shared_ptr<const playback::Accompaniment> accompaniment, playback::Render_options options,
               const QString& path);
    // Asks the render to stop at its next progress call.
    void cancel() { cancelled_ = true; }
    bool running() const { return worker_.running(); }
    // The share rendered so far, 0 to 1.
    double done() const { return done_.load(std::memory_order_relaxed); }

signals:
    // error is the failure's line ("Can't write output file: PATH") when failed.
    void finished(zub::AudioExport::Outcome outcome, const QString& path, const QString& error);

private:
    void workerFinished(const std::string& error);

    std::atomic<bool> cancelled_{false};
    std::atomic<double> done_{0};
    bool written_ = false;  // written by the worker, read after it finished
    QString path_;
    WorkerThread worker_;  // last: destroyed first, waiting for the render
};

// exportAudioCommand(window, accompaniment, options, path): the export with a
// window-modal progress dialog whose Cancel stops it; a failure is shown as an
// error sheet. Returns the export, which deletes itself when done.
AudioExport* exportAudioCommand(QWidget* window, std::shared_ptr<const playback::Accompaniment> accompaniment,
                                playback::Render_options options, const QString& path);

}  // namespace zub
