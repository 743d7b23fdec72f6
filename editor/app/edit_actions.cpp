#include "editor/app/edit_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "editor/model/bars_clipboard.h"
#include "editor/view/chart_view.h"

namespace zub {

namespace {

void putOnClipboard(const Plist::Array& bars) { QApplication::clipboard()->setMimeData(mimeDataForBars(bars).release()); }

}  // namespace

EditActions::EditActions(ChartView& view, ChartEdits& edits, QObject* parent)
    : QObject(parent), view_(view), rules_(edits) {}

void EditActions::beepUnless(bool done) const {
    if (!done) QApplication::beep();
}

void EditActions::copy() {
    const std::optional<Plist::Array> bars = rules_.copy(view_.selectedBars());
    if (bars) putOnClipboard(*bars);
    beepUnless(bars.has_value());
}

void EditActions::cut() {
    const std::optional<Plist::Array> bars = rules_.cut(view_.selectedBars());
    if (bars) putOnClipboard(*bars);
    beepUnless(bars.has_value());
}

void EditActions::paste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!view_.selectedBars() || !data || !hasBars(*data)) return beepUnless(false);
    Plist::Array bars;
    try {
        bars = barsFromMimeData(*data);
    } catch (const std::exception&) {
        return beepUnless(false);
    }
    beepUnless(rules_.paste(view_.selectedBars(), bars));
}

void EditActions::deleteSelection() { beepUnless(rules_.deleteSelection(view_.selectedBars())); }

void EditActions::selectAll() { view_.selectAll(); }

void EditActions::setChorusFromSelection() { beepUnless(rules_.setChorus(view_.selectedBars())); }

void EditActions::setChorusRepeats(int repeats) { beepUnless(rules_.setChorusRepeats(repeats)); }

void EditActions::setSectionMark(int tag) { beepUnless(rules_.setSectionMark(view_.selectedBars(), tag)); }

bool EditActions::canSetChorus() const { return BarEditRules::canSetChorus(view_.selectedBars()); }

bool EditActions::canSetSectionMark() const { return rules_.canSetSectionMark(view_.selectedBars()); }

}  // namespace zub
