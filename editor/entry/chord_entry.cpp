#include "editor/entry/chord_entry.h"

#include <QKeyEvent>
#include <QLabel>

#include "bridge/bridge_exception.h"
#include "editor/app/my_error.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"
#include "editor/view/selection_cursor.h"

namespace zub {

SlotCounts slotCountsOf(const ChartModel& model) {
    SlotCounts counts;
    counts.reserve(model.barCount());
    for (std::size_t bar = 0; bar < model.barCount(); ++bar) counts.push_back(model.slotCount(bar));
    return counts;
}

ChordEntry::ChordEntry(ChartView& view)
    : view_(view), field_(new ChordFieldEditor(ChordFont(view.font(), {}), &view)), error_label_(new QLabel(&view)) {
    field_->hide();
    connect(field_, &QLineEdit::textEdited, this, &ChordEntry::textChanged);
    field_->setNavigationHandler([this](NavigationKey command, bool extend) { return navigate(command, extend); });
    connect(field_, &ChordFieldEditor::editingEnded, this, &ChordEntry::entered);
    connect(field_, &ChordFieldEditor::finalCheckFailed, this, &ChordEntry::showError);
    // A tooltip's colours: readable in a light and a dark theme alike.
    error_label_->setAutoFillBackground(true);
    error_label_->setBackgroundRole(QPalette::ToolTipBase);
    error_label_->setForegroundRole(QPalette::ToolTipText);
    error_label_->setFrameShape(QFrame::Box);
    error_label_->hide();
}

void ChordEntry::setChordFont(const ChordFont& font) { field_->setChordFont(font); }

void ChordEntry::clearError() {
    error_.clear();
    error_label_->hide();
}

void ChordEntry::editSlot(SlotRef slot) {
    const QString shown = view_.shownChord(slot);  // checks the slot
    if (editing_ && in_progress_ && !(*editing_ == slot)) {
        if (!endEditing()) return;
    }
    // A chord being edited and the bar selection exclude each other.
    if (view_.selectionActive()) view_.unsetSelection();
    editing_ = slot;
    BarSelection& selection = view_.selectionCursor().selection();
    if (!navigating_vertically_) selection.setGoalColumn(slotCentre(view_.layout(), slot));
    navigating_vertically_ = false;
    in_progress_ = false;
    clearError();
    field_->setChord(view_.chordFont().decode(view_.shownChord(slot)));
    // As in any form field, a slot just entered has its chord selected: typing replaces it.
    field_->selectAll();
    place();
    field_->show();
    field_->setFocus(Qt::OtherFocusReason);
    view_.scrollRectToVisible(field_->geometry());
    emit view_.selectionChanged();
}

void ChordEntry::place() {
    const ChartLayout& layout = view_.layout();
    if (!editing_ || editing_->bar >= layout.bars.size()) return;
    const BarPlacement& bar = layout.bars[editing_->bar];
    // A change of meter (Undo, Chart Properties) may take the slot away: its edit goes with it.
    if (editing_->slot >= bar.chordFrames.size()) return stop(false);
    // A chord changed under the field (Transpose, Undo) shows at once, unless the user is typing.
    if (!in_progress_) {
        const QString stored = view_.chordFont().decode(view_.shownChord(*editing_));
        if (field_->chord() != stored) {
            field_->setChord(stored);
            field_->selectAll();
        }
    }
    const LayoutRect& c = bar.chordFrames[editing_->slot];
    field_->setGeometry(QRectF(bar.frame.x + c.x, bar.frame.y + c.y, c.width, c.height).toAlignedRect());
    if (error_label_->isVisible()) {
        error_label_->adjustSize();
        error_label_->move(field_->geometry().bottomLeft() + QPoint(0, 2));
    }
}

void ChordEntry::stop(bool restoreShown) {
    const bool wasInProgress = in_progress_;
    const std::optional<SlotRef> was = editing_;
    editing_.reset();
    in_progress_ = false;
    clearError();
    field_->setChord(QString());  // what was typed is dropped, not checked when the field loses focus
    field_->hide();
    // A dropped edit must not stay on screen: the slot shows its stored chord again.
    if (wasInProgress && restoreShown && was->bar < view_.barCount()) {
        view_.showStoredChords(was->bar);
        view_.recomputeLayoutResettingAnalysis(true);
    }
    if (wasInProgress) emit editChanged(false);
}

void ChordEntry::textChanged(const QString& text) {
    if (!editing_) return;
    if (!in_progress_) {
        begin_value_ = view_.chordFont().decode(view_.shownChord(*editing_));
        in_progress_ = true;
        emit editChanged(true);
    }
    // The message was about the text before this change.
    clearError();
    // A wider chord may widen its bar and move others to the next line.
    view_.showTypedChord(*editing_, text);
    view_.recomputeLayoutResettingAnalysis(true);
}

bool ChordEntry::endEditing() {
    if (!editing_ || !in_progress_) return true;
    // The field checks the text and reports through entered or showError.
    return field_->endEditing();
}

void ChordEntry::showError(const QString& description) {
    // The typed text stays in the field with the reason beside it; nothing is stored.
    error_ = description;
    error_label_->setText(description);
    error_label_->show();
    place();
    error_label_->raise();
    view_.beep();
}

void ChordEntry::entered(const QString& value) {
    if (!editing_ || !in_progress_) return;
    const SlotRef slot = *editing_;
    in_progress_ = false;
    clearError();
    emit editChanged(false);
    if (value == begin_value_) return;
    ChartEdits::UserEvent event(view_.edits());
    if (view_.instrument() == Instrument::concert) return view_.edits().setChord(slot, value, begin_value_);
    // In a part the typed chord is the part's; the chart keeps concert pitch.
    try {
        view_.edits().setChord(slot, view_.concertChord(value), QString::fromStdString(view_.model().chord(slot)));
    } catch (const std::exception& e) {
        showError(reasonOf(e));  // a chord with no concert spelling is not stored; the reason says why
    }
}

bool ChordEntry::navigate(NavigationKey key, bool extend) {
    // Shifted moves select text in the field.
    if (!editing_ || extend) return false;
    const SlotCounts counts = slotCountsOf(view_.model());
    const SlotRef at = *editing_;
    const float goal = view_.selectionCursor().selection().goalColumn();
    // Until typing begins, the arrows leave a slot whose whole chord is selected.
    const bool untouched = !in_progress_ && field_->selectedText() == field_->text();
    const bool caretAtEnd =
        untouched || (field_->cursorPosition() == field_->text().size() && !field_->hasSelectedText());
    const bool caretAtStart = untouched || (field_->cursorPosition() == 0 && !field_->hasSelectedText());
    switch (key) {
    case NavigationKey::MoveRight:
        if (!caretAtEnd) return false;  // the editor moves its caret
        [[fallthrough]];
    case NavigationKey::InsertTab: go(chordMoveRight(counts, at), false); return true;
    case NavigationKey::MoveLeft:
        if (!caretAtStart) return false;
        [[fallthrough]];
    case NavigationKey::InsertBacktab: go(chordMoveLeft(counts, at), false); return true;
    case NavigationKey::MoveWordRight: go(chordMoveWordRight(counts, at), false); return true;
    case NavigationKey::MoveWordLeft: go(chordMoveWordLeft(counts, at), false); return true;
    case NavigationKey::MoveToEndOfLine: go(chordMoveToEndOfLine(counts, at), false); return true;
    case NavigationKey::MoveToBeginningOfLine: go(chordMoveToBeginningOfLine(counts, at), false); return true;
    case NavigationKey::MoveDown: go(chordMoveDown(view_.layout(), at, goal), true); return true;
    case NavigationKey::MoveUp: go(chordMoveUp(view_.layout(), at, goal), true); return true;
    }
    return false;
}

void ChordEntry::go(const ChordMove& move, bool vertical) {
    if (move.kind == ChordMove::Kind::beep) return view_.beep();
    ChartEdits::UserEvent event(view_.edits());
    if (!endEditing()) return;
    if (move.kind == ChordMove::Kind::append) return appendBlankBar();
    navigating_vertically_ = vertical;
    editSlot(move.to);
}

void ChordEntry::appendBlankBar() {
    if (!editing_)
        throw Bridge_exception("appendOneBlankBarWithUndo:", "Can't append blank bar when no chord view is active");
    view_.edits().appendBlankBar(*editing_);
}

bool ChordEntry::filterFieldEvent(QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && editing_) {
        // Leaves chord editing for the insertion point before the bar, where bar commands work.
        const std::size_t bar = editing_->bar;
        if (endEditing()) view_.selectBars({bar, 0});
        return true;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Undo and Redo reach the document unless the field has its own to undo.
        if ((key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) && !in_progress_) return true;
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            event->accept();
            return true;
        }
    }
    return false;
}

}  // namespace zub
