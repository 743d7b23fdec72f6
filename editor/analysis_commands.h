// The analysis commands of a chart window: Analyze (the core proposes key
// centers, stored with undo, then annotates) and Show Analysis (annotates
// under the key centers the user set), and the undoable change of key centers.
// A failure leaves no analysis shown and comes back as an error of code 3.
#pragma once

#include <QUndoCommand>

#include <optional>

#include "bridge/plist.h"
#include "editor/my_error.h"

class QUndoStack;
class QWidget;

namespace zub {

class ChartView;

// "Change Key Centers": writes one key-center list into the key slots, the
// other on undo; each lays the chart out again without analysis.
class KeyCentersChange : public QUndoCommand {
public:
    KeyCentersChange(ChartView* view, Plist newKeyCenters, Plist oldKeyCenters);
    void redo() override;
    void undo() override;

private:
    ChartView* view_;
    Plist new_, old_;
};

// setKeyCentersWithUndo(view, stack, list) pushes a KeyCentersChange from the view's current list.
void setKeyCentersWithUndo(ChartView& view, QUndoStack& undoStack, const Plist& keyCenters);

// analyze(view, stack) -> none when the analysis is shown; otherwise the error
// "Kov cannot analyze this chart (reason)". Key centers already stored stay (undoable).
std::optional<MyError> analyze(ChartView& view, QUndoStack& undoStack);
// showAnalysis(view) -> none, or "Kov cannot show the analysis for this chart (reason)",
// "Incomplete key center specification" when the first key slot is unassigned.
std::optional<MyError> showAnalysis(ChartView& view);

// The menu commands: the same, with the error shown as a sheet on window.
void analyzeCommand(QWidget* window, ChartView& view, QUndoStack& undoStack);
void showAnalysisCommand(QWidget* window, ChartView& view);

}  // namespace zub
