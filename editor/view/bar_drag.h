// Dragging bars in a chart view: the mouse delay before a drag starts inside
// the selection, the drag image (the chart painted within the focus ring at
// half opacity), the drop marker while bars are dragged over the view, and the
// drop itself - a move within this chart, a copy from elsewhere - each one undo step.
#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>

#include <optional>

#include "bridge/plist.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QPainter;

namespace zub {

class ChartView;

class BarDrag : public QObject {
    Q_OBJECT
public:
    explicit BarDrag(ChartView& view);

    // mouseDownInSelection(at): a drag starts after the delay unless the mouse moves or goes up first.
    void mouseDownInSelection(QPointF at);
    // cancelPending() -> true when a drag was waiting (the press then selects instead).
    bool cancelPending();
    QPointF mouseDownLocation() const { return mouse_down_location_; }

    void dragEnter(QDragEnterEvent* event);
    void dragMove(QDragMoveEvent* event);
    void dragLeave();
    void drop(QDropEvent* event);
    void drawDropMarker(QPainter& painter) const;

private:
    void start();

    ChartView& view_;
    QTimer timer_;
    bool pending_ = false;
    QPointF mouse_down_location_;
    std::optional<std::size_t> drop_index_;
};

}  // namespace zub
