// Playback in the document window, heard through FluidSynth's file driver
// under the offscreen platform.
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bridge/chart_document.h"
#include "bridge/style_names.h"
#include "editor/app/analysis_menu.h"
#include "editor/app/my_document.h"
#include "editor/app/preferences.h"
#include "editor/app/preferences_panel.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/transport/audio_export.h"
#include "editor/transport/playback_actions.h"
#include "editor/transport/playback_session.h"
#include "editor/transport/shared_player.h"
#include "editor/transport/transport_bar.h"
#include "editor/view/chart_view.h"
#include "playback/playback_error.h"
#include "playback/soundfont.h"
#include "../view_testing.h"

namespace zub {
namespace {

using testing::chordField;

// Bar 1, the chorus 2-3 twice, bar 4: 1 2 3 2 3 4 after the count-in, 0.8 s a bar.
constexpr const char* short_chart =
    "Name: Short\nMeter: 4/4\nStyle: Swing\nKey: C\nTempo: 300\nChorus: bars 2 to 3 (repeat 2 times)\n"
    "| C7 | F7 G7 | Dm7 | C7 |\n";

constexpr int patience_ms = 30000;  // the first Play loads the SoundFont, slow on a busy machine

double rmsOf(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toStdString().c_str(), SFM_READ, &info);
    if (!file) return -1;
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    double sum = 0;
    for (float s : samples) sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

class Playback : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ::setenv("ZUB_AUDIO_DRIVER", "file", 1);
        ::setenv("ZUB_AUDIO_FILE", heard().c_str(), 1);
    }
    static void TearDownTestSuite() { std::filesystem::remove(heard()); }
    static std::string heard() {
        return (std::filesystem::temp_directory_path() /
                ("zub-editor-playback-test-" + std::to_string(::getpid()) + ".wav"))
            .string();
    }

    void SetUp() override {
        try {
            playback::find_soundfont("");
        } catch (const playback::Playback_error&) {
            FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
        }
        const Plist chart = chartFromDocumentBytes(short_chart, MyDocument::newChart().at("Font"));
        document_ = std::make_unique<MyDocument>(chart, QString());
        document_->setAttribute(Qt::WA_DeleteOnClose, false);
        document_->show();
        actions_ = &document_->playback();
        view_ = document_->chartView();
    }
    void TearDown() override {
        if (actions_) session().stop();
    }

    PlaybackSession& session() const { return actions_->session(); }
    bool waitForBar(std::size_t bar) const {
        return QTest::qWaitFor([&] { return view_->playhead() && view_->playhead()->bar == bar; }, patience_ms);
    }
    bool waitUntilStopped() const {
        return QTest::qWaitFor([&] { return session().state() == PlaybackSession::State::stopped; }, patience_ms);
    }
    QString message() const { return actions_->transportBar().messageText(); }
    // Exports to path and waits: the outcome and its message.
    std::pair<AudioExport::Outcome, QString> exported(const QString& path, bool cancel = false) {
        AudioExport* job = actions_->exportAudio(path);
        if (!job) return {AudioExport::Outcome::failed, "no export started"};
        QSignalSpy finished(job, &AudioExport::finished);
        if (cancel) job->cancel();
        if (!finished.wait(patience_ms)) return {AudioExport::Outcome::failed, "no end in time"};
        return {finished.at(0).at(0).value<AudioExport::Outcome>(), finished.at(0).at(2).toString()};
    }

    std::unique_ptr<MyDocument> document_;
    PlaybackActions* actions_ = nullptr;
    ChartView* view_ = nullptr;
};

// First: once the sounds are loaded they stay, and a load that failed is tried again.
TEST_F(Playback, WithoutASoundDeviceTheTransportSaysSoAndExportStillWorks) {
    if (SharedPlayer::shared().state() == SharedPlayer::State::ready) GTEST_SKIP() << "the sounds are loaded already";
    ::setenv("ZUB_AUDIO_DRIVER", "no-such-driver", 1);
    actions_->playPause();
    const bool stopped = waitUntilStopped();
    ::setenv("ZUB_AUDIO_DRIVER", "file", 1);
    ASSERT_TRUE(stopped);
    // Which driver, and FluidSynth's reason.
    EXPECT_TRUE(message().startsWith("No sound device: the audio driver no-such-driver could not be opened ("))
        << message().toStdString();
    QTemporaryDir folder;
    EXPECT_EQ(exported(folder.filePath("take.wav")).first, AudioExport::Outcome::written);
    // The next Play tries again, and plays.
    actions_->playPause();
    ASSERT_TRUE(waitForBar(0));
    EXPECT_EQ(message(), "");
}

TEST(SoundFontPreference, OnlyASoundFontIsStored) {
    PreferencesPanelController& panel = PreferencesPanelController::shared();
    const QString before = Preferences::shared().soundFont();
    panel.setSoundFont(QStringLiteral(ZUB_TEST_DATA "/../CMakeLists.txt"));
    EXPECT_EQ(Preferences::shared().soundFont(), before);
    EXPECT_TRUE(panel.soundFontText().startsWith("Not a SoundFont: ")) << panel.soundFontText().toStdString();
    panel.setSoundFont("/no/such/file.sf2");
    EXPECT_TRUE(panel.soundFontText().startsWith("SoundFont not found: /no/such/file.sf2"));
    EXPECT_EQ(Preferences::shared().soundFont(), before);
}

// No JACK server runs under this test's name, and none is started for it; the
// stored preferences outlive the test program, so they are put back however it ends.
struct WithoutJack {
    PreferencesPanelController& panel = PreferencesPanelController::shared();
    QString driver = Preferences::shared().audioDriver();
    WithoutJack() {
        ::setenv("JACK_NO_START_SERVER", "1", 1);
        ::setenv("JACK_DEFAULT_SERVER", ("zub-none-" + std::to_string(::getpid())).c_str(), 1);
    }
    ~WithoutJack() {
        panel.setAudioDriver(driver);
        panel.setMidiOut({}, {});
        ::unsetenv("JACK_NO_START_SERVER");
        ::unsetenv("JACK_DEFAULT_SERVER");
    }
};

TEST_F(Playback, AChosenDriverThatCannotStartSaysWhichAndWhy) {
    WithoutJack jack;
    jack.panel.setAudioDriver("jack");
    EXPECT_EQ(jack.panel.audioDriverShown(), "jack");
    EXPECT_EQ(Preferences::shared().audioDriver(), "jack");
    actions_->playPause();
    ASSERT_TRUE(waitUntilStopped());
    EXPECT_TRUE(message().startsWith("No sound device: the audio driver jack could not be opened ("))
        << message().toStdString();
}

TEST_F(Playback, MidiOutWithoutItsServerSaysSo) {
    WithoutJack jack;
    jack.panel.setMidiOut("jack", "synth:midi_in");
    EXPECT_EQ(Preferences::shared().midiOut(), "jack");
    EXPECT_EQ(Preferences::shared().midiConnect(), "synth:midi_in");
    actions_->playPause();
    ASSERT_TRUE(waitUntilStopped());
    EXPECT_EQ(message(), "No MIDI out: the JACK server is not running");
}

TEST_F(Playback, AnotherSoundFontIsHeardFromTheNextPlay) {
    actions_->playPause();
    ASSERT_TRUE(waitForBar(0));
    const QString before = Preferences::shared().soundFont();
    PreferencesPanelController::shared().setSoundFont(QString::fromStdString(playback::find_soundfont("")));
    Preferences::shared().setSoundFont(before);
    EXPECT_EQ(session().state(), PlaybackSession::State::stopped);
    EXPECT_EQ(SharedPlayer::shared().state(), SharedPlayer::State::none);
    actions_->playPause();
    EXPECT_EQ(session().state(), PlaybackSession::State::loading);
    ASSERT_TRUE(waitForBar(0));
}

TEST_F(Playback, ASoundFontChosenWhileTheSoundsLoadIsTheOneHeard) {
    PreferencesPanelController& panel = PreferencesPanelController::shared();
    // The stored preference outlives the test program: it is put back however the test ends.
    struct Restored {
        PreferencesPanelController& panel;
        QString before = Preferences::shared().soundFont();
        ~Restored() { panel.setSoundFont(before); }
    } restored{panel};
    panel.setSoundFont(restored.before);  // from no sounds loaded
    // Another name for the installed SoundFont, so that the two loads can be told apart.
    QTemporaryDir folder;
    const QString chosen = folder.filePath("chosen.sf3");
    ASSERT_TRUE(QFile::link(QString::fromStdString(playback::find_soundfont("")), chosen));
    actions_->playPause();
    ASSERT_EQ(SharedPlayer::shared().state(), SharedPlayer::State::loading);
    panel.setSoundFont(chosen);
    EXPECT_EQ(session().state(), PlaybackSession::State::loading);
    // Two loads, one after the other.
    ASSERT_TRUE(QTest::qWaitFor([] { return SharedPlayer::shared().state() == SharedPlayer::State::ready; },
                                2 * patience_ms));
    EXPECT_EQ(SharedPlayer::shared().soundfont(), chosen.toStdString());
    ASSERT_TRUE(waitForBar(0));
}

TEST_F(Playback, ThePlayheadFollowsTheChorusAcrossTheBars) {
    actions_->playPause();
    const TransportBar& transport = actions_->transportBar();
    ASSERT_TRUE(QTest::qWaitFor([&] { return transport.positionText().startsWith("Count-in"); }, patience_ms));
    EXPECT_FALSE(view_->playhead());
    EXPECT_EQ(transport.seedText(), QString("Seed %1").arg(session().seed()));
    // Played 1 2 3 2 3 4: bar 2 lights on its first pass and again on its second.
    ASSERT_TRUE(waitForBar(0));
    ASSERT_TRUE(waitForBar(1));
    EXPECT_TRUE(transport.positionText().startsWith("2:")) << transport.positionText().toStdString();
    EXPECT_EQ(transport.passText(), "1/2");
    ASSERT_TRUE(waitForBar(2));
    ASSERT_TRUE(waitForBar(1));
    EXPECT_EQ(transport.passText(), "2/2");
    actions_->session().stop();
    EXPECT_EQ(session().state(), PlaybackSession::State::stopped);
    EXPECT_FALSE(view_->playhead());
}

TEST_F(Playback, PlayAgainReplaysTheSameNotesUntilANewAccompaniment) {
    const auto first = session().accompaniment();
    EXPECT_EQ(session().accompaniment(), first);  // kept, not generated again
    EXPECT_EQ(first->seed, session().seed());
    QSignalSpy seeds(&session(), &PlaybackSession::seedChanged);
    session().newAccompaniment();
    EXPECT_EQ(seeds.count(), 1);
    const auto second = session().accompaniment();
    EXPECT_NE(second->seed, first->seed);
    EXPECT_EQ(actions_->transportBar().seedText(), QString("Seed %1").arg(second->seed));
}

// ZUB_SEED is read as zub reads --seed: "-3" is no seed, so one is drawn.
TEST(PlaybackSeed, ZubSeedHoldsAWholeNumberOrIsIgnored) {
    const Plist chart = chartFromDocumentBytes(short_chart, MyDocument::newChart().at("Font"));
    const std::vector<std::pair<const char*, bool>> table = {{"42", true}, {"-3", false}, {"+42", false}};
    for (const auto& [text, taken] : table) {
        ::setenv("ZUB_SEED", text, 1);
        MyDocument document(chart, QString());
        const std::uint64_t seed = document.playback().session().seed();
        ::unsetenv("ZUB_SEED");
        if (taken) EXPECT_EQ(seed, 42u);
        else EXPECT_LT(seed, 1000000u) << text;  // drawn: short enough to type
    }
}

// The seed shown, given to zub render with the chart's file, gives the take
// heard: the analysis the editor stored in the chart changes no note.
TEST(PlaybackSeed, TheTakeOfAnAnalysedChartIsTheTakeOfItsFile) {
    const QString path = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");
    MyDocument document(MyDocument::readChart(path), path);
    ASSERT_FALSE(analyze(document.model(), document.edits()));
    PlaybackSession& session = document.playback().session();
    const auto heard = session.accompaniment();
    const playback::Accompaniment rendered = playback::generate(MyDocument::readChart(path), session.seed());
    EXPECT_EQ(heard->midi, rendered.midi);
}

TEST_F(Playback, SpaceInChordEntryStoresTheChordThenPlays) {
    view_->editSlot({0, 1});
    ChordFieldEditor* field = chordField(*view_);
    QTest::keyClicks(field, "F7");
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(document_->model().chord({0, 1}), "F7");
    EXPECT_NE(session().state(), PlaybackSession::State::stopped);
    ASSERT_TRUE(waitForBar(0));
    // Space again pauses; the playhead stays where it paused.
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(session().state(), PlaybackSession::State::paused);
    EXPECT_TRUE(view_->playhead());
    // A text that is no chord keeps its message, and nothing plays.
    view_->editSlot({0, 2});
    QTest::keyClicks(field, "A/");
    QTest::keyClick(field, Qt::Key_Space);
    EXPECT_EQ(session().state(), PlaybackSession::State::paused);
    EXPECT_EQ(document_->model().chord({0, 2}), "");
}

// Edits while playing are heard from the next Play: what plays goes on, the
// playhead lights only bars the chart still has.
TEST_F(Playback, EditingWhilePlayingIsHeardFromTheNextPlay) {
    const auto before = session().accompaniment();
    actions_->playPause();
    ASSERT_TRUE(waitForBar(1));
    document_->model().storeChord({0, 0}, "Eb7");
    // The chorus shrinks to bar 2 and bars 3 and 4 go while bar 2 or 3 plays.
    document_->model().setChorus({2, 2, 2});
    document_->model().replaceBars({2, 2}, {});
    EXPECT_EQ(session().state(), PlaybackSession::State::playing);
    ASSERT_TRUE(waitUntilStopped());
    EXPECT_FALSE(view_->playhead());
    const auto after = session().accompaniment();
    EXPECT_NE(after, before);
    EXPECT_EQ(after->seed, before->seed);  // the same take, with the edit
    EXPECT_NE(after->midi, before->midi);
    EXPECT_EQ(after->time_map.chart_bars(), 2);
}

TEST_F(Playback, PlayFromTheBarBeingEditedScrollsTheChartToFollow) {
    document_->model().replaceBars({4, 0}, document_->model().bars({0, 4}));
    document_->model().replaceBars({8, 0}, document_->model().bars({0, 8}));  // 16 bars, 13 to 16 played last
    document_->resize(500, 260);
    QScrollArea* area = document_->findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return area->verticalScrollBar()->maximum() > 0; }, patience_ms));
    EXPECT_EQ(area->verticalScrollBar()->value(), 0);
    view_->editSlot({14, 0});
    area->verticalScrollBar()->setValue(0);
    QTest::keyClick(chordField(*view_), Qt::Key_Space, Qt::ShiftModifier);
    ASSERT_TRUE(waitForBar(14));
    EXPECT_EQ(actions_->transportBar().positionText().left(3), "15:");  // the count-in has been played
    EXPECT_GT(area->verticalScrollBar()->value(), 0);
}

TEST_F(Playback, ALoopOfSelectedBarsRepeatsThem) {
    view_->selectBars({2, 1});
    session().setLoop(*view_->selectedBars());
    session().play();
    // Bar 3 again and again: its last slot, then its first again, and no other bar.
    std::vector<std::size_t> bars;
    bool wrapped = false;
    std::size_t last_slot = 0;
    QObject::connect(&session(), &PlaybackSession::playheadChanged, document_.get(), [&](const Playhead& playhead) {
        if (!playhead.slot) return;
        bars.push_back(playhead.slot->bar);
        wrapped = wrapped || (playhead.slot->slot < last_slot);
        last_slot = playhead.slot->slot;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return wrapped; }, patience_ms));
    EXPECT_EQ(std::set<std::size_t>(bars.begin(), bars.end()), std::set<std::size_t>{2});
    EXPECT_EQ(session().state(), PlaybackSession::State::playing);
}

TEST_F(Playback, TheTrainerPlaysItsPassesFasterShowsThemAndEnds) {
    TransportBar& transport = actions_->transportBar();
    actions_->setCountInBars(1);
    actions_->countInEachPassAction()->setChecked(true);
    EXPECT_EQ(session().settings().countInBars, 1);
    EXPECT_TRUE(session().settings().countInEachPass);
    transport.trainerPassesBox()->setValue(2);
    transport.trainerStartBox()->setValue(300);
    transport.trainerStepBox()->setValue(60);
    QTest::mouseClick(transport.trainerButton(), Qt::LeftButton);
    EXPECT_EQ(session().settings().trainer, (TrainerSettings{true, 2, 300, 60}));
    QStringList shown;
    QObject::connect(&session(), &PlaybackSession::trainerChanged, document_.get(),
                     [&](const QString& line) { shown << line; });
    view_->selectBars({3, 1});  // bar 4, twice, a bar's count-in before each
    session().setLoop(*view_->selectedBars());
    session().play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.contains("Pass 2/2 at 360 bpm"); }, patience_ms)) << shown.join('|').toStdString();
    EXPECT_EQ(transport.trainerText(), "Pass 2/2 at 360 bpm");
    // The last pass played, the trainer stops by itself.
    ASSERT_TRUE(waitUntilStopped());
    EXPECT_EQ(shown, (QStringList{"Pass 1/2 at 300 bpm", "Pass 2/2 at 360 bpm", ""}));
    // Export Audio renders the same passes: 2 x (a bar's count-in and bar 4) at 300 and 360, and the tail.
    QTemporaryDir folder;
    ASSERT_EQ(exported(folder.filePath("trainer.wav")).first, AudioExport::Outcome::written);
    SF_INFO info{};
    SNDFILE* file = sf_open(folder.filePath("trainer.wav").toStdString().c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr);
    sf_close(file);
    EXPECT_EQ(info.frames, std::lround((8 * 60.0 / 300 + 8 * 60.0 / 360 + 2.0) * 44100));
}

TEST_F(Playback, ExportAudioWritesASoundingFileAndCancelLeavesNone) {
    QTemporaryDir folder;
    const QString take = folder.filePath("take.flac");
    EXPECT_EQ(exported(take).first, AudioExport::Outcome::written);
    EXPECT_GT(rmsOf(take), 0.01);
    const QString cancelled = folder.filePath("cancelled.wav");
    EXPECT_EQ(exported(cancelled, true).first, AudioExport::Outcome::cancelled);
    EXPECT_FALSE(QFile::exists(cancelled));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"take.flac"});  // no temporary left
    const auto [outcome, reason] = exported(folder.filePath("no/such/folder/take.ogg"));
    EXPECT_EQ(outcome, AudioExport::Outcome::failed);
    EXPECT_TRUE(reason.startsWith("Can't write output file")) << reason.toStdString();
}


TEST_F(Playback, ANewStyleOrTempoIsHeardFromTheNextPlay) {
    const auto before = session().accompaniment();
    ChartProperties properties = document_->model().properties();
    properties.styleType = *styleCodeOfName("Bossa Nova");
    document_->edits().setProperties(properties);
    const auto bossa = session().accompaniment();
    EXPECT_NE(bossa, before);
    EXPECT_NE(bossa->midi, before->midi);
    properties.tempo += 40;
    document_->edits().setProperties(properties);
    EXPECT_NE(session().accompaniment(), bossa);
    document_->undoStack()->setClean();
}

}  // namespace
}  // namespace zub
