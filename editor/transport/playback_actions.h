// The Playback menu and the transport bar of a document window, and the
// accompaniment items that go with them: New Accompaniment and Export
// Audio.... Space plays and pauses from the chart view and from chord entry,
// where it first stores what was typed, as Tab would (a chord symbol never
// holds a space). The chart view lights the sounding slot.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QToolButton;

namespace zub {

class AudioExport;
class ChartView;
class PlaybackSession;
class TransportBar;
class MyDocument;

class PlaybackActions : public QObject {
    Q_OBJECT
public:
    // The session and the transport bar (added to the window's top) of document.
    explicit PlaybackActions(MyDocument& document);

    // The Playback menu at the end of the menu bar.
    void addPlaybackMenu(QMenuBar* menuBar);
    // New Accompaniment and Export Audio... at the end of the Accompaniment menu.
    void addAccompanimentItems(QMenu* accompaniment);

    PlaybackSession& session() const { return *session_; }
    TransportBar& transportBar() const { return *transport_; }
    QAction* playPauseAction() const { return play_; }
    // setCountInBars(1): as the user's choice of 1 Bar.
    void setCountInBars(int bars);
    QAction* countInEachPassAction() const { return count_in_each_pass_; }

    // Space: stores a chord being typed, then plays or pauses; a chord that
    // fails its check stays with its message and nothing plays.
    void playPause();
    void playFromSelectedBar();
    // exportAudio("take.flac"): the accompaniment as heard (mutes, tempo) rendered there.
    AudioExport* exportAudio(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void chooseAudioFile();
    // The bars to loop: the selection, else the bar of the slot being edited.
    void updateLoop();
    void showState();
    void mutesChanged();
    QToolButton* popupButton(const QString& text, const QList<QAction*>& actions);
    void buildCountInActions();
    void showCountIn();

    MyDocument& document_;
    ChartView& view_;
    PlaybackSession* session_;
    TransportBar* transport_;
    QAction* play_ = nullptr;
    QAction* stop_ = nullptr;
    QAction* from_bar_ = nullptr;
    QAction* loop_ = nullptr;
    QMenu* count_in_menu_ = nullptr;
    QAction* count_in_bars_[3] = {};
    QAction* count_in_each_pass_ = nullptr;
    QToolButton* count_in_button_ = nullptr;
    QAction* mute_drums_ = nullptr;
    QAction* mute_piano_ = nullptr;
    QAction* mute_bass_ = nullptr;
    QAction* new_accompaniment_ = nullptr;
    QAction* export_audio_ = nullptr;
    QToolButton* mutes_ = nullptr;
};

}  // namespace zub
