// The undoable changes of a chart, one QUndoCommand each under the action
// name the Edit menu shows. Each acts on the ChartModel by index and records
// its old and new values. What the user was looking at (the bar selection, the
// slot being edited) comes back through an EditingFocus when a view gives
// one; code without a window gives none.
#pragma once

#include <QString>
#include <QUndoCommand>

#include <memory>
#include <string>
#include <vector>

#include "bridge/plist.h"
#include "editor/model/bar_operations.h"
#include "editor/model/chart_properties.h"

namespace zub {

class ChartModel;

// Where undo and redo put the user back.
class EditingFocus {
public:
    virtual ~EditingFocus() = default;
    virtual void selectBars(BarRange range) = 0;
    virtual void editSlot(SlotRef slot) = 0;
};

// The commands of one user event, already performed when the step is pushed,
// so the stack's first redo does nothing; undo runs them backwards, redo forwards.
// The step shows the action name of its last command.
class EventStep : public QUndoCommand {
public:
    void add(std::unique_ptr<QUndoCommand> command);
    bool empty() const { return commands_.empty(); }
    void redo() override;
    void undo() override;

private:
    std::vector<std::unique_ptr<QUndoCommand>> commands_;
    bool performed_ = true;
};

// "Chord Entry": the chord of one slot, old and new in display form.
class ChordEntryCommand : public QUndoCommand {
public:
    ChordEntryCommand(ChartModel& model, EditingFocus* focus, SlotRef slot, QString newValue, QString oldValue);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    EditingFocus* focus_;
    SlotRef slot_;
    QString new_, old_;
    bool first_ = true;
};

// "Append Bar": one blank bar of the meter after the last; undo removes it and
// returns to the slot that was being edited.
class AppendBarCommand : public QUndoCommand {
public:
    AppendBarCommand(ChartModel& model, EditingFocus* focus, SlotRef activeSlot);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    EditingFocus* focus_;
    SlotRef active_;
    Plist bar_;
};

// The general replacement: the bars of a range by new bar dictionaries, the
// chorus adjusted to the bars that move, and the selection before and after.
class ReplaceBarsCommand : public QUndoCommand {
public:
    ReplaceBarsCommand(ChartModel& model, EditingFocus* focus, BarRange range, Plist::Array bars,
                       BarRange oldSelection, BarRange newSelection, const QString& actionName);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    EditingFocus* focus_;
    BarRange range_;
    Plist::Array new_bars_, old_bars_;
    BarRange old_selection_, new_selection_;
    Chorus old_chorus_, new_chorus_;
};

// The form marks and time signatures of the Form menu ("Start Repeat", "Time Signature"):
// bars changed in place, old and new, the bars selected again on undo and redo.
class ChangeBarsCommand : public QUndoCommand {
public:
    ChangeBarsCommand(ChartModel& model, EditingFocus* focus, BarRange range, Plist::Array bars,
                      BarRange selection, const QString& actionName);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    EditingFocus* focus_;
    BarRange range_;
    Plist::Array new_bars_, old_bars_;
    BarRange selection_;
    bool first_ = true;
};

// "Chart Properties": title, composer, key, meter, style and tempo, with the bars a new meter resizes.
class PropertiesCommand : public QUndoCommand {
public:
    PropertiesCommand(ChartModel& model, ChartProperties properties);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    ChartProperties new_, old_;
    Plist::Array new_bars_, old_bars_;  // empty when the meter stays
};

// "Set Chorus", "Set Chorus Repeats".
class SetChorusCommand : public QUndoCommand {
public:
    SetChorusCommand(ChartModel& model, Chorus newChorus, const QString& actionName);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    Chorus new_, old_;
};

// "Set Section Mark": one bar's mark (a character code, 32 = none).
class SetSectionMarkCommand : public QUndoCommand {
public:
    SetSectionMarkCommand(ChartModel& model, std::size_t bar, std::int64_t newMark);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    std::size_t bar_;
    std::int64_t new_, old_;
};

// "Change Key Centers": one key-center list written into the key slots, the other on undo.
class KeyCentersCommand : public QUndoCommand {
public:
    KeyCentersCommand(ChartModel& model, Plist newKeyCenters);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    Plist new_, old_;
};

// "Transpose": the key and all the bars, old and new, as the bridge transposed them.
class TransposeCommand : public QUndoCommand {
public:
    TransposeCommand(ChartModel& model, const Plist& transposedChart);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    std::string new_key_, old_key_;
    Plist::Array new_bars_, old_bars_;
};

// "Name Change" and "Tempo Change".
class NameCommand : public QUndoCommand {
public:
    NameCommand(ChartModel& model, QString newName);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    QString new_, old_;
};

class TempoCommand : public QUndoCommand {
public:
    TempoCommand(ChartModel& model, qint64 newTempo);
    void redo() override;
    void undo() override;

private:
    ChartModel& model_;
    qint64 new_, old_;
};

}  // namespace zub
