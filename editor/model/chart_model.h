// The chart of one document, apart from any window: the chart dictionary's
// name, tempo, style, key, font description, chorus and bars (chord slots, key
// slots, section mark), and the analysis shown over it. Every change goes
// through an operation by bar index that checks its indexes first (a bad one
// throws Bridge_exception naming the operation, "Bar index out of range: 9",
// and changes nothing) and then announces what changed. Views observe these
// signals; undo commands (undo_commands) call the operations.
#pragma once

#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bridge/analysis_result.h"
#include "bridge/chart_analysis.h"
#include "bridge/plist.h"
#include "editor/model/bar_operations.h"
#include "editor/model/chart_properties.h"
#include "editor/model/chorus.h"

namespace zub {

class ChartModel : public QObject {
    Q_OBJECT
public:
    // ChartModel(chart dictionary): fails like setChart.
    explicit ChartModel(const Plist& chart, QObject* parent = nullptr);

    // setChart(dictionary) replaces everything; "Missing key: Tempo" and the like,
    // leaving the model as it was. Announced by chartReset.
    void setChart(const Plist& chart);
    // The chart dictionary as it stands: what a document saves.
    Plist chart() const;

    QString name() const;
    qint64 tempo() const;
    // The chart's key as stored ("Bb", "Gm").
    std::string key() const { return chart_.string_at("Key"); }
    // The meter ("Style"/"Meter"), 4 when the chart has none.
    std::int64_t meter() const;
    // The chart's "Composer", "" when it has none.
    std::string composer() const;
    // The style code ("Style"/"StyleType").
    std::int64_t styleType() const;
    // The title, composer, key, meter, style and tempo at once.
    ChartProperties properties() const;
    const Plist& fontDescription() const { return chart_.dictionary_at("Font"); }
    // The chart's "BarsPerLine" (bridge/bar_marks.h); none when it does not say.
    std::optional<int> barsPerLine() const;
    const Chorus& chorus() const { return chorus_; }

    std::size_t barCount() const { return bars_.size(); }
    // bar(3) -> its bar dictionary; bars({2, 3}) -> three of them. Checked.
    const Plist& bar(std::size_t index) const;
    Plist::Array bars(BarRange range) const;
    const Plist::Array& allBars() const { return bars_; }
    std::size_t slotCount(std::size_t bar) const;
    // chord({3, 1}) -> the chord of that slot in display form, "" for an empty slot.
    const std::string& chord(SlotRef slot) const;
    std::int64_t sectionMark(std::size_t bar) const;
    // slotStrings("Chords") / slotStrings("Keys") -> per bar, the strings of its slots.
    std::vector<std::vector<std::string>> slotStrings(std::string_view key) const;
    // keyCenters() -> the key-center list of the key slots (bridge/key_centers).
    Plist keyCenters() const;

    // --- changes; each but the analysis's discards an analysis where it says so ---

    // replaceBars({2, 1}, bars): the bars of the range replaced by the given bar
    // dictionaries (each must have "Chords" strings and a "SectionMark"); a chart
    // keeps at least one bar. Discards the analysis. barsReplaced(range, count).
    void replaceBars(BarRange range, const Plist::Array& bars);
    // storeChord({3, 1}, "F7"): one slot, display form. Discards the analysis. barsChanged({3, 1}).
    void storeChord(SlotRef slot, const std::string& display);
    // setSectionMark(3, 'A'): 32 for none. barsChanged({3, 1}).
    void setSectionMark(std::size_t bar, std::int64_t mark);
    // setKeyCenters(list) writes the key-center list into the key slots.
    // Discards the analysis. barsChanged({0, barCount}).
    void setKeyCenters(const Plist& keyCenterList);
    // setKeyAndBars("Eb", bars): a transposition, the key and every bar at once;
    // the number of bars stays ("Bar count differs: 9" otherwise). Discards the
    // analysis. barsChanged({0, barCount}).
    void setKeyAndBars(const std::string& key, const Plist::Array& bars);
    // setChorus(chorus) stores it as given (undo may restore what a file held);
    // the commands check what the user asks for. chorusChanged when it changed.
    void setChorus(const Chorus& chorus);
    // changeBars({2, 3}, bars): the bars of the range changed in place (their form marks,
    // their slots), as many as there were; each checked as a document's bar is ("Bar 3:
    // Invalid repeat count: 1"), "Bar count differs: 2" otherwise. Discards the analysis
    // when a bar's slots change. barsChanged(range).
    void changeBars(BarRange range, const Plist::Array& bars);
    // setProperties(properties): name, composer, key, style, tempo; "Invalid tempo: 0",
    // "Invalid meter: 0". A new meter also needs the bars that follow it (bars, as many as the
    // chart has; empty when the meter stays). nameChanged, tempoChanged, propertiesChanged,
    // and barsChanged for new bars.
    void setProperties(const ChartProperties& properties, const Plist::Array& bars = {});
    void setName(const QString& name);
    // setTempo(132); "Invalid tempo: 0" below 1.
    void setTempo(qint64 tempo);

    // The analysis matched to the chords (see ChartAnalysis); analysisChanged.
    const std::optional<ChartAnalysis>& analysis() const { return analysis_; }
    void setAnalysis(AnalysisResult result);
    void clearAnalysis();

signals:
    void chartReset();
    // The bars of range were replaced by newCount bars starting at range.location.
    void barsReplaced(zub::BarRange range, std::size_t newCount);
    // The slots or the mark of the bars of range changed; their number did not.
    void barsChanged(zub::BarRange range);
    void chorusChanged(const zub::Chorus& chorus);
    void nameChanged(const QString& name);
    void tempoChanged(qint64 tempo);
    // The composer, key, meter or style changed (setProperties).
    void propertiesChanged();
    void analysisChanged();

private:
    void checkBarIndex(const char* operation, std::size_t bar) const;

    Plist chart_;
    Plist::Array bars_;
    Chorus chorus_;
    std::optional<ChartAnalysis> analysis_;
};

}  // namespace zub

Q_DECLARE_METATYPE(zub::BarRange)
Q_DECLARE_METATYPE(zub::Chorus)
