// The chord-type names the editor offers and accepts: the core's chord-type
// table fetched once through "Chordtype.all_names", each name in display form
// (display sharp and flat), sorted by plain string comparison.
//
// API:
//   ChordTypeNames::shared()            the one list of the program, made on first use
//   ChordTypeNames(names)               a list of display-form names (sorted here)
//   names()                             the sorted names
#pragma once

#include <QString>
#include <QStringList>

namespace zub {

class ChordTypeNames {
public:
    // shared() -> {"", "+", "13", ..., "m7♭5", ...}; fails like the entry point when the core is missing.
    static const ChordTypeNames& shared();

    // ChordTypeNames({"m7", "7♭9", ""}) -> names() == {"", "7♭9", "m7"}.
    explicit ChordTypeNames(QStringList displayNames);

    const QStringList& names() const { return names_; }

private:
    QStringList names_;
};

}  // namespace zub
