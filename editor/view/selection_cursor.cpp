#include "editor/view/selection_cursor.h"

#include <QGuiApplication>
#include <QPainter>

#include "editor/entry/chord_entry.h"
#include "editor/layout/my_parameters.h"
#include "editor/view/chart_view.h"

namespace zub {

namespace {

QColor parameterColor(const char* key) {
    const ParameterColor c = MyParameters::shared().colorForKey(key);
    return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green), static_cast<float>(c.blue),
                            static_cast<float>(c.alpha));
}

double parameter(const char* key) { return MyParameters::shared().floatForKey(key); }

LayoutPoint layoutPoint(QPointF p) { return {static_cast<float>(p.x()), static_cast<float>(p.y())}; }

}  // namespace

SelectionCursor::SelectionCursor(ChartView& view) : view_(view) {
    blink_timer_.setInterval(static_cast<int>(parameter("CursorInsertionPointBlinkInterval") * 1000));
    connect(&blink_timer_, &QTimer::timeout, this, [this] {
        insertion_point_visible_ = !insertion_point_visible_;
        const InsertionLine line = insertionPointLine(view_.layout(), selection_.range().location);
        const double w = parameter("CursorInsertionPointWidth");
        view_.update(QRectF(line.x - w, line.y, 2 * w, line.height).toAlignedRect());
    });
}

void SelectionCursor::set(BarRange range) {
    const std::size_t n = view_.barCount();
    if (range.end() > n) range = {std::min(range.location, n), 0};
    selection_.set(range, view_.layout());
    show();
}

void SelectionCursor::show() {
    const BarRange range = selection_.range();
    if (view_.activeSlot()) view_.chordEntry().stop();
    disableInsertionPoint();
    active_ = true;
    const ChartLayout& layout = view_.layout();
    if (range.length == 0) {
        insertion_point_visible_ = true;
        if (setting_selection_blinks_) blink_timer_.start();
        const InsertionLine line = insertionPointLine(layout, range.location);
        view_.scrollRectToVisible(QRectF(line.x, line.y, 1, line.height));
    } else if (range.end() <= layout.bars.size()) {
        // The end that moved with the last extension.
        const std::size_t moving = selection_.anchor() == range.location ? range.end() - 1 : range.location;
        const LayoutRect& f = layout.bars[moving].frame;
        view_.scrollRectToVisible(QRectF(f.x, f.y, f.width, f.height));
    }
    if (!view_.hasFocus()) view_.setFocus(Qt::OtherFocusReason);
    view_.update();
    emit view_.selectionChanged();
}

void SelectionCursor::unset() {
    active_ = false;
    disableInsertionPoint();
    view_.update();
    emit view_.selectionChanged();
}

void SelectionCursor::reset() {
    active_ = false;
    disableInsertionPoint();
}

void SelectionCursor::enableInsertionPoint() {
    insertion_point_visible_ = true;
    blink_timer_.start();
}

void SelectionCursor::disableInsertionPoint() {
    insertion_point_visible_ = false;
    blink_timer_.stop();
}

void SelectionCursor::windowActivationChanged() {
    if (!active_) return;
    if (view_.isActiveWindow() && selection_.range().length == 0) enableInsertionPoint();
    else if (!view_.isActiveWindow()) disableInsertionPoint();
    view_.update();
}

bool SelectionCursor::move(bool (BarSelection::*step)(bool, const ChartLayout&), bool shift) {
    if (!active_) return true;
    if (!(selection_.*step)(shift, view_.layout())) return false;
    show();
    return true;
}

QPainterPath SelectionCursor::focusRingPath() const {
    QPainterPath path;
    if (!active_) return path;
    const auto ring = focusRing(view_.layout(), selection_.range(),
                                static_cast<float>(parameter("CursorFocusRingHorizontalLineOffset")));
    for (std::size_t i = 0; i < ring.size(); ++i) {
        if (i == 0) path.moveTo(ring[i].x, ring[i].y);
        else path.lineTo(ring[i].x, ring[i].y);
    }
    if (!ring.empty()) path.closeSubpath();
    return path;
}

bool SelectionCursor::inSelection(QPointF p) const {
    return active_ && selection_.range().length > 0 && focusRingPath().contains(p);
}

void SelectionCursor::draw(QPainter& painter) const {
    if (!active_) return;
    const QWidget* window = view_.window();
    const bool main = !window || window->isActiveWindow() || QGuiApplication::platformName() == "offscreen";
    if (selection_.range().length == 0) {
        if (!insertion_point_visible_ || !main) return;
        const InsertionLine line = insertionPointLine(view_.layout(), selection_.range().location);
        painter.setPen(QPen(parameterColor("CursorInsertionPointColor"), parameter("CursorInsertionPointWidth")));
        painter.drawLine(QPointF(line.x, line.y), QPointF(line.x, line.y + line.height));
        return;
    }
    if (main) {
        painter.setPen(QPen(parameterColor("CursorFocusRingStrokeColor"), parameter("CursorFocusRingWidth"),
                            Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.setBrush(parameterColor("CursorFocusRingFillColor"));
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(parameterColor("CursorFocusRingBackgroundColor"));
    }
    painter.drawPath(focusRingPath());
    painter.setBrush(Qt::NoBrush);
}

void SelectionCursor::mouseDown(QPointF at) {
    mouse_selecting_ = true;
    mouse_down_index_ = insertionPointIndexFromPoint(view_.layout(), layoutPoint(at));
    setting_selection_blinks_ = false;
    set({mouse_down_index_, 0});
}

void SelectionCursor::mouseMoved(QPointF at) {
    if (!mouse_selecting_) return;
    const std::size_t j = insertionPointIndexFromPoint(view_.layout(), layoutPoint(at));
    const std::size_t from = std::min(j, mouse_down_index_);
    set({from, std::max(j, mouse_down_index_) - from});
}

void SelectionCursor::mouseUp() {
    if (!mouse_selecting_) return;
    mouse_selecting_ = false;
    setting_selection_blinks_ = true;
    show();
}

}  // namespace zub
