// The chart view: a chart model shown as a printed lead sheet. It keeps the
// chords as shown in the chord font, lays them out (chart_layout), paints
// through chart_painter, and follows the model's signals. The title and tempo
// fields sit above the first line while shown. What the user does goes to
// small controllers of its own: chord entry (the shared field editor placed
// over the slot being edited), the bar selection (insertion point, focus ring,
// blinking), drag and drop, and the bar commands of the Edit menu; changes
// reach the model through ChartEdits, one undo step per user event.
#pragma once

#include <QLineEdit>
#include <QPainterPath>
#include <QWidget>

#include <memory>
#include <optional>

#include "bridge/plist.h"
#include "bridge/transposition.h"
#include "editor/layout/analysis_display.h"
#include "editor/model/bar_operations.h"
#include "editor/view/bar_selection.h"
#include "editor/layout/chart_layout.h"
#include "editor/layout/chart_painter.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/layout/chord_font.h"
#include "editor/model/undo_commands.h"

namespace zub {

class BarCommands;
class BarDrag;
class ChartEdits;
class ChartModel;
class ChordEntry;
class SelectionCursor;

class ChartView : public QWidget, public EditingFocus {
    Q_OBJECT
public:
    // A view of the document's model, changing it through edits.
    ChartView(ChartModel& model, ChartEdits& edits, QWidget* parent = nullptr);
    // A view with a model of its own and no undo (tests, benchmarks); it shows
    // nothing until setChart.
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    ChartModel& model() const { return *model_; }
    ChartEdits& edits() const { return *edits_; }
    ChordEntry& chordEntry() const { return *chord_entry_; }
    SelectionCursor& selectionCursor() const { return *selection_; }
    BarCommands& barCommands() const { return *commands_; }
    BarDrag& barDrag() const { return *drag_; }

    // setChart(dictionary): the chord font from its "Font" (a family not installed
    // is matched, an unusable description gives the preferred chord font; the
    // stored "Font" stays as it is), then the model; fails like ChordFont and
    // ChartModel::setChart, changing nothing.
    void setChart(const Plist& chart);
    Plist chart() const;

    // setEnclosingSize(width, height): the size the layout fits (the scroll area's viewport).
    void setEnclosingSize(float width, float height);
    void setShowName(bool show);
    bool showName() const { return show_name_; }
    // setInstrument(Instrument::e_flat) shows (and prints) the E♭ part; the stored chart stays concert.
    void setInstrument(Instrument instrument);
    Instrument instrument() const { return instrument_; }
    // concertChord("C7") -> what a chord typed in the part shown stands for at concert
    // pitch ("E♭7" in the E♭ part); "Invalid chord: H7".
    QString concertChord(const QString& typed) const;

    // relayout() - the whole layout again, the field editor kept over its slot;
    // recomputeLayoutResettingAnalysis(true) discards the analysis first.
    void relayout();
    void recomputeLayoutResettingAnalysis(bool resetAnalysis);

    const ChartLayout& layout() const { return layout_; }
    const ChordFont& chordFont() const { return *chord_font_; }
    std::size_t barCount() const { return bars_.size(); }
    // The shown (encoded) chord of a slot; "Bar index out of range: 9" and
    // "Slot index out of range: 5" outside the chart.
    QString shownChord(std::size_t bar, std::size_t slot) const;
    // showTypedChord({3, 1}, text): the slot shows what is being typed (its bar may widen).
    void showTypedChord(SlotRef slot, const QString& shown);
    // showStoredChords(3): the bar shows its stored chords again.
    void showStoredChords(std::size_t bar);

    // paintChart(painter, area, printing): everything in area; when printing,
    // the title and tempo as text, and the slot being edited with its stored
    // chord instead of the field editor.
    void paintChart(QPainter& painter, const QRectF& area, bool printing) const;

    // The analysis shown over the chords (the model keeps it).
    const std::optional<ChartAnalysis>& analysis() const;
    // romanWidthForChordView(bar, slot) -> its roman's width in the roman font; 0 without analysis.
    float romanWidthForChordView(std::size_t bar, std::size_t slot) const;
    const std::vector<AnalysisText>& keyLabels() const { return key_labels_; }
    const AnalysisFigures& analysisFigures() const { return analysis_figures_; }

    QLineEdit* titleField() const { return title_field_; }
    QLineEdit* tempoField() const { return tempo_field_; }

    // --- chord entry (ChordEntry) ---
    ChordFieldEditor* chordFieldEditor() const;
    std::optional<SlotRef> activeSlot() const;
    bool chordViewEditInProgress() const;
    const QString& chordEntryError() const;
    // editSlot({bar, slot}) puts the field editor over that slot; "Bar index out of range: 9" outside.
    void editSlot(SlotRef slot) override;
    // endChordEditing() stores a changed chord ("Chord Entry"); false, with the
    // message shown beside the slot, when the text fails the final check.
    bool endChordEditing();
    void appendOneBlankBarWithUndo();

    // --- the bar selection (SelectionCursor) ---
    bool selectionActive() const;
    BarRange selection() const;
    // setSelection(range): the bar selection; ends chord editing without storing.
    void setSelection(BarRange range);
    void selectBars(BarRange range) override { setSelection(range); }
    void unsetSelection();
    QPainterPath focusRingPath() const;

    // --- the model's bars ---
    Chorus chorus() const;
    Plist::Array barDictionaries(BarRange range) const;
    Plist::Array allBarDictionaries() const;

    void beep() const;
    void scrollRectToVisible(const QRectF& rect);

    // setPlayhead({3, 1}) lights the sounding slot and scrolls its bar into
    // view; none takes the light away. A slot outside the chart lights nothing.
    void setPlayhead(std::optional<SlotRef> slot);
    std::optional<SlotRef> playhead() const { return playhead_; }

signals:
    void selectionChanged();
    void chordEditChanged(bool inProgress);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void changeEvent(QEvent* event) override;

private:
    // The arrow keys: from slot to slot while a chord is edited, else the bar selection.
    void moveRight(bool shift);
    void moveLeft(bool shift);
    void moveUp(bool shift);
    void moveDown(bool shift);
    void setUp();
    void setUpFields();
    void observeModel();
    void modelReset();
    ChartPicture picture(bool printing) const;
    // The chart's "Composer", "" when it has none; drawn under the title.
    std::string composer() const;
    std::optional<TitleText> composerText() const;
    ShownBar shownBar(std::size_t index) const;
    // The bars of the part shown, again after every change of the chart.
    void refreshPart();
    void rebuildShownBars();
    void barsReplaced(BarRange range, std::size_t newCount);
    void barsChanged(BarRange range);
    void analysisChanged();
    void adjustTitleField();
    void updateAnalysisFigures();
    static float chordViewWidth(const ChordFont& font, const QString& shown);

    std::unique_ptr<ChartModel> own_model_;
    std::unique_ptr<ChartEdits> own_edits_;
    ChartModel* model_;
    ChartEdits* edits_;

    std::optional<ChordFont> chord_font_;
    std::optional<ChordFont> incoming_font_;  // built by setChart before the model changes
    std::vector<ShownBar> bars_;
    Instrument instrument_ = Instrument::concert;
    Plist::Array part_bars_;  // the bars as shown when a part is; empty at concert pitch
    ChartLayout layout_;
    float enclosing_width_ = 600, enclosing_height_ = 400;
    bool show_name_ = true;
    QLineEdit* title_field_;
    QLineEdit* tempo_field_;

    std::vector<std::vector<float>> roman_font_text_widths_;
    AnalysisFigures analysis_figures_;
    std::vector<AnalysisText> key_labels_;
    QFont roman_font_ = analysisRomanFont();
    QFont key_font_ = analysisKeyFont();

    std::optional<SlotRef> playhead_;

    std::unique_ptr<ChordEntry> chord_entry_;
    std::unique_ptr<SelectionCursor> selection_;
    std::unique_ptr<BarDrag> drag_;
    std::unique_ptr<BarCommands> commands_;
};

}  // namespace zub
