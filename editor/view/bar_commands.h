// The commands of the Edit menu and the delete keys on a chart view's bar
// selection: copy, cut, paste, delete, select all, the chorus, its repeats,
// section marks and key centers, and the rules that enable their menu items.
// Each beeps and changes nothing when its condition fails; each change is one
// undo step through ChartEdits.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "editor/model/bar_operations.h"

namespace zub {

class ChartView;

class BarCommands {
public:
    explicit BarCommands(ChartView& view) : view_(view) {}

    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void selectAll();
    void deleteBackward();
    void deleteForward();
    void setChorusFromSelection();
    // setChorusRepeats(3); a count below 1 beeps, as the chorus cannot be played that often.
    void setChorusRepeats(int repeats);
    void setSectionMark(int tag);
    void setKeyCenterForSelection(const QString& keyName);
    bool canSetChorus() const;
    bool canSetSectionMark() const;
    // The 24 keys of the analysis in display sharps and flats.
    static QStringList keyCenterMenuTitles();

private:
    void applyDelete(const std::optional<DeletePlan>& plan, const QString& actionName);

    ChartView& view_;
};

}  // namespace zub
