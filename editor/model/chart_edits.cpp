#include "editor/model/chart_edits.h"

#include <QUndoStack>

#include "bridge/bridge_exception.h"
#include "editor/model/chart_model.h"

namespace zub {

ChartEdits::ChartEdits(ChartModel& model, QUndoStack* undoStack) : model_(model), undo_stack_(undoStack) {}

ChartEdits::~ChartEdits() = default;

ChartEdits::UserEvent::UserEvent(ChartEdits& edits) : edits_(edits) { ++edits_.event_depth_; }

ChartEdits::UserEvent::~UserEvent() {
    if (--edits_.event_depth_ > 0 || !edits_.step_) return;
    std::unique_ptr<EventStep> step = std::move(edits_.step_);
    if (step->empty() || !edits_.undo_stack_) return;
    edits_.undo_stack_->push(step.release());
}

void ChartEdits::perform(std::unique_ptr<QUndoCommand> command) {
    UserEvent event(*this);
    command->redo();  // a command that throws is not recorded
    if (!step_) step_ = std::make_unique<EventStep>();
    step_->add(std::move(command));
}

void ChartEdits::setChord(SlotRef slot, const QString& newValue, const QString& oldValue) {
    perform(std::make_unique<ChordEntryCommand>(model_, focus_, slot, newValue, oldValue));
}

void ChartEdits::appendBlankBar(SlotRef activeSlot) {
    perform(std::make_unique<AppendBarCommand>(model_, focus_, activeSlot));
}

void ChartEdits::replaceBars(BarRange range, const Plist::Array& bars, BarRange oldSelection, BarRange newSelection,
                             const QString& actionName) {
    perform(std::make_unique<ReplaceBarsCommand>(model_, focus_, range, bars, oldSelection, newSelection, actionName));
}

void ChartEdits::setChorus(const Chorus& chorus, const QString& actionName) {
    if (chorus.repeats < 1)
        throw Bridge_exception("setChorus", "Invalid chorus repeats: " + std::to_string(chorus.repeats));
    perform(std::make_unique<SetChorusCommand>(model_, chorus, actionName));
}

void ChartEdits::setSectionMark(std::size_t bar, std::int64_t mark) {
    perform(std::make_unique<SetSectionMarkCommand>(model_, bar, mark));
}

void ChartEdits::setKeyCenters(const Plist& keyCenterList) {
    perform(std::make_unique<KeyCentersCommand>(model_, keyCenterList));
}

void ChartEdits::transpose(const Plist& transposedChart) {
    perform(std::make_unique<TransposeCommand>(model_, transposedChart));
}

void ChartEdits::setName(const QString& name) { perform(std::make_unique<NameCommand>(model_, name)); }

void ChartEdits::setTempo(qint64 tempo) { perform(std::make_unique<TempoCommand>(model_, tempo)); }

void ChartEdits::changeBars(BarRange range, const Plist::Array& bars, BarRange selection, const QString& actionName) {
    if (model_.bars(range) == bars) return;
    perform(std::make_unique<ChangeBarsCommand>(model_, focus_, range, bars, selection, actionName));
}

void ChartEdits::setProperties(const ChartProperties& properties) {
    if (properties == model_.properties()) return;
    perform(std::make_unique<PropertiesCommand>(model_, properties));
}

}  // namespace zub
