#include "editor/model/bar_edit_rules.h"

#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/chart_dictionary.h"
#include "bridge/core_names.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {

namespace {

bool barsSelected(SelectedBars selection) { return selection && selection->length > 0; }

}  // namespace

QStringList keyCenterMenuTitles() {
    QStringList titles;
    for (const std::string& key : analysisKeyNames())
        titles << QString::fromStdString(replaceWithUnicodeSharpsAndFlats(key));
    return titles;
}

BarEditRules::BarEditRules(ChartEdits& edits) : edits_(edits) {}

const ChartModel& BarEditRules::model() const { return edits_.model(); }

BarRange BarEditRules::everyBar() const { return {0, model().barCount()}; }

std::optional<Plist::Array> BarEditRules::copy(SelectedBars selection) const {
    if (!selection) return std::nullopt;
    return model().bars(*selection);
}

std::optional<Plist::Array> BarEditRules::cut(SelectedBars selection) {
    if (!barsSelected(selection)) return std::nullopt;
    Plist::Array bars = model().bars(*selection);
    if (!applyDelete(zub::deleteSelection(*selection, model().barCount()), *selection, QStringLiteral("Cut")))
        return std::nullopt;
    return bars;
}

bool BarEditRules::paste(SelectedBars selection, const Plist::Array& bars) {
    if (!selection) return false;
    const BarRange s = *selection;
    // Pasting nothing over every bar would leave an empty chart.
    if (bars.empty() && s.length == model().barCount()) return false;
    ChartEdits::UserEvent event(edits_);
    edits_.replaceBars(s, bars, s, {s.location + bars.size(), 0}, QStringLiteral("Paste"));
    return true;
}

bool BarEditRules::applyDelete(const std::optional<DeletePlan>& plan, BarRange selection, const QString& actionName) {
    if (!plan) return false;
    Plist::Array bars;
    if (plan->blankBar) bars.push_back(oneBlankBar(model().meter()).as_array().front());
    ChartEdits::UserEvent event(edits_);
    edits_.replaceBars(plan->range, bars, selection, plan->newSelection, actionName);
    return true;
}

bool BarEditRules::deleteSelection(SelectedBars selection) {
    if (!selection) return false;
    return applyDelete(zub::deleteSelection(*selection, model().barCount()), *selection, QStringLiteral("Delete"));
}

bool BarEditRules::deleteBackward(SelectedBars selection) {
    if (!selection) return false;
    return applyDelete(zub::deleteBackward(*selection, model().barCount()), *selection, QStringLiteral("Delete"));
}

bool BarEditRules::deleteForward(SelectedBars selection) {
    if (!selection) return false;
    return applyDelete(zub::deleteForward(*selection, model().barCount()), *selection, QStringLiteral("Delete"));
}

bool BarEditRules::canSetChorus(SelectedBars selection) { return barsSelected(selection); }

bool BarEditRules::canSetSectionMark(SelectedBars selection) const {
    return selection && selection->length == 0 && selection->location < model().barCount();
}

bool BarEditRules::setChorus(SelectedBars selection) {
    if (!canSetChorus(selection)) return false;
    ChartEdits::UserEvent event(edits_);
    edits_.setChorus(chorusOfSelection(*selection, model().chorus()), QStringLiteral("Set Chorus"));
    return true;
}

bool BarEditRules::setChorusRepeats(int repeats) {
    // The chorus cannot be played fewer than once.
    if (repeats < 1) return false;
    Chorus chorus = model().chorus();
    chorus.repeats = repeats;
    ChartEdits::UserEvent event(edits_);
    edits_.setChorus(chorus, QStringLiteral("Set Chorus Repeats"));
    return true;
}

bool BarEditRules::setSectionMark(SelectedBars selection, int tag) {
    if (!canSetSectionMark(selection)) return false;
    ChartEdits::UserEvent event(edits_);
    edits_.setSectionMark(selection->location, sectionMarkForTag(tag));
    return true;
}

bool BarEditRules::setKeyCenter(SelectedBars selection, const QString& keyName) {
    if (!barsSelected(selection)) return false;
    const BarRange s = *selection;
    const std::string key = replaceWithAsciiSharpsAndFlats(keyName.toStdString());
    ChartEdits::UserEvent event(edits_);
    edits_.replaceBars(s, barsWithNewKeyCenter(model().bars(s), key), s, s, QStringLiteral("Set Key Center"));
    return true;
}

bool BarEditRules::moveBars(BarRange dragged, std::size_t dropIndex, const Plist::Array& bars) {
    const std::optional<std::size_t> to = moveInsertionIndex(dropIndex, dragged);
    if (!to || !dropAccepted(dropIndex, dragged, true)) return false;
    ChartEdits::UserEvent event(edits_);
    const QString name = QStringLiteral("Drag-and-Drop Move");
    edits_.replaceBars(dragged, {}, dragged, {dragged.location, 0}, name);
    edits_.replaceBars({*to, 0}, bars, {dragged.location, 0}, {*to, bars.size()}, name);
    return true;
}

bool BarEditRules::copyBars(std::size_t dropIndex, const Plist::Array& bars, BarRange selection) {
    if (dropIndex > model().barCount() || bars.empty()) return false;
    ChartEdits::UserEvent event(edits_);
    edits_.replaceBars({dropIndex, 0}, bars, selection, {dropIndex, bars.size()}, QStringLiteral("Drag-and-Drop Copy"));
    return true;
}

}  // namespace zub
