// The user's preferences: the chord font and the title font, stored as font
// descriptions in the user defaults (QSettings) under "chord font" and "title
// font", the SoundFont played, a path under "soundfont", the bars a line
// holds in a chart that does not say, under "bars per line", and the sound device.
#pragma once

#include <QFont>
#include <QString>

namespace zub {

class Preferences {
public:
    static constexpr const char* chord_font_key = "chord font";
    static constexpr const char* title_font_key = "title font";

    static Preferences& shared();

    // fontForKey("title font") -> the stored font, else the default: the system
    // font (at 24 points for the title). A stored font that is no longer
    // installed also gives the default.
    QFont fontForKey(const char* key) const;
    // setFont(font, "chord font") stores the font's description.
    void setFont(const QFont& font, const char* key);
    // The defaults alone, as on a fresh installation.
    static QFont defaultFontForKey(const char* key);

    // The SoundFont the user chose; "" to find one as zub does.
    QString soundFont() const;
    void setSoundFont(const QString& path);

    // barsPerLine() -> the stored count, 4 when none; a stored count outside 2..8 gives 4.
    int barsPerLine() const;
    void setBarsPerLine(int count);
    // Live playback's sound device, under "audio driver" ("auto", "pulseaudio",
    // "jack" or "alsa"; "auto" when unset) and "jack autoconnect" (our JACK
    // outputs to the system's playback ports; true when unset).
    QString audioDriver() const;
    void setAudioDriver(const QString& driver);
    bool jackAutoconnect() const;
    void setJackAutoconnect(bool on);
    // MIDI out besides the synth, under "midi out" ("", "jack" or "alsa") and
    // "midi connect" (the port to connect to; "" for none).
    QString midiOut() const;
    void setMidiOut(const QString& kind, const QString& connect);
    QString midiConnect() const;

private:
    Preferences() = default;
};

}  // namespace zub
