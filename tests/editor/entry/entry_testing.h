// The chord fonts the entry tests show chords in.
#pragma once

#include <QFont>
#include <QString>

#include "editor/layout/chord_font.h"

namespace zub::testing {

const QString flat = QString::fromUtf8("\u266D");
const QString sharp = QString::fromUtf8("\u266F");
// What a substituting chord font shows for the display flat and sharp.
const QString shownFlat = QString::fromUtf8("\u00A2");
const QString shownSharp = QString::fromUtf8("\u00A3");

inline QFont dejaVu() {
    QFont font("DejaVu Sans");
    font.setPointSizeF(14);
    return font;
}

// Shows every character as itself.
inline const ChordFont& plainFont() {
    static const ChordFont font(dejaVu(), {});
    return font;
}

// Shows flat and sharp as other characters, so encoded and display forms differ.
inline const ChordFont& substitutingFont() {
    static const ChordFont font(dejaVu(), {{flat[0], {shownFlat[0], dejaVu()}}, {sharp[0], {shownSharp[0], dejaVu()}}});
    return font;
}

}  // namespace zub::testing
