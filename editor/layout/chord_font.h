// The chord font: the font chord symbols are drawn in, the encoding between a
// chord's display form and the characters shown for it (some fonts draw sharps
// and flats badly, so selected characters are replaced by others in other
// fonts), the font each shown character is drawn in, and the metrics the
// whole chart layout derives from.
#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QString>

#include "bridge/plist.h"
#include "editor/layout/chord_font_metrics.h"

class QTextDocument;

namespace zub {

// One run of an adorned text: characters drawn in one font.
struct AdornedRun {
    QString text;
    QFont font;
};
using AdornedText = QList<AdornedRun>;

// One character of the substitution file with the font it is set in.
struct StyledChar {
    QChar ch;
    QString fontName;
    double pointSize;
};

// A substitute character and the font (already scaled) to draw it with.
struct Substitute {
    QChar ch;
    QFont font;
};

// substitutionsFromStyledText(chars of "Serif:#X", "Serif", 12) -> {'#' -> X in its font,
// scaled by 12 / size of '#'}. Bridge_exception "substitutionsForFont" with
// "Invalid format in substitution map RTF file" for an entry without ":" or map
// string, "substitution map not a string of even length" for an odd map of this font.
QHash<QChar, Substitute> substitutionsFromStyledText(const QList<StyledChar>& text, const QString& fontName,
                                                     double chordFontSize);

// styledCharsOfDocument(doc) -> every character of the rich text with its font.
QList<StyledChar> styledCharsOfDocument(const QTextDocument& document);

// fontFromDescription({FontName "DejaVu Sans", PointSize 14}) -> that font; a family
// that is not installed -> the closest installed family at that size; "Cannot
// reconstruct font from font description" without a family name or a positive size.
QFont fontFromDescription(const Plist& description);
// chartFontFromDescription(description, preferred) -> fontFromDescription, or
// preferred when the description is unusable. Never fails.
QFont chartFontFromDescription(const Plist& description, const QFont& preferred);
// fontStandInNote({FontName "Helvetica", ...}, DejaVu Sans 14) -> "The chart's font
// “Helvetica” is not installed; “DejaVu Sans” stands in."; empty when shown is the named family.
QString fontStandInNote(const Plist& description, const QFont& shown);
// fontDescription(font) -> {FontName, PointSize}.
Plist fontDescription(const QFont& font);

// adornedWidth(text) / adornedHeight(text): the extent of the text as drawn.
double adornedWidth(const AdornedText& text);
double adornedHeight(const AdornedText& text);

class ChordFont {
public:
    // ChordFont(font, substitutions): maps built from the substitutions for
    // this font, then measured; a chord character that no font covers throws
    // Bridge_exception "defaultAttributedStringForCharacter".
    ChordFont(const QFont& font, const QHash<QChar, Substitute>& substitutions);
    // withResourceSubstitutions(font) -> the chord font with the substitution
    // file of the resources (identity maps when the file is missing).
    static ChordFont withResourceSubstitutions(const QFont& font);

    // encode("B♭7") -> the shown form; decode(encode(s)) == s for distinct substitutes.
    QString encode(const QString& display) const;
    QString decode(const QString& encoded) const;
    // adorn(shown text) -> runs with each character in the font the adornment gives it.
    AdornedText adorn(const QString& shown) const;
    AdornedText encodeAndAdorn(const QString& display) const { return adorn(encode(display)); }
    QString encodedSharp() const;
    QString encodedFlat() const;

    const QFont& font() const { return font_; }
    const ChordFontMetrics& metrics() const { return metrics_; }

private:
    QFont font_;
    QHash<QChar, QChar> encode_map_;
    QHash<QChar, QChar> decode_map_;
    QHash<QChar, QFont> adorn_map_;
    ChordFontMetrics metrics_;
};

}  // namespace zub
