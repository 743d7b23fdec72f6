// The chart's header above the chart view: title, composer, key, style, meter
// and tempo as the chart holds them, in the palette's colours. A double-click
// on a field opens the Chart Properties panel on that field; the header
// follows the model's changes.
#pragma once

#include <QLabel>
#include <QWidget>

namespace zub {

class ChartEdits;
class ChartModel;

// The fields of the header, and of the panel, by what they show.
enum class ChartField { title, composer, key, style, meter, tempo };

class ChartHeader : public QWidget {
    Q_OBJECT
public:
    ChartHeader(ChartEdits& edits, QWidget* parent = nullptr);

    // The text a field shows: "Autumn Leaves", "Joseph Kosma", "Key: G minor", "Swing", "4/4", "♩ = 120".
    QString fieldText(ChartField field) const;
    // editField(field) opens the Chart Properties panel with that field focused.
    void editField(ChartField field);

private:
    void showChart();

    ChartEdits& edits_;
    std::vector<std::pair<ChartField, QLabel*>> labels_;
};

}  // namespace zub
