#include "editor/app/preferences_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <stdexcept>

#include "bridge/bar_marks.h"
#include "editor/app/preferences.h"
#include "editor/layout/chord_font.h"
#include "editor/layout/my_parameters.h"
#include "editor/transport/shared_player.h"
#include "playback/midi_port.h"
#include "playback/sound_device.h"
#include "playback/soundfont.h"

namespace zub {

QString labelForFont(const QFont& font) {
    return QStringLiteral("%1 %2").arg(font.family()).arg(font.pointSizeF(), 0, 'g');
}

FontSample::FontSample(const char* key, QString sampleText, bool chordFont, QWidget* parent)
    : QWidget(parent), key_(key), sample_(std::move(sampleText)), chord_font_(chordFont), label_(new QLabel(this)) {
    setMinimumSize(360, 70);
    showFont(Preferences::shared().fontForKey(key_));
}

void FontSample::showFont(const QFont& font) {
    font_ = font;
    label_->setText(labelForFont(font));
    label_->adjustSize();
    update();
}

void FontSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A field of the desktop's colours, light or dark.
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Text));
    if (!chord_font_) {
        painter.setFont(font_);
        painter.drawText(rect(), Qt::AlignCenter, sample_);
        return;
    }
    try {
        const ChordFont chordFont = ChordFont::withResourceSubstitutions(font_);
        const AdornedText text = chordFont.encodeAndAdorn(sample_);
        QPointF at((width() - adornedWidth(text)) / 2, (height() + QFontMetricsF(font_).ascent()) / 2);
        for (const AdornedRun& run : text) {
            painter.setFont(run.font);
            painter.drawText(at, run.text);
            at.rx() += QFontMetricsF(run.font).horizontalAdvance(run.text);
        }
    } catch (const std::exception& e) {
        painter.drawText(rect(), Qt::AlignCenter, QString::fromUtf8(e.what()));
    }
}

PreferencesPanelController& PreferencesPanelController::shared() {
    static auto* panel = new PreferencesPanelController;
    return *panel;
}

PreferencesPanelController::PreferencesPanelController() {
    setWindowTitle(tr("Preferences"));
    setObjectName(QStringLiteral("PreferencesPanel"));
    const MyParameters& p = MyParameters::shared();
    chord_sample_ = new FontSample(Preferences::chord_font_key,
                                   QString::fromStdString(p.stringForKey("ChordFontSampleText")), true, this);
    title_sample_ = new FontSample(Preferences::title_font_key,
                                   QString::fromStdString(p.stringForKey("TitleFontSampleText")), false, this);
    auto* grid = new QGridLayout(this);
    auto* chordButton = new QPushButton(tr("Chord Font..."), this);
    auto* titleButton = new QPushButton(tr("Title Font..."), this);
    grid->addWidget(chord_sample_, 0, 0);
    grid->addWidget(chordButton, 0, 1);
    grid->addWidget(title_sample_, 1, 0);
    grid->addWidget(titleButton, 1, 1);
    connect(chordButton, &QPushButton::clicked, this, &PreferencesPanelController::setChordFont);
    connect(titleButton, &QPushButton::clicked, this, &PreferencesPanelController::setTitleFont);
    soundfont_label_ = new QLabel(this);
    soundfont_label_->setWordWrap(true);
    auto* soundfontButton = new QPushButton(tr("SoundFont..."), this);
    grid->addWidget(soundfont_label_, 2, 0);
    grid->addWidget(soundfontButton, 2, 1);
    connect(soundfontButton, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, tr("SoundFont"), Preferences::shared().soundFont(),
                                                          tr("SoundFonts (*.sf2 *.sf3);;All files (*)"));
        if (!path.isEmpty()) setSoundFont(path);
    });
    showSoundFont();
    // Charts that do not say how many bars a line holds take this; windows lay out with it from their next change.
    auto* barsPerLine = new QSpinBox(this);
    barsPerLine->setObjectName(QStringLiteral("barsPerLine"));
    barsPerLine->setRange(min_bars_per_line, max_bars_per_line);
    barsPerLine->setValue(Preferences::shared().barsPerLine());
    grid->addWidget(new QLabel(tr("Bars per line:"), this), 3, 0);
    grid->addWidget(barsPerLine, 3, 1);
    connect(barsPerLine, &QSpinBox::valueChanged, this, [](int count) { Preferences::shared().setBarsPerLine(count); });
    addSoundDevice(grid, 4);
}

// The audio driver and JACK's connections; a change is heard from the next Play.
void PreferencesPanelController::addSoundDevice(QGridLayout* grid, int row) {
    driver_box_ = new QComboBox(this);
    for (const std::string& name : playback::audio_driver_names())
        driver_box_->addItem(name == "auto" ? tr("Automatic") : QString::fromStdString(name), QString::fromStdString(name));
    driver_box_->setCurrentIndex(std::max(0, driver_box_->findData(Preferences::shared().audioDriver())));
    auto* autoconnect = new QCheckBox(tr("Connect JACK outputs to the system"), this);
    autoconnect->setChecked(Preferences::shared().jackAutoconnect());
    auto* device = new QHBoxLayout;
    device->addWidget(new QLabel(tr("Audio driver:"), this));
    device->addWidget(driver_box_);
    device->addWidget(autoconnect);
    grid->addLayout(device, row, 0, 1, 2);
    addMidiOut(grid, row + 1);
    connect(driver_box_, &QComboBox::currentIndexChanged, this, [this] {
        setAudioDriver(driver_box_->currentData().toString());
    });
    connect(autoconnect, &QCheckBox::toggled, this, [](bool on) {
        Preferences::shared().setJackAutoconnect(on);
        SharedPlayer::shared().unload();
    });
}

// MIDI out: none, JACK or ALSA, and the port to connect to.
void PreferencesPanelController::addMidiOut(QGridLayout* grid, int row) {
    midi_box_ = new QComboBox(this);
    midi_box_->addItem(tr("None"), QString());
    for (const char* kind : playback::midi_port_kinds) midi_box_->addItem(QString(kind).toUpper(), QString(kind));
    midi_box_->setCurrentIndex(std::max(0, midi_box_->findData(Preferences::shared().midiOut())));
    midi_connect_ = new QLineEdit(Preferences::shared().midiConnect(), this);
    midi_connect_->setPlaceholderText(tr("port to connect to"));
    auto* midi = new QHBoxLayout;
    midi->addWidget(new QLabel(tr("MIDI out:"), this));
    midi->addWidget(midi_box_);
    midi->addWidget(midi_connect_);
    grid->addLayout(midi, row, 0, 1, 2);
    const auto store = [this] { setMidiOut(midi_box_->currentData().toString(), midi_connect_->text()); };
    connect(midi_box_, &QComboBox::currentIndexChanged, this, store);
    connect(midi_connect_, &QLineEdit::editingFinished, this, store);
}

void PreferencesPanelController::setMidiOut(const QString& kind, const QString& connect) {
    Preferences::shared().setMidiOut(kind, connect);
    SharedPlayer::shared().unload();  // the next Play opens the port
    const QSignalBlocker quiet(midi_box_);
    midi_box_->setCurrentIndex(std::max(0, midi_box_->findData(kind)));
    midi_connect_->setText(connect);
}

void PreferencesPanelController::setAudioDriver(const QString& driver) {
    Preferences::shared().setAudioDriver(driver);
    SharedPlayer::shared().unload();  // the next Play opens the new device
    if (driver_box_->currentData().toString() != driver)
        driver_box_->setCurrentIndex(std::max(0, driver_box_->findData(driver)));
}

QString PreferencesPanelController::audioDriverShown() const { return driver_box_->currentData().toString(); }

void PreferencesPanelController::showSoundFont() {
    try {
        soundfont_label_->setText(tr("SoundFont: %1").arg(QString::fromStdString(editorSoundfont())));
    } catch (const std::exception& e) {
        soundfont_label_->setText(QString::fromUtf8(e.what()));
    }
}

void PreferencesPanelController::setSoundFont(const QString& path) {
    try {
        if (!path.isEmpty()) playback::find_soundfont(path.toStdString());
    } catch (const std::exception& e) {
        soundfont_label_->setText(QString::fromUtf8(e.what()));
        return;
    }
    Preferences::shared().setSoundFont(path);
    SharedPlayer::shared().unload();  // the next Play loads the new one
    showSoundFont();
}

void PreferencesPanelController::setChordFont() { chooseFont(chord_sample_, Preferences::chord_font_key); }

void PreferencesPanelController::setTitleFont() { chooseFont(title_sample_, Preferences::title_font_key); }

void PreferencesPanelController::chooseFont(FontSample* sample, const char* key) {
    sample->setFocus();
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, Preferences::shared().fontForKey(key), this);
    if (!ok) return;
    Preferences::shared().setFont(font, key);
    sample->showFont(font);
}

}  // namespace zub
