// The bar selection of a chart view on screen: whether it is active, the
// insertion point with its blinking, the focus ring around selected bars, the
// moves of the arrow keys and the selecting of bars with the mouse.
#pragma once

#include <QObject>
#include <QPainterPath>
#include <QPointF>
#include <QTimer>

#include "editor/view/bar_selection.h"

class QPainter;

namespace zub {

class ChartView;

class SelectionCursor : public QObject {
    Q_OBJECT
public:
    explicit SelectionCursor(ChartView& view);

    bool active() const { return active_; }
    BarRange range() const { return selection_.range(); }
    BarSelection& selection() { return selection_; }
    const BarSelection& selection() const { return selection_; }
    bool insertionPointVisible() const { return insertion_point_visible_; }

    // set(range): the bar selection, clamped to the chart; ends chord editing without storing.
    void set(BarRange range);
    // show() makes the selection as it stands the active one and scrolls to its moving end.
    void show();
    void unset();
    // reset() forgets the selection without announcing it (a new chart).
    void reset();
    void disableInsertionPoint();
    // windowActivationChanged(): in a window that is not the main one the
    // insertion point is hidden and the ring only filled.
    void windowActivationChanged();

    QPainterPath focusRingPath() const;
    // inSelection(p): p lies inside the focus ring of a non-empty selection.
    bool inSelection(QPointF p) const;
    void draw(QPainter& painter) const;

    // A move of the arrow keys; false (the caller beeps) when it cannot go further.
    bool moveRight(bool shift) { return move(&BarSelection::moveRight, shift); }
    bool moveLeft(bool shift) { return move(&BarSelection::moveLeft, shift); }
    bool moveDown(bool shift) { return move(&BarSelection::moveDown, shift); }
    bool moveUp(bool shift) { return move(&BarSelection::moveUp, shift); }

    // Selecting with the mouse: down places an insertion point, dragging extends from it.
    void mouseDown(QPointF at);
    void mouseMoved(QPointF at);
    void mouseUp();
    bool mouseSelecting() const { return mouse_selecting_; }
    void cancelMouseSelecting() { mouse_selecting_ = false; }

private:
    bool move(bool (BarSelection::*step)(bool, const ChartLayout&), bool shift);
    void enableInsertionPoint();

    ChartView& view_;
    bool active_ = false;
    BarSelection selection_;
    bool insertion_point_visible_ = false;
    bool setting_selection_blinks_ = true;
    QTimer blink_timer_;
    bool mouse_selecting_ = false;
    std::size_t mouse_down_index_ = 0;
};

}  // namespace zub
