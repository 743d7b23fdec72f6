#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "apps/zub_runner.h"

namespace zub::cli {
namespace {

namespace fs = std::filesystem;

const std::string three_songs = ZUB_TEST_DATA "/playlists/three-songs.html";
const std::string one_song = ZUB_TEST_DATA "/playlists/one-song.txt";
const std::string examples = ZUB_RESOURCE_DIR "/examples";

class PlaylistCommands : public Scratch_folder {};

std::vector<std::string> files_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The bars of a text chart, without its header.
std::string bars_of(const std::string& text_chart) {
    const auto first = text_chart.find("\n|");
    return first == std::string::npos ? text_chart : text_chart.substr(first);
}

TEST_F(PlaylistCommands, ListPrintsOneLinePerSong) {
    const Result listed = zub({"list", three_songs});
    EXPECT_EQ(listed.status, 0) << listed.err;
    const std::string readable = "1\tBlue Hour\tJane Doe\tF\tMedium Swing\t4\n2\tThe Waltz\t\tDm\tJazz Waltz\t4\n";
    EXPECT_EQ(listed.out.substr(0, readable.size()), readable);
    EXPECT_TRUE(listed.out.substr(readable.size()).starts_with("3\tFive Eight\tcannot be read: ")) << listed.out;
    EXPECT_EQ(zub({"list", examples + "/blues-in-f.txt"}).out, "1\tBlues in F\t\tF\t\t12\n");
}

TEST_F(PlaylistCommands, EveryChartCommandTakesASong) {
    const Result shown = zub({"show", three_songs, "--song", "2"});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Name: The Waltz\n"), std::string::npos) << shown.out;
    EXPECT_EQ(zub({"show", one_song}).out, zub({"show", three_songs, "--song", "1"}).out);

    const Result unchosen = zub({"analyze", three_songs});
    EXPECT_EQ(unchosen.status, 1);
    EXPECT_EQ(unchosen.err,
              "Kov cannot analyze this chart (The playlist holds 3 songs: choose one with --song N (see 'zub list'))\n");
    EXPECT_EQ(zub({"show", three_songs}).err,
              three_songs + ": The playlist holds 3 songs: choose one with --song N (see 'zub list')\n");
    EXPECT_EQ(zub({"analyze", three_songs, "--song", "1"}).status, 0);
    EXPECT_EQ(zub({"midi", three_songs, "--song", "2", "-o", path("waltz.mid")}).status, 0);
    EXPECT_TRUE(fs::exists(path("waltz.mid")));
    EXPECT_EQ(zub({"transpose", three_songs, "--song", "1", "--by", "2", "-o", path("g.txt")}).status, 0);
    EXPECT_NE(zub({"show", path("g.txt")}).out.find("| G7 |"), std::string::npos);
    EXPECT_EQ(zub({"show", three_songs, "--song", "0"}).status, 2);

    // A bare link, its title with a typographic apostrophe, shows and plays like any chart.
    const std::string link = "irealb://Don%E2%80%99t%20Go=Doe%20Jane==Medium%20Swing=F==1r34LbKcu7[T44F7XyQ|Bb7XyQZ==0=0";
    const Result bare = zub({"show", link});
    EXPECT_EQ(bare.status, 0) << bare.err;
    EXPECT_TRUE(bare.out.starts_with("Name: Don't Go\n")) << bare.out;
    EXPECT_EQ(zub({"midi", link, "-o", path("dont.mid")}).status, 0);
    // A link that cannot be read is named as such, not repeated whole.
    EXPECT_EQ(zub({"show", link, "--song", "2"}).err, "the link: There is no song 2 (the playlist holds 1)\n");
}

TEST_F(PlaylistCommands, ConvertToAFolderWritesEveryReadableSong) {
    const Result converted = zub({"convert", three_songs, path("tunes") + "/"});
    EXPECT_EQ(converted.status, 1);  // a song was skipped
    EXPECT_TRUE(converted.err.starts_with("0003 Five Eight: ")) << converted.err;
    EXPECT_EQ(std::count(converted.err.begin(), converted.err.end(), '\n'), 1);
    EXPECT_EQ(files_in(path("tunes")), (std::vector<std::string>{"0001-Blue-Hour.zub", "0002-The-Waltz.zub"}));
    EXPECT_EQ(zub({"show", path("tunes/0001-Blue-Hour.zub")}).out, zub({"show", one_song}).out);

    // An existing folder needs no slash; one song alone exits 0.
    fs::create_directories(path("one"));
    EXPECT_EQ(zub({"convert", three_songs, path("one"), "--song", "2"}).status, 0);
    EXPECT_EQ(files_in(path("one")), (std::vector<std::string>{"0002-The-Waltz.zub"}));
}

TEST_F(PlaylistCommands, ConvertWritesIrealPagesThatReadBack) {
    ASSERT_EQ(zub({"convert", examples + "/blues-in-f.txt", path("blues.html")}).status, 0);
    const std::string listed_blues = zub({"list", path("blues.html")}).out;
    EXPECT_TRUE(listed_blues.starts_with("1\tBlues in F\t\tF\t") && listed_blues.ends_with("\t12\n")) << listed_blues;
    EXPECT_EQ(bars_of(zub({"show", path("blues.html")}).out), bars_of(zub({"show", examples + "/blues-in-f.txt"}).out));

    // A playlist becomes a page of its readable songs, the others reported.
    const Result again = zub({"convert", three_songs, path("again.html")});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.starts_with("0003 Five Eight: ")) << again.err;
    const std::string relisted = zub({"list", path("again.html")}).out;
    EXPECT_TRUE(relisted.starts_with("1\tBlue Hour\t")) << relisted;
    EXPECT_EQ(std::count(relisted.begin(), relisted.end(), '\n'), 2);

    // A folder becomes one playlist named after it, its charts in the order of their names.
    fs::create_directories(path("Standards"));
    fs::copy_file(examples + "/blues-in-f.txt", path("Standards/b.txt"));
    fs::copy_file(examples + "/autumn-leaves.txt", path("Standards/a.txt"));
    std::ofstream(path("Standards/notes.md")) << "not a chart\n";
    ASSERT_EQ(zub({"convert", path("Standards") + "/", path("standards.html")}).status, 0);
    const std::string listed = zub({"list", path("standards.html")}).out;
    EXPECT_TRUE(listed.starts_with("1\tAutumn Leaves\t")) << listed;
    EXPECT_NE(listed.find("\n2\tBlues in F\t"), std::string::npos) << listed;
    EXPECT_NE(contents(path("standards.html")).find("Standards"), std::string::npos);
}

TEST_F(PlaylistCommands, ConvertErrorCases) {
    // A folder of no charts writes nothing.
    fs::create_directories(path("empty"));
    const Result empty = zub({"convert", path("empty"), path("empty.html")});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, path("empty") + ": No chart in this folder\n");
    EXPECT_FALSE(fs::exists(path("empty.html")));
    // A folder goes only to a page; --analyze only to MusicXML.
    EXPECT_EQ(zub({"convert", path("empty"), path("x.zub")}).status, 1);
    EXPECT_EQ(zub({"convert", one_song, path("x.zub"), "--analyze"}).err,
              "--analyze goes with MusicXML output (.musicxml) only\n");
    // The song that cannot be represented fails alone, with its reason, and leaves no file.
    const Result five = zub({"convert", three_songs, path("five.zub"), "--song", "3"});
    EXPECT_EQ(five.status, 1);
    EXPECT_TRUE(five.err.starts_with(three_songs + ": ")) << five.err;
    EXPECT_FALSE(fs::exists(path("five.zub")));
}

TEST_F(PlaylistCommands, ConvertToMusicXml) {
    for (const auto* extra : {"", "--analyze"}) {
        std::vector<std::string> args = {"convert", examples + "/autumn-leaves.txt", path("autumn.musicxml")};
        if (*extra) args.push_back(extra);
        const Result converted = zub(args);
        ASSERT_EQ(converted.status, 0) << converted.err;
        const std::string xml = contents(path("autumn.musicxml"));
        EXPECT_NE(xml.find("<score-partwise"), std::string::npos);
        EXPECT_EQ(xml.find("<numeral") != std::string::npos, *extra != '\0') << extra;
    }
}

}  // namespace
}  // namespace zub::cli
