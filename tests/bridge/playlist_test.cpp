#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/my_constants.h"
#include "bridge/playlist.h"
#include "testing.h"

namespace zub {
namespace {

const std::string three_songs = ZUB_TEST_DATA "/playlists/three-songs.html";
const std::string one_song = ZUB_TEST_DATA "/playlists/one-song.txt";
const std::string blues = ZUB_RESOURCE_DIR "/examples/blues-in-f.txt";

const Plist& font() { return MyConstants::shared().newDocumentChartTemplate().at("Font"); }

std::string reason_of(auto&& call) { return testing::message_of<Bridge_exception>(call); }

// The chords of every bar, slot by slot: "F7 - - - | Bb7 - - -".
std::string chords_of(const Plist& chart) {
    std::string text;
    for (const Plist& bar : chart.array_at("Chords")) {
        if (!text.empty()) text += " | ";
        std::string slots;
        for (const Plist& slot : bar.array_at("Chords"))
            slots += (slots.empty() ? "" : " ") + (slot.as_string().empty() ? std::string("-") : slot.as_string());
        text += slots;
    }
    return text;
}

TEST(Playlist, SongFileNames) {
    const struct {
        std::size_t number;
        const char* title;
        const char* expected;
    } cases[] = {
        {42, "Autumn Leaves", "0042-Autumn-Leaves.zub"},
        {1, "Waltz for Debby", "0001-Waltz-for-Debby.zub"},
        {7, "A/B: \"Why?\" <1|2> *", "0007-AB-Why-12.zub"},  // unsafe characters go, spaces do not double
        {3, "..Hidden", "0003-Hidden.zub"},
        {12345, "Caf\u00E9  Noir ", "12345-Caf\u00E9-Noir.zub"},
        {9, "", "0009.zub"},
        {9, "\t/\x01", "0009.zub"},
    };
    for (const auto& c : cases) EXPECT_EQ(songFileName(c.number, c.title), c.expected) << c.title;
}

TEST(Playlist, WhatHoldsAPlaylist) {
    EXPECT_TRUE(isIrealLink("irealb://x"));
    EXPECT_TRUE(isIrealLink("irealbook://x"));
    EXPECT_FALSE(isIrealLink("songs/irealb.html"));
    EXPECT_TRUE(holdsPlaylist("<a href=\"irealb://x\">"));
    EXPECT_FALSE(holdsPlaylist("Name: X\n| C |\n"));
    // A chart document whose title names a link is still a chart document.
    EXPECT_FALSE(holdsPlaylist("<?xml version=\"1.0\"?>\n<plist version=\"1.0\"><dict><key>Name</key>"
                               "<string>irealb://x</string></dict></plist>"));
}

TEST(Playlist, ListsEverySongWithItsReason) {
    const std::vector<SongListing> songs = listChartFile(three_songs, font());
    ASSERT_EQ(songs.size(), 3u);
    EXPECT_EQ(songs[0], (SongListing{1, "Blue Hour", "Jane Doe", "F", "Medium Swing", 4, ""}));
    // No composer: the song holds "===" and still splits right.
    EXPECT_EQ(songs[1], (SongListing{2, "The Waltz", "", "Dm", "Jazz Waltz", 4, ""}));
    EXPECT_EQ(songs[2].title, "Five Eight");
    EXPECT_EQ(songs[2].reason, "5/8 time is not supported");

    // Any other chart file lists as its one song.
    const std::vector<SongListing> one = listChartFile(blues, font());
    EXPECT_EQ(one, (std::vector<SongListing>{{1, "Blues in F", "", "F", "", 12, ""}}));
}

TEST(Playlist, OpensASongAsAChartDictionary) {
    const Plist chart = openChartSong(three_songs, font(), 1);
    EXPECT_EQ(chart.string_at("Name"), "Blue Hour");
    EXPECT_EQ(chart.string_at("Composer"), "Jane Doe");
    EXPECT_EQ(chart.integer_at("Tempo"), 140);
    EXPECT_EQ(chart.dictionary_at("Chorus").integer_at("Repeats"), 2);
    EXPECT_EQ(chords_of(chart), "F7 - - - | B\u266D7 - - - | F7 - - - | C7 - - -");
    EXPECT_EQ(chart.at("Font"), font());

    const Plist waltz = openChartSong(three_songs, font(), 2);
    EXPECT_EQ(waltz.find("Composer"), nullptr);  // none named: the key is left out
    EXPECT_EQ(waltz.dictionary_at("Style").integer_at("Meter"), 3);
    EXPECT_EQ(openChartFile("irealb://Five%20Four=Ray%20Roe==Medium%20Swing=C==1r34LbKcu7[T54C%20%20%20%20|G%20%20%20%20Z==140=3", font())
                  .dictionary_at("Style").integer_at("Meter"), 5);

    // The one song of a file, and a bare link, open without a number.
    EXPECT_EQ(openChartFile(one_song, font()), chart);
    std::ifstream in(one_song);
    std::string line;
    while (std::getline(in, line) && !isIrealLink(line)) {
    }
    EXPECT_EQ(openChartFile(line, font()), chart);
}

TEST(Playlist, ErrorCases) {
    EXPECT_EQ(reason_of([&] { openChartFile(three_songs, font()); }),
              "The playlist holds 3 songs: choose one with --song N (see 'zub list')");
    EXPECT_EQ(reason_of([&] { openChartSong(three_songs, font(), 4); }), "There is no song 4 (the playlist holds 3)");
    EXPECT_EQ(reason_of([&] { openChartSong(three_songs, font(), 3); }), "5/8 time is not supported");
    EXPECT_EQ(reason_of([&] { openChartSong(blues, font(), 2); }), "The file holds one song: there is no song 2");
    EXPECT_EQ(reason_of([&] { Playlist::fromText("no link here"); }), "No iReal Pro link found");
    EXPECT_EQ(reason_of([&] { openChartFile("/no/such/list.html", font()); }),
              "Can't read input file: /no/such/list.html");
}

TEST(Playlist, ChartsComeBackFromTheirLink) {
    const Plist blues_chart = openChartFile(blues, font());
    const Plist named = blues_chart.with("Name", Plist::make_string("Caf\u00E9 \u201CBlues\u201D \u2013 Don\u2019t \u03B1"))
                            .with("Composer", Plist::make_string("Jan \u0141uk"));
    const Plist autumn = openChartFile(ZUB_RESOURCE_DIR "/examples/autumn-leaves.txt", font());
    const Playlist playlist = Playlist::fromText(irealLink({named, autumn}, "Two Tunes"));
    ASSERT_EQ(playlist.size(), 2u);
    EXPECT_EQ(playlist.name(), "Two Tunes");
    // Typographic punctuation comes back in its Latin 1 form, so that the core takes the
    // name; other letters beyond Latin 1 stay, and the composer never reaches the core.
    const Plist back = playlist.chart(1, font());
    EXPECT_EQ(back.string_at("Name"), "Caf\u00E9 \"Blues\" - Don't \u03B1");
    EXPECT_EQ(back.string_at("Composer"), "Jan \u0141uk");
    EXPECT_EQ(chords_of(back), chords_of(named));
    EXPECT_EQ(back.at("Key"), named.at("Key"));
    EXPECT_EQ(chords_of(playlist.chart(2, font())), chords_of(autumn));

    const std::string page = irealHtml({named}, "");
    EXPECT_TRUE(holdsPlaylist(page));
    EXPECT_EQ(chords_of(Playlist::fromText(page).chart(1, font())), chords_of(named));
}

}  // namespace
}  // namespace zub
