#include "editor/entry/chord_formatter.h"

#include <QApplication>

#include <algorithm>

#include "bridge/accidentals.h"
#include "bridge/chord_spelling.h"
#include "bridge/form_marks.h"
#include "editor/entry/chord_symbol.h"

namespace zub {

namespace {

const QString invalidChordString = QStringLiteral("Invalid chord string");
const QString invalidChordTypePrefix = QStringLiteral("Invalid chord type prefix");

// A type as typed, in canonical case: complete after a slash (nothing more can
// be added to it), else a beginning of a name.
std::optional<QString> canonicalType(const QString& type, bool complete) {
    using TypeTest = std::optional<QString> (*)(const QString&, bool);
    const TypeTest test = complete ? TypeTest(&isValidChordType) : TypeTest(&isValidChordTypePrefix);
    if (auto exact = test(type, false)) return exact;
    return test(type, true);
}

// The text with musicians' spellings made names ("C-7" -> "Cm7", "C6/9" -> "C69").
QString respelled(const ChordFont& font, const QString& text) {
    const std::string ascii = Chord_spelling::respell_symbol(font.decode(text).toStdString());
    return font.encode(QString::fromStdString(replaceWithUnicodeSharpsAndFlats(ascii)));
}

// A type still on its way to a spelling ("al" of alt, "m(ma" of m(maj7)) is kept as typed.
bool couldBecomeType(const QString& displayType) {
    return Chord_spelling::could_become_type(displayType.toStdString());
}

const QString noChord = QString::fromUtf8(no_chord_name.data(), static_cast<qsizetype>(no_chord_name.size()));

// "n", "N.", "N.C" are on their way to N.C.; "nc" is N.C. at once.
std::optional<QString> noChordTyped(const QString& text) {
    const QString upper = text.toUpper();
    if (upper == QStringLiteral("NC")) return noChord;
    if (noChord.startsWith(upper)) return upper;
    return std::nullopt;
}

QString rebuilt(const ParsedChordString& chord, const QString& encodedType) {
    if (!chord.containsSlash) return QStringLiteral("%1%2").arg(chord.root, encodedType);
    return QStringLiteral("%1%2/%3").arg(chord.root, encodedType, chord.bass);
}

}  // namespace

ChordFormatter::ChordFormatter(const ChordFont& font, QObject* parent) : QValidator(parent), font_(font) {}

ChordFormatter::PartialCheck ChordFormatter::isPartialStringValid(const QString& text) const {
    if (text.isEmpty()) return {true, text, {}};
    if (const auto noChordText = noChordTyped(text)) return {true, *noChordText, {}};
    const auto chord = parseChordString(font_, respelled(font_, text));
    if (!chord) return {false, {}, invalidChordString};
    const QString typed = font_.decode(chord->chordType);
    auto type = canonicalType(typed, chord->containsSlash);
    if (!type && !chord->containsSlash && couldBecomeType(typed)) type = typed;
    if (!type) return {false, {}, invalidChordTypePrefix};
    return {true, rebuilt(*chord, font_.encode(*type)), {}};
}

ChordFormatter::PartialCheck ChordFormatter::checkKeystroke(const QString& text) const {
    PartialCheck check = isPartialStringValid(text);
    QString typed = text;
    // A key after a sign that was respelled whole ("CΔ" shown as "CMaj7", then "9")
    // continues what was typed: "CΔ9" is CMaj9, "Cø7" stays Cm7♭5.
    if (!check.accepted && !spelling_.shown.isEmpty() && text.size() > spelling_.shown.size() &&
        text.startsWith(spelling_.shown)) {
        const QString continued = spelling_.typed + text.mid(spelling_.shown.size());
        if (PartialCheck retry = isPartialStringValid(continued); retry.accepted) {
            check = retry;
            typed = continued;
        }
    }
    if (check.accepted) spelling_ = {typed, check.text};
    return check;
}

QValidator::State ChordFormatter::validate(QString& text, int& pos) const {
    const PartialCheck check = checkKeystroke(text);
    last_error_ = check.error;
    if (!check.accepted) {
        QApplication::beep();
        emit keystrokeRejected(check.error);
        return Invalid;
    }
    if (check.text != text) {
        // Corrections keep the caret where it was relative to the end of the text.
        const qsizetype shift = check.text.size() - text.size();
        pos = static_cast<int>(std::clamp<qsizetype>(pos + shift, 0, check.text.size()));
        text = check.text;
    }
    return finalCheck(text) ? Intermediate : Acceptable;
}

void ChordFormatter::fixup(QString& text) const {
    const PartialCheck check = isPartialStringValid(text);
    if (check.accepted) text = check.text;
}

std::optional<QString> ChordFormatter::finalCheck(const QString& text) const {
    if (text.isEmpty() || text == noChord) return std::nullopt;
    const auto chord = parseChordString(font_, text);
    if (!chord) return invalidChordString;
    if (chord->containsSlash && chord->bass.isEmpty()) return QStringLiteral("Root must follow slash");
    if (!isValidChordType(font_.decode(chord->chordType), false)) return QStringLiteral("Invalid chord type");
    return std::nullopt;
}

std::optional<QString> ChordFormatter::stringForObjectValue(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<QString>()) return value.toString();
    if (value.metaType() == QMetaType::fromType<AdornedText>()) {
        QString text;
        for (const AdornedRun& run : value.value<AdornedText>()) text += run.text;
        return text;
    }
    return std::nullopt;
}

std::optional<AdornedText> ChordFormatter::attributedStringForObjectValue(const QVariant& value) const {
    const auto text = stringForObjectValue(value);
    if (!text) return std::nullopt;
    return font_.adorn(*text);
}

}  // namespace zub
