#include "editor/transport/audio_export.h"

#include <QProgressDialog>
#include <QThread>

#include "editor/app/my_error.h"

namespace zub {

AudioExport::AudioExport(QObject* parent) : QObject(parent) {}

AudioExport::~AudioExport() {
    if (!worker_) return;
    cancel();
    worker_->wait();
    delete worker_;
}

void AudioExport::start(std::shared_ptr<const playback::Accompaniment> accompaniment, playback::Render_options options,
                        const QString& path) {
    if (worker_) return;
    cancelled_ = false;
    done_ = 0;
    written_ = false;
    error_.clear();
    path_ = path;
    // The worker touches only its arguments and the atomics: the render makes a synth of its own.
    worker_ = QThread::create(
        [this, accompaniment = std::move(accompaniment), options = std::move(options), target = path.toStdString()] {
            try {
                written_ = playback::render(*accompaniment, options, target, [this](double share) {
                    done_.store(share, std::memory_order_relaxed);
                    return !cancelled_.load();
                });
            } catch (const std::exception& e) {
                error_ = e.what();
            }
        });
    connect(worker_, &QThread::finished, this, &AudioExport::workerFinished);
    worker_->start();
}

void AudioExport::workerFinished() {
    worker_->deleteLater();
    worker_ = nullptr;
    if (!error_.empty())
        emit finished(Outcome::failed, path_, QString::fromStdString(error_));
    else
        emit finished(written_ ? Outcome::written : Outcome::cancelled, path_, {});
}

AudioExport* exportAudioCommand(QWidget* window, std::shared_ptr<const playback::Accompaniment> accompaniment,
                                playback::Render_options options, const QString& path) {
    auto* job = new AudioExport(window);
    auto* dialog = new QProgressDialog(QObject::tr("Exporting audio…"), QObject::tr("Cancel"), 0, 1000, window);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(300);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    // The worker reports through an atomic; the dialog reads it on the GUI thread.
    auto* poll = new QTimer(job);
    QObject::connect(poll, &QTimer::timeout, dialog,
                     [job, dialog] { dialog->setValue(static_cast<int>(job->done() * 1000)); });
    QObject::connect(dialog, &QProgressDialog::canceled, job, &AudioExport::cancel);
    QObject::connect(job, &AudioExport::finished, window,
                     [window, job, dialog](AudioExport::Outcome outcome, const QString&, const QString& error) {
                         dialog->deleteLater();
                         job->deleteLater();
                         if (outcome == AudioExport::Outcome::failed)
                             showErrorSheet(window, errorWithCode(MyErrorCode::cantWrite,
                                                                  QObject::tr("Can't write output file"), error));
                     });
    job->start(std::move(accompaniment), std::move(options), path);
    poll->start(50);
    return job;
}

}  // namespace zub
