// Chord entry in a chart view: one shared chord field editor placed over the
// slot being edited (the other slots are only painted), the check of what was
// typed, its message beside the slot, the moves from slot to slot, and the
// "Chord Entry" and "Append Bar" changes it makes through ChartEdits.
#pragma once

#include <QObject>
#include <QString>

#include <optional>

#include "editor/entry/chord_field_editor.h"
#include "editor/model/bar_operations.h"
#include "editor/view/bar_selection.h"

class QEvent;
class QLabel;

namespace zub {

class ChartModel;
class ChartView;

class ChordEntry : public QObject {
    Q_OBJECT
public:
    explicit ChordEntry(ChartView& view);

    ChordFieldEditor* field() const { return field_; }
    void setChordFont(const ChordFont& font);
    // The slot being edited, if any; inProgress while its text changed.
    std::optional<SlotRef> activeSlot() const { return editing_; }
    bool inProgress() const { return in_progress_; }
    const QString& error() const { return error_; }

    // editSlot({bar, slot}); "Bar index out of range: 9" outside the chart.
    void editSlot(SlotRef slot);
    // endEditing() stores a changed chord; false, with the message shown, when the text fails the check.
    bool endEditing();
    // stop(restoreShown) drops the edit; with restoreShown a changed slot shows its stored chord again.
    void stop(bool restoreShown = true);
    // place() puts the field editor (and the message) over the slot after a layout.
    void place();
    // go(move, vertical): to a slot, past the end (a blank bar appended), or a beep.
    void go(const ChordMove& move, bool vertical);
    void appendBlankBar();
    // filterFieldEvent(event) -> true when the event of the field editor was handled here.
    bool filterFieldEvent(QEvent* event);

signals:
    void editChanged(bool inProgress);

private:
    void textChanged(const QString& text);
    void entered(const QString& value);
    void showError(const QString& description);
    bool navigate(NavigationKey key, bool extend);
    void clearError();

    ChartView& view_;
    ChordFieldEditor* field_;
    QLabel* error_label_;
    std::optional<SlotRef> editing_;
    QString begin_value_;
    bool in_progress_ = false;
    bool navigating_vertically_ = false;
    QString error_;
};

// The number of slots of each bar of a chart model, as the chord moves want them.
SlotCounts slotCountsOf(const ChartModel& model);

}  // namespace zub
