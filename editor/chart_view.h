// The chart view: a chart dictionary shown as a printed lead sheet. It owns the
// chart while its document is open, measures its chord views in the chord
// font, lays them out (chart_layout) and draws bar lines, slashes and chords.
// The title and tempo fields sit above the first line while shown.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include <memory>
#include <optional>

#include "bridge/plist.h"
#include "editor/analysis_display.h"
#include "editor/chart_layout.h"
#include "editor/chord_font.h"

class QPainter;

namespace zub {

class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    // setChart(dictionary): the chord font from its "Font", then a full layout.
    // Fails like fontFromDescription and ChordFont.
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
    // the title and tempo are drawn as text instead of by their fields.
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

signals:
    // The title or tempo field finished an edit that changed the chart.
    void nameEdited(const QString& oldName, const QString& newName);
    void tempoEdited(qint64 oldTempo, qint64 newTempo);

public slots:
    void setName(const QString& name);
    void setTempo(qint64 tempo);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Bar {
        QStringList shown;      // encoded chords, one per slot
        std::vector<float> widths;  // chord view widths
        std::int64_t sectionMark;
    };
    struct Chorus {
        std::int64_t begin = 1, end = 2147483647, repeats = 1;
    };
    static std::vector<Bar> readBars(const Plist& chart, const ChordFont& font);
    void adjustTitleField();
    void drawBar(QPainter& painter, std::size_t index) const;
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
};

}  // namespace zub
