// The undoable operations of the chart view, one QUndoCommand each, under the
// action name the Edit menu shows. Commands find bars by index and record old
// and new values; the chart view performs each one at once and gathers the
// commands of one user event into one undo step (EventStep).
#pragma once

#include <QString>
#include <QUndoCommand>

#include "bridge/plist.h"
#include "editor/bar_operations.h"
#include "editor/bar_selection.h"

namespace zub {

class ChartView;

// The commands of one user event: already performed when pushed, so the
// first redo does nothing; undo and redo then run every command in order.
class EventStep : public QUndoCommand {
public:
    EventStep() = default;
    void redo() override;

private:
    bool performed_ = true;
};

// "Chord Entry": the chord of one slot, old and new in display form.
class ChordEntryCommand : public QUndoCommand {
public:
    ChordEntryCommand(ChartView* view, SlotRef slot, QString newValue, QString oldValue, QUndoCommand* step);
    void redo() override;
    void undo() override;

private:
    ChartView* view_;
    SlotRef slot_;
    QString new_, old_;
    bool first_ = true;
};

// "Append Bar": one blank bar after the last; undo returns to the slot that was being edited.
class AppendBarCommand : public QUndoCommand {
public:
    AppendBarCommand(ChartView* view, SlotRef activeSlot, QUndoCommand* step);
    void redo() override;
    void undo() override;

private:
    ChartView* view_;
    SlotRef active_;
};

// The general replacement: the bars of a range by new bar dictionaries, the
// chorus adjusted to the bars that move, and the selection before and after.
class ReplaceBarsCommand : public QUndoCommand {
public:
    ReplaceBarsCommand(ChartView* view, BarRange range, Plist::Array bars, BarRange oldSelection,
                       BarRange newSelection, const QString& actionName, QUndoCommand* step);
    void redo() override;
    void undo() override;

private:
    ChartView* view_;
    BarRange range_;
    Plist::Array new_bars_, old_bars_;
    BarRange old_selection_, new_selection_;
    Chorus old_chorus_, new_chorus_;
};

// "Set Chorus", "Set Chorus Repeats".
class SetChorusCommand : public QUndoCommand {
public:
    SetChorusCommand(ChartView* view, Chorus newChorus, Chorus oldChorus, const QString& actionName,
                     QUndoCommand* step);
    void redo() override;
    void undo() override;

private:
    ChartView* view_;
    Chorus new_, old_;
};

// "Set Section Mark": one bar's mark (a character code, 32 = none).
class SetSectionMarkCommand : public QUndoCommand {
public:
    SetSectionMarkCommand(ChartView* view, std::size_t bar, std::int64_t newMark, std::int64_t oldMark,
                          QUndoCommand* step);
    void redo() override;
    void undo() override;

private:
    ChartView* view_;
    std::size_t bar_;
    std::int64_t new_, old_;
};

}  // namespace zub
