#include "editor/app/transpose_menu.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

#include <exception>

#include "bridge/accidentals.h"
#include "bridge/transposition.h"
#include "editor/app/analysis_menu.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {

namespace {

template <typename Transposition>
std::optional<MyError> transposeWith(ChartModel& model, ChartEdits& edits, Transposition transposition) {
    const bool hadAnalysis = model.analysis().has_value();
    try {
        ChartEdits::UserEvent event(edits);
        edits.transpose(transposition(model.chart()));
    } catch (const std::exception& e) {
        return errorWithCode(MyErrorCode::transposition,
                             QStringLiteral("Zubaroo cannot transpose this chart (%1)").arg(reasonOf(e)), reasonOf(e));
    }
    // The roman numerals read the same in every key, so the user sees the analysis again at once.
    if (hadAnalysis) return showAnalysis(model);
    return std::nullopt;
}

}  // namespace

std::optional<MyError> transposeBy(ChartModel& model, ChartEdits& edits, std::int64_t semitones) {
    return transposeWith(model, edits, [semitones](const Plist& chart) { return transposeChartBy(chart, semitones); });
}

std::optional<MyError> transposeTo(ChartModel& model, ChartEdits& edits, const std::string& key) {
    return transposeWith(model, edits, [&key](const Plist& chart) { return transposeChartTo(chart, key); });
}

QStringList transposeTargetKeys(const std::string& key) {
    QStringList keys;
    for (const std::string& name : transposeTargetKeyNames(key))
        keys << QString::fromStdString(replaceWithUnicodeSharpsAndFlats(name));
    return keys;
}

void transposeInWindow(QWidget* window, ChartModel& model, ChartEdits& edits, std::int64_t semitones) {
    if (const auto error = transposeBy(model, edits, semitones)) showErrorSheet(window, *error);
}

void transposeWithDialog(QWidget* window, ChartModel& model, ChartEdits& edits) {
    QDialog dialog(window);
    dialog.setWindowTitle(QObject::tr("Transpose"));
    dialog.setWindowModality(Qt::WindowModal);
    auto* keys = new QComboBox(&dialog);
    const std::string current = model.key();
    keys->addItems(transposeTargetKeys(current));
    keys->setCurrentText(QString::fromStdString(replaceWithUnicodeSharpsAndFlats(writtenKeyName(current))));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(QObject::tr("To key:"), keys);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const auto error = transposeTo(model, edits, keys->currentText().toStdString()))
        showErrorSheet(window, *error);
}

}  // namespace zub
