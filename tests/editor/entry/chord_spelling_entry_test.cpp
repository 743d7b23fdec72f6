// Chord entry takes the spellings musicians type and stores the canonical names;
// the chord font draws every character of every name.
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "bridge/my_constants.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/entry/chord_formatter.h"
#include "editor/entry/chord_type_names.h"
#include "entry_testing.h"

namespace zub {
namespace {

using testing::flat;
using testing::plainFont;
using testing::sharp;

TEST(ChordSpellingEntry, SpellingsTypedWholeBecomeNames) {
    const std::pair<QString, QString> cases[] = {
        {"cmaj7", "CMaj7"},
        {"cM7", "CMaj7"},
        {QString::fromUtf8("c\u03947"), "CMaj7"},
        {"c^7", "CMaj7"},
        {QString::fromUtf8("C\u0394\u266F5"), "CMaj7" + sharp + "5"},
        {"d-7", "Dm7"},
        {QString::fromUtf8("b\u00F8"), "Bm7" + flat + "5"},
        {QString::fromUtf8("B\u00F87"), "Bm7" + flat + "5"},
        {QString::fromUtf8("B\u00B07"), "Bdim7"},
        {"Bo7", "Bdim7"},
        {"galt", "G7alt"},
        {"C6/9", "C69"},
        {"d7b13", "D7" + flat + "13"},
        {"F13#11/A", "F13" + sharp + "11/A"},
        {"Eb7(#11,b9)", "E" + flat + "7" + flat + "9" + sharp + "11"},
        {"Cal", "Cal"},     // on its way to C7alt
        {"Cm(ma", "Cm(ma"}, // on its way to CmMaj7
    };
    const ChordFormatter formatter(plainFont());
    for (const auto& [typed, shown] : cases) {
        const auto check = formatter.isPartialStringValid(typed);
        ASSERT_TRUE(check.accepted) << typed.toStdString();
        EXPECT_EQ(check.text, shown) << typed.toStdString();
    }
    // A slash ends the type, so what follows it must be a note.
    EXPECT_EQ(formatter.isPartialStringValid("Cal/").error, "Invalid chord type prefix");
    EXPECT_EQ(formatter.isPartialStringValid("Cxyz").error, "Invalid chord type prefix");
}

// Each keystroke as the line edit offers it: the text so far plus one character.
std::vector<QString> typedKeyByKey(const ChordFormatter& formatter, const QString& keys) {
    std::vector<QString> shown;
    QString text;
    for (QChar key : keys) {
        QString proposed = text + key;
        int pos = static_cast<int>(proposed.size());
        if (formatter.validate(proposed, pos) != QValidator::Invalid) text = proposed;
        shown.push_back(text);
    }
    return shown;
}

TEST(ChordSpellingEntry, KeysAfterARespelledSignContinueIt) {
    const QString m7b5 = "m7" + flat + "5";
    const std::vector<std::pair<QString, std::vector<QString>>> cases = {
        {QString::fromUtf8("c\u03947"), {"C", "CMaj7", "CMaj7"}},
        {QString::fromUtf8("c\u03949"), {"C", "CMaj7", "CMaj9"}},
        {QString::fromUtf8("c\u039413"), {"C", "CMaj7", "CMaj1", "CMaj13"}},
        {QString::fromUtf8("b\u00F87"), {"B", "B" + m7b5, "B" + m7b5}},
        {QString::fromUtf8("b\u00F89"), {"B", "B" + m7b5, "Bm9" + flat + "5"}},
        {"c-7", {"C", "Cm", "Cm7"}},
        {"co7", {"C", "Cdim", "Cdim7"}},
        {"calt", {"C", "Ca", "Cal", "C7alt"}},
        {"c6/9", {"C", "C6", "C6/", "C69"}},
        {"cM7", {"C", "CM", "CMaj7"}},
    };
    for (const auto& [keys, shown] : cases) {
        const ChordFormatter formatter(plainFont());
        EXPECT_EQ(typedKeyByKey(formatter, keys), shown) << keys.toStdString();
    }
    // A key no spelling takes is still refused after a respelled sign.
    const ChordFormatter formatter(plainFont());
    EXPECT_EQ(typedKeyByKey(formatter, QString::fromUtf8("c\u0394x")).back(), "CMaj7");
    EXPECT_EQ(formatter.lastError(), "Invalid chord type prefix");
}

TEST(ChordSpellingEntry, TheFieldEditorStoresTheName) {
    const std::pair<QString, QString> cases[] = {
        {"c^7", "CMaj7"}, {"d-7", "Dm7"}, {"c6/9", "C69"}, {"d7b13", "D7" + flat + "13"}, {"g-7/f", "Gm7/F"},
    };
    for (const auto& [keys, stored] : cases) {
        ChordFieldEditor editor(plainFont());
        QSignalSpy ended(&editor, &ChordFieldEditor::editingEnded);
        QTest::keyClicks(&editor, keys);
        QTest::keyClick(&editor, Qt::Key_Return);
        ASSERT_EQ(ended.count(), 1) << keys.toStdString();
        EXPECT_EQ(ended.at(0).at(0).toString(), stored);
    }
}

TEST(ChordSpellingEntry, TheChordFontDrawsEveryCharacterOfEveryName) {
    const QString characters = QString::fromStdString(MyConstants::shared().chordCharacters());
    for (const QString& name : ChordTypeNames::shared().names())
        for (QChar ch : name) EXPECT_TRUE(characters.contains(ch)) << name.toStdString();
    // The flat of 7♭13 is drawn in the flat's font, as in 7♭9.
    const AdornedText adorned = plainFont().encodeAndAdorn("D7" + flat + "13");
    const AdornedText reference = plainFont().encodeAndAdorn("D7" + flat + "9");
    ASSERT_GE(adorned.size(), 1);
    QFont flatFont, referenceFlatFont;
    for (const AdornedRun& run : adorned)
        if (run.text.contains(flat)) flatFont = run.font;
    for (const AdornedRun& run : reference)
        if (run.text.contains(flat)) referenceFlatFont = run.font;
    EXPECT_EQ(flatFont, referenceFlatFont);
}

}  // namespace
}  // namespace zub
