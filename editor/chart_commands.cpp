#include "editor/chart_commands.h"

#include "editor/chart_view.h"

namespace zub {

void EventStep::redo() {
    if (performed_) {
        performed_ = false;
        return;
    }
    QUndoCommand::redo();
}

ChordEntryCommand::ChordEntryCommand(ChartView* view, SlotRef slot, QString newValue, QString oldValue,
                                     QUndoCommand* step)
    : QUndoCommand(QStringLiteral("Chord Entry"), step), view_(view), slot_(slot), new_(std::move(newValue)),
      old_(std::move(oldValue)) {}

void ChordEntryCommand::redo() {
    view_->storeChord(slot_, new_);
    // The first time the user is moving on, so only undo and redo bring the slot back to editing.
    if (!first_) view_->editSlot(slot_);
    first_ = false;
}

void ChordEntryCommand::undo() {
    view_->storeChord(slot_, old_);
    view_->editSlot(slot_);
}

AppendBarCommand::AppendBarCommand(ChartView* view, SlotRef activeSlot, QUndoCommand* step)
    : QUndoCommand(QStringLiteral("Append Bar"), step), view_(view), active_(activeSlot) {}

void AppendBarCommand::redo() {
    view_->storeAppendedBlankBar();
    view_->editSlot({view_->barCount() - 1, 0});
}

void AppendBarCommand::undo() {
    view_->storeRemovedLastBar();
    view_->editSlot(active_);
}

ReplaceBarsCommand::ReplaceBarsCommand(ChartView* view, BarRange range, Plist::Array bars, BarRange oldSelection,
                                       BarRange newSelection, const QString& actionName, QUndoCommand* step)
    : QUndoCommand(actionName, step), view_(view), range_(range), new_bars_(std::move(bars)),
      old_bars_(view->barDictionaries(range)), old_selection_(oldSelection), new_selection_(newSelection),
      old_chorus_(view->chorus()),
      new_chorus_(newChorusAfterReplacementInRange(old_chorus_, range, new_bars_.size())) {}

void ReplaceBarsCommand::redo() {
    view_->storeChorus(new_chorus_);
    view_->storeBars(range_, new_bars_, new_selection_);
}

void ReplaceBarsCommand::undo() {
    view_->storeChorus(old_chorus_);
    view_->storeBars({range_.location, new_bars_.size()}, old_bars_, old_selection_);
}

SetChorusCommand::SetChorusCommand(ChartView* view, Chorus newChorus, Chorus oldChorus, const QString& actionName,
                                   QUndoCommand* step)
    : QUndoCommand(actionName, step), view_(view), new_(newChorus), old_(oldChorus) {}

void SetChorusCommand::redo() { view_->storeChorus(new_); }
void SetChorusCommand::undo() { view_->storeChorus(old_); }

SetSectionMarkCommand::SetSectionMarkCommand(ChartView* view, std::size_t bar, std::int64_t newMark,
                                             std::int64_t oldMark, QUndoCommand* step)
    : QUndoCommand(QStringLiteral("Set Section Mark"), step), view_(view), bar_(bar), new_(newMark), old_(oldMark) {}

void SetSectionMarkCommand::redo() { view_->storeSectionMark(bar_, new_); }
void SetSectionMarkCommand::undo() { view_->storeSectionMark(bar_, old_); }

}  // namespace zub
