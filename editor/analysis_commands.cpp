#include "editor/analysis_commands.h"

#include <QUndoStack>

#include <exception>

#include "bridge/analysis_conversion.h"
#include "bridge/bridge_exception.h"
#include "editor/chart_view.h"

namespace zub {

namespace {

QString reasonOf(const std::exception& e) {
    if (const auto* bridge = dynamic_cast<const Bridge_exception*>(&e)) return QString::fromStdString(bridge->reason());
    return QString::fromUtf8(e.what());
}

MyError analysisError(const char* description, const std::exception& e) {
    return errorWithCode(MyErrorCode::analysis, QString::fromUtf8(description).arg(reasonOf(e)), reasonOf(e));
}

}  // namespace

KeyCentersChange::KeyCentersChange(ChartView* view, Plist newKeyCenters, Plist oldKeyCenters)
    : QUndoCommand(QStringLiteral("Change Key Centers")),
      view_(view),
      new_(std::move(newKeyCenters)),
      old_(std::move(oldKeyCenters)) {}

void KeyCentersChange::redo() { view_->setKeyCenters(new_); }
void KeyCentersChange::undo() { view_->setKeyCenters(old_); }

void setKeyCentersWithUndo(ChartView& view, QUndoStack& undoStack, const Plist& keyCenters) {
    // Checked before the push, so a bad list never reaches the stack.
    keyCenters.as_array();
    undoStack.push(new KeyCentersChange(&view, keyCenters, view.keyCenters()));
}

std::optional<MyError> analyze(ChartView& view, QUndoStack& undoStack) {
    try {
        const Plist centers = kov_partition(view.chart().array_at("Chords"));
        setKeyCentersWithUndo(view, undoStack, centers);
        view.setAnalysis(kov_annotate(view.chart().array_at("Chords"), centers.as_array()));
        return std::nullopt;
    } catch (const std::exception& e) {
        view.clearAnalysis();
        return analysisError("Kov cannot analyze this chart (%1)", e);
    }
}

std::optional<MyError> showAnalysis(ChartView& view) {
    try {
        const Plist centers = view.keyCenters();
        const Plist::Array& list = centers.as_array();
        // "!" is the list of a chart without slots: nothing to analyse under.
        if (list.empty() || list.front().string_at("Key").empty() || list.front().string_at("Key") == "!")
            throw Bridge_exception("showAnalysis:", "Incomplete key center specification");
        view.clearAnalysis();
        view.setAnalysis(kov_annotate(view.chart().array_at("Chords"), list));
        return std::nullopt;
    } catch (const std::exception& e) {
        view.clearAnalysis();
        return analysisError("Kov cannot show the analysis for this chart (%1)", e);
    }
}

void analyzeCommand(QWidget* window, ChartView& view, QUndoStack& undoStack) {
    if (const auto error = analyze(view, undoStack)) showErrorSheet(window, *error);
}

void showAnalysisCommand(QWidget* window, ChartView& view) {
    if (const auto error = showAnalysis(view)) showErrorSheet(window, *error);
}

}  // namespace zub
