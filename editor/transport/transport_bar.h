// The transport bar of a document window: the playback actions, the tempo
// as a percentage of the chart's, the volume, the tempo trainer (passes, start
// tempo, step), and what plays: bar:beat of the chart (or the count-in), the
// chorus pass, the trainer's pass and tempo, the seed, and one line of news
// ("Loading sounds…", "No sound device: ...").
#pragma once

#include <QToolBar>

class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;

namespace zub {

class PlaybackSession;
struct Playhead;

class TransportBar : public QToolBar {
    Q_OBJECT
public:
    // The bar shows session; the actions (Play/Pause, Stop, ...) are added by the owner.
    TransportBar(PlaybackSession& session, QWidget* parent = nullptr);

    // The tempo, the volume, mutes and count-in (buttons), the trainer, then
    // the read-outs: after the actions added so far.
    void addReadouts(QWidget* mutes, QWidget* countIn);

    QSpinBox* tempoBox() const { return tempo_; }
    // The trainer's switch and its settings, in the switch's popup.
    QToolButton* trainerButton() const { return trainer_; }
    QSpinBox* trainerPassesBox() const { return passes_; }
    QSpinBox* trainerStartBox() const { return start_bpm_; }
    QSpinBox* trainerStepBox() const { return step_bpm_; }
    QString trainerText() const;
    QSlider* volumeSlider() const { return volume_; }
    QString positionText() const;
    QString passText() const;
    QString seedText() const;
    QString messageText() const;

private:
    void showPlayhead(const Playhead& playhead);
    void showSeed();
    void showMessage(const QString& line);
    QWidget* trainerSettings();
    void trainerChanged();

    PlaybackSession& session_;
    QSpinBox* tempo_;
    QSlider* volume_;
    QLabel* position_;
    QLabel* pass_;
    QLabel* seed_;
    QLabel* message_;
    QString message_text_;
    QToolButton* trainer_;
    QSpinBox* passes_;
    QSpinBox* start_bpm_;
    QSpinBox* step_bpm_;
    QLabel* trainer_state_;
};

}  // namespace zub
