// iReal Pro playlists at the bridge: the songs of a link or of a file holding
// links (.txt, .html, .htm, decided by content), listed and opened one by one
// as chart dictionaries, and charts written back as a link or an HTML page.
// A chart opened from a playlist carries the song's title as "Name" and its
// composer as "Composer" (left out when the song names none).
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// One song as "zub list" and the song chooser show it.
struct SongListing {
    std::size_t number = 0;  // from 1
    std::string title, composer;
    std::string key;         // our key name: "Cm" (iReal writes "C-")
    std::string style;       // iReal's style text, "Medium Swing"
    std::size_t bars = 0;    // bars of the chart as written
    std::string reason;      // not empty: why the song cannot be opened
    bool operator==(const SongListing&) const = default;
};

// isIrealLink("irealb://...") -> true for a bare link given where a file path goes
// (either scheme); false for "songs.html".
bool isIrealLink(std::string_view argument);

// holdsPlaylist(bytes) -> true when the bytes hold an iReal Pro link and are no property list.
bool holdsPlaylist(std::string_view bytes);

// A playlist decoded once; its songs become charts only when asked for.
class Playlist {
public:
    // fromText(a link, or the text or HTML around links); Bridge_exception
    // "No iReal Pro link found" when there is none. Songs that cannot be
    // decoded stay in the list with their reason.
    static Playlist fromText(std::string_view text);

    const std::string& name() const;  // the playlist's name, "" for a single song
    std::size_t size() const;
    // title(3) -> the title of song 3 as the link gives it, without reading its chart.
    std::string title(std::size_t number) const;

    // listing(3) -> title, composer, key, style and bars of song 3 (or its reason);
    // "There is no song 51 (the playlist holds 50)" out of range.
    SongListing listing(std::size_t number) const;
    std::vector<SongListing> listings() const;

    // chart(3, font) -> the chart dictionary of song 3 with the given font
    // description; Bridge_exception with the song's one-line reason ("5/4 time is
    // not supported") when it cannot be represented, or the range failure above.
    Plist chart(std::size_t number, const Plist& font) const;

private:
    struct Songs;
    explicit Playlist(std::shared_ptr<const Songs> songs) : songs_(std::move(songs)) {}
    std::shared_ptr<const Songs> songs_;
};

// openPlaylist(path) -> the playlist of a bare link or of a file holding links;
// nullopt for any other file. "Can't read input file: <path>" as readFileBytes.
std::optional<Playlist> openPlaylist(const std::string& path);

// listChartFile(path, font) -> the songs of any chart file: every song of a
// playlist, or the one song of a chart document, text chart or BiaB file
// (whose failure to read is thrown, as openChartFile throws it).
std::vector<SongListing> listChartFile(const std::string& path, const Plist& font);

// openChartSong(path, font, 3) -> song 3 of whatever path names; song 0 means
// "the only song": a playlist of several songs fails with
// "The playlist holds 50 songs: choose one with --song N (see 'zub list')". A file
// of one chart has only song 1: "The file holds one song: there is no song 3".
Plist openChartSong(const std::string& path, const Plist& font, std::size_t song);

// songFileName(42, "Autumn Leaves") -> "0042-Autumn-Leaves.zub": the number in
// four digits (more past 9999), spaces as '-', characters that are unsafe in
// file names (/ \ : * ? " < > | control characters, leading dots) left out.
std::string songFileName(std::size_t number, std::string_view title);

// The iReal Pro link of charts, one song each, in a playlist named name (no
// name for a single chart); Bridge_exception "irealLink" with the reason a
// chart cannot be written. irealHtml wraps the same link in the page the app exports.
std::string irealLink(const std::vector<Plist>& charts, std::string_view name);
std::string irealHtml(const std::vector<Plist>& charts, std::string_view name);

}  // namespace zub
