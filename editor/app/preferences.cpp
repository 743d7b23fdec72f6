#include "editor/app/preferences.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QVariantMap>

#include <cstring>

#include "bridge/bar_marks.h"

namespace zub {

Preferences& Preferences::shared() {
    static Preferences preferences;
    return preferences;
}

QFont Preferences::defaultFontForKey(const char* key) {
    QFont font = QGuiApplication::font();
    // The system font may be an alias ("Sans Serif"); store the family it resolves to.
    font.setFamily(QFontInfo(font).family());
    if (std::strcmp(key, title_font_key) == 0) font.setPointSizeF(24);
    return font;
}

QFont Preferences::fontForKey(const char* key) const {
    const QVariantMap stored = QSettings().value(QString::fromUtf8(key)).toMap();
    const QString name = stored.value(QStringLiteral("FontName")).toString();
    const double size = stored.value(QStringLiteral("PointSize")).toDouble();
    if (name.isEmpty() || size <= 0 || !QFontDatabase::hasFamily(name)) return defaultFontForKey(key);
    QFont font(name);
    font.setPointSizeF(size);
    return font;
}

void Preferences::setFont(const QFont& font, const char* key) {
    QSettings().setValue(QString::fromUtf8(key),
                         QVariantMap{{QStringLiteral("FontName"), font.family()},
                                     {QStringLiteral("PointSize"), font.pointSizeF()}});
}

QString Preferences::soundFont() const { return QSettings().value(QStringLiteral("soundfont")).toString(); }

void Preferences::setSoundFont(const QString& path) { QSettings().setValue(QStringLiteral("soundfont"), path); }

int Preferences::barsPerLine() const {
    bool ok = false;
    const int count = QSettings().value(QStringLiteral("bars per line")).toInt(&ok);
    return ok && count >= min_bars_per_line && count <= max_bars_per_line ? count : default_bars_per_line;
}

void Preferences::setBarsPerLine(int count) { QSettings().setValue(QStringLiteral("bars per line"), count); }

QString Preferences::audioDriver() const {
    return QSettings().value(QStringLiteral("audio driver"), QStringLiteral("auto")).toString();
}

void Preferences::setAudioDriver(const QString& driver) { QSettings().setValue(QStringLiteral("audio driver"), driver); }

bool Preferences::jackAutoconnect() const { return QSettings().value(QStringLiteral("jack autoconnect"), true).toBool(); }

void Preferences::setJackAutoconnect(bool on) { QSettings().setValue(QStringLiteral("jack autoconnect"), on); }

QString Preferences::midiOut() const { return QSettings().value(QStringLiteral("midi out")).toString(); }

QString Preferences::midiConnect() const { return QSettings().value(QStringLiteral("midi connect")).toString(); }

void Preferences::setMidiOut(const QString& kind, const QString& connect) {
    QSettings settings;
    settings.setValue(QStringLiteral("midi out"), kind);
    settings.setValue(QStringLiteral("midi connect"), connect);
}

}  // namespace zub
