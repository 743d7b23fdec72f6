// The chart view: a chart model shown as a printed lead sheet. It keeps the
// chords as shown in the chord font, lays them out (chart_layout), paints
// through chart_painter, and follows the model's signals. The title and tempo
// fields sit above the first line while shown. What the user does goes to
// parts of its own: chord entry (the shared field editor placed over the slot
// being edited), the bar selection (insertion point, focus ring, blinking) and
// drag and drop. The rules of what a key or a drop does to the bars are the
// model's (BarEditRules); changes reach the model through ChartEdits, one undo
// step per user event.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include <memory>
#include <optional>

#include "bridge/plist.h"
#include "bridge/transposition.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/layout/analysis_display.h"
#include "editor/layout/chart_layout.h"
#include "editor/layout/chart_painter.h"
#include "editor/layout/chord_font.h"
#include "editor/model/bar_operations.h"
#include "editor/model/undo_commands.h"
#include "editor/view/bar_selection.h"

namespace zub {

class BarEditRules;
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
    ~ChartView() override;

    // setChart(dictionary): the chord font from its "Font" (a family not installed
    // is matched, an unusable description gives the preferred chord font; the
    // stored "Font" stays as it is), then the model; fails like ChordFont and
    // ChartModel::setChart, changing nothing.
    void setChart(const Plist& chart);

    // setEnclosingSize(width, height): the size the layout fits (the scroll area's viewport).
    void setEnclosingSize(float width, float height);
    void setShowName(bool show);
    // setInstrument(Instrument::e_flat) shows (and prints) the E♭ part; the stored chart stays concert.
    void setInstrument(Instrument instrument);
    Instrument instrument() const { return instrument_; }

    // What is shown: the layout, the chord font, the shown (encoded) chord of a
    // slot ("Bar index out of range: 9" and "Slot index out of range: 5" outside
    // the chart), and the analysis figures and key labels over the chords.
    const ChartLayout& layout() const { return layout_; }
    const ChordFont& chordFont() const { return *chord_font_; }
    QString shownChord(SlotRef slot) const;
    const AnalysisFigures& analysisFigures() const { return analysis_figures_; }
    const std::vector<AnalysisText>& keyLabels() const { return key_labels_; }
    // romanWidthOfSlot({bar, slot}) -> its roman's width in the roman font; 0 without analysis.
    float romanWidthOfSlot(SlotRef slot) const;

    // paintChart(painter, area, printing): everything in area; when printing,
    // the title and tempo as text, and the slot being edited with its stored
    // chord instead of the field editor.
    void paintChart(QPainter& painter, const QRectF& area, bool printing) const;
    // The bars a line holds: the chart's "BarsPerLine", else the preference.
    int barsPerLine() const;
    // pageLayout(width) -> the chart laid out for paper: the lines as on screen, as
    // wide as width allows or the widest line needs, without the title band.
    ChartLayout pageLayout(float width) const;
    // paintPage(painter, layout, area) paints the chart in a layout from pageLayout,
    // in black, as printed: the stored chords, without title, tempo or composer.
    void paintPage(QPainter& painter, const ChartLayout& layout, const QRectF& area) const;

    // --- chord entry ---
    // editSlot({bar, slot}) puts the field editor over that slot; "Bar index out of range: 9" outside.
    void editSlot(SlotRef slot) override;
    std::optional<SlotRef> activeSlot() const;
    // Whether the chord of the slot being edited was changed and not yet stored.
    bool chordEditInProgress() const;
    // The message shown beside the slot when what was typed failed its check, else "".
    const QString& chordEntryError() const;
    // endChordEditing() stores a changed chord ("Chord Entry"); false, with the
    // message shown beside the slot, when the text fails the final check.
    bool endChordEditing();
    // installChordFieldFilter(filter): filter sees the key events of the slot
    // being typed in before the field does (the window's Space shortcuts).
    void installChordFieldFilter(QObject* filter);

    // --- the bar selection ---
    // The selected bars or insertion point; none while a chord is edited.
    std::optional<BarRange> selectedBars() const;
    // selectBars(range): the bar selection, clamped to the chart; ends chord editing without storing.
    void selectBars(BarRange range) override;
    // selectAll(): in a slot being typed, its text; else every bar (a changed chord stored first).
    void selectAll();

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
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The view's parts work on what it shows; nothing outside reaches it.
    friend class BarDrag;
    friend class ChordEntry;
    friend class SelectionCursor;

    ChartModel& model() const { return *model_; }
    ChartEdits& edits() const { return *edits_; }
    ChordEntry& chordEntry() const { return *chord_entry_; }
    SelectionCursor& selectionCursor() const { return *selection_; }
    BarEditRules& rules() const { return *rules_; }
    std::size_t barCount() const { return bars_.size(); }
    bool selectionActive() const;
    BarRange selection() const;
    void unsetSelection();
    // showTypedChord({3, 1}, text): the slot shows what is being typed (its bar may widen).
    void showTypedChord(SlotRef slot, const QString& shown);
    // showStoredChords(3): the bar shows its stored chords again.
    void showStoredChords(std::size_t bar);
    // concertChord("C7") -> what a chord typed in the part shown stands for at concert
    // pitch ("E♭7" in the E♭ part); "Invalid chord: H7".
    QString concertChord(const QString& typed) const;
    // relayout() - the whole layout again, the field editor kept over its slot;
    // recomputeLayoutResettingAnalysis(true) discards the analysis first.
    void relayout();
    void recomputeLayoutResettingAnalysis(bool resetAnalysis);
    void beep() const;
    void scrollRectToVisible(const QRectF& rect);

    // The arrow keys: from slot to slot while a chord is edited, else the bar selection.
    void moveRight(bool shift);
    void moveLeft(bool shift);
    void moveUp(bool shift);
    void moveDown(bool shift);
    void setUpFields();
    void observeModel();
    void modelReset();
    ChartPicture picture(bool printing) const;
    // The layout's input: the shown bars with their widths, never narrower than their romans.
    std::vector<LayoutBar> layoutBars() const;
    LayoutArea layoutArea(float width, float height, float title) const;
    // The figures and key labels of the analysis over a layout.
    std::pair<AnalysisFigures, std::vector<AnalysisText>> figuresOver(const ChartLayout& layout) const;
    std::vector<std::vector<std::string>> shownKeys() const;
    // The chart's meter shown at its start: "3/4", or "" for 4/4.
    QString openingTime() const;
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
    static float slotWidth(const ChordFont& font, const QString& shown);

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
    std::unique_ptr<BarEditRules> rules_;
};

}  // namespace zub
