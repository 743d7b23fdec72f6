#include "editor/transport/playhead.h"

#include <QColor>
#include <QObject>
#include <QPainter>

namespace zub {

namespace {

QString barBeat(int bar, int beat) { return QString::number(bar) + ':' + QString::number(beat); }

}  // namespace

Playhead playheadAt(const playback::Time_map& map, long tick, const SlotCount& slotCount) {
    if (tick < 0) return {};
    const playback::Played_position at = map.at_tick(tick);
    if (at.count_in) return {std::nullopt, QObject::tr("Count-in %1").arg(barBeat(at.bar, at.slot + 1)), {}};
    Playhead playhead{std::nullopt, barBeat(at.bar, at.slot + 1), {}};
    if (at.pass > 0 && at.passes > 1) playhead.pass = QString::number(at.pass) + '/' + QString::number(at.passes);
    const auto bar = static_cast<std::size_t>(at.bar - 1);
    if (const std::size_t count = slotCount(bar); count > 0)
        playhead.slot =
            SlotRef{bar, static_cast<std::size_t>(at.slot) * count / static_cast<std::size_t>(map.beats_of_played(at.played))};
    return playhead;
}

LayoutRect playheadArea(const ChartLayout& layout, SlotRef slot) {
    if (slot.bar >= layout.bars.size()) return {};
    return layout.bars[slot.bar].frame;
}

void drawPlayhead(QPainter& painter, const ChartLayout& layout, SlotRef slot) {
    if (slot.bar >= layout.bars.size()) return;
    const BarPlacement& bar = layout.bars[slot.bar];
    const LayoutRect& f = bar.frame;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 214, 102, 90));
    painter.drawRect(QRectF(f.x, f.y, f.width, f.height));
    if (slot.slot < bar.chordFrames.size()) {
        const LayoutRect& c = bar.chordFrames[slot.slot];
        painter.setBrush(QColor(255, 170, 0, 120));
        painter.drawRoundedRect(QRectF(f.x + c.x, f.y + c.y, c.width, c.height), 3, 3);
    }
    painter.restore();
}

}  // namespace zub
