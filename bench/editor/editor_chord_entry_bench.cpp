// The cost of one keystroke of chord entry: the formatter's check and
// correction of the proposed text, and a whole key press through the field
// editor (check, correction, signals). Both run on every key the user types.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/editor/editor_bench_support.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/entry/chord_formatter.h"
#include "editor/entry/chord_type_names.h"
#include "editor/layout/chord_font.h"

namespace {

zub::ChordFont chordFont() {
    benchApplication();
    QFont font("DejaVu Sans");
    font.setPointSizeF(14);
    zub::ChordTypeNames::shared();  // fetched once per run, not per keystroke
    return zub::ChordFont::withResourceSubstitutions(font);
}

// The last key of "bbm7b5" typed in lower case: a flat to correct in root and type.
void BM_FormatterValidateKeystroke(benchmark::State& state) {
    const zub::ChordFormatter formatter(chordFont());
    const QString proposed = QStringLiteral("bbm7b5");
    for (auto _ : state) {
        QString text = proposed;
        int pos = static_cast<int>(text.size());
        benchmark::DoNotOptimize(formatter.validate(text, pos));
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_FormatterValidateKeystroke)->Unit(benchmark::kMicrosecond);

// Typing "7" after "Dm" and taking it back: two keystrokes per iteration.
void BM_FieldEditorKeystroke(benchmark::State& state) {
    zub::ChordFieldEditor editor(chordFont());
    editor.setChord(QStringLiteral("Dm"));
    pressKey(editor, Qt::Key_7, QStringLiteral("7"));
    if (editor.text() != QStringLiteral("Dm7")) state.SkipWithError("keystrokes do not reach the field editor");
    pressKey(editor, Qt::Key_Backspace, QString());
    for (auto _ : state) {
        pressKey(editor, Qt::Key_7, QStringLiteral("7"));
        pressKey(editor, Qt::Key_Backspace, QString());
    }
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_FieldEditorKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
