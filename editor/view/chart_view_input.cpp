// The chart view's input: keys, mouse, context menu and drags go to its parts and the model's rules.
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>

#include "editor/entry/chord_entry.h"
#include "editor/model/bar_edit_rules.h"
#include "editor/model/chart_model.h"
#include "editor/view/bar_drag.h"
#include "editor/view/chart_view.h"
#include "editor/view/key_modifiers.h"
#include "editor/view/selection_cursor.h"

namespace zub {

void ChartView::beep() const { QApplication::beep(); }

void ChartView::scrollRectToVisible(const QRectF& rect) {
    // The view is the widget of a scroll area, inside its viewport.
    QWidget* viewport = parentWidget();
    auto* area = viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
    if (!area) return;
    const QRect r = rect.toAlignedRect();
    area->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 1, r.height() / 2 + 1);
}

// --- chord entry ---

std::optional<SlotRef> ChartView::activeSlot() const { return chord_entry_->activeSlot(); }
bool ChartView::chordEditInProgress() const { return chord_entry_->inProgress(); }
const QString& ChartView::chordEntryError() const { return chord_entry_->error(); }
void ChartView::editSlot(SlotRef slot) { chord_entry_->editSlot(slot); }
bool ChartView::endChordEditing() { return chord_entry_->endEditing(); }
void ChartView::installChordFieldFilter(QObject* filter) { chord_entry_->field()->installEventFilter(filter); }

// --- the bar selection ---

bool ChartView::selectionActive() const { return selection_->active(); }
BarRange ChartView::selection() const { return selection_->range(); }
void ChartView::unsetSelection() { selection_->unset(); }
void ChartView::selectBars(BarRange range) { selection_->set(range); }

std::optional<BarRange> ChartView::selectedBars() const {
    if (!selection_->active()) return std::nullopt;
    return selection_->range();
}

void ChartView::selectAll() {
    // In a slot, Select All means the slot's text, as in any text field; every bar in bar mode.
    if (activeSlot() && !selectionActive()) return chord_entry_->field()->selectAll();
    if (!endChordEditing()) return;
    selectBars(rules_->everyBar());
}

void ChartView::moveRight(bool shift) {
    if (const auto at = activeSlot()) return chord_entry_->go(chordMoveRight(slotCountsOf(*model_), *at), false);
    if (!selection_->moveRight(shift)) beep();
}

void ChartView::moveLeft(bool shift) {
    if (const auto at = activeSlot()) return chord_entry_->go(chordMoveLeft(slotCountsOf(*model_), *at), false);
    if (!selection_->moveLeft(shift)) beep();
}

void ChartView::moveDown(bool shift) {
    const float goal = selection_->selection().goalColumn();
    if (const auto at = activeSlot()) return chord_entry_->go(chordMoveDown(layout_, *at, goal), true);
    if (!selection_->moveDown(shift)) beep();
}

void ChartView::moveUp(bool shift) {
    const float goal = selection_->selection().goalColumn();
    if (const auto at = activeSlot()) return chord_entry_->go(chordMoveUp(layout_, *at, goal), true);
    if (!selection_->moveUp(shift)) beep();
}

// --- events ---

void ChartView::keyPressEvent(QKeyEvent* event) {
    const bool shift = extendsSelection(*event);
    switch (event->key()) {
    case Qt::Key_Right: moveRight(shift); return;
    case Qt::Key_Tab: moveRight(false); return;
    case Qt::Key_Left: moveLeft(shift); return;
    case Qt::Key_Backtab: moveLeft(false); return;
    case Qt::Key_Down: moveDown(shift); return;
    case Qt::Key_Up: moveUp(shift); return;
    case Qt::Key_Backspace:
        if (!rules_->deleteBackward(selectedBars())) beep();
        return;
    case Qt::Key_Delete:
        if (!rules_->deleteForward(selectedBars())) beep();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Back to typing: the first slot of the bar after the insertion point or of the selection.
        editSlot({std::min(selection().location, bars_.size() - 1), 0});
        return;
    default: QWidget::keyPressEvent(event);
    }
}

bool ChartView::focusNextPrevChild(bool) { return false; }

void ChartView::focusInEvent(QFocusEvent* event) {
    // While a slot is edited the keyboard belongs to its field editor.
    if (activeSlot() && !selectionActive()) return chord_entry_->field()->setFocus(event->reason());
    QWidget::focusInEvent(event);
}

bool ChartView::eventFilter(QObject* watched, QEvent* event) {
    // The title and the tempo take the place of the bar selection while they are edited.
    if ((watched == title_field_ || watched == tempo_field_) && event->type() == QEvent::FocusIn &&
        selection_->active())
        unsetSelection();
    if (watched == chord_entry_->field() && chord_entry_->filterFieldEvent(event)) return true;
    return QWidget::eventFilter(watched, event);
}

void ChartView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) selection_->windowActivationChanged();
    QWidget::changeEvent(event);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const QPointF at = event->position();
    if (!endChordEditing()) return;
    const bool inSelection = selection_->inSelection(at);
    if (!inSelection) {
        if (const auto slot = slotAtPoint(layout_, {static_cast<float>(at.x()), static_cast<float>(at.y())}))
            return editSlot(*slot);
    }
    selection_->disableInsertionPoint();
    if (inSelection) drag_->mouseDownInSelection(at);
    else selection_->mouseDown(at);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    // A quick drag inside a selection selects instead of dragging.
    if (drag_->cancelPending()) selection_->mouseDown(drag_->mouseDownLocation());
    selection_->mouseMoved(event->position());
}

void ChartView::mouseReleaseEvent(QMouseEvent*) {
    // A click inside a selection places an insertion point.
    if (drag_->cancelPending()) selection_->mouseDown(drag_->mouseDownLocation());
    selection_->mouseUp();
}

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
    if (!selection_->inSelection(event->pos())) return;
    QMenu menu(this);
    for (const QString& key : keyCenterMenuTitles())
        menu.addAction(key, this, [this, key] {
            if (!rules_->setKeyCenter(selectedBars(), key)) beep();
        });
    menu.exec(event->globalPos());
}

void ChartView::dragEnterEvent(QDragEnterEvent* event) { drag_->dragEnter(event); }
void ChartView::dragMoveEvent(QDragMoveEvent* event) { drag_->dragMove(event); }
void ChartView::dragLeaveEvent(QDragLeaveEvent*) { drag_->dragLeave(); }
void ChartView::dropEvent(QDropEvent* event) { drag_->drop(event); }

}  // namespace zub
