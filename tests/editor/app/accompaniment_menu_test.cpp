#include "bridge/bridge_exception.h"
#include "editor/app/accompaniment_menu.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "editor/app/my_document.h"
#include "editor/app/temporary_folder.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace zub {
namespace {

const QString blues = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/blues-in-f.txt");
const QString autumn = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Plist withBadChord(const Plist& chart) {
    Plist::Array bars = chart.array_at("Chords");
    Plist::Array row = bars[0].array_at("Chords");
    row[0] = Plist::make_string("Hxyz");
    bars[0] = bars[0].with("Chords", Plist::make_array(row));
    return chart.with("Chords", Plist::make_array(bars));
}

QString onlyMessage(const QWidget& window) {
    const auto boxes = window.findChildren<QMessageBox*>();
    return boxes.size() == 1 ? boxes[0]->text() : QStringLiteral("(%1 boxes)").arg(boxes.size());
}

}  // namespace
}  // namespace zub

// Failing comparisons print the text rather than its UTF-16 units.
inline void PrintTo(const QString& s, std::ostream* out) { *out << '"' << s.toStdString() << '"'; }

namespace zub {
namespace {

TEST(AccompanimentMenu, NamesAndPaths) {
    EXPECT_EQ(documentName("/songs/blues.zub", "blues.zub[*] \u2014 Zubaroo"), "blues.zub");
    EXPECT_EQ(documentName("", "Untitled[*] \u2014 Zubaroo"), "Untitled");
    EXPECT_EQ(documentName("", "My Tune"), "My Tune");
    EXPECT_EQ(documentName("", ""), "Untitled");
    EXPECT_EQ(suggestedSaveBase("/songs/blues.zub", "blues.zub"), "/songs/blues");
    EXPECT_EQ(suggestedSaveBase("", "Untitled"), "Untitled");
    EXPECT_EQ(suggestedSavePath("/songs/a.b.txt", "a.b.txt", "mid"), "/songs/a.b.mid");
    const QString temp = QString::fromStdString(temporaryDirectoryName());
    EXPECT_EQ(temporaryMidiPath("blues.zub"), temp + "/blues.mid");
    EXPECT_EQ(temporaryMidiPath("a/b/Untitled"), temp + "/Untitled.mid");
    EXPECT_FALSE(midiPlayerProgram("sh").isEmpty());
    EXPECT_TRUE(midiPlayerProgram("no-such-midi-player-here").isEmpty());
    EXPECT_TRUE(midiPlayerProgram("").isEmpty());
}

TEST(AccompanimentMenu, ExtensionFromStyle) {
    const struct {
        std::int64_t code;
        const char* extension;
    } cases[] = {{0, "sg0"},  {1, "sg1"},  {9, "sg9"},  {10, "sgA"}, {17, "sgH"}, {35, "sgZ"},
                 {25, "sg9"}, {26, "sg1"}, {27, "sgB"}, {28, "sgI"}, {29, "sgG"}, {30, "sg6"}};
    for (const auto& c : cases) EXPECT_EQ(extensionFromStyle(c.code), c.extension) << c.code;
    for (std::int64_t bad : {-1, -49, 36, 1000}) {
        try {
            extensionFromStyle(bad);
            ADD_FAILURE() << bad;
        } catch (const Bridge_exception& e) {
            EXPECT_EQ(e.reason(), "Invalid style code: " + std::to_string(bad));
        }
    }
}

TEST(AccompanimentMenu, MidiFileIsWrittenWhereChosen) {
    QTemporaryDir dir;
    QWidget window;
    const Plist chart = MyDocument::readChart(blues);
    QString asked, askedType;
    const QString path = generateMIDIFile(&window, chart, "/songs/blues.mid", [&](const QString& s, const QString& t) {
        asked = s;
        askedType = t;
        return dir.filePath("out");
    });
    EXPECT_EQ(asked, "/songs/blues.mid");
    EXPECT_EQ(askedType, "mid");
    EXPECT_EQ(path, dir.filePath("out.mid"));
    EXPECT_TRUE(contents(path).startsWith("MThd"));
    // Cancelling writes nothing.
    EXPECT_EQ(generateMIDIFile(&window, chart, "x.mid", [](auto&&...) { return QString(); }), "");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(AccompanimentMenu, GenerateAndOpenNamesAnUntitledFileAfterTheWindowTitle) {
    MyDocument document(MyDocument::readChart(blues), QString());
    QString opened;
    const QString path = generateAndOpen(&document, document.model().chart(),
                                         documentName(document.path(), document.windowTitle()), [&](const QString& p) {
                                             opened = p;
                                             return true;
                                         });
    EXPECT_EQ(path, QString::fromStdString(temporaryDirectoryName()) + "/Untitled.mid");
    EXPECT_EQ(opened, path);
    EXPECT_TRUE(contents(path).startsWith("MThd"));
    EXPECT_TRUE(document.findChildren<QMessageBox*>().isEmpty()) << onlyMessage(document).toStdString();
    // When nothing opens it, the user is told.
    generateAndOpen(&document, document.model().chart(), "Untitled", [](const QString&) { return false; });
    EXPECT_EQ(onlyMessage(document), "No application could open the MIDI file.");
    QFile::remove(path);
}

TEST(AccompanimentMenu, BiabExportUsesTheStyleCodeForItsType) {
    QTemporaryDir dir;
    QWidget window;
    const Plist chart = MyDocument::readChart(autumn);
    const Plist style = chart.dictionary_at("Style");
    const Plist style0 = chart.with("Style", style.with("StyleType", Plist::make_integer(0)));
    QString askedType, asked;
    const QString path = exportAsBiaB(&window, style0, dir.filePath("autumn"), [&](const QString& s, const QString& t) {
        asked = s;
        askedType = t;
        return s;
    });
    EXPECT_EQ(askedType, "sg0") << onlyMessage(window).toStdString();
    EXPECT_EQ(asked, dir.filePath("autumn.sg0"));
    EXPECT_EQ(path, dir.filePath("autumn.sg0"));
    EXPECT_GT(contents(path).size(), 100);
    exportAsBiaB(&window, chart, dir.filePath("autumn"), [&](const QString&, const QString& t) {
        askedType = t;
        return QString();
    });
    EXPECT_EQ(askedType, extensionFromStyle(style.integer_at("StyleType")));
}

// The bundled blues has a Bdim7, which BiaB has no code for: the file is
// written with the nearest chord, and a note names the bar.
TEST(AccompanimentMenu, BiabExportOfAChordWithoutACodeSaysWhichBars) {
    QTemporaryDir dir;
    QWidget window;
    const QString path = exportAsBiaB(&window, MyDocument::readChart(blues), dir.filePath("blues"),
                                      [](const QString& s, const QString&) { return s; });
    EXPECT_EQ(path, dir.filePath("blues.sg1"));
    EXPECT_GT(contents(path).size(), 100);
    const auto* note = window.findChild<QMessageBox*>(QStringLiteral("approximationNote"));
    ASSERT_NE(note, nullptr) << onlyMessage(window).toStdString();
    EXPECT_EQ(note->informativeText(), "Bdim7 in bar 6 written as B:\u266D3.\u266D5");
    // Nothing to say for a chart BiaB holds exactly, nor when the user cancels.
    QWidget quiet;
    const auto chosen = [](const QString& s, const QString&) { return s; };
    exportAsBiaB(&quiet, MyDocument::readChart(autumn), dir.filePath("autumn"), chosen);
    exportAsBiaB(&quiet, MyDocument::readChart(blues), dir.filePath("blues2"), [](auto&&...) { return QString(); });
    EXPECT_TRUE(quiet.findChildren<QMessageBox*>().isEmpty());
}

TEST(AccompanimentMenu, ErrorCases) {
    QTemporaryDir dir;
    const Plist chart = MyDocument::readChart(blues);
    const auto never = [](const QString&, const QString&) -> QString {
        ADD_FAILURE() << "no dialog after a failed generation";
        return {};
    };
    // Each command in a window of its own: the message it shows, and no file.
    const auto failure = [](auto&& command) {
        QWidget window;
        const QString path = command(&window);
        return path.isEmpty() ? onlyMessage(window) : "wrote " + path;
    };
    const QString cannotGenerate = "ZUB cannot generate accompaniment for this chart (";
    const QString badMidi =
        failure([&](QWidget* w) { return generateMIDIFile(w, withBadChord(chart), "x.mid", never); });
    EXPECT_TRUE(badMidi.startsWith(cannotGenerate)) << badMidi.toStdString();
    const QString badOpen = failure([&](QWidget* w) {
        return generateAndOpen(w, withBadChord(chart), "bad-chord-tune", [](const QString&) { return true; });
    });
    EXPECT_TRUE(badOpen.startsWith(cannotGenerate)) << badOpen.toStdString();
    EXPECT_FALSE(QFileInfo::exists(temporaryMidiPath("bad-chord-tune")));
    const Plist badStyle = chart.with("Style", chart.dictionary_at("Style").with("StyleType", Plist::make_integer(-5)));
    EXPECT_EQ(failure([&](QWidget* w) { return exportAsBiaB(w, badStyle, dir.filePath("x"), never); }),
              "KEL cannot convert this chart to BiaB format (Invalid style code: -5)");
    const QString nowhere = dir.filePath("no/such/folder/out.mid");
    EXPECT_EQ(failure([&](QWidget* w) {
                  return generateMIDIFile(w, chart, "x.mid", [&](auto&&...) { return nowhere; });
              }),
              "Cannot write MIDI file for song");
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_EQ(failure([&](QWidget* w) {
                  return exportAsBiaB(w, MyDocument::readChart(autumn), "x",
                                      [&](auto&&...) { return dir.filePath("no/such/x.sg1"); });
              }),
              "Cannot write BiaB file");
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace zub
