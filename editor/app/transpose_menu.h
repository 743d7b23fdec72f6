// The Transpose items of a chart window: up or down a semitone, or to a key
// chosen in a small dialog. Each is one undoable "Transpose" of the chords,
// the key and the key centers through the bridge; an analysis that was shown is
// computed again over the transposed chart. A failure leaves the chart as it
// was and comes back as an error of code 6.
#pragma once

#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

#include "editor/app/my_error.h"

class QWidget;

namespace zub {

class ChartEdits;
class ChartModel;

// transposeBy(model, edits, 1) -> none, or "Zubaroo cannot transpose this chart (reason)".
std::optional<MyError> transposeBy(ChartModel& model, ChartEdits& edits, std::int64_t semitones);
// transposeTo(model, edits, "E\u266D"): the same, to a key in display or ASCII form.
std::optional<MyError> transposeTo(ChartModel& model, ChartEdits& edits, const std::string& key);

// transposeTargetKeys("Gm") -> the twelve minor keys as musicians write them, display
// accidentals ("E\u266Dm", ...); the twelve major keys for a major key.
QStringList transposeTargetKeys(const std::string& key);

// The menu items: the same, with the error shown as a sheet on window;
// transposeWithDialog asks for the key in a window-modal dialog first.
void transposeInWindow(QWidget* window, ChartModel& model, ChartEdits& edits, std::int64_t semitones);
void transposeWithDialog(QWidget* window, ChartModel& model, ChartEdits& edits);

}  // namespace zub
