#include "editor/model/undo_commands.h"

#include "bridge/chart_dictionary.h"
#include "editor/model/chart_model.h"
#include "editor/model/form_mark_rules.h"

namespace zub {

void EventStep::add(std::unique_ptr<QUndoCommand> command) {
    setText(command->text());
    commands_.push_back(std::move(command));
}

void EventStep::redo() {
    if (performed_) {
        performed_ = false;
        return;
    }
    for (const auto& command : commands_) command->redo();
}

void EventStep::undo() {
    for (auto it = commands_.rbegin(); it != commands_.rend(); ++it) (*it)->undo();
}

ChordEntryCommand::ChordEntryCommand(ChartModel& model, EditingFocus* focus, SlotRef slot, QString newValue,
                                     QString oldValue)
    : QUndoCommand(QStringLiteral("Chord Entry")), model_(model), focus_(focus), slot_(slot),
      new_(std::move(newValue)), old_(std::move(oldValue)) {
    model_.chord(slot);  // the slot is checked before anything changes
}

void ChordEntryCommand::redo() {
    model_.storeChord(slot_, new_.toStdString());
    // The first time the user is moving on, so only undo and redo bring the slot back to editing.
    if (!first_ && focus_) focus_->editSlot(slot_);
    first_ = false;
}

void ChordEntryCommand::undo() {
    model_.storeChord(slot_, old_.toStdString());
    if (focus_) focus_->editSlot(slot_);
}

AppendBarCommand::AppendBarCommand(ChartModel& model, EditingFocus* focus, SlotRef activeSlot)
    : QUndoCommand(QStringLiteral("Append Bar")), model_(model), focus_(focus), active_(activeSlot),
      // A new bar has the meter of the bar before it, which may be other than the chart's.
      bar_(oneBlankBar(model.barCount() == 0 ? model.meter()
                                             : static_cast<std::int64_t>(slotsInForce(
                                                   model.allBars(), model.barCount() - 1, model.meter())))
               .as_array()
               .front()) {}

void AppendBarCommand::redo() {
    model_.replaceBars({model_.barCount(), 0}, {bar_});
    if (focus_) focus_->editSlot({model_.barCount() - 1, 0});
}

void AppendBarCommand::undo() {
    model_.replaceBars({model_.barCount() - 1, 1}, {});
    if (focus_) focus_->editSlot(active_);
}

ReplaceBarsCommand::ReplaceBarsCommand(ChartModel& model, EditingFocus* focus, BarRange range, Plist::Array bars,
                                       BarRange oldSelection, BarRange newSelection, const QString& actionName)
    : QUndoCommand(actionName), model_(model), focus_(focus), range_(range), new_bars_(std::move(bars)),
      old_bars_(model.bars(range)), old_selection_(oldSelection), new_selection_(newSelection),
      old_chorus_(model.chorus()),
      new_chorus_(newChorusAfterReplacementInRange(old_chorus_, range, new_bars_.size())) {}

void ReplaceBarsCommand::redo() {
    // The bars first: their checks may refuse, and then the chorus stays as it was.
    model_.replaceBars(range_, new_bars_);
    model_.setChorus(new_chorus_);
    if (focus_) focus_->selectBars(new_selection_);
}

void ReplaceBarsCommand::undo() {
    model_.replaceBars({range_.location, new_bars_.size()}, old_bars_);
    model_.setChorus(old_chorus_);
    if (focus_) focus_->selectBars(old_selection_);
}

SetChorusCommand::SetChorusCommand(ChartModel& model, Chorus newChorus, const QString& actionName)
    : QUndoCommand(actionName), model_(model), new_(newChorus), old_(model.chorus()) {}

void SetChorusCommand::redo() { model_.setChorus(new_); }
void SetChorusCommand::undo() { model_.setChorus(old_); }

SetSectionMarkCommand::SetSectionMarkCommand(ChartModel& model, std::size_t bar, std::int64_t newMark)
    : QUndoCommand(QStringLiteral("Set Section Mark")), model_(model), bar_(bar), new_(newMark),
      old_(model.sectionMark(bar)) {}

void SetSectionMarkCommand::redo() { model_.setSectionMark(bar_, new_); }
void SetSectionMarkCommand::undo() { model_.setSectionMark(bar_, old_); }

KeyCentersCommand::KeyCentersCommand(ChartModel& model, Plist newKeyCenters)
    : QUndoCommand(QStringLiteral("Change Key Centers")), model_(model), new_(std::move(newKeyCenters)),
      old_(model.keyCenters()) {
    new_.as_array();  // checked before the push, so a bad list never reaches the stack
}

void KeyCentersCommand::redo() { model_.setKeyCenters(new_); }
void KeyCentersCommand::undo() { model_.setKeyCenters(old_); }

TransposeCommand::TransposeCommand(ChartModel& model, const Plist& transposedChart)
    : QUndoCommand(QStringLiteral("Transpose")), model_(model), new_key_(transposedChart.string_at("Key")),
      old_key_(model.key()), new_bars_(transposedChart.array_at("Chords")), old_bars_(model.allBars()) {}

void TransposeCommand::redo() { model_.setKeyAndBars(new_key_, new_bars_); }
void TransposeCommand::undo() { model_.setKeyAndBars(old_key_, old_bars_); }

NameCommand::NameCommand(ChartModel& model, QString newName)
    : QUndoCommand(QStringLiteral("Name Change")), model_(model), new_(std::move(newName)), old_(model.name()) {}

void NameCommand::redo() { model_.setName(new_); }
void NameCommand::undo() { model_.setName(old_); }

TempoCommand::TempoCommand(ChartModel& model, qint64 newTempo)
    : QUndoCommand(QStringLiteral("Tempo Change")), model_(model), new_(newTempo), old_(model.tempo()) {}

void TempoCommand::redo() { model_.setTempo(new_); }
void TempoCommand::undo() { model_.setTempo(old_); }

ChangeBarsCommand::ChangeBarsCommand(ChartModel& model, EditingFocus* focus, BarRange range, Plist::Array bars,
                                     BarRange selection, const QString& actionName)
    : QUndoCommand(actionName), model_(model), focus_(focus), range_(range), new_bars_(std::move(bars)),
      old_bars_(model.bars(range)), selection_(selection) {}

void ChangeBarsCommand::redo() {
    model_.changeBars(range_, new_bars_);
    // The first time the user is where the command was given.
    if (!first_ && focus_) focus_->selectBars(selection_);
    first_ = false;
}

void ChangeBarsCommand::undo() {
    model_.changeBars(range_, old_bars_);
    if (focus_) focus_->selectBars(selection_);
}

PropertiesCommand::PropertiesCommand(ChartModel& model, ChartProperties properties)
    : QUndoCommand(QStringLiteral("Chart Properties")), model_(model), new_(std::move(properties)),
      old_(model.properties()) {
    if (new_.meter != old_.meter) {
        old_bars_ = model.allBars();
        new_bars_ = barsInMeter(old_bars_, new_.meter);
    }
}

void PropertiesCommand::redo() { model_.setProperties(new_, new_bars_); }

void PropertiesCommand::undo() { model_.setProperties(old_, old_bars_); }

}  // namespace zub
