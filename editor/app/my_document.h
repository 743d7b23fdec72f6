// One open chart: its chart model with the undo stack whose clean state is
// the unsaved-changes marker, and a window with the chart view of the model in
// a scroll area, the title disclosure button, and the File menu's reading,
// writing and printing.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QUndoStack>

#include <memory>

#include "bridge/plist.h"
#include "bridge/transposition.h"
#include "editor/layout/chart_printer.h"

class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;

namespace zub {

class ChartEdits;
class ChartHeader;
class ChartModel;
class ChartView;
class PlaybackActions;

class MyDocument : public QMainWindow {
    Q_OBJECT
public:
    // A new document from the constants' template chart in the preferred chord font.
    MyDocument();
    // A document holding chart, read from path (empty for an untitled one).
    MyDocument(const Plist& chart, const QString& path);
    ~MyDocument() override;

    // newChart() -> the template chart with "Font" = the preferred chord font.
    static Plist newChart();
    // readChart(path) -> the chart of a chart document, text chart or BiaB file,
    // in the preferred chord font when the file brings none.
    static Plist readChart(const QString& path);

    // saveTo(path) writes the chart document, adding ".zub" to a name without
    // extension; false (and an error sheet) on failure and for a name with
    // another extension ("tune.sgu"), which would say another format.
    bool saveTo(const QString& path);
    bool save();
    bool saveAs();
    void print();
    // exportPdf(path) prints the chart to a PDF file; false on failure.
    bool exportPdf(const QString& path);

    ChartModel& model() const { return *model_; }
    ChartEdits& edits() const { return *edits_; }
    ChartView* chartView() const { return chart_view_; }
    PlaybackActions& playback() const { return *playback_; }
    QUndoStack* undoStack() const { return undo_stack_; }
    const QString& path() const { return path_; }
    bool isEdited() const;
    ChartHeader* header() const { return header_; }
    // Why the chart's form cannot be played, as the status bar says it; "" when it plays.
    QString formProblemShown() const;
    // The window's name while the document has no file ("Autumn Leaves" for a song of a playlist).
    void setUntitledName(const QString& name);

signals:
    void documentSaved(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow(const Plist& chart);
    void buildMenus();
    // Transpose Up, Down and Transpose... at the end of the Edit menu.
    void buildTransposeItems(QMenu* edit);
    // View > Show for: Concert / B♭ / E♭ / F.
    void buildViewMenu();
    void showFor(Instrument instrument);
    // The part's title for a printed header, "" at concert pitch.
    QString partHeader() const;
    // The printed page's header and the "Fit to One Page" choice.
    PrintOptions printOptions() const;
    // The Analysis and Accompaniment menus.
    void buildAnalysisMenus();
    void updateTitle();
    void showFormProblem();
    // askToSave() -> true when the window may close: saved, discarded, or nothing to save.
    bool askToSave();
    void fitChartToViewport();

    QUndoStack* undo_stack_ = nullptr;
    ChartModel* model_ = nullptr;
    std::unique_ptr<ChartEdits> edits_;
    ChartView* chart_view_ = nullptr;
    QScrollArea* scroll_area_ = nullptr;
    QToolButton* disclosure_ = nullptr;
    ChartHeader* header_ = nullptr;
    QLabel* form_problem_ = nullptr;
    PlaybackActions* playback_ = nullptr;
    QString path_;
    QString untitled_name_;
    Instrument saved_instrument_ = Instrument::concert;  // the part the file shows
    bool fit_to_one_page_ = false;
};

}  // namespace zub
