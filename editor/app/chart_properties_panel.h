// The Chart Properties panel: title, composer, key, style, meter and tempo of
// one chart in a form; OK stores what changed as one undoable step ("Chart
// Properties"); a new meter resizes the bars in the chart's own meter.
#pragma once

#include <QDialog>

#include "editor/app/chart_header.h"
#include "editor/model/chart_properties.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace zub {

class ChartPropertiesPanel : public QDialog {
    Q_OBJECT
public:
    // A panel showing the chart's properties, focus on field.
    ChartPropertiesPanel(const ChartProperties& properties, ChartField field, QWidget* parent = nullptr);
    // What the panel holds now.
    ChartProperties properties() const;

private:
    ChartProperties original_;
    QLineEdit* title_;
    QLineEdit* composer_;
    QComboBox* key_;
    QComboBox* style_;
    QSpinBox* meter_;
    QSpinBox* tempo_;
};

// displayKeyName("Bb") -> "B♭", ("Gm") -> "G minor", "" -> "": a chart's key as the header shows it.
QString displayKeyName(const std::string& key);

}  // namespace zub
