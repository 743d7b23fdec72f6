#include "editor/view/chart_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>

#include "bridge/bar_marks.h"
#include "bridge/bridge_exception.h"
#include "bridge/my_constants.h"
#include "editor/app/preferences.h"
#include "editor/entry/chord_entry.h"
#include "editor/layout/my_parameters.h"
#include "editor/model/bar_edit_rules.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/transport/playhead.h"
#include "editor/view/bar_drag.h"
#include "editor/view/key_modifiers.h"
#include "editor/view/selection_cursor.h"

namespace zub {

namespace {

constexpr float hidden_title_height = 15;

// A family not installed is matched, an unusable description gives the
// preferred chord font; the chart keeps naming its own.
ChordFont chordFontOf(const Plist& description) {
    const QFont preferred = Preferences::shared().fontForKey(Preferences::chord_font_key);
    return ChordFont::withResourceSubstitutions(chartFontFromDescription(description, preferred));
}

}  // namespace

ChartView::ChartView(ChartModel& model, ChartEdits& edits, QWidget* parent)
    : QWidget(parent), model_(&model), edits_(&edits), title_field_(new QLineEdit(this)),
      tempo_field_(new QLineEdit(this)) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setBackgroundRole(QPalette::Window);  // its own page, not the Base role of the scroll area it sits in
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    chord_entry_ = std::make_unique<ChordEntry>(*this);
    selection_ = std::make_unique<SelectionCursor>(*this);
    drag_ = std::make_unique<BarDrag>(*this);
    rules_ = std::make_unique<BarEditRules>(edits);
    chord_entry_->field()->installEventFilter(this);
    connect(chord_entry_.get(), &ChordEntry::editChanged, this, &ChartView::chordEditChanged);
    setUpFields();
    observeModel();
    edits_->setFocus(this);
    modelReset();  // shows the model as it stands
}

// The document deletes its undo stack, whose commands know this view, before its widgets.
ChartView::~ChartView() = default;

void ChartView::setUpFields() {
    for (QLineEdit* field : {title_field_, tempo_field_}) {
        field->setFrame(false);
        // No style sheet: it would reach the field's context menu (transparent, black on dark themes).
        QPalette page = palette();
        page.setColor(QPalette::Base, Qt::transparent);
        page.setColor(QPalette::Text, page.color(QPalette::WindowText));
        field->setPalette(page);
        field->installEventFilter(this);
    }
    title_field_->setObjectName(QStringLiteral("title"));
    tempo_field_->setObjectName(QStringLiteral("tempo"));
    title_field_->setAlignment(Qt::AlignCenter);
    title_field_->setFont(Preferences::shared().fontForKey(Preferences::title_font_key));
    tempo_field_->setValidator(new QIntValidator(1, 999, tempo_field_));
    tempo_field_->setFixedWidth(60);
    connect(title_field_, &QLineEdit::textChanged, this, [this] { relayout(); });
    connect(title_field_, &QLineEdit::editingFinished, this, [this] {
        if (model_->name() == title_field_->text()) return;
        ChartEdits::UserEvent event(*edits_);
        edits_->setName(title_field_->text());
    });
    connect(tempo_field_, &QLineEdit::editingFinished, this, [this] {
        const qint64 now = tempo_field_->text().toLongLong();
        if (now <= 0 || now == model_->tempo()) return;
        ChartEdits::UserEvent event(*edits_);
        edits_->setTempo(now);
    });
}

void ChartView::observeModel() {
    connect(model_, &ChartModel::chartReset, this, &ChartView::modelReset);
    connect(model_, &ChartModel::barsReplaced, this, &ChartView::barsReplaced);
    connect(model_, &ChartModel::barsChanged, this, &ChartView::barsChanged);
    connect(model_, &ChartModel::chorusChanged, this, [this] { update(); });
    connect(model_, &ChartModel::analysisChanged, this, &ChartView::analysisChanged);
    connect(model_, &ChartModel::nameChanged, this, [this](const QString& name) {
        if (title_field_->text() != name) title_field_->setText(name);
        relayout();
    });
    connect(model_, &ChartModel::tempoChanged, this,
            [this](qint64 tempo) { tempo_field_->setText(QString::number(tempo)); });
}

void ChartView::modelReset() {
    chord_entry_->stop(false);
    selection_->reset();
    chord_font_.emplace(incoming_font_ ? std::move(*incoming_font_) : chordFontOf(model_->fontDescription()));
    incoming_font_.reset();
    chord_entry_->setChordFont(*chord_font_);
    title_field_->blockSignals(true);
    title_field_->setText(model_->name());
    title_field_->blockSignals(false);
    tempo_field_->setText(QString::number(model_->tempo()));
    rebuildShownBars();
    relayout();
    if (!bars_.empty()) editSlot({0, 0});
}

void ChartView::setChart(const Plist& chart) {
    // The font is made before the model changes, so a chart that fails leaves the view as it was.
    incoming_font_.emplace(chordFontOf(chart.dictionary_at("Font")));
    try {
        model_->setChart(chart);
    } catch (...) {
        incoming_font_.reset();
        throw;
    }
}

// --- the chords as shown ---

float ChartView::slotWidth(const ChordFont& font, const QString& shown) {
    // No analysis is shown, so the roman numeral adds no width.
    return static_cast<float>(adornedWidth(font.adorn(shown)) + MyConstants::shared().chordViewHorizontalPadding());
}

ShownBar ChartView::shownBar(std::size_t index) const {
    const Plist& source = part_bars_.empty() ? model_->bar(index) : part_bars_.at(index);
    ShownBar bar{{}, {}, model_->sectionMark(index), barMarksOf(model_->bar(index))};
    for (const Plist& slot : source.array_at("Chords")) {
        const QString shown = chord_font_->encode(QString::fromStdString(slot.as_string()));
        bar.shown.push_back(shown);
        bar.widths.push_back(slotWidth(*chord_font_, shown));
    }
    return bar;
}

void ChartView::refreshPart() {
    part_bars_.clear();
    if (instrument_ == Instrument::concert) return;
    try {
        part_bars_ = partForInstrument(model_->chart(), instrument_).array_at("Chords");
    } catch (const std::exception&) {
        // A chart the bridge cannot transpose (a chord it cannot read) is shown as stored.
        part_bars_.clear();
    }
}

void ChartView::setInstrument(Instrument instrument) {
    if (instrument == instrument_) return;
    chord_entry_->stop(false);
    instrument_ = instrument;
    rebuildShownBars();
    analysisChanged();  // the romans are measured against the chords shown; relays out
}

QString ChartView::concertChord(const QString& typed) const {
    if (instrument_ == Instrument::concert) return typed;
    return QString::fromStdString(concertChordOfPart(typed.toStdString(), model_->key(), instrument_));
}

void ChartView::rebuildShownBars() {
    refreshPart();
    bars_.clear();
    bars_.reserve(model_->barCount());
    for (std::size_t i = 0; i < model_->barCount(); ++i) bars_.push_back(shownBar(i));
}

void ChartView::showTypedChord(SlotRef slot, const QString& shown) {
    ShownBar& bar = bars_.at(slot.bar);
    bar.shown[static_cast<qsizetype>(slot.slot)] = shown;
    bar.widths.at(slot.slot) = slotWidth(*chord_font_, shown);
}

void ChartView::showStoredChords(std::size_t bar) { bars_.at(bar) = shownBar(bar); }

QString ChartView::shownChord(SlotRef slot) const {
    if (slot.bar >= bars_.size())
        throw Bridge_exception("shownChord", "Bar index out of range: " + std::to_string(slot.bar));
    const QStringList& shown = bars_[slot.bar].shown;
    if (slot.slot >= static_cast<std::size_t>(shown.size()))
        throw Bridge_exception("shownChord", "Slot index out of range: " + std::to_string(slot.slot));
    return shown[static_cast<qsizetype>(slot.slot)];
}

void ChartView::barsReplaced(BarRange range, std::size_t newCount) {
    const std::optional<SlotRef> editing = chord_entry_->activeSlot();
    if (editing && editing->bar >= range.location) chord_entry_->stop(false);
    refreshPart();
    std::vector<ShownBar> made;
    made.reserve(newCount);
    for (std::size_t i = range.location; i < range.location + newCount; ++i) made.push_back(shownBar(i));
    const auto first = bars_.begin() + static_cast<std::ptrdiff_t>(range.location);
    bars_.erase(first, first + static_cast<std::ptrdiff_t>(range.length));
    bars_.insert(bars_.begin() + static_cast<std::ptrdiff_t>(range.location), made.begin(), made.end());
    relayout();
}

void ChartView::barsChanged(BarRange range) {
    refreshPart();
    for (std::size_t i = range.location; i < range.end(); ++i) bars_.at(i) = shownBar(i);
    relayout();
}

// --- layout ---

void ChartView::setEnclosingSize(float width, float height) {
    enclosing_width_ = width;
    enclosing_height_ = height;
    relayout();
}

void ChartView::setShowName(bool show) {
    show_name_ = show;
    title_field_->setVisible(show);
    tempo_field_->setVisible(show);
    relayout();
}

void ChartView::adjustTitleField() {
    const QFontMetricsF fm(title_field_->font());
    const float w = static_cast<float>(fm.horizontalAdvance(title_field_->text()) + 10);
    const float h = static_cast<float>(fm.height() + 6);
    title_field_->setGeometry(QRectF((enclosing_width_ - w) / 2, chord_font_->metrics().yInset(), w, h).toRect());
}

void ChartView::recomputeLayoutResettingAnalysis(bool resetAnalysis) {
    if (resetAnalysis && model_->analysis()) return model_->clearAnalysis();  // announced, and laid out then
    relayout();
}

void ChartView::relayout() {
    if (!chord_font_) return;
    const ChordFontMetrics& m = chord_font_->metrics();
    float title = hidden_title_height;
    if (show_name_) {
        adjustTitleField();
        title = static_cast<float>(title_field_->height() *
                                   MyParameters::shared().floatForKey("PrintingNameHeightNameFontHeightRatio"));
        // A line under the title for the composer, which the tempo shares.
        if (!composer().empty()) title += static_cast<float>(tempo_field_->height());
    }
    layout_ = layoutChart(layoutBars(), m, layoutArea(enclosing_width_, enclosing_height_, title));
    updateAnalysisFigures();
    setFixedSize(static_cast<int>(layout_.width), static_cast<int>(std::ceil(layout_.height)));
    if (show_name_)
        tempo_field_->move(static_cast<int>(m.xInset()), static_cast<int>(title - tempo_field_->height()));
    chord_entry_->place();
    update();
}

std::vector<LayoutBar> ChartView::layoutBars() const {
    std::vector<LayoutBar> bars;
    bars.reserve(bars_.size());
    const bool analysed = model_->analysis().has_value();
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        std::vector<float> widths = bars_[i].widths;
        // A slot is never narrower than its roman.
        if (analysed)
            for (std::size_t k = 0; k < widths.size(); ++k) widths[k] = std::max(widths[k], romanWidthOfSlot({i, k}));
        std::vector<bool> held;
        for (const QString& shown : bars_[i].shown) held.push_back(!shown.isEmpty());
        bars.push_back({std::move(widths), bars_[i].sectionMark, bars_[i].marks, std::move(held)});
    }
    return bars;
}

LayoutArea ChartView::layoutArea(float width, float height, float title) const {
    bool labelled = false;
    for (const std::vector<std::string>& bar : shownKeys())
        for (const std::string& key : bar) labelled = labelled || !key.empty();
    // The key labels get a row of their own, so they never cover the next line's romans.
    const float keyRow = labelled ? static_cast<float>(QFontMetricsF(key_font_).height()) : 0;
    return {width, height, title, model_->analysis().has_value(), barsPerLine(), keyRow};
}

QString ChartView::openingTime() const {
    const std::int64_t meter = model_->meter();
    return meter == 4 ? QString() : QString::number(meter) + QStringLiteral("/4");
}

int ChartView::barsPerLine() const { return model_->barsPerLine().value_or(Preferences::shared().barsPerLine()); }

// --- the analysis ---

void ChartView::analysisChanged() {
    if (model_->analysis()) {
        // The figures measure each chord's text in the roman font.
        std::vector<std::vector<float>> widths;
        const QFontMetricsF fm(roman_font_);
        for (const ShownBar& bar : bars_) {
            std::vector<float> row;
            for (const QString& shown : bar.shown) row.push_back(static_cast<float>(fm.horizontalAdvance(shown)));
            widths.push_back(std::move(row));
        }
        roman_font_text_widths_ = std::move(widths);
    }
    relayout();
}

float ChartView::romanWidthOfSlot(SlotRef slot) const {
    const std::optional<ChartAnalysis>& analysis = model_->analysis();
    if (!analysis) return 0;
    const std::string& roman = analysis->roman(slot.bar, slot.slot);
    return roman.empty() ? 0
                         : static_cast<float>(
                               QFontMetricsF(roman_font_).horizontalAdvance(QString::fromStdString(roman)));
}

std::vector<std::vector<std::string>> ChartView::shownKeys() const {
    if (part_bars_.empty()) return model_->slotStrings("Keys");
    std::vector<std::vector<std::string>> keys;
    for (const Plist& bar : part_bars_) {
        keys.emplace_back();
        for (const Plist& slot : bar.array_at("Keys")) keys.back().push_back(slot.as_string());
    }
    return keys;
}

std::pair<AnalysisFigures, std::vector<AnalysisText>> ChartView::figuresOver(const ChartLayout& layout) const {
    const AnalysisGeometry geometry(analysisBars(layout, roman_font_text_widths_), chord_font_->metrics());
    const std::optional<ChartAnalysis>& analysis = model_->analysis();
    return {analysis ? zub::analysisFigures(*analysis, geometry, arrowParametersFromTable()) : AnalysisFigures{},
            zub::keyLabels(shownKeys(), geometry)};
}

void ChartView::updateAnalysisFigures() { std::tie(analysis_figures_, key_labels_) = figuresOver(layout_); }

// --- painting ---

ChartPicture ChartView::picture(bool printing) const {
    ChartPicture p{layout_, bars_, *chord_font_, model_->chorus(), model_->analysis().has_value(),
                   model_->analysis() ? &analysis_figures_ : nullptr, roman_font_, key_labels_, key_font_,
                   std::nullopt, {}, std::nullopt, std::nullopt, std::nullopt,
                   printing ? QColor(Qt::black) : palette().color(QPalette::WindowText), openingTime()};
    // On screen the field editor shows the slot being edited; a print shows no
    // editing widget and no unstored text, only the chord as stored.
    if (const std::optional<SlotRef> edited = chord_entry_->activeSlot()) {
        p.editedSlot = edited;
        if (printing) p.storedChordOfEditedSlot = chord_font_->encode(QString::fromStdString(model_->chord(*edited)));
    }
    if (printing && show_name_) {
        p.title = TitleText{title_field_->text(), title_field_->font(), title_field_->geometry()};
        p.tempo = TitleText{tempo_field_->text(), tempo_field_->font(), tempo_field_->geometry()};
    }
    if (show_name_) p.composer = composerText();
    return p;
}

// The composer in the tempo field's font, on the tempo field's line, ending at the right inset.
std::string ChartView::composer() const {
    const Plist chart = model_->chart();
    const Plist* composer = chart.find("Composer");
    return composer && composer->kind() == Plist::Kind::string ? composer->as_string() : std::string();
}

std::optional<TitleText> ChartView::composerText() const {
    const std::string text = composer();
    if (text.empty()) return std::nullopt;
    const QRect line = tempo_field_->geometry();
    const int right = static_cast<int>(layout_.width - chord_font_->metrics().xInset());
    return TitleText{QString::fromStdString(text), tempo_field_->font(),
                     QRect(line.right(), line.top(), std::max(0, right - line.right()), line.height())};
}

void ChartView::paintChart(QPainter& painter, const QRectF& area, bool printing) const {
    if (!chord_font_) return;
    zub::paintChart(painter, picture(printing), area, printing);
}

ChartLayout ChartView::pageLayout(float width) const {
    if (!chord_font_) return {};
    return layoutChart(layoutBars(), chord_font_->metrics(), layoutArea(width, 0, 0));
}

void ChartView::paintPage(QPainter& painter, const ChartLayout& layout, const QRectF& area) const {
    if (!chord_font_) return;
    const auto [figures, labels] = figuresOver(layout);
    ChartPicture p{layout, bars_, *chord_font_, model_->chorus(), model_->analysis().has_value(),
                   model_->analysis() ? &figures : nullptr, roman_font_, labels, key_font_,
                   chord_entry_->activeSlot(), {}, std::nullopt, std::nullopt, std::nullopt,
                   QColor(Qt::black), openingTime()};
    if (p.editedSlot) p.storedChordOfEditedSlot = chord_font_->encode(QString::fromStdString(model_->chord(*p.editedSlot)));
    zub::paintChart(painter, p, area, true);
}

void ChartView::setPlayhead(std::optional<SlotRef> slot) {
    if (slot == playhead_) return;
    const bool newBar = slot && (!playhead_ || playhead_->bar != slot->bar);
    // Only the bars that change are painted again: the playhead moves every beat.
    for (const std::optional<SlotRef>& lit : {playhead_, slot}) {
        if (!lit) continue;
        const LayoutRect area = playheadArea(layout_, *lit);
        update(QRectF(area.x, area.y, area.width, area.height).toAlignedRect().adjusted(-1, -1, 1, 1));
    }
    playhead_ = slot;
    if (newBar) {
        const LayoutRect area = playheadArea(layout_, *slot);
        if (area.width > 0) scrollRectToVisible(QRectF(area.x, area.y, area.width, area.height));
    }
}

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (playhead_) drawPlayhead(painter, layout_, *playhead_);
    paintChart(painter, event->rect(), false);
    drag_->drawDropMarker(painter);
    selection_->draw(painter);
}

}  // namespace zub
