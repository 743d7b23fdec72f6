#include <QApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "bridge/accidentals.h"
#include "editor/entry/chord_formatter.h"
#include "editor/entry/chord_symbol.h"
#include "editor/entry/chord_type_names.h"
#include "entry_testing.h"

namespace zub {
namespace {

using testing::dejaVu;
using testing::flat;
using testing::plainFont;
using testing::sharp;
using testing::shownFlat;
using testing::shownSharp;
using testing::substitutingFont;

TEST(ChordTypeNames, SharedListIsTheCoreTableInDisplayFormSorted) {
    const QStringList& names = ChordTypeNames::shared().names();
    EXPECT_EQ(names.size(), 68);
    for (const char* name : {"", "m7", "Maj7", "mMaj7", "dim7", "+", "sus"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(names.contains("m7" + flat + "5"));
    EXPECT_TRUE(names.contains("7" + sharp + "5" + sharp + "9"));
    for (const QString& name : names) {
        EXPECT_FALSE(name.contains('#')) << name.toStdString();
        EXPECT_FALSE(name.contains('b')) << name.toStdString();
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(ChordTypeNames({"m7", "7" + flat + "9", ""}).names(), QStringList({"", "7" + flat + "9", "m7"}));
}

TEST(ChordTypeTests, CompleteTypesAndPrefixesGiveTheCanonicalCase) {
    struct Case {
        QString type;
        bool ignoreCase;
        std::optional<QString> complete;
        std::optional<QString> prefix;
    };
    const std::vector<Case> cases = {
        {"", false, "", ""},
        {"m7", false, "m7", "m7"},
        {"M7", false, std::nullopt, std::nullopt},
        {"M", false, std::nullopt, "M"},
        {"MAJ7", true, "Maj7", "Maj7"},
        {"maj", true, std::nullopt, "Maj"},
        {"m7" + flat, false, std::nullopt, "m7" + flat},
        {"m7" + flat + "5", false, "m7" + flat + "5", "m7" + flat + "5"},
        {"DIM", true, "dim", "dim"},
        {"x", true, std::nullopt, std::nullopt},
        {"m7" + flat + "55", false, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isValidChordType(c.type, c.ignoreCase), c.complete) << c.type.toStdString();
        EXPECT_EQ(isValidChordTypePrefix(c.type, c.ignoreCase), c.prefix) << c.type.toStdString();
    }
}

TEST(ChordTypeTests, MatchingTypesAreCaseSensitiveInListOrder) {
    EXPECT_EQ(matchingChordTypes("m7"), QStringList({"m7", "m7" + flat + "5", "m7" + sharp + "5"}));
    EXPECT_EQ(matchingChordTypes("sus"), QStringList({"sus", "sus2"}));
    EXPECT_TRUE(matchingChordTypes("M7").isEmpty());
    EXPECT_EQ(matchingChordTypes(""), ChordTypeNames::shared().names());
    const ChordTypeNames own({"b", "a", "ab"});
    EXPECT_EQ(matchingChordTypes("a", own), QStringList({"a", "ab"}));
}

TEST(ParseChordString, RootTypeSlashAndBass) {
    struct Case {
        const ChordFont* font;
        QString text;
        ParsedChordString parsed;
    };
    const ChordFont* plain = &plainFont();
    const ChordFont* subst = &substitutingFont();
    const std::vector<Case> cases = {
        {plain, "C", {"C", "", false, ""}},
        {plain, "c", {"C", "", false, ""}},
        {plain, "b", {"B", "", false, ""}},
        {plain, "bb", {"B" + flat, "", false, ""}},
        {plain, "Bbb", {"B" + flat + flat, "", false, ""}},
        {plain, "F#", {"F" + sharp, "", false, ""}},
        {plain, "F" + sharp + "#m7", {"F" + sharp + sharp, "m7", false, ""}},
        {plain, "cm7", {"C", "m7", false, ""}},
        {plain, "Cmaj7", {"C", "maj7", false, ""}},
        {plain, "D7b9", {"D", "7" + flat + "9", false, ""}},
        {plain, "E7#5#9", {"E", "7" + sharp + "5" + sharp + "9", false, ""}},
        {plain, "C7/", {"C", "7", true, ""}},
        {plain, "C/", {"C", "", true, ""}},
        {plain, "c7/bb", {"C", "7", true, "B" + flat}},
        {plain, "Am7/g", {"A", "m7", true, "G"}},
        {plain, "C#b", {"C" + sharp, flat, false, ""}},
        {subst, "bb7", {"B" + shownFlat, "7", false, ""}},
        {subst, "B" + flat + "7", {"B" + shownFlat, "7", false, ""}},
        {subst, "B" + shownFlat + "7", {"B" + shownFlat, "7", false, ""}},
        {subst, "F#", {"F" + shownSharp, "", false, ""}},
        {subst, "D7b9/f#", {"D", "7" + shownFlat + "9", true, "F" + shownSharp}},
        {subst, "Cm7" + shownFlat + "5", {"C", "m7" + shownFlat + "5", false, ""}},
    };
    for (const Case& c : cases) {
        const auto parsed = parseChordString(*c.font, c.text);
        ASSERT_TRUE(parsed) << c.text.toStdString();
        EXPECT_EQ(parsed->root, c.parsed.root) << c.text.toStdString();
        EXPECT_EQ(parsed->chordType, c.parsed.chordType) << c.text.toStdString();
        EXPECT_EQ(parsed->containsSlash, c.parsed.containsSlash) << c.text.toStdString();
        EXPECT_EQ(parsed->bass, c.parsed.bass) << c.text.toStdString();
    }
}

TEST(ParseChordString, ErrorCases) {
    for (const QString text : {"", "7", "#", "m7", "H7", " C", "/C", "C7/9", "C/F/G", "C7/x", "C7/F#b", "C7/Bbbb"})
        EXPECT_FALSE(parseChordString(plainFont(), text)) << text.toStdString();
}

// The text a keystroke leaves, or the description of its refusal.
struct Keystroke {
    QString proposed;
    QString accepted;
    QString error;
};

TEST(ChordFormatter, KeystrokesAreCorrectedOrRefused) {
    const std::vector<Keystroke> cases = {
        {"", "", ""},
        {"c", "C", ""},
        {"cm", "Cm", ""},
        {"cm7", "Cm7", ""},
        {"b", "B", ""},
        {"bb", "B" + flat, ""},
        {"f#", "F" + sharp, ""},
        {"cmaj", "CMaj", ""},
        {"CMAJ7", "CMaj7", ""},
        {"cM", "CM", ""},
        {"d7b9", "D7" + flat + "9", ""},
        {"am7b", "Am7" + flat, ""},
        {"c7/", "C7/", ""},
        {"cm7/", "Cm7/", ""},
        {"c7/bb", "C7/B" + flat, ""},
        {"gSUS", "Gsus", ""},
        {"7", "", "Invalid chord string"},
        {"x", "", "Invalid chord string"},
        {"C7/9", "", "Invalid chord string"},
        {"C7/F/", "", "Invalid chord string"},
        {"Cx", "", "Invalid chord type prefix"},
        {"Cm7" + flat + "6", "", "Invalid chord type prefix"},
        {"Cm7b/", "", "Invalid chord type prefix"},
        {"CMa/", "", "Invalid chord type prefix"},
    };
    const ChordFormatter formatter(plainFont());
    for (const Keystroke& c : cases) {
        const auto check = formatter.isPartialStringValid(c.proposed);
        EXPECT_EQ(check.accepted, c.error.isEmpty()) << c.proposed.toStdString();
        EXPECT_EQ(check.accepted ? check.text : check.error, c.error.isEmpty() ? c.accepted : c.error)
            << c.proposed.toStdString();
    }
}

TEST(ChordFormatter, ValidateStatesAndRejectionSignal) {
    ChordFormatter formatter(plainFont());
    QSignalSpy rejected(&formatter, &ChordFormatter::keystrokeRejected);
    struct Case {
        QString text;
        QValidator::State state;
        QString after;
    };
    const std::vector<Case> cases = {
        {"", QValidator::Acceptable, ""},
        {"cm7", QValidator::Acceptable, "Cm7"},
        {"cm7b", QValidator::Intermediate, "Cm7" + flat},
        {"c7/", QValidator::Intermediate, "C7/"},
        {"Cx", QValidator::Invalid, "Cx"},
    };
    for (Case c : cases) {
        int pos = static_cast<int>(c.text.size());
        EXPECT_EQ(formatter.validate(c.text, pos), c.state) << c.after.toStdString();
        EXPECT_EQ(c.text, c.after);
        EXPECT_EQ(pos, c.after.size());
    }
    ASSERT_EQ(rejected.count(), 1);
    EXPECT_EQ(rejected.at(0).at(0).toString(), "Invalid chord type prefix");
    EXPECT_EQ(formatter.lastError(), "Invalid chord type prefix");
}

TEST(ChordFormatter, CorrectionKeepsTheCaretBeforeTheSameCharacters) {
    const ChordFormatter formatter(plainFont());
    QString text = "cm7";
    int pos = 1;  // after the root
    formatter.validate(text, pos);
    EXPECT_EQ(text, "Cm7");
    EXPECT_EQ(pos, 1);
}

TEST(ChordFormatter, FinalCheckErrorCases) {
    struct Case {
        QString text;
        std::optional<QString> error;
    };
    const std::vector<Case> cases = {
        {"", std::nullopt},
        {"C", std::nullopt},
        {"Cm7", std::nullopt},
        {"B" + flat + "m7" + flat + "5/F" + sharp, std::nullopt},
        {"x", "Invalid chord string"},
        {"C7/9", "Invalid chord string"},
        {"C7/", "Root must follow slash"},
        {"C/", "Root must follow slash"},
        {"Cm7" + flat, "Invalid chord type"},
        {"Cmaj7", "Invalid chord type"},
        {"Cm7b5", std::nullopt},  // "b" in a type reads as the flat, as while typing
        {"Cm7b", "Invalid chord type"},
    };
    const ChordFormatter formatter(plainFont());
    for (const Case& c : cases) EXPECT_EQ(formatter.finalCheck(c.text), c.error) << c.text.toStdString();
    EXPECT_EQ(ChordFormatter(substitutingFont()).finalCheck("B" + shownFlat + "7"), std::nullopt);
}

// Every chord type of the core, typed in ASCII with a lower-case root, becomes
// the shown chord and passes the final check; its display form is the typed one.
TEST(ChordFormatter, EveryCoreChordTypeRoundTrips) {
    for (const ChordFont* font : {&plainFont(), &substitutingFont()}) {
        const ChordFormatter formatter(*font);
        for (const QString& name : ChordTypeNames::shared().names()) {
            const QString ascii = QString::fromStdString(replaceWithAsciiSharpsAndFlats(name.toStdString()));
            for (const auto& [typed, display] : {std::pair{"bb" + ascii, "B" + flat + name},
                                                 std::pair{"f#" + ascii + "/eb", "F" + sharp + name + "/E" + flat}}) {
                const auto check = formatter.isPartialStringValid(typed);
                ASSERT_TRUE(check.accepted) << typed.toStdString();
                EXPECT_EQ(check.text, font->encode(display)) << typed.toStdString();
                EXPECT_EQ(formatter.finalCheck(check.text), std::nullopt) << typed.toStdString();
                EXPECT_EQ(font->decode(check.text), display);
            }
        }
    }
}

TEST(ChordFormatter, ObjectValues) {
    EXPECT_EQ(ChordFormatter::stringForObjectValue(QVariant(QString("Cm7"))), "Cm7");
    const AdornedText runs = {{"B", dejaVu()}, {shownFlat, dejaVu()}, {"7", dejaVu()}};
    EXPECT_EQ(ChordFormatter::stringForObjectValue(QVariant::fromValue(runs)), "B" + shownFlat + "7");
    EXPECT_EQ(ChordFormatter::stringForObjectValue(QVariant(7)), std::nullopt);
    const ChordFormatter formatter(substitutingFont());
    const auto adorned = formatter.attributedStringForObjectValue(QVariant(QString("B" + shownFlat + "7")));
    ASSERT_TRUE(adorned);
    QString text;
    for (const AdornedRun& run : *adorned) text += run.text;
    EXPECT_EQ(text, "B" + shownFlat + "7");
    EXPECT_EQ(formatter.attributedStringForObjectValue(QVariant()), std::nullopt);
}

}  // namespace
}  // namespace zub
