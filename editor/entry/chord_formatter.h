// The chord formatter: the validator of a chord slot. On every keystroke it
// accepts only text that can still become a chord symbol, correcting the case
// of the root and the chord type and turning "#" and "b" into the chord font's
// sharp and flat, and turning the spellings musicians type into the names
// ("CM7" -> "CMaj7", "C-7" -> "Cm7", "Cø" -> "Cm7♭5", "C6/9" -> "C69"); when
// editing ends it checks the text is a whole chord.
// Texts given to and returned by the formatter are in the font's encoded
// (shown) form.
//
// API:
//   ChordFormatter(font, parent)
//   validate(text, pos)            QValidator: Invalid (with a beep), Intermediate or Acceptable;
//                                  corrects text in place
//   lastError()                    "Invalid chord string" / "Invalid chord type prefix" of the
//                                  last rejected keystroke, empty after an accepted one
//   isPartialStringValid(text)     -> PartialCheck {accepted, corrected text, error}, no beep
//   fixup(text)                    the same correction applied to a complete text
//   finalCheck(text)               -> std::optional<QString> error: "Invalid chord string",
//                                     "Root must follow slash", "Invalid chord type"
//   stringForObjectValue(value)    -> the text of a QString or an AdornedText value
//   attributedStringForObjectValue(value) -> the text adorned in the chord font
//   setChordFont(font), chordFont()
#pragma once

#include <QString>
#include <QValidator>
#include <QVariant>

#include <optional>

#include "editor/layout/chord_font.h"

namespace zub {

class ChordFormatter : public QValidator {
    Q_OBJECT
public:
    struct PartialCheck {
        bool accepted = false;
        QString text;   // the corrected text when accepted
        QString error;  // the description when refused
    };

    explicit ChordFormatter(const ChordFont& font, QObject* parent = nullptr);

    void setChordFont(const ChordFont& font) { font_ = font; }
    const ChordFont& chordFont() const { return font_; }

    // validate("cm7b", pos) -> Intermediate, text "Cm7♭"; ("Cx", pos) -> Invalid, beep,
    // lastError() "Invalid chord type prefix"; ("Cm7", pos) -> Acceptable; "" -> Acceptable.
    State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    const QString& lastError() const { return last_error_; }

    // isPartialStringValid("f#") -> accepted, "F" + encoded sharp; ("7") -> "Invalid chord string";
    // ("nc") -> "N.C." (no chord), ("n.") -> "N." on its way there;
    // ("c-7") -> "Cm7"; ("Cal") -> accepted as typed, on its way to "C7alt".
    PartialCheck isPartialStringValid(const QString& text) const;

    // finalCheck("Cm7") -> nullopt; "" -> nullopt; "C7/" -> "Root must follow slash";
    // "Cm7♭" -> "Invalid chord type"; "x" -> "Invalid chord string".
    std::optional<QString> finalCheck(const QString& text) const;

    // stringForObjectValue(QString "Cm7") -> "Cm7"; (AdornedText) -> its plain text; other -> nullopt.
    static std::optional<QString> stringForObjectValue(const QVariant& value);
    // attributedStringForObjectValue(QString "B♭7") -> runs in the fonts of the adornment; nullopt as above.
    std::optional<AdornedText> attributedStringForObjectValue(const QVariant& value) const;

signals:
    // A keystroke was refused with this description (after the beep).
    void keystrokeRejected(const QString& description) const;

private:
    // What the user typed and what was shown for it after the last accepted keystroke.
    struct Spelling {
        QString typed;
        QString shown;
    };

    // isPartialStringValid, continuing a respelled sign the keystroke extends.
    PartialCheck checkKeystroke(const QString& text) const;

    ChordFont font_;
    mutable QString last_error_;
    mutable Spelling spelling_;
};

}  // namespace zub

Q_DECLARE_METATYPE(zub::AdornedText)
