#include "editor/transport/transport_bar.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QWidgetAction>

#include "editor/transport/playback_session.h"

namespace zub {

namespace {

constexpr int slowest_percent = 25, fastest_percent = 200;
constexpr int message_width = 240;

}  // namespace

TransportBar::TransportBar(PlaybackSession& session, QWidget* parent)
    : QToolBar(tr("Transport"), parent),
      session_(session),
      tempo_(new QSpinBox(this)),
      volume_(new QSlider(this)),
      position_(new QLabel(this)),
      pass_(new QLabel(this)),
      seed_(new QLabel(this)),
      message_(new QLabel(this)),
      trainer_(new QToolButton(this)),
      passes_(new QSpinBox),
      start_bpm_(new QSpinBox),
      step_bpm_(new QSpinBox),
      trainer_state_(new QLabel(this)) {
    setObjectName(QStringLiteral("transport"));
    setMovable(false);
    // The keyboard stays with the chart: Space must reach the chart view, not a spin box.
    tempo_->setFocusPolicy(Qt::ClickFocus);
    volume_->setFocusPolicy(Qt::ClickFocus);
    tempo_->setRange(slowest_percent, fastest_percent);
    tempo_->setSingleStep(5);
    tempo_->setSuffix(QStringLiteral(" %"));
    tempo_->setValue(session.settings().tempoPercent);
    tempo_->setToolTip(tr("Tempo, as a percentage of the chart's"));
    volume_->setOrientation(Qt::Horizontal);
    volume_->setRange(0, 150);
    volume_->setValue(session.settings().volumePercent);
    volume_->setFixedWidth(70);
    volume_->setToolTip(tr("Volume"));
    const QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    position_->setFont(digits);
    position_->setMinimumWidth(QFontMetrics(digits).horizontalAdvance(QStringLiteral("Count-in 2:4 ")));
    pass_->setFont(digits);
    seed_->setTextInteractionFlags(Qt::TextSelectableByMouse);  // to copy it for zub render --seed
    connect(tempo_, &QSpinBox::valueChanged, &session, &PlaybackSession::setTempoPercent);
    connect(volume_, &QSlider::valueChanged, &session, &PlaybackSession::setVolumePercent);
    connect(&session, &PlaybackSession::playheadChanged, this, &TransportBar::showPlayhead);
    connect(&session, &PlaybackSession::seedChanged, this, &TransportBar::showSeed);
    connect(&session, &PlaybackSession::message, this, &TransportBar::showMessage);
    connect(&session, &PlaybackSession::trainerChanged, trainer_state_, &QLabel::setText);
    trainer_->setText(tr("Trainer"));
    trainer_->setToolTip(tr("Tempo trainer: the loop (or the chart) a number of passes, faster each pass"));
    trainer_->setCheckable(true);
    trainer_->setFocusPolicy(Qt::NoFocus);
    trainer_->setPopupMode(QToolButton::MenuButtonPopup);
    auto* menu = new QMenu(trainer_);
    auto* settings = new QWidgetAction(menu);
    settings->setDefaultWidget(trainerSettings());
    menu->addAction(settings);
    trainer_->setMenu(menu);
    connect(trainer_, &QToolButton::toggled, this, &TransportBar::trainerChanged);
    trainer_state_->setFont(digits);
    showPlayhead(session.playhead());
    showSeed();
}

// Passes, From (bpm, or the transport's tempo) and Step (bpm a pass), heard from the next Play.
QWidget* TransportBar::trainerSettings() {
    const TrainerSettings& trainer = session_.settings().trainer;
    passes_->setRange(1, 99);
    passes_->setValue(trainer.passes);
    start_bpm_->setRange(0, static_cast<int>(playback::fastest_bpm));
    start_bpm_->setSpecialValueText(tr("Tempo"));  // 0: the transport's tempo
    start_bpm_->setSuffix(tr(" bpm"));
    start_bpm_->setValue(trainer.startBpm);
    step_bpm_->setRange(-100, 100);
    step_bpm_->setSuffix(tr(" bpm"));
    step_bpm_->setValue(trainer.stepBpm);
    auto* form = new QWidget;
    auto* layout = new QFormLayout(form);
    layout->addRow(tr("Passes"), passes_);
    layout->addRow(tr("From"), start_bpm_);
    layout->addRow(tr("Step"), step_bpm_);
    for (QSpinBox* box : {passes_, start_bpm_, step_bpm_})
        connect(box, &QSpinBox::valueChanged, this, &TransportBar::trainerChanged);
    return form;
}

void TransportBar::trainerChanged() {
    session_.setTrainer({trainer_->isChecked(), passes_->value(), start_bpm_->value(), step_bpm_->value()});
}

QString TransportBar::trainerText() const { return trainer_state_->text(); }

void TransportBar::addReadouts(QWidget* mutes, QWidget* countIn) {
    addSeparator();
    addWidget(tempo_);
    addWidget(new QLabel(tr(" Vol "), this));
    addWidget(volume_);
    addWidget(mutes);
    addWidget(countIn);
    addWidget(trainer_);
    addSeparator();
    addWidget(position_);
    addWidget(pass_);
    addWidget(trainer_state_);
    addSeparator();
    addWidget(seed_);
    addSeparator();
    addWidget(message_);
}

void TransportBar::showPlayhead(const Playhead& playhead) {
    position_->setText(playhead.position.isEmpty() ? QStringLiteral("–:–") : playhead.position);
    pass_->setText(playhead.pass);
}

// A long failure is cut to fit; the whole line is the tooltip (and in the status bar).
void TransportBar::showMessage(const QString& line) {
    message_text_ = line;
    message_->setText(message_->fontMetrics().elidedText(line, Qt::ElideRight, message_width));
    message_->setToolTip(line);
}

void TransportBar::showSeed() { seed_->setText(tr("Seed %1").arg(session_.seed())); }

QString TransportBar::positionText() const { return position_->text(); }
QString TransportBar::passText() const { return pass_->text(); }
QString TransportBar::seedText() const { return seed_->text(); }
QString TransportBar::messageText() const { return message_text_; }

}  // namespace zub
