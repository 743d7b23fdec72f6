// Chord symbols as the user types them: the editor's grammar of a chord symbol
// (root, chord type, optional slash and bass) over the chord font's encoding,
// and the tests of a chord type against the chord-type names.
//
// API:
//   parseChordString(font, text)            -> std::optional<ParsedChordString>
//   isValidChordType(type, ignoreCase)       -> std::optional<QString> (canonical name)
//   isValidChordTypePrefix(type, ignoreCase) -> std::optional<QString> (canonical prefix)
//   matchingChordTypes(prefix)               -> QStringList (list order)
// The chord-type tests take display-form types; each has an overload with an
// explicit name list (the others use ChordTypeNames::shared()).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "editor/entry/chord_type_names.h"
#include "editor/layout/chord_font.h"

namespace zub {

// The parts of a chord string. Root and bass are a letter with their
// accidentals as the font's encoded sharp or flat (once or twice); the chord
// type is encoded; bass is empty when the slash has no note after it.
struct ParsedChordString {
    QString root;
    QString chordType;
    bool containsSlash = false;
    QString bass;
};

// parseChordString(font, "bb7/f#") -> root "B♭", type "7", slash, bass "F♯" (encoded);
// "c" -> root "C"; "b" -> root "B"; "C7/" -> slash without bass; std::nullopt when
// the text has no root letter first or something is left over ("C7/9", "H7", "").
std::optional<ParsedChordString> parseChordString(const ChordFont& font, const QString& text);

// isValidChordType("m7", false) -> "m7"; ("MAJ7", true) -> "Maj7"; ("", _) -> "";
// std::nullopt when no name equals the type.
std::optional<QString> isValidChordType(const QString& type, bool ignoreCase);
std::optional<QString> isValidChordType(const QString& type, bool ignoreCase, const ChordTypeNames& names);

// isValidChordTypePrefix("m7♭", false) -> "m7♭"; ("MA", true) -> "Ma"; ("", _) -> "";
// std::nullopt when no name begins with the type.
std::optional<QString> isValidChordTypePrefix(const QString& type, bool ignoreCase);
std::optional<QString> isValidChordTypePrefix(const QString& type, bool ignoreCase, const ChordTypeNames& names);

// matchingChordTypes("m7") -> {"m7", "m7♭5"}; "" -> every name; case-sensitive.
QStringList matchingChordTypes(const QString& prefix);
QStringList matchingChordTypes(const QString& prefix, const ChordTypeNames& names);

}  // namespace zub
