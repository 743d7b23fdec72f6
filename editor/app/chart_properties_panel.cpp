#include "editor/app/chart_properties_panel.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "bridge/accidentals.h"
#include "bridge/style_names.h"
#include "bridge/transposition.h"

namespace zub {

namespace {

constexpr int max_tempo = 999;
constexpr int max_shown_meter = 12;

// The 24 keys as musicians write them, majors then minors; the chart's own key among them when it is another.
QStringList keyChoices(const std::string& current) {
    QStringList keys;
    for (const char* mode : {"C", "Am"})
        for (const std::string& key : transposeTargetKeyNames(mode)) keys.push_back(QString::fromStdString(key));
    const QString own = QString::fromStdString(current);
    if (!own.isEmpty() && !keys.contains(own)) keys.push_front(own);
    return keys;
}

}  // namespace

QString displayKeyName(const std::string& key) {
    if (key.empty()) return {};
    const QString shown = QString::fromStdString(replaceWithUnicodeSharpsAndFlats(key));
    return shown.endsWith('m') ? shown.chopped(1) + QObject::tr(" minor") : shown;
}

ChartPropertiesPanel::ChartPropertiesPanel(const ChartProperties& properties, ChartField field, QWidget* parent)
    : QDialog(parent),
      original_(properties),
      title_(new QLineEdit(QString::fromStdString(properties.name), this)),
      composer_(new QLineEdit(QString::fromStdString(properties.composer), this)),
      key_(new QComboBox(this)),
      style_(new QComboBox(this)),
      meter_(new QSpinBox(this)),
      tempo_(new QSpinBox(this)) {
    setWindowTitle(tr("Chart Properties"));
    for (const QString& key : keyChoices(properties.key)) key_->addItem(displayKeyName(key.toStdString()), key);
    key_->setCurrentIndex(key_->findData(QString::fromStdString(properties.key)));
    for (const std::string& name : styleNames())
        style_->addItem(QString::fromStdString(name), QVariant::fromValue(*styleCodeOfName(name)));
    // A code without a name of its own shows as the style it plays as, and stays unless chosen.
    style_->setCurrentText(QString::fromStdString(styleNameOfCode(properties.styleType)));
    meter_->setRange(1, max_shown_meter);
    meter_->setValue(static_cast<int>(properties.meter));
    meter_->setSuffix(tr(" beats a bar"));
    tempo_->setRange(1, max_tempo);
    tempo_->setValue(static_cast<int>(properties.tempo));
    tempo_->setPrefix(QStringLiteral("\u2669 = "));
    auto* form = new QFormLayout(this);
    form->addRow(tr("&Title:"), title_);
    form->addRow(tr("&Composer:"), composer_);
    form->addRow(tr("&Key:"), key_);
    form->addRow(tr("&Style:"), style_);
    form->addRow(tr("&Meter:"), meter_);
    form->addRow(tr("T&empo:"), tempo_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    QWidget* focused[] = {title_, composer_, key_, style_, meter_, tempo_};
    focused[static_cast<int>(field)]->setFocus(Qt::OtherFocusReason);
    title_->setObjectName(QStringLiteral("propertiesTitle"));
    composer_->setObjectName(QStringLiteral("propertiesComposer"));
    key_->setObjectName(QStringLiteral("propertiesKey"));
    style_->setObjectName(QStringLiteral("propertiesStyle"));
    meter_->setObjectName(QStringLiteral("propertiesMeter"));
    tempo_->setObjectName(QStringLiteral("propertiesTempo"));
}

ChartProperties ChartPropertiesPanel::properties() const {
    ChartProperties result = original_;
    result.name = title_->text().toStdString();
    result.composer = composer_->text().toStdString();
    result.key = key_->currentData().toString().toStdString();
    const std::int64_t code = style_->currentData().toLongLong();
    // A code the menu has no name for is kept while its name is chosen.
    if (styleNameOfCode(code) != styleNameOfCode(original_.styleType)) result.styleType = code;
    result.meter = meter_->value();
    result.tempo = tempo_->value();
    return result;
}

}  // namespace zub
