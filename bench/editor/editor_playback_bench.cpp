// Playback in the editor: from Play to the first block the audio thread
// renders, the playhead from the player's position to the view, and the CPU
// that live playback takes. Sound goes to FluidSynth's file driver, which
// runs in real time with the default period size as a sound card would.
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/editor/editor_bench_support.h"
#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "editor/model/chart_model.h"
#include "editor/transport/playback_actions.h"
#include "editor/transport/playback_session.h"
#include "editor/transport/playhead.h"
#include "editor/transport/shared_player.h"
#include "editor/view/chart_view.h"

namespace {

using namespace zub;

// The events of milliseconds of the program's life, as the window would see them.
void run_events(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// A window on a chart of bars bars, with the sounds loaded: the driver is warm.
std::unique_ptr<MyDocument> warm_document(int bars) {
    benchApplication();
    const std::string heard = (std::filesystem::temp_directory_path() / "zub-bench-editor-heard.wav").string();
    ::setenv("ZUB_AUDIO_DRIVER", "file", 0);
    ::setenv("ZUB_AUDIO_FILE", heard.c_str(), 0);
    auto document = std::make_unique<MyDocument>(
        chartFromDocumentBytes(longChart(bars), MyDocument::newChart().dictionary_at("Font")), QString());
    document->setAttribute(Qt::WA_DeleteOnClose, false);
    document->show();
    SharedPlayer::shared().load();
    while (SharedPlayer::shared().state() == SharedPlayer::State::loading) run_events(20);
    return document;
}

// Play pressed on a chart that has changed since the last Play: generation of
// 32 bars, a new player on the warm driver, up to the first block rendered.
void BM_EditorPlayToFirstBlock32Bars(benchmark::State& state) {
    const auto document = warm_document(32);
    PlaybackSession& session = document->playback().session();
    playback::Live_player* player = SharedPlayer::shared().player();
    if (!player) return state.SkipWithError(SharedPlayer::shared().failure().toStdString().c_str());
    for (auto _ : state) {
        state.PauseTiming();
        session.stop();
        session.newAccompaniment();  // nothing kept: Play generates
        state.ResumeTiming();
        document->playback().playPause();
        while (player->tick() < 0) {
        }
    }
    session.stop();
}
BENCHMARK(BM_EditorPlayToFirstBlock32Bars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// From a new position of the player to the playhead painted: the map to the
// chart, the view told, and the repaint of the two bars that change, into an
// image as the window's backing store would be. The session polls every 10 ms,
// so the playhead is drawn within 10 ms plus this of the player's position.
void BM_PlayheadToPaint(benchmark::State& state) {
    const auto document = warm_document(64);
    ChartView& view = *document->chartView();
    const playback::Time_map map = playback::Time_map::of_chart(document->model().chart());
    const SlotCount slot_count = [&](std::size_t bar) { return document->model().slotCount(bar); };
    QImage backing(view.size(), QImage::Format_ARGB32_Premultiplied);
    long tick = 0;
    for (auto _ : state) {
        tick = (tick + map.ticks_per_beat()) % map.total_ticks();
        const Playhead playhead = playheadAt(map, tick, slot_count);
        view.setPlayhead(playhead.slot);
        const LayoutRect bar = playheadArea(view.layout(), playhead.slot.value_or(SlotRef{}));
        view.render(&backing, QPoint(), QRegion(QRectF(bar.x, bar.y, bar.width, bar.height).toAlignedRect()));
    }
}
BENCHMARK(BM_PlayheadToPaint)->Unit(benchmark::kMicrosecond);

double cpu_seconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Live playback of a long chart for four seconds with the window following:
// the audio thread, the playhead timer and the paints. cpu_share is the CPU
// time over the wall time (1 = one core busy).
void BM_LivePlaybackCpu(benchmark::State& state) {
    const auto document = warm_document(64);
    PlaybackSession& session = document->playback().session();
    double cpu = 0, wall = 0;
    for (auto _ : state) {
        session.play();
        run_events(500);  // past the start
        const double before = cpu_seconds();
        QElapsedTimer clock;
        clock.start();
        run_events(4000);
        cpu += cpu_seconds() - before;
        wall += clock.nsecsElapsed() / 1e9;
        session.stop();
    }
    state.counters["cpu_share"] = cpu / wall;
}
BENCHMARK(BM_LivePlaybackCpu)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
