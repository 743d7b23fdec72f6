// The chart view's editing: the shared chord field editor, the bar selection
// with its insertion point and focus ring, keys, mouse, drag and drop, and the
// undoable operations with the commands built on them.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QUndoStack>

#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "core/analysis/segment_table.h"
#include "core/failure.h"
#include "editor/bars_clipboard.h"
#include "editor/chart_commands.h"
#include "editor/chart_view.h"
#include "editor/key_modifiers.h"
#include "editor/my_parameters.h"

namespace zub {

namespace {

QColor parameterColor(const char* key) {
    const ParameterColor c = MyParameters::shared().colorForKey(key);
    return QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green), static_cast<float>(c.blue),
                            static_cast<float>(c.alpha));
}

double parameter(const char* key) { return MyParameters::shared().floatForKey(key); }

Plist withSlot(const Plist& bar, std::size_t slot, const std::string& chord) {
    Plist::Array chords = bar.array_at("Chords");
    chords.at(slot) = Plist::make_string(chord);
    return bar.with("Chords", Plist::make_array(std::move(chords)));
}

}  // namespace

// --- one undo step per user event ---

ChartView::UserEvent::UserEvent(ChartView* view) : view_(view) { ++view_->event_depth_; }

ChartView::UserEvent::~UserEvent() {
    if (--view_->event_depth_ > 0 || !view_->step_) return;
    QUndoCommand* step = view_->step_;
    view_->step_ = nullptr;
    if (step->childCount() == 0) {
        delete step;
        return;
    }
    // The step shows the action name of its last command, as the last registration sets it.
    step->setText(step->child(step->childCount() - 1)->text());
    if (view_->undo_stack_)
        view_->undo_stack_->push(step);
    else
        delete step;
}

QUndoCommand* ChartView::currentStep() {
    if (!step_) step_ = new EventStep;
    return step_;
}

void ChartView::perform(QUndoCommand* command) { command->redo(); }

// --- the chord field editor ---

void ChartView::setUpEditing() {
    field_->hide();
    field_->installEventFilter(this);
    title_field_->installEventFilter(this);
    tempo_field_->installEventFilter(this);
    connect(field_, &QLineEdit::textEdited, this, &ChartView::fieldTextChanged);
    field_->setNavigationHandler([this](NavigationCommand command, bool extend) {
        return navigateFromChord(command, extend);
    });
    connect(field_, &ChordFieldEditor::editingEnded, this, &ChartView::chordEntered);
    connect(field_, &ChordFieldEditor::finalCheckFailed, this, &ChartView::showEntryError);
    error_label_->setStyleSheet(QStringLiteral("background: #fff4c0; color: #a00000; border: 1px solid #a00000"));
    error_label_->hide();
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    blink_timer_.setInterval(static_cast<int>(parameter("CursorInsertionPointBlinkInterval") * 1000));
    connect(&blink_timer_, &QTimer::timeout, this, [this] {
        insertion_point_visible_ = !insertion_point_visible_;
        const InsertionLine line = insertionPointLine(layout_, selection_.range().location);
        const double w = parameter("CursorInsertionPointWidth");
        update(QRectF(line.x - w, line.y, 2 * w, line.height).toAlignedRect());
    });
    drag_timer_.setSingleShot(true);
    drag_timer_.setInterval(static_cast<int>(parameter("DragAndDropDelay") * 1000));
    connect(&drag_timer_, &QTimer::timeout, this, [this] {
        start_drag_pending_ = false;
        startDrag();
    });
}

void ChartView::editSlot(SlotRef slot) {
    if (slot.bar >= bars_.size()) throw Invalid_argument("Bar index out of range: " + std::to_string(slot.bar));
    if (slot.slot >= static_cast<std::size_t>(bars_[slot.bar].shown.size()))
        throw Invalid_argument("Slot index out of range: " + std::to_string(slot.slot));
    if (editing_ && edit_in_progress_ && !(*editing_ == slot)) {
        if (!endChordEditing()) return;
    }
    // A chord being edited and the bar selection exclude each other.
    if (selection_active_) unsetSelection();
    editing_ = slot;
    if (!navigating_vertically_) selection_.setGoalColumn(slotCentre(layout_, slot));
    navigating_vertically_ = false;
    edit_in_progress_ = false;
    entry_error_.clear();
    error_label_->hide();
    field_->setChord(chord_font_->decode(bars_[slot.bar].shown[static_cast<qsizetype>(slot.slot)]));
    // As in any form field, a slot just entered has its chord selected: typing replaces it.
    field_->selectAll();
    placeFieldEditor();
    field_->show();
    field_->setFocus(Qt::OtherFocusReason);
    scrollRectToVisible(field_->geometry());
    emit selectionChanged();
}

void ChartView::placeFieldEditor() {
    if (!editing_ || editing_->bar >= layout_.bars.size()) return;
    const BarPlacement& bar = layout_.bars[editing_->bar];
    const LayoutRect& c = bar.chordFrames.at(editing_->slot);
    field_->setGeometry(QRectF(bar.frame.x + c.x, bar.frame.y + c.y, c.width, c.height).toAlignedRect());
    if (error_label_->isVisible()) {
        error_label_->adjustSize();
        error_label_->move(field_->geometry().bottomLeft() + QPoint(0, 2));
    }
}

void ChartView::stopEditing() {
    const bool wasInProgress = edit_in_progress_;
    // A dropped edit must not stay on screen: the slot shows its stored chord again.
    if (wasInProgress && editing_->bar < bars_.size()) {
        bars_[editing_->bar] = makeBar(bars_[editing_->bar].dictionary, *chord_font_);
        recomputeLayoutResettingAnalysis(true);
    }
    editing_.reset();
    edit_in_progress_ = false;
    entry_error_.clear();
    error_label_->hide();
    field_->setChord(QString());  // what was typed is dropped, not checked when the field loses focus
    field_->hide();
    if (wasInProgress) emit chordEditChanged(false);
}

void ChartView::fieldTextChanged(const QString& text) {
    if (!editing_) return;
    Bar& bar = bars_[editing_->bar];
    if (!edit_in_progress_) {
        begin_editing_value_ = chord_font_->decode(bar.shown[static_cast<qsizetype>(editing_->slot)]);
        edit_in_progress_ = true;
        emit chordEditChanged(true);
    }
    // The message was about the text before this change.
    entry_error_.clear();
    error_label_->hide();
    // A wider chord may widen its bar and move others to the next line.
    bar.shown[static_cast<qsizetype>(editing_->slot)] = text;
    bar.widths[editing_->slot] = chordViewWidth(*chord_font_, text);
    recomputeLayoutResettingAnalysis(true);
}

bool ChartView::endChordEditing() {
    if (!editing_ || !edit_in_progress_) return true;
    // The field checks the text and reports through chordEntered or showEntryError.
    return field_->endEditing();
}

void ChartView::showEntryError(const QString& description) {
    // The typed text stays in the field with the reason beside it; nothing is stored.
    entry_error_ = description;
    error_label_->setText(description);
    error_label_->show();
    placeFieldEditor();
    error_label_->raise();
    beep();
}

void ChartView::chordEntered(const QString& value) {
    if (!editing_ || !edit_in_progress_) return;
    const SlotRef slot = *editing_;
    edit_in_progress_ = false;
    entry_error_.clear();
    error_label_->hide();
    emit chordEditChanged(false);
    if (value != begin_editing_value_) {
        UserEvent event(this);
        setWithUndo(slot, value, begin_editing_value_);
    }
}

bool ChartView::navigateFromChord(NavigationCommand command, bool extend) {
    // Shifted moves select text in the field.
    if (!editing_ || extend) return false;
    const SlotCounts counts = slotCounts();
    const SlotRef at = *editing_;
    // Until typing begins, the arrows leave a slot whose whole chord is selected.
    const bool untouched = !edit_in_progress_ && field_->selectedText() == field_->text();
    const bool caretAtEnd =
        untouched || (field_->cursorPosition() == field_->text().size() && !field_->hasSelectedText());
    const bool caretAtStart = untouched || (field_->cursorPosition() == 0 && !field_->hasSelectedText());
    switch (command) {
    case NavigationCommand::MoveRight:
        if (!caretAtEnd) return false;  // the editor moves its caret
        [[fallthrough]];
    case NavigationCommand::InsertTab: goChord(chordMoveRight(counts, at), false); return true;
    case NavigationCommand::MoveLeft:
        if (!caretAtStart) return false;
        [[fallthrough]];
    case NavigationCommand::InsertBacktab: goChord(chordMoveLeft(counts, at), false); return true;
    case NavigationCommand::MoveWordRight: goChord(chordMoveWordRight(counts, at), false); return true;
    case NavigationCommand::MoveWordLeft: goChord(chordMoveWordLeft(counts, at), false); return true;
    case NavigationCommand::MoveToEndOfLine: goChord(chordMoveToEndOfLine(counts, at), false); return true;
    case NavigationCommand::MoveToBeginningOfLine: goChord(chordMoveToBeginningOfLine(counts, at), false); return true;
    case NavigationCommand::MoveDown: goChord(chordMoveDown(layout_, at, selection_.goalColumn()), true); return true;
    case NavigationCommand::MoveUp: goChord(chordMoveUp(layout_, at, selection_.goalColumn()), true); return true;
    }
    return false;
}

void ChartView::goChord(const ChordMove& move, bool vertical) {
    if (move.kind == ChordMove::Kind::beep) return beep();
    UserEvent event(this);
    if (!endChordEditing()) return;
    if (move.kind == ChordMove::Kind::append) return appendOneBlankBarWithUndo();
    navigating_vertically_ = vertical;
    editSlot(move.to);
}

bool ChartView::eventFilter(QObject* watched, QEvent* event) {
    // The title and the tempo take the place of the bar selection while they are edited.
    if ((watched == title_field_ || watched == tempo_field_) && event->type() == QEvent::FocusIn &&
        selection_active_)
        unsetSelection();
    if (watched != field_) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && editing_) {
        // Leaves chord editing for the insertion point before the bar, where bar commands work.
        const std::size_t bar = editing_->bar;
        if (endChordEditing()) setSelection({bar, 0});
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Undo and Redo reach the document unless the field has its own to undo.
        if ((key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) && !edit_in_progress_) return true;
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- the bar selection ---

void ChartView::setSelection(BarRange range) {
    if (range.end() > bars_.size()) range = {std::min(range.location, bars_.size()), 0};
    selection_.set(range, layout_);
    showSelection();
}

void ChartView::showSelection() {
    const BarRange range = selection_.range();
    if (editing_) stopEditing();
    disableInsertionPoint();
    selection_active_ = true;
    if (range.length == 0) {
        insertion_point_visible_ = true;
        if (setting_selection_blinks_) blink_timer_.start();
        const InsertionLine line = insertionPointLine(layout_, range.location);
        scrollRectToVisible(QRectF(line.x, line.y, 1, line.height));
    } else if (range.end() <= layout_.bars.size()) {
        // The end that moved with the last extension.
        const std::size_t moving = selection_.anchor() == range.location ? range.end() - 1 : range.location;
        const LayoutRect& f = layout_.bars[moving].frame;
        scrollRectToVisible(QRectF(f.x, f.y, f.width, f.height));
    }
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
    update();
    emit selectionChanged();
}

void ChartView::scrollRectToVisible(const QRectF& rect) {
    // The view is the widget of a scroll area, inside its viewport.
    QWidget* viewport = parentWidget();
    auto* area = viewport ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
    if (!area) return;
    const QRect r = rect.toAlignedRect();
    area->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 1, r.height() / 2 + 1);
}

void ChartView::changeEvent(QEvent* event) {
    // In a window that is not the main one the insertion point is hidden and the ring only filled.
    if (event->type() == QEvent::ActivationChange && selection_active_) {
        if (isActiveWindow() && selection_.range().length == 0) enableInsertionPoint();
        else if (!isActiveWindow()) disableInsertionPoint();
        update();
    }
    QWidget::changeEvent(event);
}

void ChartView::unsetSelection() {
    selection_active_ = false;
    disableInsertionPoint();
    update();
    emit selectionChanged();
}

void ChartView::enableInsertionPoint() {
    insertion_point_visible_ = true;
    blink_timer_.start();
}

void ChartView::disableInsertionPoint() {
    insertion_point_visible_ = false;
    blink_timer_.stop();
}

QPainterPath ChartView::focusRingPath() const {
    QPainterPath path;
    if (!selection_active_) return path;
    const auto ring = focusRing(layout_, selection_.range(),
                                static_cast<float>(parameter("CursorFocusRingHorizontalLineOffset")));
    for (std::size_t i = 0; i < ring.size(); ++i) {
        if (i == 0) path.moveTo(ring[i].x, ring[i].y);
        else path.lineTo(ring[i].x, ring[i].y);
    }
    if (!ring.empty()) path.closeSubpath();
    return path;
}

void ChartView::drawCursor(QPainter& painter) const {
    if (drop_index_) {
        const InsertionLine line = insertionPointLine(layout_, *drop_index_);
        painter.setPen(QPen(parameterColor("CursorDragNDropInsertionPointColor"),
                            parameter("CursorDragNDropInsertionPointWidth")));
        painter.drawLine(QPointF(line.x, line.y), QPointF(line.x, line.y + line.height));
    }
    if (!selection_active_) return;
    const bool main = !window() || window()->isActiveWindow() || QGuiApplication::platformName() == "offscreen";
    if (selection_.range().length == 0) {
        if (!insertion_point_visible_ || !main) return;
        const InsertionLine line = insertionPointLine(layout_, selection_.range().location);
        painter.setPen(QPen(parameterColor("CursorInsertionPointColor"), parameter("CursorInsertionPointWidth")));
        painter.drawLine(QPointF(line.x, line.y), QPointF(line.x, line.y + line.height));
        return;
    }
    const QPainterPath ring = focusRingPath();
    if (main) {
        painter.setPen(QPen(parameterColor("CursorFocusRingStrokeColor"), parameter("CursorFocusRingWidth"),
                            Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.setBrush(parameterColor("CursorFocusRingFillColor"));
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(parameterColor("CursorFocusRingBackgroundColor"));
    }
    painter.drawPath(ring);
    painter.setBrush(Qt::NoBrush);
}

void ChartView::moveRight(bool shift) {
    if (editing_) return goChord(chordMoveRight(slotCounts(), *editing_), false);
    if (selection_active_ && !selection_.moveRight(shift, layout_)) return beep();
    if (selection_active_) showSelection();
}

void ChartView::moveLeft(bool shift) {
    if (editing_) return goChord(chordMoveLeft(slotCounts(), *editing_), false);
    if (selection_active_ && !selection_.moveLeft(shift, layout_)) return beep();
    if (selection_active_) showSelection();
}

void ChartView::moveDown(bool shift) {
    if (editing_) return goChord(chordMoveDown(layout_, *editing_, selection_.goalColumn()), true);
    if (selection_active_ && !selection_.moveDown(shift, layout_)) return beep();
    if (selection_active_) showSelection();
}

void ChartView::moveUp(bool shift) {
    if (editing_) return goChord(chordMoveUp(layout_, *editing_, selection_.goalColumn()), true);
    if (selection_active_ && !selection_.moveUp(shift, layout_)) return beep();
    if (selection_active_) showSelection();
}

void ChartView::keyPressEvent(QKeyEvent* event) {
    const bool shift = extendsSelection(*event);
    switch (event->key()) {
    case Qt::Key_Right: moveRight(shift); return;
    case Qt::Key_Tab: moveRight(false); return;
    case Qt::Key_Left: moveLeft(shift); return;
    case Qt::Key_Backtab: moveLeft(false); return;
    case Qt::Key_Down: moveDown(shift); return;
    case Qt::Key_Up: moveUp(shift); return;
    case Qt::Key_Backspace: processDeleteBackwardKey(); return;
    case Qt::Key_Delete: processDeleteForwardKey(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // Back to typing: the first slot of the bar after the insertion point or of the selection.
        const std::size_t bar = std::min(selection_.range().location, bars_.size() - 1);
        editSlot({bar, 0});
        return;
    }
    default: QWidget::keyPressEvent(event);
    }
}

bool ChartView::focusNextPrevChild(bool) { return false; }

// --- mouse ---

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const LayoutPoint p{static_cast<float>(event->position().x()), static_cast<float>(event->position().y())};
    if (!endChordEditing()) return;
    const bool inSelection = selection_active_ && selection_.range().length > 0 &&
                             focusRingPath().contains(event->position());
    if (!inSelection) {
        if (const auto slot = slotAtPoint(layout_, p)) return editSlot(*slot);
    }
    disableInsertionPoint();
    mouse_down_location_ = event->position();
    if (inSelection) {
        start_drag_pending_ = true;
        drag_timer_.start();
    } else {
        processMouseDown();
    }
}

void ChartView::processMouseDown() {
    mouse_drag_in_progress_ = true;
    mouse_down_index_ = insertionPointIndexFromPoint(
        layout_, {static_cast<float>(mouse_down_location_.x()), static_cast<float>(mouse_down_location_.y())});
    setting_selection_blinks_ = false;
    setSelection({mouse_down_index_, 0});
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    if (start_drag_pending_) {
        // A quick drag inside a selection selects instead of dragging.
        drag_timer_.stop();
        start_drag_pending_ = false;
        processMouseDown();
    }
    if (!mouse_drag_in_progress_) return;
    const std::size_t j = insertionPointIndexFromPoint(
        layout_, {static_cast<float>(event->position().x()), static_cast<float>(event->position().y())});
    const std::size_t from = std::min(j, mouse_down_index_);
    setSelection({from, std::max(j, mouse_down_index_) - from});
}

void ChartView::mouseReleaseEvent(QMouseEvent*) {
    if (start_drag_pending_) {
        // A click inside a selection places an insertion point.
        drag_timer_.stop();
        start_drag_pending_ = false;
        processMouseDown();
    }
    if (!mouse_drag_in_progress_) return;
    mouse_drag_in_progress_ = false;
    setting_selection_blinks_ = true;
    showSelection();
}

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
    if (!selection_active_ || selection_.range().length == 0 || !focusRingPath().contains(event->pos())) return;
    QMenu menu(this);
    for (const QString& key : keyCenterMenuTitles())
        menu.addAction(key, this, [this, key] { setKeyCenterForSelection(key); });
    menu.exec(event->globalPos());
}

// --- drag and drop ---

void ChartView::startDrag() {
    if (!selection_active_ || selection_.range().length == 0) return;
    const QPainterPath ring = focusRingPath();
    const QRect bounds = ring.boundingRect().toAlignedRect();
    QImage image(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setOpacity(0.5);
        painter.translate(-bounds.topLeft());
        painter.setClipPath(ring);
        paintChart(painter, bounds, true);
        painter.setOpacity(1);
        painter.fillPath(ring, QColor(0, 0, 0, 13));
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeDataForBars(barDictionaries(selection_.range())).release());
    drag->setPixmap(QPixmap::fromImage(image));
    drag->setHotSpot(mouse_down_location_.toPoint() - bounds.topLeft());
    mouse_drag_in_progress_ = false;
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void ChartView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData() && hasBars(*event->mimeData())) event->acceptProposedAction();
}

void ChartView::dragMoveEvent(QDragMoveEvent* event) {
    const std::size_t i = insertionPointIndexFromPoint(
        layout_, {static_cast<float>(event->position().x()), static_cast<float>(event->position().y())});
    const bool same = event->source() == this;
    if (!dropAccepted(i, selection_.range(), same && selection_active_)) {
        drop_index_.reset();
        event->ignore();
    } else {
        drop_index_ = i;
        if (!same) event->setDropAction(Qt::CopyAction);
        event->accept();
    }
    update();
}

void ChartView::dragLeaveEvent(QDragLeaveEvent*) {
    drop_index_.reset();
    update();
}

void ChartView::dropEvent(QDropEvent* event) {
    const std::optional<std::size_t> index = drop_index_;
    drop_index_.reset();
    update();
    if (!index) return event->ignore();
    Plist::Array bars;
    try {
        bars = barsFromMimeData(*event->mimeData());
    } catch (const std::exception&) {
        return event->ignore();
    }
    const bool move = event->source() == this && event->dropAction() == Qt::MoveAction;
    if (move) performMove(*index, bars);
    else performCopy(*index, bars);
    event->accept();
}

void ChartView::performMove(std::size_t dropIndex, const Plist::Array& bars) {
    const BarRange dragged = selection_.range();
    const std::optional<std::size_t> to = moveInsertionIndex(dropIndex, dragged);
    if (!to || !dropAccepted(dropIndex, dragged, true)) return;
    UserEvent event(this);
    const QString name = QStringLiteral("Drag-and-Drop Move");
    replaceWithUndo(dragged, {}, dragged, {dragged.location, 0}, name);
    replaceWithUndo({*to, 0}, bars, {dragged.location, 0}, {*to, bars.size()}, name);
}

void ChartView::performCopy(std::size_t dropIndex, const Plist::Array& bars) {
    if (dropIndex > bars_.size() || bars.empty()) return;
    UserEvent event(this);
    replaceWithUndo({dropIndex, 0}, bars, selection_.range(), {dropIndex, bars.size()},
                    QStringLiteral("Drag-and-Drop Copy"));
}

// --- the model the commands change ---

Plist::Array ChartView::barDictionaries(BarRange range) const {
    if (range.end() > bars_.size()) throw Invalid_argument("Bar index out of range: " + std::to_string(range.end()));
    Plist::Array out;
    for (std::size_t i = range.location; i < range.end(); ++i) out.push_back(bars_[i].dictionary);
    return out;
}

SlotCounts ChartView::slotCounts() const {
    SlotCounts counts;
    counts.reserve(bars_.size());
    for (const Bar& bar : bars_) counts.push_back(static_cast<std::size_t>(bar.shown.size()));
    return counts;
}

std::int64_t ChartView::meter() const {
    const Plist* style = chart_.find("Style");
    if (style && style->kind() == Plist::Kind::dictionary && style->find("Meter")) return style->integer_at("Meter");
    return 4;
}

void ChartView::storeChord(SlotRef slot, const QString& display) {
    if (slot.bar >= bars_.size()) throw Invalid_argument("Bar index out of range: " + std::to_string(slot.bar));
    Bar& bar = bars_[slot.bar];
    bar = makeBar(withSlot(bar.dictionary, slot.slot, display.toStdString()), *chord_font_);
    recomputeLayoutResettingAnalysis(true);
}

void ChartView::storeAppendedBlankBar() {
    bars_.push_back(makeBar(oneBlankBar(meter()).as_array().front(), *chord_font_));
    recomputeLayoutResettingAnalysis(true);
}

void ChartView::storeRemovedLastBar() {
    if (bars_.size() < 2) throw Failure("Can't remove the only bar");
    if (editing_ && editing_->bar + 1 >= bars_.size()) stopEditing();
    bars_.pop_back();
    recomputeLayoutResettingAnalysis(true);
}

void ChartView::storeBars(BarRange range, const Plist::Array& bars, BarRange newSelection) {
    if (range.end() > bars_.size()) throw Invalid_argument("Bar index out of range: " + std::to_string(range.end()));
    std::vector<Bar> made;
    made.reserve(bars.size());
    for (const Plist& bar : bars) made.push_back(makeBar(bar, *chord_font_));
    const auto first = bars_.begin() + static_cast<std::ptrdiff_t>(range.location);
    bars_.erase(first, first + static_cast<std::ptrdiff_t>(range.length));
    bars_.insert(bars_.begin() + static_cast<std::ptrdiff_t>(range.location), made.begin(), made.end());
    stopEditing();
    recomputeLayoutResettingAnalysis(true);
    setSelection(newSelection);
}

void ChartView::storeChorus(const Chorus& chorus) {
    if (chorus == chorus_) return;
    chorus_ = chorus;
    chart_ = chart_.with("Chorus", chorus.to_plist());
    update();
}

void ChartView::storeSectionMark(std::size_t bar, std::int64_t mark) {
    if (bar >= bars_.size()) throw Invalid_argument("Bar index out of range: " + std::to_string(bar));
    bars_[bar] = makeBar(bars_[bar].dictionary.with("SectionMark", Plist::make_integer(mark)), *chord_font_);
    update();
}

// --- undoable operations ---

void ChartView::setWithUndo(SlotRef slot, const QString& newValue, const QString& oldValue) {
    UserEvent event(this);
    perform(new ChordEntryCommand(this, slot, newValue, oldValue, currentStep()));
}

void ChartView::appendOneBlankBarWithUndo() {
    if (!editing_)
        throw Bridge_exception("appendOneBlankBarWithUndo:", "Can't append blank bar when no chord view is active");
    UserEvent event(this);
    perform(new AppendBarCommand(this, *editing_, currentStep()));
}

void ChartView::replaceWithUndo(BarRange range, const Plist::Array& bars, BarRange oldSelection,
                                BarRange newSelection, const QString& actionName) {
    UserEvent event(this);
    perform(new ReplaceBarsCommand(this, range, bars, oldSelection, newSelection, actionName, currentStep()));
}

void ChartView::setChorusWithUndo(const Chorus& newChorus, const Chorus& oldChorus, const QString& actionName) {
    UserEvent event(this);
    perform(new SetChorusCommand(this, newChorus, oldChorus, actionName, currentStep()));
}

void ChartView::setSectionMarkWithUndo(std::size_t bar, std::int64_t newMark, std::int64_t oldMark) {
    UserEvent event(this);
    perform(new SetSectionMarkCommand(this, bar, newMark, oldMark, currentStep()));
}

// --- commands ---

void ChartView::beep() const { QApplication::beep(); }

void ChartView::copy() {
    if (!selection_active_) return beep();
    QApplication::clipboard()->setMimeData(mimeDataForBars(barDictionaries(selection_.range())).release());
}

void ChartView::cut() {
    if (!selection_active_ || selection_.range().length == 0) return beep();
    copy();
    applyDelete(zub::deleteSelection(selection_.range(), bars_.size()), QStringLiteral("Cut"));
}

void ChartView::paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!selection_active_ || !data || !hasBars(*data)) return beep();
    Plist::Array bars;
    try {
        bars = barsFromMimeData(*data);
    } catch (const std::exception&) {
        return beep();
    }
    const BarRange s = selection_.range();
    // Pasting nothing over every bar would leave an empty chart.
    if (bars.empty() && s.length == bars_.size()) return beep();
    UserEvent event(this);
    replaceWithUndo(s, bars, s, {s.location + bars.size(), 0}, QStringLiteral("Paste"));
}

void ChartView::applyDelete(const std::optional<DeletePlan>& plan, const QString& actionName) {
    if (!plan) return beep();
    Plist::Array bars;
    if (plan->blankBar) bars.push_back(oneBlankBar(meter()).as_array().front());
    UserEvent event(this);
    replaceWithUndo(plan->range, bars, selection_.range(), plan->newSelection, actionName);
}

void ChartView::deleteSelection() {
    if (!selection_active_) return beep();
    applyDelete(zub::deleteSelection(selection_.range(), bars_.size()), QStringLiteral("Delete"));
}

void ChartView::processDeleteBackwardKey() {
    if (!selection_active_) return beep();
    applyDelete(deleteBackward(selection_.range(), bars_.size()), QStringLiteral("Delete"));
}

void ChartView::processDeleteForwardKey() {
    if (!selection_active_) return beep();
    applyDelete(deleteForward(selection_.range(), bars_.size()), QStringLiteral("Delete"));
}

void ChartView::selectAll() {
    // In a slot, Select All means the slot's text, as in any text field; every bar in bar mode.
    if (editing_ && !selection_active_) return field_->selectAll();
    if (!endChordEditing()) return;
    setSelection({0, bars_.size()});
}

bool ChartView::canSetChorus() const { return selection_active_ && selection_.range().length > 0; }

bool ChartView::canSetSectionMark() const {
    return selection_active_ && selection_.range().length == 0 && selection_.range().location < bars_.size();
}

void ChartView::setChorusFromSelection() {
    if (!canSetChorus()) return beep();
    setChorusWithUndo(chorusOfSelection(selection_.range(), chorus_), chorus_, QStringLiteral("Set Chorus"));
}

void ChartView::setChorusRepeats(int repeats) {
    Chorus chorus = chorus_;
    chorus.repeats = repeats;
    setChorusWithUndo(chorus, chorus_, QStringLiteral("Set Chorus Repeats"));
}

void ChartView::setSectionMarkAction(int tag) {
    if (!canSetSectionMark()) return beep();
    const std::size_t bar = selection_.range().location;
    setSectionMarkWithUndo(bar, sectionMarkForTag(tag), bars_[bar].sectionMark);
}

void ChartView::setKeyCenterForSelection(const QString& keyName) {
    if (!selection_active_ || selection_.range().length == 0) return beep();
    const BarRange s = selection_.range();
    const std::string key = replaceWithAsciiSharpsAndFlats(keyName.toStdString());
    replaceWithUndo(s, barsWithNewKeyCenter(barDictionaries(s), key), s, s, QStringLiteral("Set Key Center"));
}

QStringList ChartView::keyCenterMenuTitles() {
    QStringList titles;
    for (std::string_view key : major_key_names)
        titles << QString::fromStdString(replaceWithUnicodeSharpsAndFlats(key));
    for (std::string_view tonic : minor_key_tonics)
        titles << QString::fromStdString(replaceWithUnicodeSharpsAndFlats(std::string(tonic) + "m"));
    return titles;
}

}  // namespace zub
