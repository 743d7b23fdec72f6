#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

#include "bridge/accidentals.h"
#include "editor/entry/chord_field_editor.h"
#include "entry_testing.h"

namespace zub {
namespace {

using testing::flat;
using testing::sharp;
using testing::shownFlat;
using testing::shownSharp;
using testing::substitutingFont;

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

// Case is corrected, a lower-case b after a letter is a flat, and accidentals show in the font.
TEST_F(ChordFieldEditorTest, TypingIsCorrectedKeyByKey) {
    const struct {
        QString keys;
        std::vector<QString> shown;
        QString chord;
    } cases[] = {
        {"cm7", {"C", "Cm", "Cm7"}, "Cm7"},
        {"bb", {"B", "B" + shownFlat}, "B" + flat},
        {"b", {"B"}, "B"},
        {"F#", {"F", "F" + shownSharp}, "F" + sharp},
    };
    for (const auto& c : cases) {
        editor->setChord("");
        EXPECT_EQ(typeKeyByKey(c.keys), c.shown) << c.keys.toStdString();
        EXPECT_EQ(editor->chord(), c.chord) << c.keys.toStdString();
    }
}

TEST_F(ChordFieldEditorTest, SharpIsStoredInDisplayForm) {
    QSignalSpy ended(editor, &ChordFieldEditor::editingEnded);
    QTest::keyClicks(editor, "F#");
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
    // An emptied text ends as an empty slot.
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->text(), "");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 2);
    EXPECT_EQ(ended.at(1).at(0).toString(), "");
}

TEST_F(ChordFieldEditorTest, FocusOutEndsTheEditUnlessTheTextFails) {
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
    // A text that fails its final check takes the focus back.
    editor->setFocus(Qt::TabFocusReason);
    editor->setChord("");
    QTest::keyClicks(editor, "C7/");
    other->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(ended.count(), 1);
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
    editor->setNavigationHandler([&](NavigationKey, bool) { return ++navigations > 0; });
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

TEST_F(ChordFieldEditorTest, NavigationKeysGoToTheHandlerFirst) {
    std::vector<std::pair<NavigationKey, bool>> seen;
    editor->setNavigationHandler([&](NavigationKey command, bool extend) {
        seen.emplace_back(command, extend);
        return command != NavigationKey::MoveLeft;  // the caret moves left on its own
    });
    QTest::keyClicks(editor, "C7");
    QTest::keyClick(editor, Qt::Key_Tab);
    QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(editor, Qt::Key_Left, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Left);
    const std::vector<std::pair<NavigationKey, bool>> expected = {
        {NavigationKey::InsertTab, false},
        {NavigationKey::MoveRight, true},
        {NavigationKey::MoveWordLeft, false},
        {NavigationKey::MoveLeft, false},
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_TRUE(editor->hasFocus());
    // Caps Lock, in the native modifier mask of the window system, extends like Shift.
    QKeyEvent capsDown(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, 0, 0, 0x2);
    QApplication::sendEvent(editor, &capsDown);
    EXPECT_EQ(seen.back(), std::make_pair(NavigationKey::MoveDown, true));
}

}  // namespace
}  // namespace zub
