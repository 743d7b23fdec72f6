// The preferences panel: two sample views, one per preferred font, each with
// a button that opens the font dialog on the current preference; and the
// SoundFont the accompaniment plays with.
#pragma once

#include <QLabel>

class QComboBox;
class QGridLayout;
class QLineEdit;
#include <QWidget>

namespace zub {

// A sample of one preferred font: its label reads "name size", its sample
// text is drawn centred (the chord sample through the chord font).
class FontSample : public QWidget {
    Q_OBJECT
public:
    FontSample(const char* preferenceKey, QString sampleText, bool chordFont, QWidget* parent = nullptr);
    void showFont(const QFont& font);
    QString labelText() const { return label_->text(); }
    QSize sizeHint() const override { return {360, 70}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const char* key_;
    QString sample_;
    bool chord_font_;
    QFont font_;
    QLabel* label_;
};

class PreferencesPanelController : public QWidget {
    Q_OBJECT
public:
    static PreferencesPanelController& shared();
    FontSample* chordFontSample() const { return chord_sample_; }
    FontSample* titleFontSample() const { return title_sample_; }
    // setChordFont() / setTitleFont(): the font dialog on the preference; the chosen font is stored and shown.
    void setChordFont();
    void setTitleFont();
    // setSoundFont(path) stores path when it is a SoundFont ("" to find one as
    // zub does), heard from the next Play; otherwise the line shows why and
    // the preference stays.
    void setSoundFont(const QString& path);
    QString soundFontText() const { return soundfont_label_->text(); }

    // setAudioDriver("jack"): stored and shown, heard from the next Play.
    void setAudioDriver(const QString& driver);
    QString audioDriverShown() const;
    // setMidiOut("jack", "synth:midi_in"): stored, heard from the next Play; "" for none.
    void setMidiOut(const QString& kind, const QString& connect);

private:
    void addSoundDevice(QGridLayout* grid, int row);
    void addMidiOut(QGridLayout* grid, int row);
    QComboBox* driver_box_ = nullptr;
    QComboBox* midi_box_ = nullptr;
    QLineEdit* midi_connect_ = nullptr;

    PreferencesPanelController();
    void chooseFont(FontSample* sample, const char* key);
    FontSample* chord_sample_;
    FontSample* title_sample_;
    QLabel* soundfont_label_;
    void showSoundFont();
};

// labelForFont(DejaVu Sans 12) -> "DejaVu Sans 12".
QString labelForFont(const QFont& font);

}  // namespace zub
