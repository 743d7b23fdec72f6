#include "editor/app/chart_header.h"

#include <QGridLayout>
#include <QMouseEvent>

#include "bridge/style_names.h"
#include "editor/app/chart_properties_panel.h"
#include "editor/app/preferences.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {

namespace {

// A label of the header that opens the panel on its field when double-clicked.
class HeaderField : public QLabel {
public:
    HeaderField(ChartHeader& header, ChartField field) : QLabel(&header), header_(header), field_(field) {
        setToolTip(tr("Double-click to change"));
        setTextInteractionFlags(Qt::NoTextInteraction);
    }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        event->accept();
        header_.editField(field_);
    }

private:
    ChartHeader& header_;
    ChartField field_;
};

const char* fieldObjectName(ChartField field) {
    switch (field) {
        case ChartField::title:
            return "headerTitle";
        case ChartField::composer:
            return "headerComposer";
        case ChartField::key:
            return "headerKey";
        case ChartField::style:
            return "headerStyle";
        case ChartField::meter:
            return "headerMeter";
        case ChartField::tempo:
            return "headerTempo";
    }
    return "";
}

}  // namespace

ChartHeader::ChartHeader(ChartEdits& edits, QWidget* parent) : QWidget(parent), edits_(edits) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 4, 12, 4);
    const ChartField fields[] = {ChartField::title, ChartField::composer, ChartField::key,
                                 ChartField::style, ChartField::meter,    ChartField::tempo};
    for (ChartField field : fields) {
        auto* label = new HeaderField(*this, field);
        label->setObjectName(QString::fromLatin1(fieldObjectName(field)));
        labels_.emplace_back(field, label);
    }
    QLabel* title = labels_[0].second;
    title->setFont(Preferences::shared().fontForKey(Preferences::title_font_key));
    title->setAlignment(Qt::AlignCenter);
    grid->addWidget(title, 0, 0, 1, 5);
    // Key, style, meter and tempo on the left as a musician reads them; the composer on the right.
    for (int k = 2; k < 6; ++k) grid->addWidget(labels_[static_cast<std::size_t>(k)].second, 1, k - 2);
    grid->setColumnStretch(4, 1);
    QLabel* composer = labels_[1].second;
    composer->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(composer, 1, 4);
    grid->setHorizontalSpacing(18);
    const ChartModel& model = edits_.model();
    for (auto signal : {&ChartModel::chartReset, &ChartModel::propertiesChanged})
        connect(&model, signal, this, &ChartHeader::showChart);
    connect(&model, &ChartModel::nameChanged, this, &ChartHeader::showChart);
    connect(&model, &ChartModel::tempoChanged, this, &ChartHeader::showChart);
    showChart();
}

QString ChartHeader::fieldText(ChartField field) const {
    const ChartModel& model = edits_.model();
    switch (field) {
        case ChartField::title:
            return model.name().isEmpty() ? tr("Untitled") : model.name();
        case ChartField::composer:
            return QString::fromStdString(model.composer());
        case ChartField::key:
            return tr("Key: %1").arg(displayKeyName(model.key()));
        case ChartField::style:
            return QString::fromStdString(styleNameOfCode(model.styleType()));
        case ChartField::meter:
            return tr("%1/4").arg(model.meter());
        case ChartField::tempo:
            return QStringLiteral("\u2669 = %1").arg(model.tempo());
    }
    return {};
}

void ChartHeader::showChart() {
    for (auto& [field, label] : labels_) label->setText(fieldText(field));
}

void ChartHeader::editField(ChartField field) {
    ChartPropertiesPanel panel(edits_.model().properties(), field, window());
    if (panel.exec() != QDialog::Accepted) return;
    ChartEdits::UserEvent event(edits_);
    edits_.setProperties(panel.properties());
}

}  // namespace zub
