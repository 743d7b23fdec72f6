#include "editor/transport/audio_export.h"

#include <QProgressDialog>

#include "editor/app/my_error.h"

namespace zub {

AudioExport::AudioExport(QObject* parent) : QObject(parent) {}

AudioExport::~AudioExport() { cancel(); }

void AudioExport::start(std::shared_ptr<const playback::Accompaniment> accompaniment, playback::Render_options options,
                        const QString& path) {
    if (worker_.running()) return;
    cancelled_ = false;
    done_ = 0;
    written_ = false;
    path_ = path;
    // The worker touches only its arguments and the atomics: the render makes a synth of its own.
    worker_.run(
        [this, accompaniment = std::move(accompaniment), options = std::move(options), target = path.toStdString()] {
            written_ = playback::render(*accompaniment, options, target, [this](double share) {
                done_.store(share, std::memory_order_relaxed);
                return !cancelled_.load();
            });
        },
        [this](const std::string& error) { workerFinished(error); });
}

void AudioExport::workerFinished(const std::string& error) {
    if (!error.empty())
        emit finished(Outcome::failed, path_, QString::fromStdString(error));
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
