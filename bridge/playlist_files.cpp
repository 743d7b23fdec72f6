// Files and arguments that may hold playlists: which one path names, and
// the file names the songs of a playlist are written under.
#include <cstdio>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/playlist.h"

namespace zub {

namespace {

// What a path names, read once: a playlist, or the bytes of one chart.
struct Chart_source {
    std::optional<Playlist> playlist;
    std::string bytes;
};

Chart_source read_source(const std::string& path) {
    if (isIrealLink(path)) return {Playlist::fromText(path), {}};
    std::string bytes = readFileBytes(path);
    if (!isBiabFileName(path) && holdsPlaylist(bytes)) return {Playlist::fromText(bytes), {}};
    return {std::nullopt, std::move(bytes)};
}

Plist chart_of_bytes(const std::string& path, const std::string& bytes, const Plist& font) {
    if (isBiabFileName(path)) return Entry_points::biabreader_read_chart(bytes, font);
    return chartFromDocumentBytes(bytes, font);
}

// How a message names the argument: a long link is shortened.

SongListing listing_of_chart(const Plist& chart) {
    const Plist* composer = chart.find("Composer");
    return {1,
            chart.string_at("Name"),
            composer && composer->kind() == Plist::Kind::string ? composer->as_string() : std::string(),
            chart.string_at("Key"),
            std::string(),
            chart.array_at("Chords").size(),
            std::string()};
}

}  // namespace

std::optional<Playlist> openPlaylist(const std::string& path) { return read_source(path).playlist; }

std::vector<SongListing> listChartFile(const std::string& path, const Plist& font) {
    const Chart_source source = read_source(path);
    if (source.playlist) return source.playlist->listings();
    return {listing_of_chart(chart_of_bytes(path, source.bytes, font))};
}

Plist openChartSong(const std::string& path, const Plist& font, std::size_t song) {
    const Chart_source source = read_source(path);
    if (!source.playlist) {
        if (song > 1)
            throw Bridge_exception("openChartSong",
                                   "The file holds one song: there is no song " + std::to_string(song));
        return chart_of_bytes(path, source.bytes, font);
    }
    const Playlist& playlist = *source.playlist;
    if (song == 0 && playlist.size() != 1)
        throw Bridge_exception("openChartSong", "The playlist holds " + std::to_string(playlist.size()) +
                                                    " songs: choose one with --song N (see 'zub list')");
    return playlist.chart(song == 0 ? 1 : song, font);
}

std::string songFileName(std::size_t number, std::string_view title) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%04zu", number);
    std::string name = digits;
    std::string stem;
    for (const char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ' || c == '\t') {
            if (!stem.empty() && stem.back() != '-') stem += '-';
        } else if (byte >= 0x20 && byte != 0x7F && std::string_view("/\\:*?\"<>|").find(c) == std::string_view::npos) {
            if (!(stem.empty() && c == '.')) stem += c;
        }
    }
    while (!stem.empty() && stem.back() == '-') stem.pop_back();
    if (!stem.empty()) name += "-" + stem;
    return name + ".zub";
}

}  // namespace zub
