#include "editor/view/bar_drag.h"

#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

#include "editor/layout/my_parameters.h"
#include "editor/model/bar_edit_rules.h"
#include "editor/model/bar_operations.h"
#include "editor/model/bars_clipboard.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"
#include "editor/view/selection_cursor.h"

namespace zub {

namespace {

double parameter(const char* key) { return MyParameters::shared().floatForKey(key); }

std::size_t dropIndexAt(const ChartView& view, QPointF p) {
    return insertionPointIndexFromPoint(view.layout(), {static_cast<float>(p.x()), static_cast<float>(p.y())});
}

}  // namespace

BarDrag::BarDrag(ChartView& view) : view_(view) {
    timer_.setSingleShot(true);
    timer_.setInterval(static_cast<int>(parameter("DragAndDropDelay") * 1000));
    connect(&timer_, &QTimer::timeout, this, [this] {
        pending_ = false;
        start();
    });
}

void BarDrag::mouseDownInSelection(QPointF at) {
    mouse_down_location_ = at;
    pending_ = true;
    timer_.start();
}

bool BarDrag::cancelPending() {
    if (!pending_) return false;
    timer_.stop();
    pending_ = false;
    return true;
}

void BarDrag::start() {
    SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active() || selection.range().length == 0) return;
    const QPainterPath ring = selection.focusRingPath();
    const QRect bounds = ring.boundingRect().toAlignedRect();
    QImage image(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setOpacity(0.5);
        painter.translate(-bounds.topLeft());
        painter.setClipPath(ring);
        view_.paintChart(painter, bounds, true);
        painter.setOpacity(1);
        painter.fillPath(ring, QColor(0, 0, 0, 13));
    }
    auto* drag = new QDrag(&view_);
    drag->setMimeData(mimeDataForBars(view_.model().bars(selection.range())).release());
    drag->setPixmap(QPixmap::fromImage(image));
    drag->setHotSpot(mouse_down_location_.toPoint() - bounds.topLeft());
    selection.cancelMouseSelecting();
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void BarDrag::dragEnter(QDragEnterEvent* event) {
    if (event->mimeData() && hasBars(*event->mimeData())) event->acceptProposedAction();
}

void BarDrag::dragMove(QDragMoveEvent* event) {
    const std::size_t i = dropIndexAt(view_, event->position());
    const bool same = event->source() == &view_;
    const SelectionCursor& selection = view_.selectionCursor();
    if (!dropAccepted(i, selection.range(), same && selection.active())) {
        drop_index_.reset();
        event->ignore();
    } else {
        drop_index_ = i;
        if (!same) event->setDropAction(Qt::CopyAction);
        event->accept();
    }
    view_.update();
}

void BarDrag::dragLeave() {
    drop_index_.reset();
    view_.update();
}

void BarDrag::drop(QDropEvent* event) {
    const std::optional<std::size_t> index = drop_index_;
    drop_index_.reset();
    view_.update();
    if (!index) return event->ignore();
    Plist::Array bars;
    try {
        bars = barsFromMimeData(*event->mimeData());
    } catch (const std::exception&) {
        return event->ignore();
    }
    // A move within this chart, a copy from elsewhere.
    const BarRange selection = view_.selectionCursor().range();
    if (event->source() == &view_ && event->dropAction() == Qt::MoveAction)
        view_.rules().moveBars(selection, *index, bars);
    else
        view_.rules().copyBars(*index, bars, selection);
    event->accept();
}

void BarDrag::drawDropMarker(QPainter& painter) const {
    if (!drop_index_) return;
    const InsertionLine line = insertionPointLine(view_.layout(), *drop_index_);
    const ParameterColor c = MyParameters::shared().colorForKey("CursorDragNDropInsertionPointColor");
    painter.setPen(QPen(QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                                         static_cast<float>(c.blue), static_cast<float>(c.alpha)),
                        parameter("CursorDragNDropInsertionPointWidth")));
    painter.drawLine(QPointF(line.x, line.y), QPointF(line.x, line.y + line.height));
}

}  // namespace zub
