// One document window: the chart view in a scroll area, and the File menu
// (New, Open, Save, Save As, Export as PDF, Print, Close, Quit).
#pragma once

#include <QMainWindow>
#include <QString>

#include "bridge/plist.h"

class QScrollArea;

namespace zub {

class ChartView;

class ChartWindow : public QMainWindow {
    Q_OBJECT

public:
    // A window on a chart dictionary; file is where it came from (empty for a new chart).
    ChartWindow(const Plist& chart, const QString& file);

    // Opens a chart file in a new window. When it cannot be read: nullptr, and
    // the reason in *error when given, else in a message box (window-modal on parent).
    static ChartWindow* open(const QString& file, QWidget* parent = nullptr, QString* error = nullptr);
    // A new chart from the template.
    static ChartWindow* newChart();

    ChartView* chartView() const { return view_; }
    // Writes the chart as a PDF; false when the file cannot be written.
    bool exportPdf(const QString& file) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    bool save();
    bool saveAs();
    void exportAsPdf();
    void print();
    void showError(const QString& text, const QString& reason);
    void updateTitle();

    QScrollArea* scroll_;
    ChartView* view_;
    QString file_;
};

// The font description the preferences choose for new charts.
Plist preferredChordFontDescription();

}  // namespace zub
