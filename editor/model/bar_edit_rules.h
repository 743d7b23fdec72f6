// The rules of the Edit menu, the delete keys and drag and drop on a chart's
// bars, by index and without a window: what each needs of the bar selection,
// what it changes (one undo step through ChartEdits, named as the menu item),
// and the selection afterwards. A rule that does not apply changes nothing and
// returns false or none; the view beeps. The clipboard and the key presses
// stay with the view and the menus, which only ask these rules.
//   ChartModel model(chart); ChartEdits edits(model, &stack); BarEditRules rules(edits);
//   rules.deleteSelection(BarRange{1, 2});  // bars 2 and 3 removed, "Delete" on the stack
#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>
#include <string>

#include "bridge/plist.h"
#include "editor/model/bar_operations.h"

namespace zub {

class ChartEdits;
class ChartModel;

// keyCenterMenuTitles() -> the 24 keys of the analysis in display sharps and flats ("B♭", "F♯m").
QStringList keyCenterMenuTitles();

// The bar selection as the rules see it: none while a chord is typed in a slot.
using SelectedBars = std::optional<BarRange>;

class BarEditRules {
public:
    explicit BarEditRules(ChartEdits& edits);

    // copy({1, 2}) -> bars 2 and 3 for the clipboard; an insertion point copies no bars; none without a selection.
    std::optional<Plist::Array> copy(SelectedBars selection) const;
    // cut({1, 2}) -> the bars taken out ("Cut"); none for an insertion point or no selection.
    std::optional<Plist::Array> cut(SelectedBars selection);
    // paste({1, 0}, bars): inserted there, or in place of the selected bars ("Paste");
    // false without a selection, or when nothing would replace every bar.
    bool paste(SelectedBars selection, const Plist::Array& bars);
    // The delete command and the two delete keys (see deleteSelection in bar_operations).
    bool deleteSelection(SelectedBars selection);
    bool deleteBackward(SelectedBars selection);
    bool deleteForward(SelectedBars selection);
    // everyBar() -> the range Select All selects.
    BarRange everyBar() const;

    // canSetChorus(selection): one bar or more selected.
    static bool canSetChorus(SelectedBars selection);
    // canSetSectionMark(selection): an insertion point before a bar.
    bool canSetSectionMark(SelectedBars selection) const;
    // setChorus({2, 4}): the chorus is bars 3 to 6, its repeats kept ("Set Chorus").
    bool setChorus(SelectedBars selection);
    // setChorusRepeats(3) ("Set Chorus Repeats"); false below 1.
    bool setChorusRepeats(int repeats);
    // setSectionMark({3, 0}, 0): bar 4 begins section A (tag 1: B, 2: none).
    bool setSectionMark(SelectedBars selection, int tag);
    // setKeyCenter({0, 4}, "B♭"): the selected bars' key slots name that key ("Set Key Center").
    bool setKeyCenter(SelectedBars selection, const QString& keyName);

    // moveBars({1, 2}, 6, bars): the dragged block taken out and put where index 6 was
    // ("Drag-and-Drop Move"); false for a drop inside the block or right after it.
    bool moveBars(BarRange dragged, std::size_t dropIndex, const Plist::Array& bars);
    // copyBars(0, bars, selection): bars from elsewhere inserted at 0 and selected
    // ("Drag-and-Drop Copy"); false past the end or for no bars.
    bool copyBars(std::size_t dropIndex, const Plist::Array& bars, BarRange selection);

private:
    bool applyDelete(const std::optional<DeletePlan>& plan, BarRange selection, const QString& actionName);
    const ChartModel& model() const;

    ChartEdits& edits_;
};

}  // namespace zub
