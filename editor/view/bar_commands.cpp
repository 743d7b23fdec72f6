#include "editor/view/bar_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "bridge/accidentals.h"
#include "bridge/analysis_conversion.h"
#include "bridge/chart_dictionary.h"
#include "bridge/core_names.h"
#include "editor/model/bars_clipboard.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"
#include "editor/view/selection_cursor.h"

namespace zub {

void BarCommands::copy() {
    const SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active()) return view_.beep();
    QApplication::clipboard()->setMimeData(mimeDataForBars(view_.barDictionaries(selection.range())).release());
}

void BarCommands::cut() {
    const SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active() || selection.range().length == 0) return view_.beep();
    copy();
    applyDelete(zub::deleteSelection(selection.range(), view_.barCount()), QStringLiteral("Cut"));
}

void BarCommands::paste() {
    const SelectionCursor& selection = view_.selectionCursor();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!selection.active() || !data || !hasBars(*data)) return view_.beep();
    Plist::Array bars;
    try {
        bars = barsFromMimeData(*data);
    } catch (const std::exception&) {
        return view_.beep();
    }
    const BarRange s = selection.range();
    // Pasting nothing over every bar would leave an empty chart.
    if (bars.empty() && s.length == view_.barCount()) return view_.beep();
    ChartEdits::UserEvent event(view_.edits());
    view_.edits().replaceBars(s, bars, s, {s.location + bars.size(), 0}, QStringLiteral("Paste"));
}

void BarCommands::applyDelete(const std::optional<DeletePlan>& plan, const QString& actionName) {
    if (!plan) return view_.beep();
    Plist::Array bars;
    if (plan->blankBar) bars.push_back(oneBlankBar(view_.model().meter()).as_array().front());
    ChartEdits::UserEvent event(view_.edits());
    view_.edits().replaceBars(plan->range, bars, view_.selectionCursor().range(), plan->newSelection, actionName);
}

void BarCommands::deleteSelection() {
    const SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active()) return view_.beep();
    applyDelete(zub::deleteSelection(selection.range(), view_.barCount()), QStringLiteral("Delete"));
}

void BarCommands::deleteBackward() {
    const SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active()) return view_.beep();
    applyDelete(zub::deleteBackward(selection.range(), view_.barCount()), QStringLiteral("Delete"));
}

void BarCommands::deleteForward() {
    const SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active()) return view_.beep();
    applyDelete(zub::deleteForward(selection.range(), view_.barCount()), QStringLiteral("Delete"));
}

void BarCommands::selectAll() {
    // In a slot, Select All means the slot's text, as in any text field; every bar in bar mode.
    if (view_.activeSlot() && !view_.selectionActive()) return view_.chordFieldEditor()->selectAll();
    if (!view_.endChordEditing()) return;
    view_.setSelection({0, view_.barCount()});
}

bool BarCommands::canSetChorus() const {
    const SelectionCursor& selection = view_.selectionCursor();
    return selection.active() && selection.range().length > 0;
}

bool BarCommands::canSetSectionMark() const {
    const SelectionCursor& selection = view_.selectionCursor();
    return selection.active() && selection.range().length == 0 && selection.range().location < view_.barCount();
}

void BarCommands::setChorusFromSelection() {
    if (!canSetChorus()) return view_.beep();
    const Chorus chorus = chorusOfSelection(view_.selectionCursor().range(), view_.model().chorus());
    ChartEdits::UserEvent event(view_.edits());
    view_.edits().setChorus(chorus, QStringLiteral("Set Chorus"));
}

void BarCommands::setChorusRepeats(int repeats) {
    if (repeats < 1) return view_.beep();
    Chorus chorus = view_.model().chorus();
    chorus.repeats = repeats;
    ChartEdits::UserEvent event(view_.edits());
    view_.edits().setChorus(chorus, QStringLiteral("Set Chorus Repeats"));
}

void BarCommands::setSectionMark(int tag) {
    if (!canSetSectionMark()) return view_.beep();
    ChartEdits::UserEvent event(view_.edits());
    view_.edits().setSectionMark(view_.selectionCursor().range().location, sectionMarkForTag(tag));
}

void BarCommands::setKeyCenterForSelection(const QString& keyName) {
    const SelectionCursor& selection = view_.selectionCursor();
    if (!selection.active() || selection.range().length == 0) return view_.beep();
    const BarRange s = selection.range();
    const std::string key = replaceWithAsciiSharpsAndFlats(keyName.toStdString());
    ChartEdits::UserEvent event(view_.edits());
    view_.edits().replaceBars(s, barsWithNewKeyCenter(view_.barDictionaries(s), key), s, s,
                              QStringLiteral("Set Key Center"));
}

QStringList BarCommands::keyCenterMenuTitles() {
    QStringList titles;
    for (const std::string& key : analysisKeyNames())
        titles << QString::fromStdString(replaceWithUnicodeSharpsAndFlats(key));
    return titles;
}

}  // namespace zub
