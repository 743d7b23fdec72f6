#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "editor/app/edit_actions.h"
#include "editor/model/bar_edit_rules.h"
#include "editor/model/bars_clipboard.h"
#include "../chart_testing.h"
#include "../view_testing.h"
#include "../failure_testing.h"

namespace zub {
namespace {

using testing::chartOfBars;
using testing::chordField;
using testing::reasonOf;
using testing::titleField;

const QString autumn = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");


class Editing : public ::testing::Test {
protected:
    void open(const Plist& opened) {
        document_ = std::make_unique<MyDocument>(opened, QString());
        document_->show();
        view_ = document_->chartView();
        edit_ = std::make_unique<EditActions>(*view_, document_->edits());
        original_ = chart();
    }
    Plist chart() const { return document_->model().chart(); }
    std::size_t barCount() const { return document_->model().barCount(); }
    std::optional<BarRange> selection() const { return view_->selectedBars(); }
    QUndoStack& undo() { return *document_->undoStack(); }
    std::string chordAt(std::size_t bar, std::size_t slot) const { return document_->model().chord({bar, slot}); }
    std::vector<std::string> markers() const { return testing::markers(document_->model().allBars()); }
    void activate() {
        document_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(document_.get()));  // window shortcuts need an active window
    }
    void undoAll() {
        while (undo().canUndo()) undo().undo();
    }
    void redoAll() {
        while (undo().canRedo()) undo().redo();
    }

    std::unique_ptr<MyDocument> document_;
    ChartView* view_ = nullptr;
    std::unique_ptr<EditActions> edit_;
    Plist original_ = Plist::make_dictionary({});
};

TEST_F(Editing, TypingChordsKeyByKeyStoresThemWithUndo) {
    open(chartOfBars(2));
    QLineEdit* field = chordField(*view_);
    ASSERT_EQ(view_->activeSlot(), (SlotRef{0, 0}));
    field->clear();
    QTest::keyClicks(field, "Cm7");
    EXPECT_TRUE(view_->chordEditInProgress());
    EXPECT_TRUE(document_->isEdited());  // edited while the chord is being typed
    EXPECT_EQ(chordAt(0, 0), "D1");  // nothing stored yet
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(chordAt(0, 0), "Cm7");
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 1}));
    QTest::keyClicks(field, "F7");
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(chordAt(0, 1), "F7");
    EXPECT_EQ(undo().undoText(), "Chord Entry");
    EXPECT_EQ(undo().count(), 2);
    undo().undo();
    EXPECT_EQ(chordAt(0, 1), "");
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 1}));  // undo returns to the slot
    undoAll();
    EXPECT_EQ(chart(), original_);
}

TEST_F(Editing, TheFieldSitsExactlyOverItsSlot) {
    open(chartOfBars(3));
    view_->editSlot({1, 2});
    const BarPlacement& bar = view_->layout().bars[1];
    const LayoutRect& c = bar.chordFrames[2];
    const QRect expected = QRectF(bar.frame.x + c.x, bar.frame.y + c.y, c.width, c.height).toAlignedRect();
    EXPECT_EQ(chordField(*view_)->geometry(), expected);
    EXPECT_TRUE(chordField(*view_)->isVisible());
}

TEST_F(Editing, ArrowsMoveBetweenSlotsBarsAndLines) {
    open(chartOfBars(12));
    QLineEdit* field = chordField(*view_);
    view_->editSlot({0, 0});
    // "D1" is selected as the slot is entered: Left beeps at the first slot, Right moves on.
    QTest::keyClick(field, Qt::Key_Left);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 0}));
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 1}));
    // Once typing has begun, Left and Right move the caret inside the text first.
    QTest::keyClicks(field, "G7");
    QTest::keyClick(field, Qt::Key_Left);
    EXPECT_EQ(field->cursorPosition(), 1);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 1}));
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 2}));
    EXPECT_EQ(chordAt(0, 1), "G7");
    undo().undo();
    view_->editSlot({0, 1});
    QTest::keyClick(field, Qt::Key_Left);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 0}));
    view_->editSlot({0, 3});
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{1, 0}));
    QTest::keyClick(field, Qt::Key_Right, Qt::ControlModifier);  // word right: the half bar
    EXPECT_EQ(view_->activeSlot(), (SlotRef{1, 2}));
    ASSERT_GT(view_->layout().lineCount, 1u);
    QTest::keyClick(field, Qt::Key_Down);
    const SlotRef below = *view_->activeSlot();
    EXPECT_GT(view_->layout().bars[below.bar].frame.y, view_->layout().bars[1].frame.y);
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{1, 2}));  // the goal column survives the round trip
    EXPECT_EQ(undo().index(), 0);  // moving stores nothing (the typed G7 was undone)
}

TEST_F(Editing, RightPastTheEndAppendsABarAndUndoReturns) {
    open(chartOfBars(1));
    QLineEdit* field = chordField(*view_);
    view_->editSlot({0, 3});
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(barCount(), 2u);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{1, 0}));
    EXPECT_EQ(undo().undoText(), "Append Bar");
    undo().undo();
    EXPECT_EQ(barCount(), 1u);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 3}));
    undo().redo();
    EXPECT_EQ(barCount(), 2u);
    // A chord typed in the last slot and Right: one step for both registrations.
    view_->editSlot({1, 3});
    QTest::keyClicks(field, "G7");
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(barCount(), 3u);
    EXPECT_EQ(chordAt(1, 3), "G7");
    undo().undo();
    EXPECT_EQ(barCount(), 2u);
    EXPECT_EQ(chordAt(1, 3), "");
    undoAll();
    EXPECT_EQ(chart(), original_);
}

TEST_F(Editing, ShiftExtendsTheBarSelection) {
    open(chartOfBars(6));
    view_->selectBars({2, 0});
    EXPECT_FALSE(view_->activeSlot().has_value());
    QTest::keyClick(view_, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(view_, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(selection(), (BarRange{2, 2}));
    QTest::keyClick(view_, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(selection(), (BarRange{2, 1}));
    QTest::keyClick(view_, Qt::Key_Right);
    EXPECT_EQ(selection(), (BarRange{3, 0}));
    // Caps Lock, reported in the window system's native modifier mask, extends like Shift.
    QKeyEvent capsRight(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, 0, 0, 0x2);
    QApplication::sendEvent(view_, &capsRight);
    EXPECT_EQ(selection(), (BarRange{3, 1}));
    edit_->selectAll();
    EXPECT_EQ(selection(), (BarRange{0, 6}));
}

TEST_F(Editing, CutCopyPasteAndDelete) {
    open(chartOfBars(5));
    view_->selectBars({1, 2});
    edit_->copy();
    view_->selectBars({5, 0});
    edit_->paste();
    EXPECT_EQ(markers(), (std::vector<std::string>{"D1", "D2", "D3", "D4", "D5", "D2", "D3"}));
    EXPECT_EQ(selection(), (BarRange{7, 0}));
    EXPECT_EQ(undo().undoText(), "Paste");
    view_->selectBars({0, 2});
    edit_->cut();
    EXPECT_EQ(markers(), (std::vector<std::string>{"D3", "D4", "D5", "D2", "D3"}));
    EXPECT_EQ(undo().undoText(), "Cut");
    view_->selectBars({2, 0});
    QTest::keyClick(view_, Qt::Key_Backspace);
    EXPECT_EQ(markers(), (std::vector<std::string>{"D3", "D5", "D2", "D3"}));
    EXPECT_EQ(selection(), (BarRange{1, 0}));
    QTest::keyClick(view_, Qt::Key_Delete);
    EXPECT_EQ(markers(), (std::vector<std::string>{"D3", "D2", "D3"}));
    EXPECT_EQ(undo().undoText(), "Delete");
    const int steps = undo().count();
    view_->selectBars({0, 0});
    edit_->cut();  // nothing selected: beeps
    QTest::keyClick(view_, Qt::Key_Backspace);
    EXPECT_EQ(undo().count(), steps);
    undoAll();
    EXPECT_EQ(chart(), original_);
}

std::string fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

TEST_F(Editing, UndoAndRedoOfEveryOperationReturnToTheSavedChart) {
    QTemporaryDir dir;
    const QString saved = dir.filePath("autumn.zub"), again = dir.filePath("again.zub");
    saveChartDocument(saved.toStdString(), MyDocument::readChart(autumn));
    open(MyDocument::readChart(saved));
    QLineEdit* field = chordField(*view_);
    view_->editSlot({0, 1});
    QTest::keyClicks(field, "F7");
    QTest::keyClick(field, Qt::Key_Right);
    view_->selectBars({3, 4});
    edit_->setChorusFromSelection();
    edit_->setChorusRepeats(3);
    edit_->copy();
    view_->selectBars({10, 0});
    edit_->paste();
    view_->selectBars({12, 0});
    edit_->setSectionMark(0);
    view_->selectBars({0, 2});
    BarEditRules rules(document_->edits());
    rules.setKeyCenter(view_->selectedBars(), "F");
    view_->selectBars({5, 2});
    rules.moveBars({5, 2}, 20, document_->model().bars({5, 2}));
    view_->selectBars({1, 3});
    edit_->cut();
    view_->editSlot({barCount() - 1, 3});
    QTest::keyClick(field, Qt::Key_Right);
    const Plist edited = chart();
    EXPECT_EQ(undo().count(), 9);
    undoAll();
    EXPECT_EQ(chart(), original_);
    EXPECT_FALSE(document_->isEdited());
    saveChartDocument(again.toStdString(), chart());
    EXPECT_EQ(fileBytes(again), fileBytes(saved));
    redoAll();
    EXPECT_EQ(chart(), edited);
}

TEST_F(Editing, ErrorCases) {
    open(chartOfBars(2));
    const std::pair<SlotRef, const char*> outside[] = {{{2, 0}, "Bar index out of range: 2"},
                                                     {{0, 4}, "Slot index out of range: 4"}};
    for (const auto& [slot, message] : outside)
        EXPECT_EQ(reasonOf([&] { view_->editSlot(slot); }), message);
    EXPECT_THROW(document_->model().bars({1, 5}), Bridge_exception);
}

TEST_F(Editing, AFailedFinalCheckKeepsTheTypedText) {
    open(chartOfBars(2));
    QLineEdit* field = chordField(*view_);
    view_->editSlot({0, 1});
    QTest::keyClicks(field, "C7/");
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(view_->activeSlot(), (SlotRef{0, 1}));
    EXPECT_EQ(view_->chordEntryError(), "Root must follow slash");
    EXPECT_EQ(field->text(), "C7/");
    EXPECT_EQ(undo().count(), 0);
    QTest::keyClicks(field, "E");
    QTest::keyClick(field, Qt::Key_Right);
    EXPECT_EQ(chordAt(0, 1), "C7/E");
    EXPECT_TRUE(view_->chordEntryError().isEmpty());
}

TEST_F(Editing, TypedChordsAreCorrectedAndStoredInDisplayForm) {
    open(chartOfBars(2));
    ChordFieldEditor* field = chordField(*view_);
    const ChordFont& font = view_->chordFont();
    view_->editSlot({0, 1});
    QTest::keyClicks(field, "bbm7");
    EXPECT_EQ(field->text(), font.encode(QString::fromUtf8("B\u266Dm7")));
    QTest::keyClicks(field, "q");  // no chord type goes on like this
    EXPECT_EQ(field->chord(), QString::fromUtf8("B\u266Dm7"));
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(chordAt(0, 1), "B\u266Dm7");
    QTest::keyClicks(field, "f#");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(chordAt(0, 2), "F\u266F");
    EXPECT_EQ(undo().count(), 2);
}

TEST_F(Editing, MovingTheFocusAwayKeepsWhatWasTyped) {
    open(chartOfBars(2));
    view_->setShowName(true);  // the view's own title field; the window shows its header instead
    activate();
    ChordFieldEditor* field = chordField(*view_);
    EXPECT_EQ(QApplication::focusWidget(), field);  // an opened chart takes typing at once
    view_->editSlot({1, 0});
    field->clear();
    QTest::keyClicks(field, "G7");
    titleField(*view_)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(chordAt(1, 0), "G7");
    EXPECT_FALSE(view_->chordEditInProgress());
    // A text that is no chord stays in the field, which takes the focus back.
    view_->editSlot({1, 1});
    QTest::keyClicks(field, "A/");
    titleField(*view_)->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(view_->chordEntryError(), "Root must follow slash");
    EXPECT_EQ(chordAt(1, 1), "");
    QCoreApplication::processEvents();
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->text(), "A/");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_TRUE(view_->chordEntryError().isEmpty());  // the message went with the text it was about
    // An edit dropped without being stored leaves the stored chord on screen.
    view_->selectBars({0, 0});
    EXPECT_EQ(view_->shownChord({1, 1}), "");
    // The title field takes the place of a bar selection.
    view_->selectBars({1, 1});
    titleField(*view_)->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(view_->selectedBars().has_value());
}

TEST_F(Editing, TheViewScrollsToWhereTheUserIs) {
    open(chartOfBars(200));
    document_->resize(500, 300);
    QCoreApplication::processEvents();
    auto* area = qobject_cast<QScrollArea*>(view_->parentWidget()->parentWidget());
    ASSERT_TRUE(area);
    QScrollBar* bar = area->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    auto inSight = [&](float top, float height) {
        return top >= bar->value() && top + height <= bar->value() + area->viewport()->height();
    };
    view_->editSlot({199, 0});
    const QRect field = chordField(*view_)->geometry();
    EXPECT_TRUE(inSight(field.y(), field.height()));
    view_->selectBars({0, 0});
    const LayoutRect& first = view_->layout().bars[0].frame;
    EXPECT_TRUE(inSight(first.y, first.height));
    // Shift-Down extends line by line and keeps the moving end in sight.
    for (int k = 0; k < 30; ++k) QTest::keyClick(view_, Qt::Key_Down, Qt::ShiftModifier);
    const LayoutRect& end = view_->layout().bars[selection()->end() - 1].frame;
    EXPECT_TRUE(inSight(end.y, end.height));
    EXPECT_GT(bar->value(), 0);
}

TEST(BarsClipboard, RoundTripAndErrorCases) {
    const Plist::Array bars = chartOfBars(3).array_at("Chords");
    EXPECT_EQ(barsFromMimeData(*mimeDataForBars(bars)), bars);
    EXPECT_TRUE(barsFromMimeData(*mimeDataForBars({})).empty());
    const std::pair<const char*, const char*> refused[] = {
        {nullptr, "No bars on the clipboard"},  // text only
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>", "Expected array of bars, found dictionary"},
        {"<?xml version=\"1.0\"?><plist version=\"1.0\"><array><dict/></array></plist>", "Bar 1: "},
        {"not a plist", "Not a property list"},
    };
    for (const auto& [bytes, message] : refused) {
        QMimeData data;
        if (bytes) data.setData(bars_mime_type, bytes);
        else data.setText("C7");
        const std::string reason = reasonOf([&] { barsFromMimeData(data); });
        EXPECT_EQ(reason.rfind(message, 0), 0u) << reason;
    }
}

// Entering a slot selects its chord, so that typing replaces it (opening, Tab,
// Return from bar mode, a click); Select All in a slot means its text.
TEST_F(Editing, TypingInAnEnteredSlotReplacesItsChord) {
    open(chartOfBars(3));
    ChordFieldEditor* field = chordField(*view_);
    ASSERT_EQ(view_->activeSlot(), (SlotRef{0, 0}));
    QTest::keyClicks(field, "dm7");  // right after opening
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(chordAt(0, 0), "Dm7");
    view_->editSlot({1, 0});
    QTest::keyClicks(field, "g7");
    QTest::keyClick(field, Qt::Key_Tab);  // to the empty slot (1, 1) and back with Backtab
    QTest::keyClick(field, Qt::Key_Backtab);
    QTest::keyClicks(field, "c7");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(chordAt(1, 0), "C7");
    // From bar mode, Return goes back to typing in the first slot of the bar.
    QTest::keyClick(field, Qt::Key_Escape);
    ASSERT_TRUE(view_->selectedBars().has_value());
    QTest::keyClick(view_, Qt::Key_Return);
    QTest::keyClicks(field, "f");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(chordAt(1, 0), "F");
    // A click on a slot.
    const BarPlacement& bar = view_->layout().bars[2];
    const LayoutRect& c = bar.chordFrames[0];
    QTest::mouseClick(view_, Qt::LeftButton, {},
                      QPointF(bar.frame.x + c.x + c.width / 2, bar.frame.y + c.y + c.height / 2).toPoint());
    ASSERT_EQ(view_->activeSlot(), (SlotRef{2, 0}));
    QTest::keyClicks(field, "a");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(chordAt(2, 0), "A");
}

TEST_F(Editing, SelectAllInASlotSelectsItsTextNotTheBars) {
    open(chartOfBars(3));
    activate();
    ChordFieldEditor* field = chordField(*view_);
    view_->editSlot({1, 0});
    QTest::keyClicks(field, "g");
    ASSERT_FALSE(field->hasSelectedText());
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(field->selectedText(), "G");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(barCount(), 3u);  // the chord went, not the bars
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(chordAt(1, 0), "");
    EXPECT_EQ(markers(), (std::vector<std::string>{"D1", "", "D3"}));
    // The menu's Select All acts the same in a slot, and selects the bars in bar mode.
    edit_->selectAll();
    EXPECT_FALSE(view_->selectedBars().has_value());
    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClick(view_, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selection(), (BarRange{0, 3}));
}

}  // namespace
}  // namespace zub
