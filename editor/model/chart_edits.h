// The undoable operations on a chart model: each makes one command of
// undo_commands, performs it at once and records it on the document's undo
// stack. All the commands made while one user event is handled form one undo
// step (an EventStep): open a UserEvent for the event, nested ones join it,
// and the step reaches the stack when the outermost one closes. Without a
// stack the changes happen and nothing is recorded. A newcomer changes a chart
// from code like this:
//   ChartModel model(chart); QUndoStack stack; ChartEdits edits(model, &stack);
//   edits.setChord({0, 1}, "F7", ""); stack.undo();
#pragma once

#include <QString>

#include <memory>

#include "bridge/plist.h"
#include "editor/model/bar_operations.h"
#include "editor/model/undo_commands.h"

class QUndoCommand;
class QUndoStack;

namespace zub {

class ChartModel;

class ChartEdits {
public:
    ChartEdits(ChartModel& model, QUndoStack* undoStack);
    ChartEdits(const ChartEdits&) = delete;
    ChartEdits& operator=(const ChartEdits&) = delete;
    ~ChartEdits();

    ChartModel& model() const { return model_; }
    QUndoStack* undoStack() const { return undo_stack_; }
    // The view that undo and redo return the user to; none by default.
    void setFocus(EditingFocus* focus) { focus_ = focus; }

    class UserEvent {
    public:
        explicit UserEvent(ChartEdits& edits);
        ~UserEvent();
        UserEvent(const UserEvent&) = delete;
        UserEvent& operator=(const UserEvent&) = delete;

    private:
        ChartEdits& edits_;
    };

    // Each throws what its command or the model throws, and then records nothing.
    void setChord(SlotRef slot, const QString& newValue, const QString& oldValue);
    // appendBlankBar(activeSlot): undo returns to activeSlot.
    void appendBlankBar(SlotRef activeSlot);
    void replaceBars(BarRange range, const Plist::Array& bars, BarRange oldSelection, BarRange newSelection,
                     const QString& actionName);
    // setChorus(chorus, name): "Invalid chorus repeats: 0" below 1.
    void setChorus(const Chorus& chorus, const QString& actionName);
    void setSectionMark(std::size_t bar, std::int64_t mark);
    void setKeyCenters(const Plist& keyCenterList);
    // transpose(chart transposed by the bridge): its key and bars replace the model's.
    void transpose(const Plist& transposedChart);
    void setName(const QString& name);
    void setTempo(qint64 tempo);
    // changeBars(range, bars, selection, "Segno"): bars changed in place (ChartModel::changeBars);
    // undo and redo select selection again. Nothing is recorded when the bars stay as they are.
    void changeBars(BarRange range, const Plist::Array& bars, BarRange selection, const QString& actionName);
    // setProperties(properties): one "Chart Properties" step; nothing when nothing changes.
    void setProperties(const ChartProperties& properties);

private:
    void perform(std::unique_ptr<QUndoCommand> command);

    ChartModel& model_;
    QUndoStack* undo_stack_;
    EditingFocus* focus_ = nullptr;
    int event_depth_ = 0;
    std::unique_ptr<EventStep> step_;
};

}  // namespace zub
