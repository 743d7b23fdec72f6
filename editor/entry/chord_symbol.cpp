#include "editor/entry/chord_symbol.h"

#include <QStringView>

#include "bridge/my_constants.h"

namespace zub {

namespace {

const QString& displaySharp() {
    static const QString sharp = QString::fromStdString(MyConstants::shared().sharp());
    return sharp;
}

const QString& displayFlat() {
    static const QString flat = QString::fromStdString(MyConstants::shared().flat());
    return flat;
}

// The letters a root may start with, in the order they are tried.
constexpr QStringView rootLetters = u"ABCDEFGabcdefg";

// Reads the chord text from left to right.
class ChordScanner {
public:
    ChordScanner(const ChordFont& font, const QString& text)
        : text_(text), sharps_{font.encodedSharp(), QStringLiteral("#"), displaySharp()},
          flats_{font.encodedFlat(), QStringLiteral("b"), displayFlat()},
          encoded_sharp_(font.encodedSharp()), encoded_flat_(font.encodedFlat()) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    // A letter and up to two accidentals of one kind; empty when no letter is here.
    QString note() {
        if (atEnd() || !rootLetters.contains(text_[pos_])) return {};
        QString note(text_[pos_++].toUpper());
        if (take(sharps_)) {
            note += encoded_sharp_;
            if (take(sharps_)) note += encoded_sharp_;
        } else if (take(flats_)) {
            note += encoded_flat_;
            if (take(flats_)) note += encoded_flat_;
        }
        return note;
    }

    QString upToSlash() {
        const qsizetype slash = text_.indexOf(u'/', pos_);
        const qsizetype end = slash < 0 ? text_.size() : slash;
        QString part = text_.mid(pos_, end - pos_);
        pos_ = end;
        return part;
    }

    bool takeSlash() {
        if (atEnd() || text_[pos_] != u'/') return false;
        ++pos_;
        return true;
    }

private:
    // Consumes one of the spellings of an accidental found at the position.
    bool take(const QStringList& spellings) {
        for (const QString& s : spellings) {
            if (!s.isEmpty() && QStringView(text_).mid(pos_).startsWith(s)) {
                pos_ += s.size();
                return true;
            }
        }
        return false;
    }

    const QString& text_;
    qsizetype pos_ = 0;
    QStringList sharps_;
    QStringList flats_;
    QString encoded_sharp_;
    QString encoded_flat_;
};

// The chord type typed, possibly with "#", "b" or shown characters, in the font's encoding.
QString encodedChordType(const ChordFont& font, const QString& typed) {
    QString display = font.decode(typed);
    display.replace(u'#', displaySharp());
    display.replace(u'b', displayFlat());
    return font.encode(display);
}

bool startsWith(const QString& name, const QString& prefix, bool ignoreCase) {
    return name.startsWith(prefix, ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

}  // namespace

std::optional<ParsedChordString> parseChordString(const ChordFont& font, const QString& text) {
    ChordScanner scanner(font, text);
    ParsedChordString parsed;
    parsed.root = scanner.note();
    if (parsed.root.isEmpty()) return std::nullopt;
    parsed.chordType = encodedChordType(font, scanner.upToSlash());
    parsed.containsSlash = scanner.takeSlash();
    if (parsed.containsSlash) parsed.bass = scanner.note();
    if (!scanner.atEnd()) return std::nullopt;
    return parsed;
}

std::optional<QString> isValidChordType(const QString& type, bool ignoreCase) {
    return isValidChordType(type, ignoreCase, ChordTypeNames::shared());
}

std::optional<QString> isValidChordType(const QString& type, bool ignoreCase, const ChordTypeNames& names) {
    if (type.isEmpty()) return QString();
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (const QString& name : names.names())
        if (name.compare(type, cs) == 0) return name;
    return std::nullopt;
}

std::optional<QString> isValidChordTypePrefix(const QString& type, bool ignoreCase) {
    return isValidChordTypePrefix(type, ignoreCase, ChordTypeNames::shared());
}

std::optional<QString> isValidChordTypePrefix(const QString& type, bool ignoreCase, const ChordTypeNames& names) {
    if (type.isEmpty()) return QString();
    for (const QString& name : names.names())
        if (startsWith(name, type, ignoreCase)) return name.left(type.size());
    return std::nullopt;
}

QStringList matchingChordTypes(const QString& prefix) { return matchingChordTypes(prefix, ChordTypeNames::shared()); }

QStringList matchingChordTypes(const QString& prefix, const ChordTypeNames& names) {
    QStringList matching;
    for (const QString& name : names.names())
        if (startsWith(name, prefix, false)) matching.push_back(name);
    return matching;
}

}  // namespace zub
