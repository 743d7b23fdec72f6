#include "editor/transport/playback_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include "editor/app/accompaniment_menu.h"
#include "editor/app/my_document.h"
#include "editor/app/my_error.h"
#include "editor/model/chart_model.h"
#include "editor/transport/audio_export.h"
#include "editor/transport/playback_session.h"
#include "editor/transport/shared_player.h"
#include "editor/transport/transport_bar.h"
#include "editor/view/chart_view.h"
#include "playback/audio_file.h"

namespace zub {

namespace {

// Space, or Shift+Space when shifted is true.
bool isSpace(const QEvent* event, bool shifted) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Space && key->modifiers() == (shifted ? Qt::ShiftModifier : Qt::NoModifier);
}

QAction* checkable(QAction* action, bool on) {
    action->setCheckable(true);
    action->setChecked(on);
    return action;
}

}  // namespace

PlaybackActions::PlaybackActions(MyDocument& document)
    : QObject(&document),
      document_(document),
      view_(*document.chartView()),
      session_(new PlaybackSession(document.model(), this)),
      transport_(new TransportBar(*session_, &document)) {
    buildActions();
    document.addToolBar(Qt::TopToolBarArea, transport_);
    view_.installChordFieldFilter(this);
    connect(session_, &PlaybackSession::playheadChanged, &view_,
            [this](const Playhead& playhead) { view_.setPlayhead(playhead.slot); });
    connect(session_, &PlaybackSession::stateChanged, this, &PlaybackActions::showState);
    connect(session_, &PlaybackSession::message, &document, [&document](const QString& line) {
        if (line.isEmpty())
            document.statusBar()->clearMessage();
        else
            document.statusBar()->showMessage(line);
    });
    connect(&view_, &ChartView::selectionChanged, this, [this] {
        if (loop_->isChecked()) updateLoop();
    });
    showState();
}

void PlaybackActions::buildActions() {
    play_ = new QAction(tr("&Play"), this);
    play_->setShortcut(Qt::Key_Space);
    play_->setShortcutContext(Qt::WindowShortcut);
    connect(play_, &QAction::triggered, this, &PlaybackActions::playPause);
    stop_ = new QAction(tr("&Stop"), this);
    stop_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    connect(stop_, &QAction::triggered, session_, &PlaybackSession::stop);
    from_bar_ = new QAction(tr("Play from Selected &Bar"), this);
    from_bar_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Space));
    connect(from_bar_, &QAction::triggered, this, &PlaybackActions::playFromSelectedBar);
    loop_ = checkable(new QAction(tr("&Loop Selected Bars"), this), false);
    loop_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(loop_, &QAction::toggled, this, [this](bool on) {
        if (!on) return session_->setLoop(std::nullopt);
        updateLoop();
        if (session_->state() != PlaybackSession::State::playing && view_.endChordEditing()) session_->play();
    });
    buildCountInActions();
    mute_drums_ = checkable(new QAction(tr("Mute &Drums"), this), false);
    mute_piano_ = checkable(new QAction(tr("Mute P&iano"), this), false);
    mute_bass_ = checkable(new QAction(tr("Mute B&ass"), this), false);
    for (QAction* mute : {mute_drums_, mute_piano_, mute_bass_})
        connect(mute, &QAction::toggled, this, &PlaybackActions::mutesChanged);
    new_accompaniment_ = new QAction(tr("&New Accompaniment"), this);
    connect(new_accompaniment_, &QAction::triggered, session_, &PlaybackSession::newAccompaniment);
    export_audio_ = new QAction(tr("Export &Audio..."), this);
    connect(export_audio_, &QAction::triggered, this, &PlaybackActions::chooseAudioFile);
    loop_->setIconText(tr("Loop"));
    for (QAction* action : {play_, stop_, loop_}) transport_->addAction(action);
    // The mutes share one button, and the count-in choices another, so the transport fits a window of ordinary width.
    mutes_ = popupButton(tr("Mute"), {mute_drums_, mute_piano_, mute_bass_});
    count_in_button_ = popupButton(QString(), count_in_menu_->actions());
    showCountIn();
    transport_->addReadouts(mutes_, count_in_button_);
}

QToolButton* PlaybackActions::popupButton(const QString& text, const QList<QAction*>& actions) {
    auto* button = new QToolButton(transport_);
    button->setText(text);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setFocusPolicy(Qt::NoFocus);
    auto* menu = new QMenu(button);
    menu->addActions(actions);
    button->setMenu(menu);
    return button;
}

// None, 1 Bar, 2 Bars, and Before Each Pass: the Playback menu's Count-in submenu and the transport's button.
void PlaybackActions::buildCountInActions() {
    count_in_menu_ = new QMenu(tr("&Count-in"), &document_);
    auto* group = new QActionGroup(this);
    const QString names[] = {tr("&None"), tr("&1 Bar"), tr("&2 Bars")};
    for (int bars = 0; bars <= 2; ++bars) {
        QAction* choice = checkable(group->addAction(names[bars]), session_->settings().countInBars == bars);
        count_in_bars_[bars] = choice;
        connect(choice, &QAction::triggered, this, [this, bars] {
            session_->setCountInBars(bars);
            showCountIn();
        });
    }
    count_in_menu_->addActions(group->actions());
    count_in_menu_->addSeparator();
    count_in_each_pass_ = checkable(new QAction(tr("Before &Each Pass"), this), session_->settings().countInEachPass);
    connect(count_in_each_pass_, &QAction::toggled, session_, &PlaybackSession::setCountInEachPass);
    count_in_menu_->addAction(count_in_each_pass_);
}

// The button says the choice: "Count-in 2", "No count-in".
void PlaybackActions::showCountIn() {
    const int bars = session_->settings().countInBars;
    count_in_button_->setText(bars == 0 ? tr("No count-in") : tr("Count-in %1").arg(bars));
}

void PlaybackActions::setCountInBars(int bars) {
    if (bars >= 0 && bars <= 2) count_in_bars_[bars]->trigger();
}

// The button says what is muted: "Muted: Drums, Bass".
void PlaybackActions::mutesChanged() {
    session_->setMutes({mute_drums_->isChecked(), mute_piano_->isChecked(), mute_bass_->isChecked()});
    QStringList muted;
    if (mute_drums_->isChecked()) muted << tr("Drums");
    if (mute_piano_->isChecked()) muted << tr("Piano");
    if (mute_bass_->isChecked()) muted << tr("Bass");
    mutes_->setText(muted.isEmpty() ? tr("Mute") : tr("Muted: %1").arg(muted.join(QStringLiteral(", "))));
}

void PlaybackActions::addPlaybackMenu(QMenuBar* menuBar) {
    QMenu* menu = menuBar->addMenu(tr("&Playback"));
    for (QAction* action : {play_, stop_, from_bar_}) menu->addAction(action);
    menu->addSeparator();
    menu->addAction(loop_);
    menu->addMenu(count_in_menu_);
    menu->addSeparator();
    for (QAction* action : {mute_drums_, mute_piano_, mute_bass_}) menu->addAction(action);
}

void PlaybackActions::addAccompanimentItems(QMenu* accompaniment) {
    accompaniment->addSeparator();
    accompaniment->addAction(new_accompaniment_);
    accompaniment->addAction(export_audio_);
}

void PlaybackActions::playPause() {
    if (!view_.endChordEditing()) return;
    session_->playPause();
}

void PlaybackActions::playFromSelectedBar() {
    if (!view_.endChordEditing()) return;
    std::size_t bar = 0;
    if (const std::optional<BarRange> selection = view_.selectedBars())
        bar = selection->location;
    else if (const std::optional<SlotRef> slot = view_.activeSlot())
        bar = slot->bar;
    session_->play(static_cast<int>(bar) + 1);
}

void PlaybackActions::updateLoop() {
    if (const std::optional<BarRange> selection = view_.selectedBars(); selection && selection->length > 0)
        session_->setLoop(*selection);
    else if (const std::optional<SlotRef> slot = view_.activeSlot())
        session_->setLoop(BarRange{slot->bar, 1});
    else
        session_->setLoop(BarRange{0, document_.model().barCount()});
}

void PlaybackActions::showState() {
    const bool playing =
        session_->state() == PlaybackSession::State::playing || session_->state() == PlaybackSession::State::loading;
    play_->setText(playing ? tr("&Pause") : tr("&Play"));
    play_->setIconText(playing ? tr("Pause") : tr("Play"));
    stop_->setEnabled(session_->state() != PlaybackSession::State::stopped);
}

void PlaybackActions::chooseAudioFile() {
    if (!view_.endChordEditing()) return;
    const QString suggestion = suggestedSavePath(
        document_.path(), documentName(document_.path(), document_.windowTitle()), QStringLiteral("flac"));
    QString path =
        QFileDialog::getSaveFileName(&document_, tr("Export Audio"), suggestion,
                                     tr("Audio (*.flac *.wav *.ogg);;FLAC (*.flac);;WAV (*.wav);;Ogg Vorbis (*.ogg)"));
    if (path.isEmpty()) return;
    // A name typed without a suffix gets the suggestion's; another suffix is refused by exportAudio.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".flac");
    exportAudio(path);
}

AudioExport* PlaybackActions::exportAudio(const QString& path) {
    try {
        if (!playback::audio_format_of(path.toStdString()))
            throw std::runtime_error(
                tr("Unsupported audio file type: %1 (use .wav, .flac or .ogg)").arg(path).toStdString());
        const playback::Render_options options{editorSoundfont(), session_->renderOptions()};
        return exportAudioCommand(&document_, session_->accompaniment(), options, path);
    } catch (const std::exception& e) {
        showErrorSheet(&document_, errorWithCode(MyErrorCode::cantWrite, tr("Can't write output file"), reasonOf(e)));
        return nullptr;
    }
}

// Space and Shift+Space reach the window's Play actions even from chord
// entry, whose line edit would otherwise take them as text.
bool PlaybackActions::eventFilter(QObject*, QEvent* event) {
    // Installed on the chord field editor only.
    const bool space = isSpace(event, false), shifted = isSpace(event, true);
    if (!space && !shifted) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->ignore();  // the shortcut, not the field, gets the key
        return true;
    }
    if (space)
        playPause();
    else
        playFromSelectedBar();
    return true;
}

}  // namespace zub
