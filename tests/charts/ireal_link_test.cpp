#include "core/charts/ireal_link.h"

#include <gtest/gtest.h>

#include "core/charts/ireal_playlist.h"
#include "core/failure.h"

namespace zub {
namespace {

// The decoded song k of a playlist; the test fails (std::bad_variant_access) when it was not decoded.
const Ireal_song& song(const Ireal_playlist& playlist, std::size_t k) { return std::get<Ireal_song>(playlist.songs.at(k)); }

// Why song k could not be decoded; "" when it was.
std::string reason_of(const Ireal_playlist& playlist, std::size_t k) {
    const auto* undecoded = std::get_if<Undecoded_ireal_song>(&playlist.songs.at(k));
    return undecoded ? undecoded->reason : "";
}

TEST(IrealLink, ScramblingVectors) {
    const struct {
        std::string_view plain, scrambled;
    } cases[] = {
        {"[T44C   |G   |C   |G   Z", "1r34LbKcu7[T44CXyQ|GXyQ|CXyQ|GXyQZ"},
        {"{*AT44C^7 A-7 |D-7 G7 |C^7 A-7 |D-7 G7 }[*BE-7 A7 |D-7 G7 |C6   Z ",
         "1r34LbKcu7L7A 74C^7 } 7G 7-DZL7-A ^7CZL7G 7-DZL7-A[*BE-4TA*{ZD-7 G7LZC6XyQZ "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Ireal_link::scramble(c.plain), c.scrambled);
        EXPECT_EQ(Ireal_link::unscramble(c.scrambled.substr(Ireal_link::music_prefix.size())), c.plain);
    }
}

TEST(IrealLink, ScramblingCountsCodePointsNotBytes) {
    // 60 code points, two of them two bytes long: one block is permuted.
    std::string plain = "<Caf\xC3\xA9>" + std::string(40, ' ') + "C7 |F7 |\xC3\xA9";
    const std::string scrambled = Ireal_link::scramble(plain);
    EXPECT_NE(scrambled.substr(10, 10), plain.substr(0, 10));
    EXPECT_EQ(Ireal_link::unscramble(std::string_view(scrambled).substr(10)), plain);
}

TEST(IrealLink, PercentCodes) {
    EXPECT_EQ(Ireal_link::percent_decode("C%2B%20D+E%3D"), "C+ D+E=");
    EXPECT_EQ(Ireal_link::percent_decode("100%"), "100%");
    EXPECT_EQ(Ireal_link::percent_decode("%4"), "%4");
    EXPECT_EQ(Ireal_link::percent_decode("%zz%41"), "%zzA");
    EXPECT_EQ(Ireal_link::percent_encode("A=B C+(x)*'-"), "A%3DB%20C%2B(x)*'-");
}

TEST(IrealLink, FindsLinksInText) {
    const std::string text = "x <a href=\"irealb://A%3DB\">y</a> irealbook://C=D\n tail";
    const auto links = Ireal_link::find_links(text);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0], "irealb://A%3DB");
    EXPECT_EQ(links[1], "irealbook://C=D");
    EXPECT_TRUE(holds_ireal_link(text));
    EXPECT_FALSE(holds_ireal_link("irealb:/ nothing"));
    EXPECT_THROW(read_ireal_playlist("no link here"), Failure);
}

std::string modern_song(std::string_view title, std::string_view composer, std::string_view progression) {
    return std::string(title) + "=" + std::string(composer) + "==Medium Swing=C-==" + Ireal_link::scramble(progression) +
           "==140=2";
}

TEST(IrealLink, SplitsSongsAndKeepsTheirFields) {
    // The second song has no composer: "Title===Medium Swing" puts "===" inside it.
    const std::string body = modern_song("Leaves, The", "Davis Miles", "[C   Z") + "===" +
                             modern_song("Nobody", "", "[F   Z") + "===My List";
    const auto playlist = read_ireal_playlist("irealb://" + Ireal_link::percent_encode(body));
    EXPECT_EQ(playlist.name, "My List");
    ASSERT_EQ(playlist.songs.size(), 2u);
    const Ireal_song& first = song(playlist, 0);
    EXPECT_EQ(first.title, "The Leaves");
    EXPECT_EQ(first.composer, "Miles Davis");
    EXPECT_EQ(first.style, "Medium Swing");
    EXPECT_EQ(first.key, "C-");
    EXPECT_EQ(first.tempo, 140);
    EXPECT_EQ(first.repeats, 2);
    EXPECT_EQ(first.progression, "[C   Z");
    EXPECT_EQ(song(playlist, 1).title, "Nobody");
    EXPECT_EQ(song(playlist, 1).composer, "");
    EXPECT_EQ(song(playlist, 1).progression, "[F   Z");
}

TEST(IrealLink, SongsWithoutMusicPrefixBetweenOthers) {
    const std::string blank = "Blank=Doe Jane==Ballad=F==" + std::string(16, ' ') + "==0=0";
    const std::string body = blank + "===" + modern_song("One", "", "[C   Z") + "===" + blank + "===" +
                             modern_song("Two", "A B", "[D   Z") + "===" + blank + "===List";
    const auto playlist = read_ireal_playlist("irealb://" + Ireal_link::percent_encode(body));
    ASSERT_EQ(playlist.songs.size(), 5u);
    const char* titles[] = {"Blank", "One", "Blank", "Two", "Blank"};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(song(playlist, k).title, titles[k]);
        EXPECT_EQ(reason_of(playlist, k), "") << k;
    }
    EXPECT_EQ(song(playlist, 2).composer, "Jane Doe");
    EXPECT_EQ(playlist.name, "List");
    EXPECT_THROW(chart_of_ireal_song(song(playlist, 0)), Failure);  // no chords
}

TEST(IrealLink, EveryLinkOfATextInOrder) {
    const std::string text = "<a href=\"irealb://" + Ireal_link::percent_encode(modern_song("One", "", "[C   Z") + "===First") +
                             "\">x</a>\n<a href=\"irealb://" + Ireal_link::percent_encode(modern_song("Two", "", "[D   Z")) +
                             "\">y</a>";
    const auto playlist = read_ireal_playlist(text);
    ASSERT_EQ(playlist.songs.size(), 2u);
    EXPECT_EQ(song(playlist, 0).title, "One");
    EXPECT_EQ(song(playlist, 1).title, "Two");
    EXPECT_EQ(playlist.name, "First");

    const std::string link = "irealb://" + Ireal_link::percent_encode(modern_song("One", "", "[C   Z"));
    EXPECT_EQ(read_ireal_playlist("<a href=\"" + link + "\">" + link + "</a>").songs.size(), 1u);
}

TEST(IrealLink, OldSchemeAndBrokenSongs) {
    auto old = read_ireal_playlist("irealbook://Blues=Parker%20Charlie=Bebop=F=n=[F7%20%20%20|Bb7%20%20%20Z");
    ASSERT_EQ(old.songs.size(), 1u);
    EXPECT_EQ(song(old, 0).composer, "Charlie Parker");
    EXPECT_EQ(song(old, 0).key, "F");
    EXPECT_EQ(song(old, 0).progression, "[F7   |Bb7   Z");
    // A swapped key and leftover, and a second song cut short.
    auto swapped = read_ireal_playlist("irealbook://Tune=X=Style=n=Eb=[Eb%20Z=Cut=Y");
    ASSERT_EQ(swapped.songs.size(), 2u);
    EXPECT_EQ(song(swapped, 0).key, "Eb");
    EXPECT_FALSE(reason_of(swapped, 1).empty());

    // Bad numbers and wrong field counts stay with their song; the others come through.
    const std::string body = modern_song("Good", "", "[C   Z") + "===Bad=x==Swing=C==n=0=3===" +
                             "Slow=A B==Swing=C==1r34LbKcu7[C   Z==abc=0";
    const auto playlist = read_ireal_playlist("irealb://" + Ireal_link::percent_encode(body));
    ASSERT_EQ(playlist.songs.size(), 3u);
    EXPECT_EQ(reason_of(playlist, 0), "");
    EXPECT_EQ(reason_of(playlist, 1), "Wrong number of fields in a song");
    EXPECT_EQ(reason_of(playlist, 2), "Invalid tempo: abc");
    EXPECT_EQ(fields_of(playlist.songs[2]).title, "Slow");
}

}  // namespace
}  // namespace zub
