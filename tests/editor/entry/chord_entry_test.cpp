#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "bridge/accidentals.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/entry/chord_formatter.h"
#include "editor/entry/chord_symbol.h"
#include "editor/entry/chord_type_names.h"

namespace zub {
namespace {

const QString flat = QString::fromUtf8("\u266D");
const QString sharp = QString::fromUtf8("\u266F");
// What a substituting chord font shows for the display flat and sharp.
const QString shownFlat = QString::fromUtf8("\u00A2");
const QString shownSharp = QString::fromUtf8("\u00A3");

QFont dejaVu() {
    QFont font("DejaVu Sans");
    font.setPointSizeF(14);
    return font;
}

// Shows every character as itself.
const ChordFont& plainFont() {
    static const ChordFont font(dejaVu(), {});
    return font;
}

// Shows flat and sharp as other characters, so encoded and display forms differ.
const ChordFont& substitutingFont() {
    static const ChordFont font(dejaVu(), {{flat[0], {shownFlat[0], dejaVu()}}, {sharp[0], {shownSharp[0], dejaVu()}}});
    return font;
}

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

TEST(ChordFormatter, CorrectionsUseTheShownSharpAndFlat) {
    const ChordFormatter formatter(substitutingFont());
    EXPECT_EQ(formatter.isPartialStringValid("f#").text, "F" + shownSharp);
    EXPECT_EQ(formatter.isPartialStringValid("bbm7b5").text, "B" + shownFlat + "m7" + shownFlat + "5");
    EXPECT_EQ(formatter.isPartialStringValid("E" + flat + "7/G" + sharp).text, "E" + shownFlat + "7/G" + shownSharp);
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

// A window with the field editor and a second field to move the focus to.
class ChordFieldEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        editor = new ChordFieldEditor(substitutingFont(), &window);
        other = new QLineEdit(&window);
        layout->addWidget(editor);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editor->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    }

    // The shown texts after each key of keys.
    std::vector<QString> typeKeyByKey(const QString& keys) {
        std::vector<QString> shown;
        for (QChar key : keys) {
            QTest::keyClicks(editor, QString(key));
            shown.push_back(editor->text());
        }
        return shown;
    }

    QWidget window;
    ChordFieldEditor* editor = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(ChordFieldEditorTest, TypingCorrectsCaseKeyByKey) {
    EXPECT_EQ(typeKeyByKey("cm7"), (std::vector<QString>{"C", "Cm", "Cm7"}));
    EXPECT_EQ(editor->chord(), "Cm7");
}

TEST_F(ChordFieldEditorTest, LowerCaseBAfterALetterIsAFlat) {
    EXPECT_EQ(typeKeyByKey("bb"), (std::vector<QString>{"B", "B" + shownFlat}));
    EXPECT_EQ(editor->chord(), "B" + flat);
    editor->setChord("");
    typeKeyByKey("b");
    EXPECT_EQ(editor->chord(), "B");
}

TEST_F(ChordFieldEditorTest, SharpIsShownInTheFontAndStoredInDisplayForm) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    QTest::keyClicks(editor, "F#");
    EXPECT_EQ(editor->text(), "F" + shownSharp);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 1);
    const QString stored = ended.at(0).at(0).toString();
    EXPECT_EQ(stored, "F" + sharp);
    EXPECT_EQ(replaceWithAsciiSharpsAndFlats(stored.toStdString()), "F#");
}

TEST_F(ChordFieldEditorTest, RefusedKeystrokesLeaveTheTextUnchanged) {
    QTest::keyClicks(editor, "Cm");
    QTest::keyClicks(editor, "x");
    EXPECT_EQ(editor->text(), "Cm");
    EXPECT_EQ(editor->lastError(), "Invalid chord type prefix");
    QTest::keyClicks(editor, "7");
    EXPECT_EQ(editor->text(), "Cm7");
    EXPECT_EQ(editor->lastError(), "");
    editor->setChord("");
    QTest::keyClicks(editor, "7");
    EXPECT_EQ(editor->text(), "");
    EXPECT_EQ(editor->lastError(), "Invalid chord string");
}

TEST_F(ChordFieldEditorTest, FailingFinalCheckKeepsTheEditUntilMended) {
    struct Case {
        QString keys, shown, error, mending, stored;
    };
    const std::vector<Case> cases = {
        {"C7/", "C7/", "Root must follow slash", "e", "C7/E"},
        {"cmaj", "CMaj", "Invalid chord type", "7", "CMaj7"},
    };
    for (const Case& c : cases) {
        editor->setChord("");
        QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
        QTest::keyClicks(editor, c.keys);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(ended.count(), 0) << c.keys.toStdString();
        EXPECT_EQ(editor->text(), c.shown);
        EXPECT_EQ(editor->lastError(), c.error);
        EXPECT_TRUE(editor->editInProgress());
        QTest::keyClicks(editor, c.mending);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_EQ(ended.count(), 1) << c.keys.toStdString();
        EXPECT_EQ(ended.at(0).at(0).toString(), c.stored);
        EXPECT_EQ(editor->lastError(), "");
    }
}

// A chord stored by hand may be no chord of the list: it is shown as it is, and
// keystrokes are still checked.
TEST_F(ChordFieldEditorTest, StoredChordIsShownUncheckedAndEditsStayChecked) {
    QSignalSpy rejected(&editor->formatter(), &ChordFormatter::keystrokeRejected);
    editor->setChord("Cfoo");
    EXPECT_EQ(editor->text(), "Cfoo");
    EXPECT_EQ(rejected.count(), 0);
    QTest::keyClicks(editor, "x");
    EXPECT_EQ(editor->text(), "Cfoo");
    EXPECT_EQ(editor->lastError(), "Invalid chord type prefix");
    editor->setChord("cmaj7");
    EXPECT_EQ(editor->text(), "cmaj7");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(editor->lastError(), "");  // nothing was edited, nothing is checked
    other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(ChordFieldEditorTest, EmptyTextEndsAsAnEmptySlot) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    editor->setChord("G7");
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->text(), "");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toString(), "");
}

TEST_F(ChordFieldEditorTest, EditingBeginsOnceAndEndsOnlyAfterAChange) {
    QSignalSpy began(editor, &ChordFieldEditor::editingBegan);
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    editor->setChord("B" + flat + "7");
    EXPECT_EQ(editor->text(), "B" + shownFlat + "7");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(ended.count(), 0);
    QTest::keyClicks(editor, "b9");
    EXPECT_EQ(began.count(), 1);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toString(), "B" + flat + "7" + flat + "9");
    EXPECT_FALSE(editor->editInProgress());
}

TEST_F(ChordFieldEditorTest, FocusOutEndsTheEdit) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    QTest::keyClicks(editor, "g7");
    other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toString(), "G7");
    EXPECT_TRUE(other->hasFocus());
    // Coming back and leaving without a change ends nothing.
    editor->setFocus(Qt::TabFocusReason);
    other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(ChordFieldEditorTest, FocusOutWithAFailingTextTakesTheFocusBack) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    QTest::keyClicks(editor, "C7/");
    other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(editor->text(), "C7/");
    EXPECT_EQ(editor->lastError(), "Root must follow slash");
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(ChordFieldEditorTest, CompletionsOfDmAreDFollowedByEachMinorType) {
    QTest::keyClicks(editor, "dm");
    const QStringList expected = {"Dm",     "Dm11",  "Dm13",  "Dm6",         "Dm69",
                                  "Dm7",    "Dm7" + flat + "5", "Dm7" + sharp + "5", "Dm9",
                                  "Dm9" + flat + "5", "DmMaj7", "DmMaj9", "Dmadd9", "Dm" + flat + "6",
                                  "Dm" + sharp + "5"};
    EXPECT_EQ(editor->completions(), expected);
    editor->setChord("");
    QTest::keyClicks(editor, "bbm7");
    EXPECT_EQ(editor->completions(),
              QStringList({"B" + flat + "m7", "B" + flat + "m7" + flat + "5", "B" + flat + "m7" + sharp + "5"}));
    editor->setChord("C7/");
    EXPECT_TRUE(editor->completions().isEmpty());
    editor->setChord("Cx");
    EXPECT_TRUE(editor->completions().isEmpty());
}

TEST_F(ChordFieldEditorTest, CompletionListOpensOnlyWhenAskedFor) {
    QTest::keyClicks(editor, "dm");
    EXPECT_FALSE(editor->completer()->popup()->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(editor->completer()->popup()->isVisible());
    EXPECT_EQ(editor->completer()->completionCount(), 15);
    // Typing goes on into the field and narrows the open list.
    QTest::keyClicks(editor, "7");
    EXPECT_EQ(editor->text(), "Dm7");
    EXPECT_EQ(editor->completer()->completionCount(), 3);
    editor->completer()->popup()->hide();
}

// With the list open, keys arrive at the popup first, as they do from the window system.
TEST_F(ChordFieldEditorTest, OpenListPassesTypingOnAndReturnChoosesTheCompletion) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    QTest::keyClicks(editor, "dm");
    editor->complete();
    QWidget* popup = editor->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClicks(popup, "7");
    EXPECT_EQ(editor->text(), "Dm7");
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(editor->text(), "Dm7" + shownFlat + "5");
    EXPECT_EQ(ended.count(), 0);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toString(), "Dm7" + flat + "5");
}

TEST_F(ChordFieldEditorTest, EscapeClosesAnOpenListAndTabIsNotNavigation) {
    int navigations = 0;
    editor->setNavigationHandler([&](NavigationCommand, bool) { return ++navigations > 0; });
    QTest::keyClicks(editor, "dm");
    QTest::keyClick(editor, Qt::Key_Escape);
    QWidget* popup = editor->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(editor->text(), "Dm");
    editor->complete();
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Tab);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(editor->text(), "Dm");
    EXPECT_EQ(navigations, 0);
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(ChordFieldEditorTest, ChosenCompletionIsAnEdit) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    QTest::keyClicks(editor, "bbm");
    editor->complete();
    emit editor->completer()->activated("B" + flat + "m7" + flat + "5");
    EXPECT_EQ(editor->text(), "B" + shownFlat + "m7" + shownFlat + "5");
    editor->completer()->popup()->hide();
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toString(), "B" + flat + "m7" + flat + "5");
}

TEST_F(ChordFieldEditorTest, NavigationKeysGoToTheHandlerFirst) {
    std::vector<std::pair<NavigationCommand, bool>> seen;
    editor->setNavigationHandler([&](NavigationCommand command, bool extend) {
        seen.emplace_back(command, extend);
        return command != NavigationCommand::MoveLeft;  // the caret moves left on its own
    });
    QTest::keyClicks(editor, "C7");
    QTest::keyClick(editor, Qt::Key_Tab);
    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Left);
    const std::vector<std::pair<NavigationCommand, bool>> expected = {
        {NavigationCommand::InsertTab, false},
        {NavigationCommand::MoveRight, true},
        {NavigationCommand::MoveWordLeft, false},
        {NavigationCommand::MoveLeft, false},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_TRUE(editor->hasFocus());
    // Caps Lock, in the native modifier mask of the window system, extends like Shift.
    QKeyEvent capsDown(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, 0, 0, 0x2);
    QApplication::sendEvent(editor, &capsDown);
    EXPECT_EQ(seen.back(), std::make_pair(NavigationCommand::MoveDown, true));
}

}  // namespace
}  // namespace zub
