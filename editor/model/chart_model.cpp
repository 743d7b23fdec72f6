#include "editor/model/chart_model.h"

#include "bridge/bar_marks.h"
#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/key_centers.h"

namespace zub {

namespace {

// What the editor needs of a bar dictionary, read before the bar is taken in.
void checkBar(const Plist& bar) {
    for (const Plist& slot : bar.array_at("Chords")) slot.as_string();
    bar.integer_at("SectionMark");
}

[[noreturn]] void outOfRange(const char* operation, const char* what, std::size_t index) {
    throw Bridge_exception(operation, std::string(what) + " index out of range: " + std::to_string(index));
}

}  // namespace

ChartModel::ChartModel(const Plist& chart, QObject* parent)
    : QObject(parent), chart_(Plist::make_dictionary({})) {
    setChart(chart);
}

void ChartModel::setChart(const Plist& chart) {
    // Everything is read before anything changes, so a chart that fails leaves the model as it was.
    const Plist::Array& bars = chart.array_at("Chords");
    for (const Plist& bar : bars) checkBar(bar);
    chart.string_at("Name");
    chart.integer_at("Tempo");
    chart.dictionary_at("Font");
    const Chorus chorus = Chorus::of_plist(chart.dictionary_at("Chorus"));
    chart_ = chart;
    bars_ = bars;
    chorus_ = chorus;
    analysis_.reset();
    emit chartReset();
}

std::optional<int> ChartModel::barsPerLine() const { return barsPerLineOf(chart_); }

Plist ChartModel::chart() const { return chart_.with("Chords", Plist::make_array(bars_)); }

QString ChartModel::name() const { return QString::fromStdString(chart_.string_at("Name")); }

qint64 ChartModel::tempo() const { return chart_.integer_at("Tempo"); }

std::int64_t ChartModel::meter() const {
    const Plist* style = chart_.find("Style");
    if (style && style->kind() == Plist::Kind::dictionary && style->find("Meter")) return style->integer_at("Meter");
    return 4;
}

std::string ChartModel::composer() const {
    const Plist* composer = chart_.find("Composer");
    return composer && composer->kind() == Plist::Kind::string ? composer->as_string() : std::string();
}

std::int64_t ChartModel::styleType() const {
    const Plist* style = chart_.find("Style");
    if (style && style->kind() == Plist::Kind::dictionary && style->find("StyleType"))
        return style->integer_at("StyleType");
    return 1;
}

ChartProperties ChartModel::properties() const {
    return {name().toStdString(), composer(), key(), meter(), styleType(), tempo()};
}

void ChartModel::checkBarIndex(const char* operation, std::size_t bar) const {
    if (bar >= bars_.size()) outOfRange(operation, "Bar", bar);
}

const Plist& ChartModel::bar(std::size_t index) const {
    checkBarIndex("ChartModel::bar", index);
    return bars_[index];
}

Plist::Array ChartModel::bars(BarRange range) const {
    if (range.end() > bars_.size() || range.end() < range.location) outOfRange("ChartModel::bars", "Bar", range.end());
    return Plist::Array(bars_.begin() + static_cast<std::ptrdiff_t>(range.location),
                        bars_.begin() + static_cast<std::ptrdiff_t>(range.end()));
}

std::size_t ChartModel::slotCount(std::size_t bar) const {
    checkBarIndex("ChartModel::slotCount", bar);
    return bars_[bar].array_at("Chords").size();
}

const std::string& ChartModel::chord(SlotRef slot) const {
    checkBarIndex("ChartModel::chord", slot.bar);
    const Plist::Array& chords = bars_[slot.bar].array_at("Chords");
    if (slot.slot >= chords.size()) outOfRange("ChartModel::chord", "Slot", slot.slot);
    return chords[slot.slot].as_string();
}

std::int64_t ChartModel::sectionMark(std::size_t bar) const {
    checkBarIndex("ChartModel::sectionMark", bar);
    return bars_[bar].integer_at("SectionMark");
}

std::vector<std::vector<std::string>> ChartModel::slotStrings(std::string_view key) const {
    std::vector<std::vector<std::string>> result;
    result.reserve(bars_.size());
    for (const Plist& bar : bars_) {
        std::vector<std::string> row;
        for (const Plist& slot : bar.array_at(key)) row.push_back(slot.as_string());
        result.push_back(std::move(row));
    }
    return result;
}

Plist ChartModel::keyCenters() const { return zub::keyCenters(bars_); }

void ChartModel::replaceBars(BarRange range, const Plist::Array& bars) {
    if (range.end() > bars_.size() || range.end() < range.location)
        outOfRange("ChartModel::replaceBars", "Bar", range.end());
    if (bars.empty() && range.length == bars_.size() && !bars_.empty())
        throw Bridge_exception("ChartModel::replaceBars", "A chart keeps at least one bar");
    for (const Plist& bar : bars) checkBar(bar);
    const auto first = bars_.begin() + static_cast<std::ptrdiff_t>(range.location);
    bars_.erase(first, first + static_cast<std::ptrdiff_t>(range.length));
    bars_.insert(bars_.begin() + static_cast<std::ptrdiff_t>(range.location), bars.begin(), bars.end());
    analysis_.reset();
    emit barsReplaced(range, bars.size());
}

void ChartModel::storeChord(SlotRef slot, const std::string& display) {
    checkBarIndex("ChartModel::storeChord", slot.bar);
    Plist::Array chords = bars_[slot.bar].array_at("Chords");
    if (slot.slot >= chords.size()) outOfRange("ChartModel::storeChord", "Slot", slot.slot);
    chords[slot.slot] = Plist::make_string(display);
    bars_[slot.bar] = bars_[slot.bar].with("Chords", Plist::make_array(std::move(chords)));
    analysis_.reset();
    emit barsChanged({slot.bar, 1});
}

void ChartModel::setSectionMark(std::size_t bar, std::int64_t mark) {
    checkBarIndex("ChartModel::setSectionMark", bar);
    bars_[bar] = bars_[bar].with("SectionMark", Plist::make_integer(mark));
    emit barsChanged({bar, 1});
}

void ChartModel::setKeyCenters(const Plist& keyCenterList) {
    bars_ = zub::setKeyCenters(bars_, keyCenterList.as_array());
    analysis_.reset();
    emit barsChanged({0, bars_.size()});
}

void ChartModel::setKeyAndBars(const std::string& key, const Plist::Array& bars) {
    if (bars.size() != bars_.size())
        throw Bridge_exception("ChartModel::setKeyAndBars", "Bar count differs: " + std::to_string(bars.size()));
    for (const Plist& bar : bars) checkBar(bar);
    chart_ = chart_.with("Key", Plist::make_string(key));
    bars_ = bars;
    analysis_.reset();
    emit barsChanged({0, bars_.size()});
}

void ChartModel::setChorus(const Chorus& chorus) {
    if (chorus == chorus_) return;
    chorus_ = chorus;
    chart_ = chart_.with("Chorus", chorus.to_plist());
    emit chorusChanged(chorus_);
}

void ChartModel::changeBars(BarRange range, const Plist::Array& bars) {
    if (range.end() > bars_.size() || range.end() < range.location)
        outOfRange("ChartModel::changeBars", "Bar", range.end());
    if (bars.size() != range.length)
        throw Bridge_exception("ChartModel::changeBars", "Bar count differs: " + std::to_string(bars.size()));
    bool slotsChanged = false;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        zub::checkBar(bars[i], range.location + i + 1);
        slotsChanged = slotsChanged || bars[i].array_at("Chords") != bars_[range.location + i].array_at("Chords");
    }
    std::copy(bars.begin(), bars.end(), bars_.begin() + static_cast<std::ptrdiff_t>(range.location));
    if (slotsChanged) analysis_.reset();
    emit barsChanged(range);
}

void ChartModel::setProperties(const ChartProperties& properties, const Plist::Array& bars) {
    const char* operation = "ChartModel::setProperties";
    if (properties.tempo < 1) throw Bridge_exception(operation, "Invalid tempo: " + std::to_string(properties.tempo));
    if (properties.meter < 1 || properties.meter > max_meter)
        throw Bridge_exception(operation, "Invalid meter: " + std::to_string(properties.meter));
    if (!bars.empty() && bars.size() != bars_.size())
        throw Bridge_exception(operation, "Bar count differs: " + std::to_string(bars.size()));
    for (std::size_t i = 0; i < bars.size(); ++i) zub::checkBar(bars[i], i + 1);
    const ChartProperties old = this->properties();
    const Plist style = chart_.dictionary_at("Style")
                            .with("Meter", Plist::make_integer(properties.meter))
                            .with("StyleType", Plist::make_integer(properties.styleType));
    chart_ = chart_.with("Name", Plist::make_string(properties.name))
                 .with("Key", Plist::make_string(properties.key))
                 .with("Style", style)
                 .with("Tempo", Plist::make_integer(properties.tempo));
    // The key is optional: a chart without a composer is saved as it was read.
    Plist::Dictionary keys = chart_.as_dictionary();
    if (auto found = keys.find(std::string_view("Composer")); found != keys.end()) keys.erase(found);
    if (!properties.composer.empty()) keys.emplace("Composer", Plist::make_string(properties.composer));
    chart_ = Plist::make_dictionary(std::move(keys));
    if (!bars.empty()) {
        bars_ = bars;
        analysis_.reset();
        emit barsChanged({0, bars_.size()});
    }
    if (old.name != properties.name) emit nameChanged(QString::fromStdString(properties.name));
    if (old.tempo != properties.tempo) emit tempoChanged(properties.tempo);
    emit propertiesChanged();
}

void ChartModel::setName(const QString& name) {
    chart_ = chart_.with("Name", Plist::make_string(name.toStdString()));
    emit nameChanged(name);
}

void ChartModel::setTempo(qint64 tempo) {
    if (tempo < 1) throw Bridge_exception("ChartModel::setTempo", "Invalid tempo: " + std::to_string(tempo));
    chart_ = chart_.with("Tempo", Plist::make_integer(tempo));
    emit tempoChanged(tempo);
}

void ChartModel::setAnalysis(AnalysisResult result) {
    analysis_ = ChartAnalysis::computeRomansAndSlots(std::move(result), slotStrings("Chords"));
    emit analysisChanged();
}

void ChartModel::clearAnalysis() {
    if (!analysis_) return;
    analysis_.reset();
    emit analysisChanged();
}

}  // namespace zub
