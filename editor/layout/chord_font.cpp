#include "editor/layout/chord_font.h"

#include "bridge/resources.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

#include "bridge/bridge_exception.h"
#include "bridge/my_constants.h"

namespace zub {

namespace {

[[noreturn]] void substitutionFailure(const char* reason) { throw Bridge_exception("substitutionsForFont", reason); }

bool covers(const QFont& font, QChar ch) { return QFontMetricsF(font).inFont(ch); }

// The font for a chord character the chord font lacks: the system font, else
// DejaVu Sans, which carries the musical sharp and flat signs.
QFont fallbackFont(QChar ch, double size) {
    QFont system = QGuiApplication::font();
    system.setPointSizeF(size);
    if (covers(system, ch)) return system;
    QFont symbols("DejaVu Sans");
    symbols.setPointSizeF(size);
    if (covers(symbols, ch)) return symbols;
    throw Bridge_exception("defaultAttributedStringForCharacter",
                           "A chordFontCharacter not covered by system font nor symbol font");
}

QString mapChars(const QString& s, const QHash<QChar, QChar>& map) {
    QString out = s;
    for (QChar& ch : out) ch = map.value(ch, ch);
    return out;
}

float measuredWidth(const ChordFont& font, const QString& s) {
    return static_cast<float>(adornedWidth(font.encodeAndAdorn(s)));
}

}  // namespace

QList<StyledChar> styledCharsOfDocument(const QTextDocument& document) {
    QList<StyledChar> chars;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QFont font = fragment.charFormat().font();
            for (QChar ch : fragment.text()) chars.push_back({ch, font.family(), font.pointSizeF()});
        }
        chars.push_back({QChar('\n'), QString(), 0});
    }
    return chars;
}

QHash<QChar, Substitute> substitutionsFromStyledText(const QList<StyledChar>& text, const QString& fontName,
                                                     double chordFontSize) {
    QHash<QChar, Substitute> map;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipSpace = [&] { while (i < n && text[i].ch.isSpace()) ++i; };
    skipSpace();
    while (i < n) {
        QString name;
        while (i < n && text[i].ch != ':') name += text[i++].ch;
        if (i == n) substitutionFailure("Invalid format in substitution map RTF file");
        ++i;  // the ":"
        const qsizetype mapStart = i;
        while (i < n && !text[i].ch.isSpace()) ++i;
        const qsizetype mapLength = i - mapStart;
        if (mapLength == 0) substitutionFailure("Invalid format in substitution map RTF file");
        if (name.trimmed() == fontName) {
            if (mapLength % 2 != 0) substitutionFailure("substitution map not a string of even length");
            for (qsizetype k = mapStart; k + 1 < i; k += 2) {
                const StyledChar& from = text[k];
                const StyledChar& to = text[k + 1];
                QFont font(to.fontName);
                // Sizes in the file are relative: the substitute keeps its ratio to the original.
                const double fromSize = from.pointSize > 0 ? from.pointSize : 1;
                font.setPointSizeF(std::max(1.0, to.pointSize * chordFontSize / fromSize));
                map.insert(from.ch, {to.ch, font});
            }
        }
        skipSpace();
    }
    return map;
}

QFont fontFromDescription(const Plist& description) {
    const QString name = QString::fromStdString(description.string_at("FontName"));
    const double size = description.real_at("PointSize");
    if (name.trimmed().isEmpty() || !(size > 0))
        throw Bridge_exception("fontFromDescription", "Cannot reconstruct font from font description");
    QFont font(name);
    font.setPointSizeF(size);
    // A family that is not installed here is matched by fontconfig, as in any Linux
    // application; naming the family it resolves to gives the substitutions and
    // metrics of the font actually drawn.
    if (!QFontDatabase::hasFamily(name)) font.setFamily(QFontInfo(font).family());
    return font;
}

QFont chartFontFromDescription(const Plist& description, const QFont& preferred) {
    try {
        return fontFromDescription(description);
    } catch (const std::exception&) {
        return preferred;  // a description without a family or size must not cost the chart
    }
}

QString fontStandInNote(const Plist& description, const QFont& shown) {
    QString name;
    try {
        name = QString::fromStdString(description.string_at("FontName"));
    } catch (const std::exception&) {
    }
    if (name == shown.family()) return {};
    if (name.trimmed().isEmpty())
        return QObject::tr("The chart names no usable font; \u201C%1\u201D stands in.").arg(shown.family());
    return QObject::tr("The chart's font \u201C%1\u201D is not installed; \u201C%2\u201D stands in.")
        .arg(name, shown.family());
}

Plist fontDescription(const QFont& font) {
    return Plist::make_dictionary({{"FontName", Plist::make_string(font.family().toStdString())},
                                   {"PointSize", Plist::make_real(font.pointSizeF())}});
}

double adornedWidth(const AdornedText& text) {
    double width = 0;
    for (const AdornedRun& run : text) width += QFontMetricsF(run.font).horizontalAdvance(run.text);
    return width;
}

double adornedHeight(const AdornedText& text) {
    double ascent = 0, descent = 0;
    for (const AdornedRun& run : text) {
        const QFontMetricsF metrics(run.font);
        ascent = std::max(ascent, metrics.ascent());
        descent = std::max(descent, metrics.descent());
    }
    return ascent + descent;
}

ChordFont::ChordFont(const QFont& font, const QHash<QChar, Substitute>& substitutions)
    : font_(font), metrics_(1, 1, MyParameters::shared()) {
    for (auto it = substitutions.begin(); it != substitutions.end(); ++it) {
        encode_map_.insert(it.key(), it->ch);
        decode_map_.insert(it->ch, it.key());
    }
    const MyConstants& constants = MyConstants::shared();
    for (QChar ch : QString::fromStdString(constants.chordCharacters())) {
        if (auto sub = substitutions.find(ch); sub != substitutions.end())
            adorn_map_.insert(sub->ch, sub->font);
        else if (covers(font_, ch))
            adorn_map_.insert(ch, font_);
        else
            adorn_map_.insert(ch, fallbackFont(ch, font_.pointSizeF()));
    }
    const float charWidth = measuredWidth(*this, QStringLiteral("C"));
    const QString sample = QString::fromStdString(constants.defaultSizeChordSample());
    const float charHeight = static_cast<float>(adornedHeight(encodeAndAdorn(sample)));
    metrics_ = ChordFontMetrics(charWidth, charHeight, MyParameters::shared());
}

ChordFont ChordFont::withResourceSubstitutions(const QFont& font) {
    QFile file(QString::fromStdString(resource_path("ChordCharacterSubstitutions.html")));
    if (!file.open(QIODevice::ReadOnly)) return ChordFont(font, {});
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return ChordFont(font, substitutionsFromStyledText(styledCharsOfDocument(document), font.family(),
                                                       font.pointSizeF()));
}

QString ChordFont::encode(const QString& display) const { return mapChars(display, encode_map_); }

QString ChordFont::decode(const QString& encoded) const { return mapChars(encoded, decode_map_); }

AdornedText ChordFont::adorn(const QString& shown) const {
    AdornedText runs;
    for (QChar ch : shown) {
        const QFont font = adorn_map_.value(ch, font_);
        if (!runs.isEmpty() && runs.back().font == font)
            runs.back().text += ch;
        else
            runs.push_back({QString(ch), font});
    }
    return runs;
}

QString ChordFont::encodedSharp() const { return encode(QString::fromStdString(MyConstants::shared().sharp())); }

QString ChordFont::encodedFlat() const { return encode(QString::fromStdString(MyConstants::shared().flat())); }

}  // namespace zub
