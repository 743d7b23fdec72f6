#include "editor/transport/transport_bar.h"

#include <QFontDatabase>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

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
      message_(new QLabel(this)) {
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
    showPlayhead(session.playhead());
    showSeed();
}

void TransportBar::addReadouts(QWidget* mutes) {
    addSeparator();
    addWidget(tempo_);
    addWidget(new QLabel(tr(" Vol "), this));
    addWidget(volume_);
    addWidget(mutes);
    addSeparator();
    addWidget(position_);
    addWidget(pass_);
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
