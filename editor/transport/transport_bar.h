// The transport bar of a document window: the playback actions, the tempo
// as a percentage of the chart's, the volume, and what plays: bar:beat of the
// chart (or the count-in), the chorus pass, the seed, and one line of news
// ("Loading sounds…", "No sound device: ...").
#pragma once

#include <QToolBar>

class QLabel;
class QSlider;
class QSpinBox;

namespace zub {

class PlaybackSession;
struct Playhead;

class TransportBar : public QToolBar {
    Q_OBJECT
public:
    // The bar shows session; the actions (Play/Pause, Stop, ...) are added by the owner.
    TransportBar(PlaybackSession& session, QWidget* parent = nullptr);

    // The tempo, the volume, mutes (a button), then the read-outs: after the actions added so far.
    void addReadouts(QWidget* mutes);

    QSpinBox* tempoBox() const { return tempo_; }
    QSlider* volumeSlider() const { return volume_; }
    QString positionText() const;
    QString passText() const;
    QString seedText() const;
    QString messageText() const;

private:
    void showPlayhead(const Playhead& playhead);
    void showSeed();
    void showMessage(const QString& line);

    PlaybackSession& session_;
    QSpinBox* tempo_;
    QSlider* volume_;
    QLabel* position_;
    QLabel* pass_;
    QLabel* seed_;
    QLabel* message_;
    QString message_text_;
};

}  // namespace zub
