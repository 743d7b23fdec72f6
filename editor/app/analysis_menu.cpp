#include "editor/app/analysis_menu.h"

#include <exception>

#include "bridge/analysis_conversion.h"
#include "bridge/analysis_result.h"
#include "bridge/bridge_exception.h"
#include "bridge/key_centers.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {

namespace {

MyError analysisError(const char* description, const std::exception& e) {
    return errorWithCode(MyErrorCode::analysis, QString::fromUtf8(description).arg(reasonOf(e)), reasonOf(e));
}

}  // namespace

std::optional<MyError> analyze(ChartModel& model, ChartEdits& edits) {
    try {
        const Plist centers = kov_partition(model.allBars());
        edits.setKeyCenters(centers);
        model.setAnalysis(annotateChart(model.allBars(), centers.as_array()));
        return std::nullopt;
    } catch (const std::exception& e) {
        model.clearAnalysis();
        return analysisError("Kov cannot analyze this chart (%1)", e);
    }
}

std::optional<MyError> showAnalysis(ChartModel& model) {
    try {
        const Plist centers = model.keyCenters();
        const Plist::Array& list = centers.as_array();
        // "!" is the list of a chart without slots: nothing to analyse under.
        if (list.empty() || list.front().string_at("Key").empty() || list.front().string_at("Key") == "!")
            throw Bridge_exception("showAnalysis:", "Incomplete key center specification");
        // The analysis runs under a key center in every slot: say which bars lack one.
        if (const std::string lacking = barsWithoutKeyCenter(model.allBars()); !lacking.empty()) {
            const bool one = lacking.find_first_of(",-") == std::string::npos;
            throw Bridge_exception("showAnalysis:", "Incomplete key center specification: no key center in " +
                                                        std::string(one ? "bar " : "bars ") + lacking);
        }
        model.clearAnalysis();
        model.setAnalysis(annotateChart(model.allBars(), list));
        return std::nullopt;
    } catch (const std::exception& e) {
        model.clearAnalysis();
        return analysisError("Kov cannot show the analysis for this chart (%1)", e);
    }
}

void analyzeInWindow(QWidget* window, ChartModel& model, ChartEdits& edits) {
    if (const auto error = analyze(model, edits)) showErrorSheet(window, *error);
}

void showAnalysisInWindow(QWidget* window, ChartModel& model) {
    if (const auto error = showAnalysis(model)) showErrorSheet(window, *error);
}

}  // namespace zub
