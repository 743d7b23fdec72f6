#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "bridge/chart_document.h"
#include "bridge/playlist.h"
#include "editor/app/my_document.h"
#include "editor/app/playlist_menu.h"
#include "editor/app/song_chooser.h"
#include "editor/model/chart_model.h"

namespace zub {
namespace {

const std::string three_songs = ZUB_TEST_DATA "/playlists/three-songs.html";
const std::string one_song = ZUB_TEST_DATA "/playlists/one-song.txt";

std::string contents(const std::string& path) {
    std::ifstream in(path);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<SongListing> threeSongs() { return listChartFile(three_songs, MyDocument::newChart().at("Font")); }

using Numbers = std::vector<std::size_t>;

// Closes the documents a test opened (none is modified, so none asks).
void closeAll(const std::vector<MyDocument*>& documents) {
    for (MyDocument* document : documents) document->close();
}

QStringList titles(const std::vector<MyDocument*>& documents) {
    QStringList names;
    for (const MyDocument* document : documents) names << document->model().name();
    return names;
}

QString onlyMessage(const QWidget& window) {
    const auto boxes = window.findChildren<QMessageBox*>();
    QString text = boxes.size() == 1 ? boxes[0]->text() : QStringLiteral("(%1 boxes)").arg(boxes.size());
    for (QMessageBox* box : boxes) delete box;
    return text;
}

TEST(SongChooser, TheFilterNarrowsTheTableAndEnterTakesWhatIsLeft) {
    SongChooser chooser(threeSongs(), QStringLiteral("Test Tunes"));
    chooser.show();
    EXPECT_EQ(chooser.visibleSongs(), (Numbers{1, 2, 3}));
    EXPECT_EQ(chooser.chosenSongs(), (Numbers{1}));  // the first row is ready for Enter

    const struct {
        const char* typed;
        Numbers visible;
    } filters[] = {
        {"waltz", {2}},           // title
        {"JANE", {1}},            // composer, in any case
        {"swing", {1, 3}},        // style
        {"Dm", {2}},              // key
        {"no such tune", {}},
    };
    for (const auto& f : filters) {
        chooser.filterLine()->clear();
        QTest::keyClicks(chooser.filterLine(), f.typed);
        EXPECT_EQ(chooser.visibleSongs(), f.visible) << f.typed;
    }

    chooser.filterLine()->clear();
    QTest::keyClicks(chooser.filterLine(), "waltz");
    EXPECT_EQ(chooser.chosenSongs(), (Numbers{2}));
    QTest::keyClick(chooser.filterLine(), Qt::Key_Return);
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

TEST(SongChooser, ASongThatCannotBeReadIsNeverChosen) {
    SongChooser chooser(threeSongs(), QString());
    chooser.show();
    chooser.table()->selectAll();
    EXPECT_EQ(chooser.chosenSongs(), (Numbers{1, 2}));
    // Down from the filter line moves through the table.
    chooser.table()->clearSelection();
    chooser.table()->setCurrentIndex(chooser.table()->model()->index(0, 0));
    QTest::keyClick(chooser.filterLine(), Qt::Key_Down);
    EXPECT_EQ(chooser.chosenSongs(), (Numbers{2}));
}

TEST(PlaylistMenu, ChosenSongsOpenAsUntitledDocumentsNamedAfterThem) {
    QWidget parent;
    const Playlist playlist = *openPlaylist(three_songs);
    std::size_t asked = 0;
    const auto pickTwo = [&](const Playlist& shown, QWidget*) {
        ++asked;
        EXPECT_EQ(shown.size(), 3u);
        return Numbers{2, 1};
    };
    const std::vector<MyDocument*> opened = openPlaylistSongs(playlist, &parent, pickTwo);
    EXPECT_EQ(asked, 1u);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(titles(opened), (QStringList{"The Waltz", "Blue Hour"}));
    for (MyDocument* document : opened) {
        EXPECT_TRUE(document->path().isEmpty());
        EXPECT_TRUE(document->windowTitle().startsWith(document->model().name() + "[*]")) << document->windowTitle().toStdString();
        EXPECT_FALSE(document->isEdited());
    }
    EXPECT_EQ(opened[1]->model().chart().string_at("Composer"), "Jane Doe");
    closeAll(opened);

    // The song that cannot be read says why and opens nothing.
    EXPECT_TRUE(openPlaylistSongs(playlist, &parent, [](const Playlist&, QWidget*) { return Numbers{3}; }).empty());
    EXPECT_TRUE(onlyMessage(parent).startsWith("Can't read input file"));

    // A playlist of one song opens without asking.
    const std::vector<MyDocument*> one = openPlaylistSongs(*openPlaylist(one_song), &parent, [&](const Playlist&, QWidget*) {
        ADD_FAILURE() << "asked for a one-song playlist";
        return Numbers{};
    });
    EXPECT_EQ(titles(one), (QStringList{"Blue Hour"}));
    closeAll(one);
    EXPECT_FALSE(openIfPlaylist(QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/blues-in-f.txt"), &parent));
}

TEST(PlaylistMenu, PasteIrealLinkOpensTheLinkOnTheClipboard) {
    QWidget parent;
    const auto none = [](const Playlist&, QWidget*) { return Numbers{}; };
    QApplication::clipboard()->setText(QString::fromStdString(contents(one_song)));
    const std::vector<MyDocument*> pasted = pasteIrealLink(&parent, none);
    EXPECT_EQ(titles(pasted), (QStringList{"Blue Hour"}));
    closeAll(pasted);

    QApplication::clipboard()->setText(QStringLiteral("| C7 | F7 |"));
    EXPECT_TRUE(pasteIrealLink(&parent, none).empty());
    EXPECT_EQ(onlyMessage(parent), "The clipboard holds no iReal Pro link.");
}

// The documents open now, by the name of their charts.
std::map<QString, MyDocument*> openDocuments() {
    std::map<QString, MyDocument*> documents;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* document = qobject_cast<MyDocument*>(window); document && document->isVisible())
            documents[document->model().name()] = document;
    return documents;
}

TEST(PlaylistMenu, FilesDroppedOnAWindowOpen) {
    MyDocument window;
    window.show();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(one_song)),
                   QUrl::fromLocalFile(QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/blues-in-f.txt"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QCoreApplication::processEvents();  // the files open once the drop is over
    const auto documents = openDocuments();
    ASSERT_TRUE(documents.contains("Blue Hour"));
    ASSERT_TRUE(documents.contains("Blues in F"));
    EXPECT_TRUE(documents.at("Blue Hour")->path().isEmpty());
    EXPECT_TRUE(documents.at("Blues in F")->path().endsWith("blues-in-f.txt"));
    closeAll({documents.at("Blue Hour"), documents.at("Blues in F")});
}

TEST(PlaylistMenu, ExportedPagesOpenAsTheSameChart) {
    QTemporaryDir dir;
    const Plist chart = openChartFile(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt",
                                      MyDocument::newChart().at("Font"));
    MyDocument document(chart, QString());
    const QString page = dir.filePath("autumn.html");
    ASSERT_TRUE(saveIrealPage(document, page));
    const Plist back = openChartFile(page.toStdString(), chart.at("Font"));
    EXPECT_EQ(back.string_at("Name"), "Autumn Leaves");
    EXPECT_EQ(back.at("Chords"), chart.at("Chords"));
    // A folder cannot be written as a page: an error sheet, no file.
    EXPECT_FALSE(saveIrealPage(document, dir.path()));
    EXPECT_TRUE(onlyMessage(document).startsWith("Can't write output file"));
}

}  // namespace
}  // namespace zub
