// The Edit menu's bar items on a chart view: copy, cut, paste, delete, select
// all, the chorus, its repeats and section marks. Each asks the model's rules
// (BarEditRules) with the view's bar selection, moves bars between the rules
// and the clipboard, and beeps when a rule does not apply.
#pragma once

#include <QObject>

#include "editor/model/bar_edit_rules.h"

namespace zub {

class ChartEdits;
class ChartView;

class EditActions : public QObject {
    Q_OBJECT
public:
    EditActions(ChartView& view, ChartEdits& edits, QObject* parent = nullptr);

    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void selectAll();
    void setChorusFromSelection();
    // setChorusRepeats(3); a count below 1 beeps.
    void setChorusRepeats(int repeats);
    void setSectionMark(int tag);
    // Whether the menu items apply to the selection as it stands.
    bool canSetChorus() const;
    bool canSetSectionMark() const;

private:
    void beepUnless(bool done) const;

    ChartView& view_;
    BarEditRules rules_;
};

}  // namespace zub
