// The chart view: a chart dictionary shown as a printed lead sheet. It owns the
// chart while its document is open, measures its chord views in the chord
// font, lays them out (chart_layout) and draws bar lines, slashes and chords.
// The title and tempo fields sit above the first line while shown.
// Editing: one shared chord field editor is placed over the slot being
// edited (the other slots are only painted), or the view itself holds a bar
// selection; every change goes through an undoable operation
// (chart_commands), and the commands of one user event form one undo step.
#pragma once

#include <QLineEdit>
#include <QPainterPath>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "bridge/plist.h"
#include "editor/analysis_display.h"
#include "editor/bar_operations.h"
#include "editor/bar_selection.h"
#include "editor/chart_layout.h"
#include "editor/chord_field_editor.h"
#include "editor/chord_font.h"

class QLabel;
class QMenu;
class QPainter;
class QUndoCommand;
class QUndoStack;

namespace zub {

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    // setChart(dictionary): the chord font from its "Font" (a family not installed
    // is matched, an unusable description gives the preferred chord font; the
    // stored "Font" stays as it is), then a full layout. Fails like ChordFont.
    void setChart(const Plist& chart);
    // The chart dictionary as it stands, with the title and tempo fields' values.
    Plist chart() const;

    // setEnclosingSize(width, height): the size the layout fits (the scroll area's viewport).
    void setEnclosingSize(float width, float height);
    void setShowName(bool show);
    bool showName() const { return show_name_; }

    // recomputeLayoutResettingAnalysis(flag) - the whole layout again.
    void recomputeLayoutResettingAnalysis(bool resetAnalysis);

    const ChartLayout& layout() const { return layout_; }
    const ChordFont& chordFont() const { return *chord_font_; }
    std::size_t barCount() const { return bars_.size(); }
    // The shown (encoded) chord of a slot; "Bar index out of range: 9" and
    // "Slot index out of range: 5" outside the chart.
    QString shownChord(std::size_t bar, std::size_t slot) const;

    // paintChart(painter, area, printing): everything in area; when printing,
    // the title and tempo are drawn as text instead of by their fields, and the
    // slot being edited shows its stored chord instead of the field editor.
    void paintChart(QPainter& painter, const QRectF& area, bool printing) const;

    // Key centers and the analysis shown over the chords.
    // keyCenters() -> the key-center list of the key slots; setKeyCenters(list)
    // writes it into them and lays out again, discarding any analysis.
    Plist keyCenters() const;
    void setKeyCenters(const Plist& keyCenterList);
    // setAnalysis(dictionary) matches it to the chord views and lays out with
    // the analysis band; fails like computeRomansAndChordIndexes, leaving the view as it was.
    void setAnalysis(const Plist& analysis);
    void clearAnalysis() { recomputeLayoutResettingAnalysis(true); }
    const std::optional<ChartAnalysis>& analysis() const { return analysis_; }
    // romanWidthForChordView(bar, slot) -> its roman's width in the roman font; 0 without analysis.
    float romanWidthForChordView(std::size_t bar, std::size_t slot) const;
    const std::vector<AnalysisText>& keyLabels() const { return key_labels_; }
    const AnalysisFigures& analysisFigures() const { return analysis_figures_; }

    QLineEdit* titleField() const { return title_field_; }
    QLineEdit* tempoField() const { return tempo_field_; }

    // --- Editing ---
    void setUndoStack(QUndoStack* stack) { undo_stack_ = stack; }
    ChordFieldEditor* chordFieldEditor() const { return field_; }
    // The slot being edited, if any; chordViewEditInProgress while its text changed.
    std::optional<SlotRef> activeSlot() const { return editing_; }
    bool chordViewEditInProgress() const { return edit_in_progress_; }
    const QString& chordEntryError() const { return entry_error_; }
    // editSlot({bar, slot}) puts the field editor over that slot; "Bar index out of range: 9" outside.
    void editSlot(SlotRef slot);
    // endChordEditing() stores a changed chord ("Chord Entry"); false, with the
    // message shown beside the slot, when the text fails the final check.
    bool endChordEditing();

    bool selectionActive() const { return selection_active_; }
    BarRange selection() const { return selection_.range(); }
    // setSelection(range): the bar selection; ends chord editing without storing.
    void setSelection(BarRange range);
    void unsetSelection();
    QPainterPath focusRingPath() const;
    bool insertionPointVisible() const { return insertion_point_visible_; }

    Chorus chorus() const { return chorus_; }
    Plist::Array barDictionaries(BarRange range) const;
    Plist::Array allBarDictionaries() const { return barDictionaries({0, bars_.size()}); }

    // Undoable operations, each under its action name.
    void setWithUndo(SlotRef slot, const QString& newValue, const QString& oldValue);
    void appendOneBlankBarWithUndo();
    void replaceWithUndo(BarRange range, const Plist::Array& bars, BarRange oldSelection, BarRange newSelection,
                         const QString& actionName);
    void setChorusWithUndo(const Chorus& newChorus, const Chorus& oldChorus, const QString& actionName);
    void setSectionMarkWithUndo(std::size_t bar, std::int64_t newMark, std::int64_t oldMark);

    // What the commands change, without undo.
    void storeChord(SlotRef slot, const QString& display);
    void storeAppendedBlankBar();
    void storeRemovedLastBar();
    void storeBars(BarRange range, const Plist::Array& bars, BarRange newSelection);
    void storeChorus(const Chorus& chorus);
    void storeSectionMark(std::size_t bar, std::int64_t mark);

    // Commands of the Edit menu and the keys; each beeps when its condition fails.
    void copy();
    void cut();
    void paste();
    void deleteSelection();
    void selectAll();
    void processDeleteBackwardKey();
    void processDeleteForwardKey();
    void setChorusFromSelection();
    void setChorusRepeats(int repeats);
    void setSectionMarkAction(int tag);
    void setKeyCenterForSelection(const QString& keyName);
    // The drop of a drag: a move within this chart, a copy otherwise.
    void performMove(std::size_t dropIndex, const Plist::Array& bars);
    void performCopy(std::size_t dropIndex, const Plist::Array& bars);
    // The menu-enabling rules.
    bool canSetChorus() const;
    bool canSetSectionMark() const;
    // The 24 keys of the analysis in display sharps and flats.
    static QStringList keyCenterMenuTitles();

    // Moves of both modes; shift extends the bar selection.
    void moveRight(bool shift);
    void moveLeft(bool shift);
    void moveUp(bool shift);
    void moveDown(bool shift);

signals:
    void selectionChanged();
    void chordEditChanged(bool inProgress);

    // The title or tempo field finished an edit that changed the chart.
    void nameEdited(const QString& oldName, const QString& newName);
    void tempoEdited(qint64 oldTempo, qint64 newTempo);

public slots:
    void setName(const QString& name);
    void setTempo(qint64 tempo);

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
    struct Bar {
        Plist dictionary;           // the bar dictionary as stored
        QStringList shown;          // encoded chords, one per slot
        std::vector<float> widths;  // chord view widths
        std::int64_t sectionMark;
    };
    // Commands performed while one user event is handled join one undo step.
    class UserEvent {
    public:
        explicit UserEvent(ChartView* view);
        ~UserEvent();
        UserEvent(const UserEvent&) = delete;
        UserEvent& operator=(const UserEvent&) = delete;

    private:
        ChartView* view_;
    };
    QUndoCommand* currentStep();
    void perform(QUndoCommand* command);

    static Bar makeBar(const Plist& dictionary, const ChordFont& font);
    static std::vector<Bar> readBars(const Plist& chart, const ChordFont& font);
    void setUpEditing();
    void relayoutKeepingEditor();
    void placeFieldEditor();
    void stopEditing();
    void fieldTextChanged(const QString& text);
    void chordEntered(const QString& value);
    void showEntryError(const QString& description);
    bool navigateFromChord(NavigationCommand command, bool extend);
    void goChord(const ChordMove& move, bool vertical);
    void beep() const;
    SlotCounts slotCounts() const;
    std::int64_t meter() const;
    void applyDelete(const std::optional<DeletePlan>& plan, const QString& actionName);
    void showSelection();
    void scrollRectToVisible(const QRectF& rect);
    void enableInsertionPoint();
    void disableInsertionPoint();
    void processMouseDown();
    void startDrag();
    void drawCursor(QPainter& painter) const;
    void adjustTitleField();
    void drawBar(QPainter& painter, std::size_t index, bool printing) const;
    void drawBarLines(QPainter& painter, std::size_t index, const BarLineRules& rules) const;
    void drawBarLineAt(QPainter& painter, QPointF at, BarLineType type) const;
    void drawTitle(QPainter& painter) const;
    static float chordViewWidth(const ChordFont& font, const QString& shown);

    std::vector<std::vector<std::string>> slotStrings(std::string_view key) const;
    void updateAnalysisFigures();

    std::optional<ChartAnalysis> analysis_;
    std::vector<std::vector<float>> roman_font_text_widths_;
    AnalysisFigures analysis_figures_;
    std::vector<AnalysisText> key_labels_;
    QFont roman_font_ = analysisRomanFont();
    QFont key_font_ = analysisKeyFont();

    Plist chart_ = Plist::make_dictionary({});
    std::optional<ChordFont> chord_font_;
    std::vector<Bar> bars_;
    Chorus chorus_;
    ChartLayout layout_;
    float enclosing_width_ = 600, enclosing_height_ = 400;
    bool show_name_ = true;
    bool show_analysis_ = false;
    QLineEdit* title_field_;
    QLineEdit* tempo_field_;
    QString name_before_edit_;

    QUndoStack* undo_stack_ = nullptr;
    ChordFieldEditor* field_;
    QLabel* error_label_;
    std::optional<SlotRef> editing_;
    QString begin_editing_value_;
    bool edit_in_progress_ = false;
    bool navigating_vertically_ = false;
    QString entry_error_;
    int event_depth_ = 0;
    QUndoCommand* step_ = nullptr;

    bool selection_active_ = false;
    BarSelection selection_;
    bool insertion_point_visible_ = false;
    bool setting_selection_blinks_ = true;
    QTimer blink_timer_;
    QTimer drag_timer_;
    bool mouse_drag_in_progress_ = false;
    bool start_drag_pending_ = false;
    std::size_t mouse_down_index_ = 0;
    QPointF mouse_down_location_;
    std::optional<std::size_t> drop_index_;
};

}  // namespace zub
