// What a musician met in the window: the slot being edited after Transpose,
// Show Analysis with key centers on some bars only, the chord list's width,
// the context menus of the title and a slot, Return in a slot, Open Recent
// with two files of one name, N.C. typed in a slot, and the chart header with
// its properties panel.
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <cstdlib>

#include "../chart_testing.h"
#include "../view_testing.h"
#include "bridge/form_marks.h"
#include "bridge/style_names.h"
#include "editor/app/analysis_menu.h"
#include "editor/app/chart_header.h"
#include "editor/app/chart_properties_panel.h"
#include "editor/app/my_application.h"
#include "editor/app/transpose_menu.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {
namespace {

using testing::chartOfBars;
using testing::chordField;
using testing::titleField;

struct Window {
    explicit Window(const Plist& chart = chartOfBars(4)) : document(chart, QString()) {
        document.show();
        view = document.chartView();
    }
    ~Window() { document.undoStack()->setClean(); }
    MyDocument document;
    ChartView* view;
};

TEST(WindowMends, AfterTransposeTheSlotBeingEditedShowsTheNewChord) {
    Window w;
    ChordFieldEditor* field = chordField(*w.view);
    w.view->editSlot({0, 1});
    QTest::keyClicks(field, "f7");
    QTest::keyClick(field, Qt::Key_Backtab);  // stored; back in slot 0
    w.view->editSlot({0, 1});
    transposeInWindow(&w.document, w.document.model(), w.document.edits(), 1);
    EXPECT_EQ(w.document.model().chord({0, 1}), "G\u266D7");
    EXPECT_EQ(field->chord(), QString::fromUtf8("G\u266D7"));
    w.document.undoStack()->undo();
    EXPECT_EQ(field->chord(), QStringLiteral("F7"));
}

TEST(WindowMends, ShowAnalysisNamesTheBarsWithoutAKeyCenter) {
    Window w(chartOfBars(6));
    ChartModel& model = w.document.model();
    Plist::Array bars = model.allBars();
    auto withKey = [](const Plist& bar, const char* key) {
        return bar.with("Keys", Plist::make_array(Plist::Array(4, Plist::make_string(key))));
    };
    bars[0] = withKey(bars[0], "C");
    bars[1] = withKey(bars[1], "C");
    bars[4] = withKey(bars[4], "F");
    model.changeBars({0, 6}, bars);
    const std::optional<MyError> error = showAnalysis(model);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->reason, "Incomplete key center specification: no key center in bars 3-4, 6");
    EXPECT_FALSE(error->description.contains("Invalid note"));
}

TEST(WindowMends, TheChordListOpensWideEnoughToRead) {
    Window w;
    ChordFieldEditor* field = chordField(*w.view);
    QTest::keyClicks(field, "cm");
    field->complete();
    QAbstractItemView* list = field->completer()->popup();
    ASSERT_TRUE(list->isVisible());
    // Every name fits beside the scroll bar.
    const QFontMetrics metrics(list->font());
    int longest = 0;
    for (const QString& name : field->completions()) longest = std::max(longest, metrics.horizontalAdvance(name));
    EXPECT_GE(list->viewport()->width(), longest);
    EXPECT_GT(longest, field->width());  // the slot alone would cut them
    list->hide();
}

// The colour of the menu's background, a little inside its frame.
QColor menuBackground(QMenu* menu) {
    menu->ensurePolished();
    menu->adjustSize();
    return menu->grab().toImage().pixelColor(menu->width() / 2, menu->height() - 3);
}

TEST(WindowMends, TheContextMenusOfTheTitleAndASlotAreTheDesktopsOwn) {
    Window w;
    // What any menu of the desktop looks like: a style sheet on a field used to make its menu transparent.
    QMenu plain;
    plain.addAction(QStringLiteral("Undo"));
    const QColor window = menuBackground(&plain);
    ASSERT_EQ(window.alpha(), 255);
    for (QLineEdit* field : {titleField(*w.view), static_cast<QLineEdit*>(chordField(*w.view))}) {
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        EXPECT_EQ(menuBackground(menu.get()), window) << field->objectName().toStdString();
        EXPECT_TRUE(field->styleSheet().isEmpty());
    }
}

TEST(WindowMends, ReturnInASlotStoresTheChordAndMovesOn) {
    Window w;
    ChordFieldEditor* field = chordField(*w.view);
    w.view->editSlot({0, 3});
    QTest::keyClicks(field, "c7");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(w.document.model().chord({0, 3}), "C7");
    EXPECT_EQ(w.view->activeSlot(), (SlotRef{1, 0}));
    // A chord that fails its check stays, with its reason.
    QTest::keyClicks(field, "c7/");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(w.view->activeSlot(), (SlotRef{1, 0}));
    EXPECT_EQ(w.view->chordEntryError(), "Root must follow slash");
}

TEST(WindowMends, OpenRecentTellsApartFilesOfTheSameName) {
    const QStringList paths = {"/home/ann/jazz/blues.zub", "/home/ann/rock/blues.zub", "/home/ann/tune.zub",
                               "/a/x/set/waltz.zub", "/b/x/set/waltz.zub"};
    EXPECT_EQ(
        recentMenuTitles(paths),
        (QStringList{QString::fromUtf8("blues.zub \u2014 jazz"), QString::fromUtf8("blues.zub \u2014 rock"), "tune.zub",
                     QString::fromUtf8("waltz.zub \u2014 a/x/set"), QString::fromUtf8("waltz.zub \u2014 b/x/set")}));
}

TEST(WindowMends, NcTypedInASlotIsNoChord) {
    Window w;
    ChordFieldEditor* field = chordField(*w.view);
    const QString noChord = QString::fromUtf8(no_chord_name.data());
    for (const char* typed : {"nc", "N.C.", "n.c."}) {
        w.view->editSlot({1, 0});
        QTest::keyClicks(field, typed);
        EXPECT_EQ(field->text(), noChord) << typed;
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(w.document.model().chord({1, 0}), "N.C.") << typed;
    }
    // Backspace takes N.C. apart like any text; "N.C" is not a chord yet.
    w.view->editSlot({1, 0});
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "N.C");
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(w.view->chordEntryError(), "Invalid chord string");
}

// The header's field of that kind.
QLabel* headerField(MyDocument& document, const char* name) { return document.header()->findChild<QLabel*>(name); }

TEST(ChartHeader, ShowsTheChartsPropertiesAndFollowsTheirChanges) {
    Window w;
    ChartModel& model = w.document.model();
    ChartProperties properties = model.properties();
    properties.name = "Blue Monk";
    properties.composer = "Thelonious Monk";
    properties.key = "Bb";
    properties.styleType = *styleCodeOfName("Latin");
    properties.meter = 3;
    properties.tempo = 96;
    w.document.edits().setProperties(properties);
    EXPECT_EQ(headerField(w.document, "headerTitle")->text(), "Blue Monk");
    EXPECT_EQ(headerField(w.document, "headerComposer")->text(), "Thelonious Monk");
    EXPECT_EQ(headerField(w.document, "headerKey")->text(), QString::fromUtf8("Key: B\u266D"));
    EXPECT_EQ(headerField(w.document, "headerStyle")->text(), "Latin");
    EXPECT_EQ(headerField(w.document, "headerMeter")->text(), "3/4");
    EXPECT_EQ(headerField(w.document, "headerTempo")->text(), QString::fromUtf8("\u2669 = 96"));
    EXPECT_EQ(model.slotCount(0), 3u);
    EXPECT_EQ(w.document.undoStack()->count(), 1);
    w.document.undoStack()->undo();
    EXPECT_EQ(headerField(w.document, "headerTempo")->text(), QString::fromUtf8("\u2669 = 120"));
    EXPECT_EQ(model.slotCount(0), 4u);
}

TEST(ChartHeader, ADoubleClickOpensThePanelOnItsFieldAndOkIsOneStep) {
    Window w;
    // The panel is modal: it is answered from the event loop.
    QTimer::singleShot(0, [] {
        auto* panel = qobject_cast<ChartPropertiesPanel*>(QApplication::activeModalWidget());
        ASSERT_TRUE(panel);
        auto* tempo = panel->findChild<QSpinBox*>("propertiesTempo");
        EXPECT_TRUE(panel->focusWidget() == tempo || tempo->isAncestorOf(panel->focusWidget()));
        tempo->setValue(150);
        panel->accept();
    });
    QTest::mouseDClick(headerField(w.document, "headerTempo"), Qt::LeftButton);
    EXPECT_EQ(w.document.model().tempo(), 150);
    EXPECT_EQ(w.document.undoStack()->undoText(), "Chart Properties");
    EXPECT_EQ(w.document.undoStack()->count(), 1);
}

TEST(ChartHeader, KeysAreShownAsMusiciansSayThem) {
    EXPECT_EQ(displayKeyName("Bb"), QString::fromUtf8("B\u266D"));
    EXPECT_EQ(displayKeyName("F#m"), QString::fromUtf8("F\u266F minor"));
    EXPECT_EQ(displayKeyName(""), "");
}

// The application's palette made dark for one test.
class DarkDesktop {
public:
    DarkDesktop() : light_(QApplication::palette()) {
        QPalette dark(QColor(42, 46, 50));  // a dark button colour gives dark Window and Base, light text
        dark.setColor(QPalette::Base, QColor(27, 30, 32));
        dark.setColor(QPalette::Text, QColor(239, 240, 241));
        dark.setColor(QPalette::WindowText, QColor(239, 240, 241));
        dark.setColor(QPalette::ToolTipBase, QColor(49, 54, 59));
        dark.setColor(QPalette::ToolTipText, QColor(239, 240, 241));
        QApplication::setPalette(dark);
    }
    ~DarkDesktop() { QApplication::setPalette(light_); }

private:
    QPalette light_;
};

TEST(DarkDesktop, TheWindowsOwnWidgetsTakeTheDesktopsColours) {
    DarkDesktop dark;
    Window w;
    const QPalette desktop = QApplication::palette();
    for (const char* name : {"headerTitle", "headerKey", "headerTempo"}) {
        QLabel* label = headerField(w.document, name);
        EXPECT_EQ(label->palette().color(label->foregroundRole()), desktop.color(QPalette::WindowText)) << name;
    }
    // A chord being typed is in the chart's ink, whatever the desktop's text colour.
    ChordFieldEditor* field = chordField(*w.view);
    EXPECT_EQ(field->palette().color(QPalette::Text), w.view->palette().color(QPalette::WindowText));
    // The message beside a slot is a tooltip of the desktop.
    QTest::keyClicks(field, "c7/");
    QTest::keyClick(field, Qt::Key_Tab);
    QLabel* message = nullptr;
    for (QLabel* label : w.view->findChildren<QLabel*>())
        if (label->text() == "Root must follow slash") message = label;
    ASSERT_TRUE(message);
    EXPECT_EQ(message->palette().color(message->foregroundRole()), desktop.color(QPalette::ToolTipText));
    EXPECT_EQ(message->palette().color(message->backgroundRole()), desktop.color(QPalette::ToolTipBase));
    // The chart reads: its page and its ink stay far apart, inside a scroll area of the desktop's Base.
    const QColor page = w.view->palette().color(w.view->backgroundRole());
    const QColor ink = w.view->palette().color(QPalette::WindowText);
    EXPECT_GT(std::abs(page.lightness() - ink.lightness()), 128) << page.name().toStdString();
}

}  // namespace
}  // namespace zub
