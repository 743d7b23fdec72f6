// The Analysis menu of a chart window: Analyze (the core proposes key
// centers, stored with undo as "Change Key Centers", then annotates) and Show
// Analysis (annotates under the key centers the user set). The analysis is
// kept by the chart model; a failure leaves none and comes back as an error of code 3.
#pragma once

#include <optional>

#include "editor/app/my_error.h"

class QWidget;

namespace zub {

class ChartEdits;
class ChartModel;

// analyze(model, edits) -> none when the analysis is shown; otherwise the error
// "Kov cannot analyze this chart (reason)". Key centers already stored stay (undoable).
std::optional<MyError> analyze(ChartModel& model, ChartEdits& edits);
// showAnalysis(model) -> none, or "Kov cannot show the analysis for this chart (reason)",
// "Incomplete key center specification" when the first key slot is unassigned.
std::optional<MyError> showAnalysis(ChartModel& model);

// The menu items: the same, with the error shown as a sheet on window.
void analyzeInWindow(QWidget* window, ChartModel& model, ChartEdits& edits);
void showAnalysisInWindow(QWidget* window, ChartModel& model);

}  // namespace zub
